// Quillet — a parsed command line of the batch tool.
#include "cli/invocation.h"

#include <QFileInfo>

#include "cli/stream_ui.h"
#include "data/file_safety.h"
#include "data/report_preconditions.h"
#include "platform/file_names.h"
#include "platform/shared_file.h"

namespace quillet::cli {
namespace {

// Every option of every command, and whether it takes a value.
const QHash<QString, bool>& knownOptions() {
  static const QHash<QString, bool> options = {
      {QStringLiteral("--now"), true},          {QStringLiteral("--pdf"), true},
      {QStringLiteral("--trace"), true},        {QStringLiteral("--dpi"), true},
      {QStringLiteral("--offset"), true},       {QStringLiteral("--font"), true},
      {QStringLiteral("--type"), true},         {QStringLiteral("--copy"), true},
      {QStringLiteral("--top"), true},          {QStringLiteral("--left"), true},
      {QStringLiteral("--lineup"), false},      {QStringLiteral("--remittances"), true},
      {QStringLiteral("--youth-hires"), false}, {QStringLiteral("--print-employer"), false},
      {QStringLiteral("--style"), true},        {QStringLiteral("--config"), true},
      {QStringLiteral("--box20"), false},       {QStringLiteral("--box44"), false},
      {QStringLiteral("--regn"), true},         {QStringLiteral("--force"), false},
      {QStringLiteral("--dry-run"), false},     {QStringLiteral("--transmitter"), true},
      {QStringLiteral("--ref"), true},          {QStringLiteral("--amended"), false},
      {QStringLiteral("--note"), true},         {QStringLiteral("--schema"), true},
      {QStringLiteral("--replace"), false},     {QStringLiteral("--return"), true},
      {QStringLiteral("--slips"), true},
  };
  return options;
}

}  // namespace

std::optional<Invocation> parseInvocation(const QStringList& args, QString& error) {
  Invocation invocation;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args.at(i);
    if (!arg.startsWith(QStringLiteral("--"))) {
      if (invocation.command.isEmpty()) {
        invocation.command = arg;
      } else {
        invocation.positionals << arg;
      }
      continue;
    }
    const auto known = knownOptions().constFind(arg);
    if (known == knownOptions().constEnd()) {
      error = QStringLiteral("unknown option %1").arg(arg);
      return std::nullopt;
    }
    if (!known.value()) {
      invocation.options.insert(arg, QString());
    } else if (i + 1 < args.size()) {
      invocation.options.insert(arg, args.at(++i));
    } else {
      error = QStringLiteral("option %1 needs a value").arg(arg);
      return std::nullopt;
    }
  }
  if (invocation.command.isEmpty()) error = QStringLiteral("no command given");
  if (invocation.command.isEmpty()) return std::nullopt;
  return invocation;
}

std::unique_ptr<Clock> makeClock(const Invocation& invocation, QString& error) {
  const auto now = invocation.options.constFind(QStringLiteral("--now"));
  if (now == invocation.options.constEnd()) return std::make_unique<SystemClock>();
  const QDateTime when = QDateTime::fromString(now.value(), QStringLiteral("yyyy-MM-dd HH:mm"));
  if (!when.isValid()) {
    error = QStringLiteral("--now takes \"YYYY-MM-DD HH:MM\", not \"%1\"").arg(now.value());
    return nullptr;
  }
  return std::make_unique<FixedClock>(when);
}

namespace {

std::unique_ptr<OpenT4FileState> openT4(const QString& path, T4Access access, Io io,
                                        std::optional<SlipKind> only) {
  auto state = std::make_unique<OpenT4FileState>();
  state->setT4FileName(path);
  if (const FileStatus opened = state->OpenT4File(access); !opened) {
    io.err << opened.message() << Qt::endl;
    return nullptr;
  }
  StreamUi ui(io.err);
  if (only && !holdsSlipsOf(*state, *only, ui)) return nullptr;
  return state;
}

}  // namespace

std::unique_ptr<OpenT4FileState> openForInspection(const QString& path, Io io,
                                                   std::optional<SlipKind> only) {
  return openT4(path, T4Access::Inspect, io, only);
}

std::unique_ptr<OpenT4FileState> openForChange(const QString& path, Io io,
                                               std::optional<SlipKind> only) {
  if (!QFileInfo(path).isFile()) {
    io.err << platform::cannotOpenMessage(path) << Qt::endl;
    return nullptr;
  }
  return openT4(path, T4Access::Edit, io, only);
}

std::optional<ConfigRecord> readConfig(const Invocation& invocation, Ui& ui, Io io) {
  const QString path = invocation.options.value(QStringLiteral("--config"));
  if (path.isEmpty()) {
    io.err << "quillet-cli: " << invocation.command << " needs --config FILE.CNF" << Qt::endl;
    return std::nullopt;
  }
  auto file = platform::SharedFile::open(path, platform::OpenMode::ReadOnly);
  if (!file) {
    ui.showMessage(file.error().message);
    return std::nullopt;
  }
  ConfigRecord config;
  if (file->readAt(0, config.bytes()) != ConfigRecord::Size) {
    ShowFileError(QStringLiteral("read config from"), path, ui);
    return std::nullopt;
  }
  return config;
}

}  // namespace quillet::cli
