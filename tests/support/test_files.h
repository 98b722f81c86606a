// Quillet tests — records and T4 files built by the tests themselves.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>
#include <vector>

#include "core/clock.h"
#include "data/employer_record.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"
#include "qt_printers.h"

namespace quillet::test {

// The day most tests run on: 3 February 2001, 9:30, when the T4s of 2000 are being filed.
inline const FixedClock FilingDay{QDateTime(QDate(2001, 2, 3), QTime(9, 30))};
// The day the payroll's year end is converted: 10 January 2001, 9:00.
inline const FixedClock YearEndDay{QDateTime(QDate(2001, 1, 10), QTime(9, 0))};

// An employer record without findings, with the 1999 rates (tests/fixtures/good_records.txt).
EmployerRecord goodEmployer();

// A T4 record without findings under the 1999 rates: 20000.00 of earnings with the CPP
// and EI they call for.
T4Record goodT4(const QString& surname, const QString& firstName, const QString& initial = {});
// A person paid 1200.00 of fees by goodEmployer(), without findings.
T4ARecord goodT4A();

// One field's new value: a text, or a number for any other kind of field.
struct FieldChange {
  FieldChange(const Field& f, const char* t) : field(f), text(QString::fromUtf8(t)) {}
  FieldChange(const Field& f, const QString& t) : field(f), text(t) {}
  FieldChange(const Field& f, int64_t n) : field(f), number(n) {}
  FieldChange(const Field& f, int n) : field(f), number(n) {}
  FieldChange(const Field& f, bool flag) : field(f), number(flag ? 1 : 0) {}

  const Field& field;
  QString text;
  int64_t number = 0;
};

void change(Record768& record, std::initializer_list<FieldChange> changes);
// Makes the changes written "Field=value; Field=value" (a semicolon and a blank between
// them), the fields named as in `layout`, a number for any field that is not text.
void change(Record768& record, std::span<const Field> layout, const QString& changes);

// `record` with `changes` made.
template <class R>
R with(R record, std::initializer_list<FieldChange> changes) {
  change(record, changes);
  return record;
}

// "name=value" of every field of the layout, a line each.
QString fieldsOf(const Record768& record, std::span<const Field> layout);

// The bytes of a T4 file: header and employer record (when given), the T4 records in
// order, then `trailing` bytes.
QByteArray t4FileBytes(const std::optional<EmployerRecord>& employer,
                       const std::vector<T4Record>& t4s, const QByteArray& trailing = {});

// The bytes of a T4A file of `payer`: its header, the payer and the slips in order.
QByteArray t4aFileBytes(const EmployerRecord& payer, const std::vector<T4ARecord>& slips);

class TempFolder {
 public:
  QString path(const QString& name) const { return m_dir.filePath(name); }
  // Writes `bytes` to a new file of that name, in folders made for it, and returns its path.
  QString write(const QString& name, const QByteArray& bytes) const;

 private:
  QTemporaryDir m_dir;
};

// The path of `name` among the tests' own files (tests/fixtures).
QString fixturePath(const QString& name);

// The files that tests/fixtures describes. In t4_files.txt, under each "# NAME.T4E" line,
// a T4 file's employer ("employer [YEAR] | changes": a good employer, with the rates of YEAR
// when given) and an employee a line ("Surname First [Initial] | changes": a good T4 record
// with the employer's prefix); in year_end_files.txt, under each "# NAME.DTA" line, a
// year-end file's employees as `yearEnd` takes them. Other lines of "#" are comments. The
// bytes of one of them:
QByteArray fixtureFile(const QString& name);
// All of them written into `folder`:
void writeFixtureFiles(const TempFolder& folder);

// Sets the time the file at `path` was last modified.
void setModified(const QString& path, const QDateTime& when);

QByteArray readWholeFile(const QString& path);

// The surnames of a T4 file in the order a fresh opening indexes them.
QStringList surnamesInFile(const QString& path);

// The lines of a file that a program started by the test writes, once there are `count` of
// them (or ten seconds went by).
QStringList linesOnceWritten(const QString& path, int count);

}  // namespace quillet::test
