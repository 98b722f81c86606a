// Quillet — the employer information screen.
#pragma once

#include <QDialog>
#include <map>

#include "screens/employer_screen_controller.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quillet {

class TFormT4BusnInfo : public QDialog {
  Q_OBJECT

 public:
  // The screen of the open file's employer record, loaded as it opens.
  TFormT4BusnInfo(OpenT4FileState& state, Ui& ui, const Clock& clock, QWidget* owner = nullptr);

  const EmployerScreenController& controller() const { return m_controller; }
  // The control with this Tag.
  QWidget* control(int tag) const { return m_controls.at(tag); }

  void reject() override;  // Esc closes as the frame does

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void layOut();
  void fill();
  // Runs the field action of the control that was left; false when it took the focus back.
  bool Validate_UpdtFile(int tag);
  bool validatePending();
  void BitBtnOKClick();
  void BitBtnCancelClick();
  void attemptClose();

  EmployerScreenController m_controller;
  Ui& m_ui;
  std::map<int, QWidget*> m_controls;  // by Tag
  std::map<QObject*, int> m_watched;   // the widget that has the focus, to its Tag
  QComboBox* ComboBoxCountry = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;
  int m_pendingTag = 0;  // a control left whose action has not run yet
  bool m_ok = false;
  bool m_done = false;
};

}  // namespace quillet
