// Quillet — the batch tool's commands.
#pragma once

#include "cli/invocation.h"

namespace quillet::cli {

int runCheck(const Invocation& invocation, const Clock& clock, Io io);
int runDump(const Invocation& invocation, const Clock& clock, Io io);
int runTotals(const Invocation& invocation, const Clock& clock, Io io);
int runConvert(const Invocation& invocation, const Clock& clock, Io io);
int runPrint(const Invocation& invocation, const Clock& clock, Io io);
int runRates(const Invocation& invocation, const Clock& clock, Io io);
int runSlipsPdf(const Invocation& invocation, const Clock& clock, Io io);
int runCsvExport(const Invocation& invocation, const Clock& clock, Io io);
int runCsvImport(const Invocation& invocation, const Clock& clock, Io io);
int runNextYear(const Invocation& invocation, const Clock& clock, Io io);
int runNewT4A(const Invocation& invocation, const Clock& clock, Io io);
int runXml(const Invocation& invocation, const Clock& clock, Io io);
int runFiled(const Invocation& invocation, const Clock& clock, Io io);

}  // namespace quillet::cli
