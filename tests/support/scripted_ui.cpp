// Quillet tests — a Ui whose answers are scripted and whose messages are recorded.
#include "scripted_ui.h"

namespace quillet::test {

ScriptedUi::~ScriptedUi() {
  std::size_t unused = 0;
  for (const auto& [what, answers] : m_scripted) unused += answers.size();
  if (unused != 0)
    reportTestFailure(QStringLiteral("%1 scripted answer(s) were never asked for").arg(unused));
  if (m_progressUp || (!m_busy.isEmpty() && m_busy.last() != u'-'))
    reportTestFailure(QStringLiteral("a progress window or busy box was left up"));
}

QString ScriptedUi::chooseFileToOpen(const FileDialogRequest& request) {
  m_fileDialogs << request;
  m_transcript << QStringLiteral("open dialog: %1%2%3")
                      .arg(request.title, request.folder.isEmpty() ? "" : " in " + request.folder,
                           request.allowNew ? " (a new name allowed)" : "");
  return next<QString>("file dialog").value_or(QString());
}

QString ScriptedUi::chooseFileToSave(const FileDialogRequest& request) {
  m_fileDialogs << request;
  m_transcript << QStringLiteral("save dialog: %1 (%2)%3")
                      .arg(request.title, request.proposedName,
                           request.folder.isEmpty() ? "" : " in " + request.folder);
  return next<QString>("file dialog").value_or(QString());
}

QString ScriptedUi::chooseFolder(const QString& title) {
  m_fileDialogs << FileDialogRequest{title, {}, {}, true, {}};
  return next<QString>("file dialog").value_or(QString());
}

ViewerResult ScriptedUi::showReport(const ViewerReport& report, ViewerButtons) {
  if (m_progressUp) reportTestFailure(QStringLiteral("a report over a progress window left up"));
  m_reports << report;
  m_transcript << QStringLiteral("report [%1]:").arg(report.caption);
  for (const QString& line : report.lines) m_transcript << QStringLiteral("  | ") + line;
  return next<ViewerResult>("report viewer").value_or(ViewerResult::Closed);
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
