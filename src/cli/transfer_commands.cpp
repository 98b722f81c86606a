// Quillet — quillet-cli csv-export, csv-import and next-year.
#include <QFileInfo>

#include "cli/commands.h"
#include "cli/stream_ui.h"
#include "data/file_safety.h"
#include "data/new_slip_file.h"
#include "data/open_t4_file.h"
#include "platform/shared_file.h"
#include "transfer/next_year.h"
#include "transfer/t4_csv.h"

namespace quillet::cli {

int runCsvExport(const Invocation& invocation, const Clock&, Io io) {
  const auto state = openForInspection(invocation.positionals.at(0), io, std::nullopt);
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
  const auto opened = openForChange(invocation.positionals.at(0), io, std::nullopt);
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
  for (const QString& line : importReport(plan, in, state.slipKind()).lines)
    io.out << line << Qt::endl;
  if (plan.count(CsvRow::Kind::Refused) > 0) return ExitReported;
  if (invocation.options.contains(QStringLiteral("--dry-run")) || !plan.changes()) return ExitOk;
  if (const FileStatus written = applyT4CsvImport(state, plan); !written) {
    io.err << written.message() << Qt::endl;
    return ExitUsage;
  }
  for (const QString& line : checksOfImported(state, plan)) io.out << line << Qt::endl;
  return ExitOk;
}

namespace {

// The question before an existing file is replaced, which the batch tool answers no.
bool existsAlready(const QString& out, Io io) {
  if (!QFileInfo::exists(out)) return false;
  StreamUi ui(io.err);
  return ui.ask(out + QStringLiteral("\nThis file exists already. Replace it?"),
                QuestionKind::YesNo) != Answer::Yes;
}

}  // namespace

int runNextYear(const Invocation& invocation, const Clock&, Io io) {
  const auto state = openForInspection(invocation.positionals.at(0), io, std::nullopt);
  if (!state) return ExitUsage;
  const QString out = invocation.positionals.at(1);
  if (existsAlready(out, io)) return ExitReported;
  FileResult<NextYear> made = writeNextYearFile(*state, out);
  if (!made) {
    io.err << made.error().message << Qt::endl;
    return ExitUsage;
  }
  io.out << "Tax year " << made->year << ", " << made->slips << ' '
         << slipHolders(state->slipKind()) << ", written to " << out << Qt::endl;
  return ExitOk;
}

int runNewT4A(const Invocation& invocation, const Clock&, Io io) {
  const auto state = openForInspection(invocation.positionals.at(0), io);
  if (!state) return ExitUsage;
  const QString out = invocation.positionals.at(1);
  if (existsAlready(out, io)) return ExitReported;
  const auto failed = [&io](const QString& message) {
    io.err << message << Qt::endl;
    return ExitUsage;
  };
  EmployerRecord payer;
  if (!readEmployerRecord(*state, payer))
    return failed(fileErrorMessage(QStringLiteral("read"), state->T4FileName()));
  if (const FileStatus written = writeEmptySlipFile(out, payer, SlipKind::T4A); !written)
    return failed(written.message());
  io.out << "Tax year " << payer.u16(EmployerRecord::S_Taxation_year) << ", T4A file of "
         << payer.text(EmployerRecord::S_Employer_name_line_1) << ", written to " << out
         << Qt::endl;
  return ExitOk;
}

}  // namespace quillet::cli
