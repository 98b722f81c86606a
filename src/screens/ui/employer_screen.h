// Quillet — the employer information screen.
#pragma once

#include <map>

#include "screens/employer_screen_controller.h"
#include "screens/ui/field_screen.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quillet {

class TFormT4BusnInfo : public FieldScreen {
  Q_OBJECT

 public:
  // The screen of the open file's employer record, loaded as it opens.
  TFormT4BusnInfo(OpenT4FileState& state, Ui& ui, const Clock& clock, QWidget* owner = nullptr);

  const EmployerScreenController& controller() const { return m_controller; }
  // The control with this Tag.
  QWidget* control(int tag) const { return m_controls.at(tag); }

  void reject() override;  // Esc closes as the frame does

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool leave(int tag) override { return Validate_UpdtFile(tag); }
  void keepRecord() override { m_controller.keepWorking(); }
  void dropEntry() override { m_controller.dropEntry(); }

 private:
  void buildControls();
  void layOut();
  void fill();
  // Runs the field action of the control that was left; false when it took the focus back.
  bool Validate_UpdtFile(int tag);
  void BitBtnOKClick();
  void BitBtnCancelClick();
  void attemptClose(bool fieldsSettled);

  EmployerScreenController m_controller;
  std::map<int, QWidget*> m_controls;  // by Tag
  std::map<int, QLabel*> m_labels;     // by Tag
  QComboBox* ComboBoxCountry = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;
  bool m_ok = false;
};

}  // namespace quillet
