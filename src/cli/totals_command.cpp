// Quillet — quillet-cli totals: the T4 totals worksheet on standard output.
#include "cli/commands.h"
#include "cli/stream_ui.h"
#include "reports/t4_totals.h"
#include "reports/t4a_totals.h"

namespace quillet::cli {

int runTotals(const Invocation& invocation, const Clock&, Io io) {
  const auto state = openForInspection(invocation.positionals.at(0), io, std::nullopt);
  if (!state) return ExitUsage;
  StreamUi ui(io.err);
  const ViewerReport worksheet =
      state->slipKind() == SlipKind::T4A
          ? t4aTotalsWorksheet(totalT4AFile(*state, ui), state->T4FileName())
          : totalsWorksheet(totalT4File(*state, ui), state->T4FileName());
  for (const QString& line : worksheet.lines) io.out << line << '\n';
  return ExitOk;
}

}  // namespace quillet::cli
