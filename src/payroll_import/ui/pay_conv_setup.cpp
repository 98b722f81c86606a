// Quillet — the year-end conversion's set-up questions.
#include "payroll_import/ui/pay_conv_setup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/ui/dialog_parts.h"

namespace quillet {

TFormPayConvSetup::TFormPayConvSetup(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("TFormPayConvSetup"));
  setWindowTitle(QStringLiteral("Information for Setup of Wagebook T4's"));
  auto* layout = new QVBoxLayout(this);
  const auto text = [this, layout](const char* words) {
    auto* label = new QLabel(QString::fromUtf8(words), this);
    label->setWordWrap(true);
    layout->addWidget(label);
  };
  text(
      "The information requested here is for default setup of all T4's in this file, the answers "
      "should be "
      "applicable to most. Fix those that do not comply on the edit screen afterwards.");
  text(
      "Box 20 RPP Contributions:  This box is for Registered Pension Plan contributions, this does "
      "not include "
      "RRSP's.  Some Wagebook customers are using this area of the employee record for tax "
      "reductions on RRSP's  "
      "Indicate if amounts here are really RPP");
  CheckBoxShowRPP =
      new QCheckBox(QStringLiteral("Include Box 20.  We use it for RPP,  not RRSP"), this);
  CheckBoxShowRPP->setObjectName(QStringLiteral("CheckBoxShowRPP"));
  layout->addWidget(CheckBoxShowRPP);
  text(
      "Box 44 Union Dues:  This box should be completed only if both the company and the union "
      "agree that the "
      "union will NOT issue receipts for union dues to employees.");
  CheckBoxShowUnion =
      new QCheckBox(QStringLiteral("Include Box 44.  Unions will NOT issue receipts"), this);
  CheckBoxShowUnion->setObjectName(QStringLiteral("CheckBoxShowUnion"));
  layout->addWidget(CheckBoxShowUnion);
  text(
      "Box 50 RPP or DPSP Registration Number:  If you have one of these plans, or an unregistered "
      "foreign "
      "pension plan, then enter the 7 digit Revenue Canada registration number.");
  EditRPP_DPSP_Regn = new QLineEdit(this);
  EditRPP_DPSP_Regn->setObjectName(QStringLiteral("EditRPP_DPSP_Regn"));
  EditRPP_DPSP_Regn->setMaxLength(7);
  layout->addWidget(EditRPP_DPSP_Regn);
  BitBtnOK = new QPushButton(QStringLiteral("OK"), this);
  BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
  layout->addWidget(BitBtnOK, 0, Qt::AlignRight);
  connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
}

PayrollSetUp TFormPayConvSetup::answers() const {
  return {CheckBoxShowRPP->isChecked(), CheckBoxShowUnion->isChecked(),
          EditRPP_DPSP_Regn->text().trimmed().left(7)};
}

}  // namespace quillet
