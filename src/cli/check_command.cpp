// Quillet — quillet-cli check: the T4 Error Report's lines on standard output.
#include "cli/commands.h"
#include "cli/stream_ui.h"
#include "data/open_t4_file.h"
#include "reports/error_list.h"

namespace quillet::cli {

int runCheck(const Invocation& invocation, const Clock&, Io io) {
  const auto state = openForInspection(invocation.positionals.at(0), io, std::nullopt);
  if (!state) return ExitUsage;
  StreamUi ui(io.err);
  const ErrorList list = buildErrorList(*state, ui);
  for (const QString& line : list.lines) io.out << line << '\n';
  return list.hasFindings ? ExitReported : ExitOk;
}

}  // namespace quillet::cli
