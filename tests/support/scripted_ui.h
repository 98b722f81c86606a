// Quillet tests — a Ui whose answers are scripted and whose messages are recorded.
#pragma once

#include <QStringList>
#include <deque>

#include "app/ui.h"

namespace quillet::test {

// Fails the running test (GoogleTest or Qt Test, whichever the test links).
void reportTestFailure(const QString& what);

class ScriptedUi final : public Ui {
 public:
  ScriptedUi() = default;
  ScriptedUi(const ScriptedUi&) = delete;
  ScriptedUi& operator=(const ScriptedUi&) = delete;
  // An answer left unused fails the test.
  ~ScriptedUi() override;

  // Queues the answer to the next question; a question with none queued fails the test.
  void expectQuestion(Answer answer) { m_answers.push_back(answer); }

  const QStringList& messages() const { return m_messages; }
  const QStringList& questions() const { return m_questions; }

  void showMessage(const QString& text) override { m_messages << text; }
  Answer ask(const QString& text, QuestionKind kind) override;

 private:
  std::deque<Answer> m_answers;
  QStringList m_messages;
  QStringList m_questions;
};

}  // namespace quillet::test
