// Quillet — quillet-cli csv-export, csv-import and next-year.
#include <QFileInfo>

#include "cli/commands.h"
#include "cli/stream_ui.h"
#include "data/open_t4_file.h"
#include "platform/shared_file.h"
#include "transfer/next_year.h"
#include "transfer/t4_csv.h"

namespace quillet::cli {

int runCsvExport(const Invocation& invocation, const Clock&, Io io) {
  const auto state = openForInspection(invocation.positionals.at(0), io);
  if (!state) return ExitUsage;
  if (const QString failure = writeT4CsvFile(*state, invocation.positionals.at(1));
      !failure.isEmpty()) {
    io.err << failure << Qt::endl;
    return ExitUsage;
  }
  return ExitOk;
}

int runCsvImport(const Invocation& invocation, const Clock&, Io io) {
  const QString in = invocation.positionals.at(1);
  const auto opened = openForChange(invocation.positionals.at(0), io);
  if (!opened) return ExitUsage;
  OpenT4FileState& state = *opened;
  const auto csv = platform::readWholeFile(in);
  if (!csv) {
    io.err << csv.error().message << Qt::endl;
    return ExitUsage;
  }
  const CsvImportPlan plan = planT4CsvImport(state, *csv);
  if (!plan.error.isEmpty()) {
    io.err << plan.error << Qt::endl;
    return ExitUsage;
  }
  for (const QString& line : importReport(plan, in).lines) io.out << line << Qt::endl;
  if (plan.count(CsvRow::Kind::Refused) > 0) return ExitReported;
  if (invocation.options.contains(QStringLiteral("--dry-run")) || !plan.changes()) return ExitOk;
  if (const FileStatus written = applyT4CsvImport(state, plan); !written) {
    io.err << written.message() << Qt::endl;
    return ExitUsage;
  }
  for (const QString& line : checksOfImported(state, plan)) io.out << line << Qt::endl;
  return ExitOk;
}

int runNextYear(const Invocation& invocation, const Clock&, Io io) {
  const auto state = openForInspection(invocation.positionals.at(0), io);
  if (!state) return ExitUsage;
  const QString out = invocation.positionals.at(1);
  const QFileInfo target(out);
  if (target.exists()) {
    // The batch tool answers no: an existing file is never replaced.
    StreamUi ui(io.err);
    if (ui.ask(out + QStringLiteral("\nThis file exists already. Replace it?"),
               QuestionKind::YesNo) != Answer::Yes)
      return ExitReported;
  }
  FileResult<NextYear> made = writeNextYearFile(*state, out);
  if (!made) {
    io.err << made.error().message << Qt::endl;
    return ExitUsage;
  }
  io.out << "Tax year " << made->year << ", " << made->employees << " employees, written to " << out
         << Qt::endl;
  return ExitOk;
}

}  // namespace quillet::cli
