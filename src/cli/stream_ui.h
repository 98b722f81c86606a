// Quillet — the batch tool's Ui: messages to standard error, answers from flags.
#pragma once

#include <QTextStream>

#include "app/ui.h"

namespace quillet::cli {

class StreamUi final : public Ui {
 public:
  // Every question is answered with `answer` (the command's flags decide it).
  explicit StreamUi(QTextStream& err, Answer answer = Answer::No) : m_err(err), m_answer(answer) {}

  void showMessage(const QString& text) override { m_err << text << Qt::endl; }
  Answer ask(const QString& text, QuestionKind) override {
    m_err << text << Qt::endl;
    return m_answer;
  }

 private:
  QTextStream& m_err;
  Answer m_answer;
};

}  // namespace quillet::cli
