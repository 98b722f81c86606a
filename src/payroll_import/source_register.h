// Quillet — the T4 Source Register: the year-end file as it stands, four employees a page.
#pragma once

#include <QString>

#include "reports/print_outcome.h"

namespace quillet {

class Clock;
class ConfigRecord;
class PrintUi;

// Prints every employee of the year-end file in name order, four columns a block, then
// the grand totals. An unreadable record ends the employees; what was placed is printed.
PrintOutcome PrintSourceRegister(PrintUi& ui, const Clock& clock, const QString& yearEndPath,
                                 const ConfigRecord& config);

}  // namespace quillet
