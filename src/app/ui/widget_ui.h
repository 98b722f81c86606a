// Quillet — the desktop program's Ui: message boxes titled "Quillet".
#pragma once

#include "app/ui.h"

class QWidget;

namespace quillet {

class WidgetUi final : public Ui {
 public:
  // Boxes are centred on `owner`, or on the screen while there is none.
  explicit WidgetUi(QWidget* owner = nullptr) : m_owner(owner) {}
  void setOwner(QWidget* owner) { m_owner = owner; }

  void showMessage(const QString& text) override;
  Answer ask(const QString& text, QuestionKind kind) override;

 private:
  QWidget* m_owner;
};

}  // namespace quillet
