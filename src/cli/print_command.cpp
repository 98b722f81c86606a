// Quillet — quillet-cli print: a printed output onto a PDF file or the trace printer.
#include <QFile>
#include <QFont>

#include "app/report_preconditions.h"
#include "cli/commands.h"
#include "cli/stream_ui.h"
#include "reports/error_report.h"
#include "reports/painter_surface.h"
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
  bool failed() const { return m_failed; }

 private:
  QString m_pdf;
  QString m_trace;
  TraceSettings m_settings;
  QFont m_font;
  bool m_failed = false;
};

bool PrintTarget::parse(const Invocation& invocation, QString& error) {
  const auto& o = invocation.options;
  m_pdf = o.value(QStringLiteral("--pdf"));
  m_trace = o.value(QStringLiteral("--trace"));
  if (m_pdf.isEmpty() == m_trace.isEmpty()) {
    error = QStringLiteral("print needs one of --pdf OUT.pdf and --trace OUT.txt");
    return false;
  }
  bool ok = true;
  if (o.contains(QStringLiteral("--dpi"))) {
    m_settings.dpi = o.value(QStringLiteral("--dpi")).toInt(&ok);
    if (!ok || m_settings.dpi < 10 || m_settings.dpi > 4800) {
      error = QStringLiteral("--dpi takes a whole number from 10 to 4800");
      return false;
    }
  }
  if (o.contains(QStringLiteral("--offset"))) {
    const QStringList xy = o.value(QStringLiteral("--offset")).split(u',');
    bool okY = false;
    m_settings.offsetX = xy.value(0).toInt(&ok);
    m_settings.offsetY = xy.value(1).toInt(&okY);
    if (xy.size() != 2 || !ok || !okY || m_settings.offsetX < 0 || m_settings.offsetY < 0) {
      error = QStringLiteral("--offset takes X,Y in device units");
      return false;
    }
  }
  const QStringList font = o.value(QStringLiteral("--font"), DefaultPdfFont).split(u',');
  const int points = font.value(1).toInt(&ok);
  if (font.size() != 2 || font.at(0).trimmed().isEmpty() || !ok || points <= 0) {
    error = QStringLiteral("--font takes \"Family,points\"");
    return false;
  }
  m_font = QFont(font.at(0).trimmed(), points);
  return true;
}

std::function<std::unique_ptr<PrintSurface>(const QString&)> PrintTarget::printer(Io io) {
  return [this, io](const QString& documentTitle) -> std::unique_ptr<PrintSurface> {
    if (!m_pdf.isEmpty()) {
      auto surface = makePdfSurface(m_pdf, documentTitle, m_font);
      if (!surface) {
        io.err << QStringLiteral("Cannot create file %1").arg(m_pdf) << Qt::endl;
        m_failed = true;
      }
      return surface;
    }
    return std::make_unique<TraceSurface>(m_settings, [this, io](const QStringList& lines) {
      QFile file(m_trace);
      const QByteArray text = (lines.join(u'\n') + u'\n').toUtf8();
      if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
          file.write(text) != text.size()) {
        io.err << QStringLiteral("Cannot create file %1").arg(m_trace) << Qt::endl;
        m_failed = true;
      }
    });
  };
}

int exitStatus(PrintOutcome outcome) {
  return outcome == PrintOutcome::Printed ? ExitOk : ExitReported;
}

}  // namespace

int runPrint(const Invocation& invocation, const Clock& clock, Io io) {
  const QString kind = invocation.positionals.at(0);
  QString problem;
  PrintTarget target;
  if (!target.parse(invocation, problem)) {
    io.err << "quillet-cli: " << problem << Qt::endl;
    return ExitUsage;
  }
  if (kind != QLatin1String("errors")) {
    io.err << "quillet-cli: unknown print kind " << kind << Qt::endl;
    return ExitUsage;
  }

  const auto state = openForInspection(invocation.positionals.at(1), io);
  if (!state) return ExitUsage;
  StreamUi ui(io.err, {Answer::No, target.printer(io), {}, {}, {}});
  if (!checkReportPreconditions(*state, ui)) return ExitReported;
  const PrintOutcome outcome = printErrorReport(*state, ui, clock);
  if (target.failed()) return ExitUsage;
  return exitStatus(outcome);
}

}  // namespace quillet::cli
