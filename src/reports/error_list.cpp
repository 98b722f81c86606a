// Quillet — the T4 Error Report's list: every check of the file, in index order.
#include "reports/error_list.h"

#include <QHash>

#include "checks/employer_checks.h"
#include "checks/t4_record_checks.h"
#include "checks/t4a_record_checks.h"
#include "core/numeric_text.h"
#include "core/ui.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"

namespace quillet {
namespace {

// The records seen so far, by SIN and by name and address, each kept as its index position.
struct SeenRecords {
  QHash<qint64, int> bySin;
  QHash<QByteArray, int> byNameAndAddress;
};

// The name and address as the record holds them, capitals aside: the bytes of the fields,
// so that a file of any size is gone through quickly.
QByteArray nameAndAddressOf(const T4Record& record) {
  QByteArray key;
  for (const Field& f : {T4Record::Employee_surname, T4Record::Employee_first_name,
                         T4Record::Employee_address_line_1, T4Record::Employee_city}) {
    key.append(reinterpret_cast<const char*>(record.bytes().data()) + f.offset,
               1 + record.textLength(f));
  }
  return key.toUpper();
}

// A record of the same SIN, or of the same name and address, as one before it: two slips
// for one employee are right only for two provinces of employment, and one employee
// entered twice is counted twice on the Summary.
QStringList sameEmployeeTwice(const T4Record& record, int at, const TAlphaInxFileStream& file,
                              SeenRecords& seen) {
  const QString digits = digitsOf(record.text(T4Record::Employee_SIN));
  const qint64 sin = digits.toLongLong();
  const QByteArray nameAndAddress = nameAndAddressOf(record);
  const auto nameOf = [&file](int index) {
    T4Record first;
    file.ReadIndexed(first.bytes(), index);
    return first.firstName() + QLatin1Char(' ') + first.surname();
  };
  QStringList found;
  if (const auto first = seen.bySin.constFind(sin);
      !digits.isEmpty() && first != seen.bySin.constEnd()) {
    found << QStringLiteral("  ")
          << QStringLiteral("Warning: the T4 of %1 has the same SIN. Two T4s for one employee")
                 .arg(nameOf(*first))
          << QStringLiteral("are right only for two provinces of employment.");
  }
  if (const auto first = seen.byNameAndAddress.constFind(nameAndAddress);
      first != seen.byNameAndAddress.constEnd()) {
    found << QStringLiteral("  ")
          << QStringLiteral("Warning: the T4 of %1 has the same name and address: is this one")
                 .arg(nameOf(*first))
          << QStringLiteral("employee entered twice?");
  }
  if (!digits.isEmpty() && !seen.bySin.contains(sin)) seen.bySin.insert(sin, at);
  if (!seen.byNameAndAddress.contains(nameAndAddress))
    seen.byNameAndAddress.insert(nameAndAddress, at);
  return found;
}

}  // namespace

ErrorList buildErrorList(OpenT4FileState& state, Ui& ui) {
  const QString blank = QStringLiteral("  ");
  ErrorList list;
  EmployerRecord& employer = list.employer;
  const SlipKind kind = state.slipKind();

  if (readEmployerRecord(state, employer)) {
    CheckEmployerRecord(employer, list.lines, kind);
    if (!list.lines.isEmpty()) {
      list.lines << blank;
      list.hasFindings = true;
    }
  } else {
    ui.showMessage(QStringLiteral(
        "File READ error when getting T4 Company Information, excluding from report. Click "
        "OK to see if T4 Employees are readable. When done, check disk with a disk utility."));
    list.lines << QStringLiteral("*** Company Information could not be read from the file ***")
               << QStringLiteral(
                      "*** If printed, T4's will be missing Company Info. including Business")
               << QStringLiteral(
                      "    Number. Exit program then try copying the file, you might be lucky ***")
               << blank;
    list.hasFindings = true;
  }

  if (kind == SlipKind::T4) ReconciliationNotes(list.lines);

  TAlphaInxFileStream& file = state.T4File();
  Record768& buffer = state.sharedRecord();
  // The first record of each SIN, and of each name and address, to tell the ones after it.
  SeenRecords seen;
  seen.bySin.reserve(file.Count());
  seen.byNameAndAddress.reserve(file.Count());
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(buffer.bytes(), i) != Record768::Size) {
      const QString offset = QString::number(file.position(i));
      ui.showMessage(QStringLiteral("File READ error ") + offset +
                     QStringLiteral(" bytes from start of file when checking T4's for Error "
                                    "Report. Report aborted at last T4. Check disk with a disk "
                                    "utility."));
      list.lines << blank
                 << QStringLiteral("*** Report Aborted due to file read error at offset ") +
                        offset + QStringLiteral("***");
      list.hasFindings = true;
      list.aborted = true;
      break;
    }
    const qsizetype before = list.lines.size();
    if (kind == SlipKind::T4A) {
      T4ARecord record;
      record.bytes() = buffer.bytes();
      CheckT4ARecord(record, employer, list.lines);
      list.hasFindings = list.hasFindings || list.lines.size() - before > 2;
      continue;
    }
    T4Record record;
    record.bytes() = buffer.bytes();
    CheckT4Record(record, employer, list.lines);
    if (!record.isVoid()) {
      const QStringList twice = sameEmployeeTwice(record, i, file, seen);
      for (qsizetype at = 0; at < twice.size(); ++at) list.lines.insert(before + 2 + at, twice[at]);
    }
    if (list.lines.size() - before > 2) list.hasFindings = true;
  }
  return list;
}

}  // namespace quillet
