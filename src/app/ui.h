// Quillet — everything a command shows the user or asks of them.
#pragma once

#include <QString>

namespace quillet {

enum class Answer { Yes, No, Cancel };

enum class QuestionKind {
  YesNo,        // a confirmation with Yes and No
  YesNoCancel,  // Yes, No and Cancel
};

// The desktop program shows these in message boxes titled "Quillet"; the batch tool
// writes messages to standard error and answers from its flags; tests script them.
class Ui {
 public:
  virtual ~Ui() = default;

  // A plain message with an OK button.
  virtual void showMessage(const QString& text) = 0;
  virtual Answer ask(const QString& text, QuestionKind kind) = 0;
};

}  // namespace quillet
