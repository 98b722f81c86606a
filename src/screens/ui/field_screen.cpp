// Quillet — what the entry screens share: fields checked as they are left, key filters.
#include "screens/ui/field_screen.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

#include "core/key_filters.h"
#include "core/ui.h"
#include "reports/ui/dialog_parts.h"

namespace quillet {
namespace {

// The text shown by the screen is kept with the list: a list holding another one was
// changed by the user.
constexpr char ShownText[] = "shownText";

}  // namespace

FieldScreen::FieldScreen(Ui& ui, QWidget* owner) : QDialog(owner), m_ui(ui) {
  useBoldInterfaceFont(this);
}

void FieldScreen::watch(QWidget* control, int tag, Keys keys) {
  control->setProperty("Tag", tag);
  control->installEventFilter(this);  // a list's line edit hands the focus to the list
  m_watched[control] = {tag, keys};
}

bool FieldScreen::eventFilter(QObject* watched, QEvent* event) {
  const auto found = m_watched.find(watched);
  if (found == m_watched.end()) return QDialog::eventFilter(watched, event);
  const Watched& field = found->second;

  // The wheel over a list that the user is not in scrolls nothing into it: it scrolls the
  // form the list is on.
  if (event->type() == QEvent::Wheel && qobject_cast<QComboBox*>(watched) &&
      !static_cast<QWidget*>(watched)->hasFocus()) {
    for (QWidget* w = static_cast<QWidget*>(watched)->parentWidget(); w; w = w->parentWidget()) {
      if (auto* form = qobject_cast<QAbstractScrollArea*>(w)) {
        QCoreApplication::sendEvent(form->verticalScrollBar(), event);
        break;
      }
    }
    return true;
  }
  if (event->type() == QEvent::KeyPress && field.keys != Keys::Any) {
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    if (!typed.isEmpty()) {
      const QString text = static_cast<QLineEdit*>(watched)->text();
      const KeyVerdict verdict = field.keys == Keys::Digits ? KeyEditNumOnly(text, typed.at(0))
                                                            : KeyEditDecPoint(text, typed.at(0));
      if (!verdict.accepted) {
        m_ui.showMessage(verdict.message);
        return true;  // the character is discarded
      }
    }
  } else if (event->type() == QEvent::FocusOut) {
    // Another window taking the focus (a message box, a menu) is no leaving of the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      m_pendingTag = field.tag;
      QTimer::singleShot(0, this, [this] { validatePending(); });
    }
  }
  return QDialog::eventFilter(watched, event);
}

void FieldScreen::fitToText(QLineEdit* edit, int characters) {
  const QFontMetrics metrics(edit->font());
  // The frame and the text margins of the platform's style come on top of the text.
  edit->setMinimumWidth(metrics.averageCharWidth() * characters + metrics.height());
}

QComboBox* FieldScreen::newList(const QStringList& items) {
  auto* list = new QComboBox(this);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setFocusPolicy(Qt::StrongFocus);
  list->addItems(items);
  return list;
}

void FieldScreen::showListText(QComboBox* list, const QString& text) {
  list->setCurrentIndex(list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
  list->setEditText(text);
  list->setProperty(ShownText, text);
}

bool FieldScreen::validatePending() {
  const int tag = std::exchange(m_pendingTag, 0);
  return tag == 0 || !isVisible() || leave(tag);
}

QWidget* FieldScreen::focusedField() const {
  QWidget* focused = focusWidget();
  if (!focused) return nullptr;
  if (m_watched.count(focused)) return focused;
  // A list's line edit stands for the list.
  QWidget* owner = focused->parentWidget();
  return owner && m_watched.count(owner) ? owner : nullptr;
}

bool FieldScreen::settleFields() {
  if (!validatePending()) return false;
  QWidget* field = focusedField();
  return !field || leave(m_watched.at(field).tag);
}

bool FieldScreen::settleFieldsBeforeClosing() {
  keepRecord();
  bool accepted = validatePending();
  if (accepted) {
    QWidget* field = focusedField();
    const auto* edit = qobject_cast<QLineEdit*>(field);
    const auto* list = qobject_cast<QComboBox*>(field);
    if ((edit && edit->isModified()) ||
        (list && list->currentText() != list->property(ShownText).toString())) {
      keepRecord();  // the entry left before stands
      accepted = leave(m_watched.at(field).tag);
    }
  }
  if (accepted) return true;
  if (m_ui.ask(QStringLiteral("The entry in the field you were in was not accepted. Click "
                              "Yes to close without it, or No to go back to the field."),
               QuestionKind::YesNo) != Answer::Yes)
    return false;
  dropEntry();
  return true;
}

void FieldScreen::showOutcome(QWidget* control, const FieldOutcome& outcome, QWidget* country) {
  auto* edit = qobject_cast<QLineEdit*>(control);
  auto* combo = qobject_cast<QComboBox*>(control);
  if (outcome.newText) {
    // Only a different text counts as the screen's own; the same one keeps the mark.
    if (edit && *outcome.newText != edit->text()) edit->setText(*outcome.newText);
    if (combo && *outcome.newText != combo->currentText()) showListText(combo, *outcome.newText);
  }
  if (outcome.country && country) showListText(static_cast<QComboBox*>(country), *outcome.country);
  if (edit && outcome.markUnchanged) edit->setModified(false);
  if (edit && outcome.markModified) edit->setModified(true);
  if (outcome.focusBack) control->setFocus(Qt::OtherFocusReason);
}

}  // namespace quillet
