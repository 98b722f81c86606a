// Quillet tests — records and T4 files built by the tests themselves.
#include "test_files.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <map>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "data/open_t4_file.h"
#include "payroll_files.h"
#include "scripted_ui.h"

namespace quillet::test {

namespace {

// The fields of a good record, from tests/fixtures/good_records.txt.
QString goodFields(const QString& which) {
  static const QStringList lines =
      QString::fromUtf8(readWholeFile(fixturePath("good_records.txt"))).split(u'\n');
  for (const QString& line : lines)
    if (line.startsWith(which + QStringLiteral(" | ")))
      return line.section(QStringLiteral(" | "), 1);
  reportTestFailure("no good " + which);
  return {};
}

}  // namespace

EmployerRecord goodEmployer() {
  EmployerRecord e;
  change(e, EmployerRecord::layout(), goodFields(QStringLiteral("employer")));
  return e;
}

T4Record goodT4(const QString& surname, const QString& firstName, const QString& initial) {
  T4Record r = T4Record::newFrom(goodEmployer());
  r.setText(T4Record::Employee_surname, surname);
  r.setText(T4Record::Employee_first_name, firstName);
  r.setText(T4Record::Employee_secondinitial, initial);
  change(r, T4Record::layout(), goodFields(QStringLiteral("employee")));
  return r;
}

T4ARecord goodT4A() {
  T4ARecord r = T4ARecord::newFrom(goodEmployer());
  change(r, T4ARecord::layout(), goodFields(QStringLiteral("recipient")));
  return r;
}

namespace {

void apply(Record768& record, const FieldChange& c) {
  const FieldKind kind = c.field.kind;
  if (kind == FieldKind::Text) record.setText(c.field, c.text);
  if (kind == FieldKind::Cents || kind == FieldKind::Fix4)
    record.setInt32(c.field, static_cast<int32_t>(c.number));
  if (kind == FieldKind::U16) record.setU16(c.field, static_cast<uint16_t>(c.number));
  if (kind == FieldKind::Flag || kind == FieldKind::Byte)
    record.setByte(c.field, static_cast<uint8_t>(c.number));
}

}  // namespace

void change(Record768& record, std::initializer_list<FieldChange> changes) {
  for (const FieldChange& c : changes) apply(record, c);
}

void change(Record768& record, std::span<const Field> layout, const QString& changes) {
  for (const QString& one : changes.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
    const QString name = one.section(u'=', 0, 0).trimmed(), value = one.section(u'=', 1).trimmed();
    const auto field =
        std::ranges::find_if(layout, [&name](const Field& f) { return name == fieldName(f); });
    if (field == layout.end()) return reportTestFailure("no field " + name);
    bool number = true;
    if (field->kind == FieldKind::Text)
      apply(record, {*field, value});
    else
      apply(record, {*field, int64_t(value.toLongLong(&number))});
    if (!number) reportTestFailure("not a number: " + one);
  }
}

QString fieldsOf(const Record768& record, std::span<const Field> layout) {
  QString all;
  for (const Field& f : layout) all += fieldName(f) + u'=' + record.valueText(f) + u'\n';
  return all;
}

namespace {
void append(QByteArray& bytes, const Record768& record) {
  bytes.append(reinterpret_cast<const char*>(record.bytes().data()), Record768::Size);
}
}  // namespace

QByteArray t4aFileBytes(const EmployerRecord& payer, const std::vector<T4ARecord>& slips) {
  QByteArray bytes;
  append(bytes, HeaderRecord::forEmployer(payer, SlipKind::T4A));
  append(bytes, payer);
  for (const T4ARecord& slip : slips) append(bytes, slip);
  return bytes;
}

QByteArray t4FileBytes(const std::optional<EmployerRecord>& employer,
                       const std::vector<T4Record>& t4s, const QByteArray& trailing) {
  QByteArray bytes;
  if (employer) {
    append(bytes, HeaderRecord::forEmployer(*employer));
    append(bytes, *employer);
  }
  for (const T4Record& t4 : t4s) append(bytes, t4);
  return bytes + trailing;
}

QString fixturePath(const QString& name) { return QStringLiteral(QUILLET_FIXTURE_DIR "/") + name; }

namespace {

// The files of tests/fixtures/t4_files.txt and year_end_files.txt by name.
std::map<QString, QByteArray> parseFixtureFiles() {
  std::map<QString, QByteArray> files;
  QString name;
  std::optional<EmployerRecord> employer;
  std::vector<T4Record> t4s;
  QByteArray yearEnds;
  const auto flush = [&] {
    if (!name.isEmpty())
      files[name] = name.endsWith(QStringLiteral(".DTA")) ? yearEnds : t4FileBytes(employer, t4s);
    employer.reset();
    t4s.clear();
    yearEnds.clear();
  };
  const QString fixtures = QString::fromUtf8(readWholeFile(fixturePath("t4_files.txt")) +
                                             readWholeFile(fixturePath("year_end_files.txt")));
  for (const QString& line : fixtures.split(u'\n', Qt::SkipEmptyParts)) {
    const QString who = line.section(QStringLiteral(" | "), 0, 0);
    const QString changes = line.section(QStringLiteral(" | "), 1);
    if (line.startsWith(u'#')) {
      if (line.endsWith(QStringLiteral(".T4E")) || line.endsWith(QStringLiteral(".DTA")))
        flush(), name = line.mid(2);
    } else if (name.endsWith(QStringLiteral(".DTA"))) {
      yearEnds += yearEnd(line);
    } else if (who.startsWith(QStringLiteral("employer"))) {
      employer = goodEmployer();
      if (const TaxYearRates* rates = ratesOf(who.section(u' ', 1).toInt()))
        applyRates(*employer, *rates);
      change(*employer, EmployerRecord::layout(), changes);
    } else if (!employer) {
      reportTestFailure("an employee before the employer of " + name + ": " + line);
    } else {
      const QStringList names = who.split(u' ');
      t4s.push_back(goodT4(names.value(0), names.value(1), names.value(2)));
      t4s.back().copyPrefixFrom(*employer);
      change(t4s.back(), T4Record::layout(), changes);
    }
  }
  flush();
  return files;
}

// Read and built once: every test asks for them many times.
const std::map<QString, QByteArray>& fixtureFiles() {
  static const std::map<QString, QByteArray> files = parseFixtureFiles();
  return files;
}

}  // namespace

QByteArray fixtureFile(const QString& name) {
  const auto& files = fixtureFiles();
  const auto file = files.find(name);
  if (file == files.end()) reportTestFailure("no fixture " + name);
  return file == files.end() ? QByteArray() : file->second;
}

void writeFixtureFiles(const TempFolder& folder) {
  for (const auto& [name, bytes] : fixtureFiles()) folder.write(name, bytes);
}

QString TempFolder::write(const QString& name, const QByteArray& bytes) const {
  const QString file = path(name);
  QDir().mkpath(QFileInfo(file).path());
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
    qFatal("cannot write test file %s", qPrintable(file));
  return file;
}

QStringList linesOnceWritten(const QString& path, int count) {
  const QDeadlineTimer waited(10000);
  QStringList lines;
  while ((lines = QString::fromUtf8(readWholeFile(path)).split(u'\n', Qt::SkipEmptyParts)).size() <
             count &&
         !waited.hasExpired())
    QThread::msleep(20);
  return lines;
}

QStringList surnamesInFile(const QString& path) {
  OpenT4FileState state;
  state.setT4FileName(path);
  QStringList names;
  if (!state.OpenT4File(T4Access::Inspect)) return names;
  T4Record record;
  for (int i = 0; i < state.T4File().Count(); ++i) {
    state.T4File().ReadIndexed(record.bytes(), i);
    names << record.surname();
  }
  return names;
}

void setModified(const QString& path, const QDateTime& when) {
  QFile file(path);
  if (!file.open(QIODevice::ReadWrite) ||
      !file.setFileTime(when, QFileDevice::FileModificationTime))
    reportTestFailure("cannot set the time of " + path);
}

QByteArray readWholeFile(const QString& path) {
  QFile in(path);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

}  // namespace quillet::test
