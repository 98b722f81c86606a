// Quillet — the T4 Error Report's list: every check of the file, in index order.
#include "reports/error_list.h"

#include "checks/employer_checks.h"
#include "checks/t4_record_checks.h"
#include "core/ui.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"

namespace quillet {

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
    if (list.lines.size() - before > 2) list.hasFindings = true;
  }
  return list;
}

}  // namespace quillet
