// Quillet tests — a Ui whose answers are scripted and whose messages are recorded.
#include "scripted_ui.h"

namespace quillet::test {

using Screen = std::function<void(OpenT4FileState&)>;

ScriptedUi::~ScriptedUi() {
  std::size_t unused = 0;
  for (const auto& [what, answers] : m_scripted) unused += answers.size();
  if (unused != 0)
    reportTestFailure(QStringLiteral("%1 scripted answer(s) were never asked for").arg(unused));
}

template <class T>
std::optional<T> ScriptedUi::next(const char* what) {
  std::deque<std::any>& queue = m_scripted[what];
  if (queue.empty()) {
    reportTestFailure(QStringLiteral("unexpected %1").arg(QLatin1String(what)));
    return std::nullopt;
  }
  T front = std::any_cast<T>(std::move(queue.front()));
  queue.pop_front();
  return front;
}

QString ScriptedUi::chooseFileToOpen(const FileDialogRequest& request) {
  m_fileDialogs << request;
  m_transcript << QStringLiteral("open dialog: ") + request.title;
  return next<QString>("file dialog").value_or(QString());
}

QString ScriptedUi::chooseFileToSave(const FileDialogRequest& request) {
  m_fileDialogs << request;
  m_transcript << QStringLiteral("save dialog: %1 (%2)").arg(request.title, request.proposedName);
  return next<QString>("file dialog").value_or(QString());
}

QString ScriptedUi::chooseFolder(const QString& title) {
  m_fileDialogs << FileDialogRequest{title, {}, {}, true, {}};
  return next<QString>("file dialog").value_or(QString());
}

void ScriptedUi::editEmployerRecord(OpenT4FileState& state) {
  if (const auto script = next<Screen>("employer screen")) (*script)(state);
}

void ScriptedUi::editT4Records(OpenT4FileState& state) {
  if (const auto script = next<Screen>("T4 entry screen")) (*script)(state);
}

void ScriptedUi::showEmployeeIndex(OpenT4FileState& state) {
  if (const auto script = next<Screen>("employee index")) (*script)(state);
}

ViewerResult ScriptedUi::showReport(const ViewerReport& report, ViewerButtons) {
  m_reports << report;
  m_transcript << QStringLiteral("report [%1]:").arg(report.caption);
  for (const QString& line : report.lines) m_transcript << QStringLiteral("  | ") + line;
  return next<ViewerResult>("report viewer").value_or(ViewerResult::Closed);
}

bool ScriptedUi::editT4PrintSetUp(T4PrintSetUp& setUp) {
  return scripted("T4 print set-up dialog", setUp);
}
bool ScriptedUi::editSummarySetUp(SummarySetUp& setUp) {
  return scripted("T4 Summary set-up dialog", setUp);
}
bool ScriptedUi::editPlainPaperSetUp(PlainPaperSetUp& setUp) {
  return scripted("plain paper set-up dialog", setUp);
}
bool ScriptedUi::editTransmitter(Transmitter& transmitter) {
  return scripted("transmitter dialog", transmitter);
}
bool ScriptedUi::editXmlExport(XmlExportChoices& choices) {
  return scripted("Internet filing dialog", choices);
}

std::optional<int> ScriptedUi::chooseLabelStyle() {
  return next<std::optional<int>>("label style dialog").value_or(std::nullopt);
}

Answer ScriptedUi::ask(const QString& text, QuestionKind kind, const QString& caption,
                       QuestionIcon icon) {
  m_questions << text;
  if (m_scripted["question"].empty()) {
    reportTestFailure(QStringLiteral("unexpected question: ") + text);
    return kind == QuestionKind::YesNoCancel ? Answer::Cancel : Answer::No;
  }
  const Answer answer = *next<Answer>("question");
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
