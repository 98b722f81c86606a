// Quillet — the T4 Summary set-up dialog: remittances, margins, line-up sample.
#pragma once

#include <QDialog>
#include <optional>

#include "reports/print_dialogs.h"
#include "reports/t4_summary.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quillet {

class Ui;

class TT4SummySetUp : public QDialog {
  Q_OBJECT

 public:
  // `ui` tells the user what is wrong with the remittances.
  TT4SummySetUp(const SummarySetUp& values, Ui& ui, QWidget* owner = nullptr);

  // The controls' values; meaningful once the dialog was accepted.
  SummarySetUp values() const;

  void accept() override;

  QLabel* LabelName;
  QLabel* LabelBusNum;
  QCheckBox* CheckBoxFYH;
  QCheckBox* CheckBoxCoNmeAddr;
  QLineEdit* EditRemittances;
  QSpinBox* SpinEditTop;
  QSpinBox* SpinEditLeft;
  QCheckBox* CheckBoxLineUp;
  QPushButton* BitBtnOK;
  QPushButton* BitBtnCancel;

 private:
  void EditRemittancesExit();
  bool checkRemittancesText();

  Ui& m_ui;
  SummarySetUp m_values;
  std::optional<RemittanceCheck> m_lastCheck;  // of the text as it stands
};

}  // namespace quillet
