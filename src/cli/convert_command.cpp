// Quillet — quillet-cli convert: a T4 file from the payroll product's year-end file.
#include "cli/commands.h"
#include "cli/stream_ui.h"
#include "data/file_safety.h"
#include "data/open_t4_file.h"
#include "payroll_import/payroll_records.h"
#include "payroll_import/year_end_conversion.h"
#include "platform/shared_file.h"

namespace quillet::cli {

int runConvert(const Invocation& invocation, const Clock& clock, Io io) {
  const QString configPath = invocation.options.value(QStringLiteral("--config"));
  if (configPath.isEmpty()) {
    io.err << "quillet-cli: convert needs --config FILE.CNF" << Qt::endl;
    return ExitUsage;
  }
  CliAnswers answers;
  answers.question =
      invocation.options.contains(QStringLiteral("--force")) ? Answer::Yes : Answer::No;
  answers.payrollSetUp = {invocation.options.contains(QStringLiteral("--box20")),
                          invocation.options.contains(QStringLiteral("--box44")),
                          invocation.options.value(QStringLiteral("--regn"))};
  StreamUi ui(io.err, std::move(answers));

  auto configFile = platform::SharedFile::open(configPath, platform::OpenMode::ReadOnly);
  if (!configFile) {
    ui.showMessage(configFile.error().message);
    return ExitUsage;
  }
  ConfigRecord config;
  if (configFile->readAt(0, config.bytes()) != ConfigRecord::Size) {
    ShowFileError(QStringLiteral("read config from"), configPath, ui);
    return ExitUsage;
  }

  OpenT4FileState state;
  state.setT4FileName(invocation.positionals.at(1));
  const ConversionOutcome outcome =
      ConvertYearEndFile(state, ui, clock, invocation.positionals.at(0), config);
  return outcome == ConversionOutcome::Completed ? ExitOk : ExitReported;
}

}  // namespace quillet::cli
