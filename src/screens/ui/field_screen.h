// Quillet — what the entry screens share: fields checked as they are left, key filters.
#pragma once

#include <QDialog>
#include <map>

#include "screens/field_outcome.h"

class QComboBox;
class QLineEdit;

namespace quillet {

class Ui;

class FieldScreen : public QDialog {
  Q_OBJECT

 public:
  enum class Keys { Any, Digits, Decimal };

 protected:
  FieldScreen(Ui& ui, QWidget* owner);

  // `control` (an edit, a list or a check box) carries `tag`; typed keys go through the
  // key filter `keys` (edits only).
  void watch(QWidget* control, int tag, Keys keys);

  // A drop-down list of `items` that may also be typed into. The wheel changes it only
  // while it has the focus.
  QComboBox* newList(const QStringList& items);
  // An edit wide enough to show `characters` of average text whole, at any font.
  static void fitToText(QLineEdit* edit, int characters);
  // Shows `text` in a list, its entry made the current one when it has one, so that the
  // arrow keys and the drop-down go on from there.
  static void showListText(QComboBox* list, const QString& text);

  // The action of the field the user left; false when it refused and kept the focus.
  virtual bool leave(int tag) = 0;
  // The record as the entries so far made it, kept before a field's action runs; and put
  // back when the user closes without the entry that action refused.
  virtual void keepRecord() = 0;
  virtual void dropEntry() = 0;
  // Runs the action of the field left last, if it has not run yet; false when it refused.
  bool validatePending();
  // Before a button acts: the field left last, and the field that still has the focus
  // (Enter presses the default button without leaving it), so nothing typed is lost.
  bool settleFields();
  // Before Esc or the close box close the screen: the field left last, and the focused
  // field if the user typed in it. A refused entry is the user's to drop (and close,
  // without it: what it changed in the record is undone) or to go back to: nothing typed
  // is lost unasked, and no refusal traps the user.
  bool settleFieldsBeforeClosing();

  // Shows what a field action decided in its control (and the country list).
  void showOutcome(QWidget* control, const FieldOutcome& outcome, QWidget* country);

  bool eventFilter(QObject* watched, QEvent* event) override;

  Ui& m_ui;

 private:
  struct Watched {
    int tag;
    Keys keys;
  };
  QWidget* focusedField() const;

  std::map<QObject*, Watched> m_watched;
  int m_pendingTag = 0;
};

}  // namespace quillet
