// Quillet — the desktop program's Ui: message boxes titled "Quillet".
#include "app/ui/widget_ui.h"

#include <QMessageBox>

namespace quillet {
namespace {
const QString Title = QStringLiteral("Quillet");
}

void WidgetUi::showMessage(const QString& text) {
  QMessageBox::information(m_owner, Title, text, QMessageBox::Ok);
}

Answer WidgetUi::ask(const QString& text, QuestionKind kind) {
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (kind == QuestionKind::YesNoCancel) buttons |= QMessageBox::Cancel;
  switch (QMessageBox::question(m_owner, Title, text, buttons)) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

}  // namespace quillet
