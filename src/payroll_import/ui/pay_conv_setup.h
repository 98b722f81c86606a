// Quillet — the year-end conversion's set-up questions.
#pragma once

#include <QDialog>

#include "payroll_import/payroll_ui.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quillet {

class TFormPayConvSetup : public QDialog {
  Q_OBJECT

 public:
  explicit TFormPayConvSetup(QWidget* owner = nullptr);

  // The answers as the controls stand.
  PayrollSetUp answers() const;

  QCheckBox* CheckBoxShowRPP;
  QCheckBox* CheckBoxShowUnion;
  QLineEdit* EditRPP_DPSP_Regn;
  QPushButton* BitBtnOK;
};

}  // namespace quillet
