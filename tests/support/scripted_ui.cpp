// Quillet tests — a Ui whose answers are scripted and whose messages are recorded.
#include "scripted_ui.h"

namespace quillet::test {

ScriptedUi::~ScriptedUi() {
  if (!m_answers.empty()) {
    reportTestFailure(
        QStringLiteral("%1 scripted answer(s) were never asked for").arg(m_answers.size()));
  }
}

Answer ScriptedUi::ask(const QString& text, QuestionKind kind) {
  m_questions << text;
  if (m_answers.empty()) {
    reportTestFailure(QStringLiteral("unexpected question: ") + text);
    return kind == QuestionKind::YesNoCancel ? Answer::Cancel : Answer::No;
  }
  const Answer answer = m_answers.front();
  m_answers.pop_front();
  return answer;
}

std::unique_ptr<PrintSurface> ScriptedUi::startPrintJob(const QString& documentTitle) {
  if (m_cancelNext) {
    m_cancelNext = false;
    return nullptr;
  }
  return std::make_unique<TraceSurface>(m_trace, [this, documentTitle](const QStringList& lines) {
    m_jobs << (QStringList{documentTitle} + lines);
  });
}

}  // namespace quillet::test
