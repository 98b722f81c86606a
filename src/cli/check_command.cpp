// Quillet — quillet-cli check: the T4 Error Report's lines on standard output.
#include "cli/commands.h"
#include "cli/stream_ui.h"
#include "data/open_t4_file.h"
#include "reports/error_list.h"

namespace quillet::cli {

int runCheck(const Invocation& invocation, const Clock&, Io io) {
  OpenT4FileState state;
  state.setT4FileName(invocation.positionals.at(0));
  if (const FileStatus opened = state.OpenT4File(T4Access::Inspect); !opened) {
    io.err << opened.message() << Qt::endl;
    return ExitUsage;
  }
  StreamUi ui(io.err);
  const ErrorList list = buildErrorList(state, ui);
  for (const QString& line : list.lines) io.out << line << '\n';
  io.out.flush();
  return list.hasFindings ? ExitReported : ExitOk;
}

}  // namespace quillet::cli
