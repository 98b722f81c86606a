// Quillet — the set-up of the slips or the Summary on plain paper: the copy, the
// remittances, the margins.
#pragma once

#include <QDialog>

#include "reports/print_dialogs.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quillet {

class Ui;

class TFormPlainPaperSetUp : public QDialog {
  Q_OBJECT

 public:
  // `ui` tells the user what is wrong with the remittances.
  TFormPlainPaperSetUp(const PlainPaperSetUp& values, Ui& ui, QWidget* owner = nullptr);

  // The controls' values; meaningful once the dialog was accepted.
  PlainPaperSetUp values() const { return m_values; }

  void accept() override;

  QGroupBox* RadioGroupCopy;   // the slips only
  QLineEdit* EditRemittances;  // the Summary only
  QSpinBox* SpinEditTop;
  QSpinBox* SpinEditLeft;
  QPushButton* BitBtnOK;
  QPushButton* BitBtnCancel;

 private:
  Ui& m_ui;
  PlainPaperSetUp m_values;
  QButtonGroup* m_copies;
};

}  // namespace quillet
