// Quillet — quillet-cli totals: the T4 totals worksheet on standard output.
#include "cli/commands.h"
#include "cli/stream_ui.h"
#include "reports/t4_totals.h"

namespace quillet::cli {

int runTotals(const Invocation& invocation, const Clock&, Io io) {
  const auto state = openForInspection(invocation.positionals.at(0), io);
  if (!state) return ExitUsage;
  StreamUi ui(io.err);
  const ViewerReport worksheet = totalsWorksheet(totalT4File(*state, ui), state->T4FileName());
  for (const QString& line : worksheet.lines) io.out << line << '\n';
  return ExitOk;
}

}  // namespace quillet::cli
