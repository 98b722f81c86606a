// Quillet tests — a Ui whose answers are scripted and whose messages are recorded.
#include "scripted_ui.h"

namespace quillet::test {

ScriptedUi::~ScriptedUi() {
  const std::size_t unused = m_answers.size() + m_t4SetUps.size() + m_summarySetUps.size() +
                             m_transmitters.size() + m_xmlExports.size() + m_labelStyles.size() +
                             m_reportResults.size() + m_files.size() + m_employerScreens.size() +
                             m_entryScreens.size() + m_indexes.size();
  if (unused != 0)
    reportTestFailure(QStringLiteral("%1 scripted answer(s) were never asked for").arg(unused));
}

namespace {

// The next scripted answer, or nothing (and a failed test) when none is left.
template <class T>
std::optional<T> next(std::deque<T>& queue, const char* what) {
  if (queue.empty()) {
    reportTestFailure(QStringLiteral("unexpected %1").arg(QLatin1String(what)));
    return std::nullopt;
  }
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

}  // namespace

QString ScriptedUi::chooseFileToOpen(const FileDialogRequest& request) {
  m_fileDialogs << request;
  m_transcript << QStringLiteral("open dialog: ") + request.title;
  return next(m_files, "open dialog").value_or(QString());
}

QString ScriptedUi::chooseFileToSave(const FileDialogRequest& request) {
  m_fileDialogs << request;
  m_transcript << QStringLiteral("save dialog: %1 (%2)").arg(request.title, request.proposedName);
  return next(m_files, "save dialog").value_or(QString());
}

QString ScriptedUi::chooseFolder(const QString& title) {
  m_fileDialogs << FileDialogRequest{title, {}, {}, true, {}};
  return next(m_files, "folder dialog").value_or(QString());
}

void ScriptedUi::editEmployerRecord(OpenT4FileState& state) {
  if (const auto script = next(m_employerScreens, "employer screen")) (*script)(state);
}

void ScriptedUi::editT4Records(OpenT4FileState& state) {
  if (const auto script = next(m_entryScreens, "T4 entry screen")) (*script)(state);
}

void ScriptedUi::showEmployeeIndex(OpenT4FileState& state) {
  if (const auto script = next(m_indexes, "employee index")) (*script)(state);
}

ViewerResult ScriptedUi::showReport(const ViewerReport& report, ViewerButtons) {
  m_reports << report;
  m_transcript << QStringLiteral("report [%1]:").arg(report.caption);
  for (const QString& line : report.lines) m_transcript << QStringLiteral("  | ") + line;
  return next(m_reportResults, "report viewer").value_or(ViewerResult::Closed);
}

bool ScriptedUi::editT4PrintSetUp(T4PrintSetUp& setUp) {
  const auto script = next(m_t4SetUps, "T4 print set-up dialog");
  return script && (*script)(setUp);
}

bool ScriptedUi::editSummarySetUp(SummarySetUp& setUp) {
  const auto script = next(m_summarySetUps, "T4 Summary set-up dialog");
  return script && (*script)(setUp);
}

bool ScriptedUi::editPlainPaperSetUp(PlainPaperSetUp& setUp) {
  const auto script = next(m_plainPaperSetUps, "plain paper set-up dialog");
  return script && (*script)(setUp);
}

bool ScriptedUi::editTransmitter(Transmitter& transmitter) {
  const auto script = next(m_transmitters, "transmitter dialog");
  return script && (*script)(transmitter);
}

bool ScriptedUi::editXmlExport(XmlExportChoices& choices) {
  const auto script = next(m_xmlExports, "Internet filing dialog");
  return script && (*script)(choices);
}

std::optional<int> ScriptedUi::chooseLabelStyle() {
  return next(m_labelStyles, "label style dialog").value_or(std::nullopt);
}

Answer ScriptedUi::ask(const QString& text, QuestionKind kind, const QString& caption,
                       QuestionIcon icon) {
  m_questions << text;
  if (m_answers.empty()) {
    reportTestFailure(QStringLiteral("unexpected question: ") + text);
    return kind == QuestionKind::YesNoCancel ? Answer::Cancel : Answer::No;
  }
  const Answer answer = m_answers.front();
  m_answers.pop_front();
  static const char* const names[] = {"Yes", "No", "Cancel"};
  m_transcript << QStringLiteral("question [%1] %2: %3 -> %4")
                      .arg(caption)
                      .arg(int(icon))
                      .arg(text, QLatin1String(names[int(answer)]));
  return answer;
}

std::unique_ptr<PrintSurface> ScriptedUi::traceInto(QList<QStringList>& jobs,
                                                    const QString& title) {
  if (m_cancelNext) {
    m_cancelNext = false;
    return nullptr;
  }
  jobs << QStringList{title};
  const qsizetype job = jobs.size() - 1;
  return std::make_unique<TraceSurface>(m_trace,
                                        [&jobs, job](const QString& line) { jobs[job] << line; });
}

std::unique_ptr<PrintSurface> ScriptedUi::startPrintJob(const QString& documentTitle, FontChoice) {
  return traceInto(m_jobs, documentTitle);
}

std::unique_ptr<PrintSurface> ScriptedUi::startPreview(const QString& documentTitle, FontChoice) {
  return traceInto(m_previews, documentTitle);
}

}  // namespace quillet::test
