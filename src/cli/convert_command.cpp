// Quillet — quillet-cli convert: a T4 file from the payroll product's year-end file.
#include "cli/commands.h"
#include "cli/stream_ui.h"
#include "data/open_t4_file.h"
#include "payroll_import/year_end_conversion.h"

namespace quillet::cli {

int runConvert(const Invocation& invocation, const Clock& clock, Io io) {
  CliAnswers answers;
  answers.question =
      invocation.options.contains(QStringLiteral("--force")) ? Answer::Yes : Answer::No;
  answers.payrollSetUp = {invocation.options.contains(QStringLiteral("--box20")),
                          invocation.options.contains(QStringLiteral("--box44")),
                          invocation.options.value(QStringLiteral("--regn"))};
  StreamUi ui(io.err, std::move(answers));
  const std::optional<ConfigRecord> config = readConfig(invocation, ui, io);
  if (!config) return ExitUsage;

  OpenT4FileState state;
  state.setT4FileName(invocation.positionals.at(1));
  const ConversionOutcome outcome =
      ConvertYearEndFile(state, ui, clock, invocation.positionals.at(0), *config);
  return outcome == ConversionOutcome::Completed ? ExitOk : ExitReported;
}

}  // namespace quillet::cli
