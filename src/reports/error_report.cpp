// Quillet — the T4 Error Report, and the printout of the report viewer's lines.
#include "reports/error_report.h"

#include "data/open_t4_file.h"
#include "reports/error_list.h"
#include "reports/print_report.h"
#include "reports/print_ui.h"

namespace quillet {

PrintOutcome printErrorReport(OpenT4FileState& state, PrintUi& ui, const Clock& clock) {
  const ErrorList list = buildErrorList(state, ui);
  const QString slips = slipName(state.slipKind());
  const QString documentTitle = slips + QStringLiteral(" Error Report");
  TPrintReport report(ui, clock, documentTitle, 50, 50, 75, 25, false);
  if (report.Aborted()) return PrintOutcome::NotStarted;

  const BusyBox busy(ui, documentTitle);
  report.Title = documentTitle + QStringLiteral(" for ") +
                 list.employer.text(EmployerRecord::S_Employer_name_line_1);
  report.SubTitle = QStringLiteral("Based on %1 file ").arg(slips) + state.T4FileName();
  report.PrintHeading();
  for (const QString& line : list.lines) report.PrintLine(line);
  return list.aborted ? PrintOutcome::StoppedEarly : PrintOutcome::Printed;
}

PrintOutcome printViewerReport(const ViewerReport& viewer, PrintUi& ui, const Clock& clock) {
  const QString title =
      viewer.reportTitle.isEmpty() ? QStringLiteral("T4 Error Report") : viewer.reportTitle;
  TPrintReport report(ui, clock, title, 100, 100, 75, 25, false);
  if (report.Aborted()) return PrintOutcome::NotStarted;
  report.Title = viewer.headingLine1.isEmpty() ? title : viewer.headingLine1;
  report.SubTitle = viewer.headingLine2;
  report.PrintHeading();
  for (const QString& line : viewer.lines) report.PrintLine(line);
  return PrintOutcome::Printed;
}

}  // namespace quillet
