// Quillet — the T4 Error Report's list: every check of the file, in index order.
#include "reports/error_list.h"

#include <QHash>
#include <QRegularExpression>

#include "checks/employer_checks.h"
#include "checks/t4_record_checks.h"
#include "core/ui.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"

namespace quillet {
namespace {

// A record of the same SIN, or of the same name and address, as one before it: two slips
// for one employee are right only for two provinces of employment, and one employee
// entered twice is counted twice on the Summary.
QStringList sameEmployeeTwice(const T4Record& record, QHash<QString, QString>& bySin,
                              QHash<QString, QString>& byNameAndAddress) {
  const QString who = record.firstName() + QLatin1Char(' ') + record.surname();
  static const QRegularExpression notDigit(QStringLiteral("\\D"));
  const QString sin = record.text(T4Record::Employee_SIN).remove(notDigit);
  const QString nameAndAddress = QStringList{record.surname(), record.firstName(),
                                             record.text(T4Record::Employee_address_line_1),
                                             record.text(T4Record::Employee_city)}
                                     .join(u'|')
                                     .toUpper()
                                     .simplified();
  QStringList found;
  if (const auto first = bySin.constFind(sin); !sin.isEmpty() && first != bySin.constEnd()) {
    found << QStringLiteral("  ")
          << QStringLiteral("Warning: the T4 of %1 has the same SIN. Two T4s for one employee")
                 .arg(*first)
          << QStringLiteral("are right only for two provinces of employment.");
  }
  if (const auto first = byNameAndAddress.constFind(nameAndAddress);
      first != byNameAndAddress.constEnd()) {
    found << QStringLiteral("  ")
          << QStringLiteral("Warning: the T4 of %1 has the same name and address: is this one")
                 .arg(*first)
          << QStringLiteral("employee entered twice?");
  }
  if (!sin.isEmpty() && !bySin.contains(sin)) bySin.insert(sin, who);
  if (!byNameAndAddress.contains(nameAndAddress)) byNameAndAddress.insert(nameAndAddress, who);
  return found;
}

}  // namespace

ErrorList buildErrorList(OpenT4FileState& state, Ui& ui) {
  const QString blank = QStringLiteral("  ");
  ErrorList list;
  EmployerRecord& employer = list.employer;

  if (readEmployerRecord(state, employer)) {
    CheckEmployerRecord(employer, list.lines);
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

  ReconciliationNotes(list.lines);

  TAlphaInxFileStream& file = state.T4File();
  Record768& buffer = state.sharedRecord();
  // The first record of each SIN, and of each name and address, to tell the ones after it.
  QHash<QString, QString> bySin;
  QHash<QString, QString> byNameAndAddress;
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
    T4Record record;
    record.bytes() = buffer.bytes();
    const qsizetype before = list.lines.size();
    CheckT4Record(record, employer, list.lines);
    if (!record.isVoid()) {
      const QStringList twice = sameEmployeeTwice(record, bySin, byNameAndAddress);
      for (qsizetype at = 0; at < twice.size(); ++at) list.lines.insert(before + 2 + at, twice[at]);
    }
    if (list.lines.size() - before > 2) list.hasFindings = true;
  }
  return list;
}

}  // namespace quillet
