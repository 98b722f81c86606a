// Quillet — quillet-cli print: a printed output onto a PDF file or the trace printer.
#include <QFileInfo>
#include <QFont>
#include <climits>
#include <memory>

#include "cli/commands.h"
#include "cli/stream_ui.h"
#include "data/report_preconditions.h"
#include "payroll_import/source_register.h"
#include "platform/replacing_device.h"
#include "platform/shared_file.h"
#include "reports/error_report.h"
#include "reports/mailing_labels.h"
#include "reports/painter_surface.h"
#include "reports/plain_slips.h"
#include "reports/plain_summary.h"
#include "reports/t4_forms.h"
#include "reports/t4_summary.h"
#include "reports/t4_totals.h"
#include "reports/t4a_totals.h"
#include "reports/trace_surface.h"

namespace quillet::cli {
namespace {

const QString DefaultPdfFont = QStringLiteral("DejaVu Sans Mono,10");

// Where the job goes, from --pdf or --trace with --dpi, --offset and --font.
class PrintTarget {
 public:
  // False, with `error` set, when the options do not name exactly one good target.
  bool parse(const Invocation& invocation, QString& error);
  std::function<std::unique_ptr<PrintSurface>(const QString&)> printer(Io io);
  // Closes the trace file; false when a file could not be made or written (and said so).
  bool finish(Io io);

 private:
  QString m_pdf;
  QString m_trace;
  TraceSettings m_settings;
  QFont m_font;
  std::unique_ptr<platform::ReplacingDevice> m_traceFile;
  bool m_failed = false;  // told already
  bool m_writeFailed = false;
};

bool PrintTarget::parse(const Invocation& invocation, QString& error) {
  const auto& o = invocation.options;
  m_pdf = o.value(QStringLiteral("--pdf"));
  m_trace = o.value(QStringLiteral("--trace"));
  if (m_pdf.isEmpty() == m_trace.isEmpty()) {
    error = QStringLiteral("print needs one of --pdf OUT.pdf and --trace OUT.txt");
    return false;
  }
  if (o.contains(QStringLiteral("--dpi"))) {
    m_settings.dpi = o.value(QStringLiteral("--dpi")).toInt();
    if (m_settings.dpi < 10 || m_settings.dpi > 4800) {
      error = QStringLiteral("--dpi takes a whole number from 10 to 4800");
      return false;
    }
  }
  if (o.contains(QStringLiteral("--offset"))) {
    const QStringList xy = o.value(QStringLiteral("--offset")).split(u',');
    bool okX, okY;
    m_settings.offsetX = xy.value(0).toInt(&okX);
    m_settings.offsetY = xy.value(1).toInt(&okY);
    if (xy.size() != 2 || !okX || !okY || m_settings.offsetX < 0 || m_settings.offsetY < 0) {
      error = QStringLiteral("--offset takes X,Y in device units");
      return false;
    }
  }
  const QStringList font = o.value(QStringLiteral("--font"), DefaultPdfFont).split(u',');
  const int points = font.value(1).toInt();
  if (font.size() != 2 || font.at(0).trimmed().isEmpty() || points <= 0) {
    error = QStringLiteral("--font takes \"Family,points\"");
    return false;
  }
  m_font = QFont(font.at(0).trimmed(), points);
  return true;
}

std::function<std::unique_ptr<PrintSurface>(const QString&)> PrintTarget::printer(Io io) {
  return [this, io](const QString& documentTitle) -> std::unique_ptr<PrintSurface> {
    if (!m_pdf.isEmpty()) {
      auto surface = makePdfSurface(m_pdf, documentTitle, m_font, 600,
                                    [this](bool written) { m_writeFailed |= !written; });
      if (!surface) {
        io.err << platform::cannotCreateMessage(m_pdf) << Qt::endl;
        m_failed = true;
      }
      return surface;
    }
    // The trace file comes into being with the first job and takes every line as it is
    // printed.
    if (!m_traceFile) {
      m_traceFile = platform::ReplacingDevice::begin(m_trace);
      if (!m_traceFile) {
        io.err << platform::cannotCreateMessage(m_trace) << Qt::endl;
        m_failed = true;
        return nullptr;
      }
    }
    return std::make_unique<TraceSurface>(
        m_settings, [this](const QString& line) { m_traceFile->write(line.toUtf8() + '\n'); });
  };
}

bool PrintTarget::finish(Io io) {
  // What was printed takes the place of the old file only when all of it was written.
  if (m_traceFile && !m_traceFile->commit()) m_writeFailed = true;
  if (m_writeFailed) {
    io.err << platform::cannotWriteMessage(m_pdf.isEmpty() ? m_trace : m_pdf) << Qt::endl;
  }
  return !m_failed && !m_writeFailed;
}

int exitStatus(PrintOutcome outcome) {
  return outcome == PrintOutcome::Printed ? ExitOk : ExitReported;
}

// An option's whole number, or `fallback` when it is not given; false when it is not a
// whole number within [minimum, maximum].
bool intOption(const Invocation& invocation, const char* name, int fallback, int minimum,
               int maximum, int& value, QString& error) {
  const QString key = QLatin1String(name);
  if (!invocation.options.contains(key)) {
    value = fallback;
    return true;
  }
  bool ok;
  value = invocation.options.value(key).toInt(&ok);
  if (ok && value >= minimum && value <= maximum) return true;
  error =
      QStringLiteral("%1 takes a whole number from %2 to %3").arg(key).arg(minimum).arg(maximum);
  return false;
}

bool has(const Invocation& invocation, const char* flag) {
  return invocation.options.contains(QLatin1String(flag));
}

// The options each kind takes besides the printer's.
const QHash<QString, QStringList>& kindOptions() {
  static const QHash<QString, QStringList> kinds = {
      {QStringLiteral("forms"), {"--type", "--top", "--left", "--lineup"}},
      {QStringLiteral("slips"), {"--copy", "--top"}},
      {QStringLiteral("summary"),
       {"--remittances", "--top", "--left", "--youth-hires", "--print-employer", "--lineup"}},
      {QStringLiteral("plain-summary"), {"--remittances", "--top", "--left"}},
      {QStringLiteral("labels"), {"--style"}},
      {QStringLiteral("errors"), {}},
      {QStringLiteral("totals"), {}},
      {QStringLiteral("register"), {"--config"}},
  };
  return kinds;
}

// The set-up dialog's answers: the flags once, then Cancel (after a line-up print the
// dialog comes back, and the batch tool stops there).
template <class SetUp>
std::function<bool(SetUp&)> answerOnce(std::function<void(SetUp&)> fill) {
  auto answered = std::make_shared<bool>(false);
  return [fill, answered](SetUp& setUp) {
    if (*answered) return false;
    *answered = true;
    fill(setUp);
    return true;
  };
}

}  // namespace

int runPrint(const Invocation& invocation, const Clock& clock, Io io) {
  const QString kind = invocation.positionals.at(0);
  QString problem;
  const auto usageError = [&io](const QString& text) {
    io.err << "quillet-cli: " << text << Qt::endl;
    return ExitUsage;
  };
  if (!kindOptions().contains(kind))
    return usageError(QStringLiteral("unknown print kind ") + kind);
  for (auto it = invocation.options.cbegin(); it != invocation.options.cend(); ++it) {
    static const QStringList printerOptions = {"--pdf",    "--trace", "--dpi",
                                               "--offset", "--font",  "--now"};
    if (!printerOptions.contains(it.key()) && !kindOptions().value(kind).contains(it.key())) {
      return usageError(QStringLiteral("print %1 does not take %2").arg(kind, it.key()));
    }
  }
  PrintTarget target;
  if (!target.parse(invocation, problem)) return usageError(problem);

  CliAnswers answers;
  answers.printer = target.printer(io);
  int top, left;  // set by the options of each kind that has them
  if (kind == QLatin1String("forms")) {
    int type;
    if (!intOption(invocation, "--type", RevenueCanadaCopies, 0, 3, type, problem) ||
        !intOption(invocation, "--top", 50, INT_MIN, INT_MAX, top, problem) ||
        !intOption(invocation, "--left", 25, INT_MIN, INT_MAX, left, problem)) {
      return usageError(problem);
    }
    const bool lineUp = has(invocation, "--lineup");
    answers.t4SetUp = answerOnce<T4PrintSetUp>([=](T4PrintSetUp& setUp) {
      setUp = T4PrintSetUp{top, left, lineUp, type}.clamped();
    });
  } else if (kind == QLatin1String("slips")) {
    static const QHash<QString, int> copies = {{QStringLiteral("employee"), EmployeeCopies},
                                               {QStringLiteral("employer"), CompanyCopies},
                                               {QStringLiteral("cra"), RevenueCanadaCopies}};
    const QString copy = invocation.options.value(QStringLiteral("--copy"), "employee");
    if (!copies.contains(copy))
      return usageError(QStringLiteral("--copy takes employee, employer or cra"));
    if (!intOption(invocation, "--top", 50, PlainPaperSetUp::MinMargin, PlainPaperSetUp::MaxMargin,
                   top, problem))
      return usageError(problem);
    answers.plainPaperSetUp = answerOnce<PlainPaperSetUp>([=](PlainPaperSetUp& setUp) {
      setUp.formType = copies.value(copy);
      setUp.top = top;
    });
  } else if (kind == QLatin1String("summary") || kind == QLatin1String("plain-summary")) {
    const bool plain = kind == QLatin1String("plain-summary");
    if (!intOption(invocation, "--top", 100, plain ? PlainPaperSetUp::MinMargin : INT_MIN,
                   plain ? PlainPaperSetUp::MaxMargin : INT_MAX, top, problem) ||
        !intOption(invocation, "--left", 100, plain ? PlainPaperSetUp::MinMargin : INT_MIN,
                   plain ? PlainPaperSetUp::MaxMargin : INT_MAX, left, problem)) {
      return usageError(problem);
    }
    const bool lineUp = has(invocation, "--lineup");
    const bool youthHires = has(invocation, "--youth-hires");
    const bool namePreprinted = !has(invocation, "--print-employer");
    std::optional<double> remittances;  // the incoming default: the total deductions
    if (has(invocation, "--remittances")) {
      // The dialog's own check; what it would not accept stops the command.
      StreamUi checker(io.err);
      const RemittanceCheck check =
          checkRemittances(invocation.options.value("--remittances"), checker);
      if (!check.accepted) return ExitUsage;
      remittances = check.remittances;
    }
    answers.summarySetUp = answerOnce<SummarySetUp>([=](SummarySetUp& setUp) {
      setUp.top = top;
      setUp.left = left;
      setUp.lineUp = lineUp;
      setUp.youthHires = youthHires;
      setUp.namePreprinted = namePreprinted;
      if (remittances) setUp.remittances = *remittances;
    });
    answers.plainPaperSetUp = answerOnce<PlainPaperSetUp>([=](PlainPaperSetUp& setUp) {
      setUp.top = top;
      setUp.left = left;
      if (remittances) setUp.remittances = *remittances;
    });
  } else if (kind == QLatin1String("labels")) {
    int style;
    if (!has(invocation, "--style"))
      return usageError(QStringLiteral("print labels needs --style 0-3"));
    if (!intOption(invocation, "--style", 0, 0, 3, style, problem)) return usageError(problem);
    answers.labelStyle = style;
  }

  if (kind == QLatin1String("register")) {
    StreamUi ui(io.err, std::move(answers));
    const std::optional<ConfigRecord> config = readConfig(invocation, ui, io);
    if (!config) return ExitUsage;
    const PrintOutcome outcome =
        PrintSourceRegister(ui, clock, invocation.positionals.at(1), *config);
    if (!target.finish(io)) return ExitUsage;
    // Nothing to cancel here: a register that did not start had a year-end file it could not open.
    return outcome == PrintOutcome::NotStarted ? ExitUsage : exitStatus(outcome);
  }

  // The pre-printed forms, the Summary on its form and the labels are the T4 file's; the
  // rest prints a T4A file's too.
  const bool eitherKind = QStringList{"errors", "slips", "plain-summary", "totals"}.contains(kind);
  const auto state = openForInspection(invocation.positionals.at(1), io,
                                       eitherKind ? std::nullopt : std::optional(SlipKind::T4));
  if (!state) return ExitUsage;
  StreamUi ui(io.err, std::move(answers));
  const bool t4a = state->slipKind() == SlipKind::T4A;
  if (!checkReportPreconditions(*state, ui, state->slipKind())) return ExitReported;

  PrintOutcome outcome = PrintOutcome::NotStarted;
  if (t4a && kind == QLatin1String("plain-summary")) {
    outcome = printPlainT4ASummary(totalT4AFile(*state, ui), ui, nullptr);
  } else if (t4a && kind == QLatin1String("totals")) {
    const T4ATotalsRun run = totalT4AFile(*state, ui);
    outcome = printViewerReport(t4aTotalsWorksheet(run, state->T4FileName()), ui, clock);
    if (outcome == PrintOutcome::Printed && run.stoppedEarly) outcome = PrintOutcome::StoppedEarly;
  } else if (kind == QLatin1String("errors")) {
    outcome = printErrorReport(*state, ui, clock);
  } else if (kind == QLatin1String("forms")) {
    outcome = printT4Forms(*state, ui, clock, nullptr);
  } else if (kind == QLatin1String("slips")) {
    outcome = printPlainSlips(*state, ui, nullptr);
  } else if (kind == QLatin1String("summary")) {
    outcome = printT4Summaries(totalT4File(*state, ui), ui, clock, nullptr);
  } else if (kind == QLatin1String("plain-summary")) {
    outcome = printPlainSummaries(totalT4File(*state, ui), ui, nullptr);
  } else if (kind == QLatin1String("labels")) {
    outcome = printMailingLabels(*state, ui, clock);
  } else {
    const TotalsRun run = totalT4File(*state, ui);
    outcome = printViewerReport(totalsWorksheet(run, state->T4FileName()), ui, clock);
    if (outcome == PrintOutcome::Printed && run.stoppedEarly) outcome = PrintOutcome::StoppedEarly;
  }
  if (!target.finish(io)) return ExitUsage;
  return exitStatus(outcome);
}

int runSlipsPdf(const Invocation& invocation, const Clock&, Io io) {
  const auto state = openForInspection(invocation.positionals.at(0), io, std::nullopt);
  if (!state) return ExitUsage;
  CliAnswers answers;
  if (invocation.options.contains(QStringLiteral("--replace"))) answers.question = Answer::Yes;
  StreamUi ui(io.err, std::move(answers));
  if (!checkReportPreconditions(*state, ui, state->slipKind())) return ExitReported;
  const QString folder = invocation.positionals.at(1);
  if (!QFileInfo(folder).isDir()) {
    io.err << QStringLiteral("%1 is not a folder").arg(folder) << Qt::endl;
    return ExitUsage;
  }
  const SlipPdfs done = writeSlipPdfs(*state, folder, ui);
  // A failure is an exit 2: what was written before it is told with the failure.
  (done.failed ? io.err : io.out) << slipPdfsWritten(done, folder, state->slipKind()) << Qt::endl;
  if (done.failed) return ExitUsage;
  return done.outcome == PrintOutcome::Printed                           ? ExitOk
         : done.written == 0 && done.outcome == PrintOutcome::NotStarted ? ExitUsage
                                                                         : ExitReported;
}

}  // namespace quillet::cli
