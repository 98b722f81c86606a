// Quillet — the T4 Error Report, and the printout of the report viewer's lines.
#pragma once

#include <QStringList>

#include "core/viewer_report.h"
#include "reports/print_outcome.h"

namespace quillet {

class Clock;
class OpenT4FileState;
class PrintUi;

// Checks the whole open file and prints the list under the heading "T4 Error Report
// for <employer>", "Based on T4 file <path>", with the busy box.
PrintOutcome printErrorReport(OpenT4FileState& state, PrintUi& ui, const Clock& clock);

PrintOutcome printViewerReport(const ViewerReport& report, PrintUi& ui, const Clock& clock);

}  // namespace quillet
