// Quillet — the T4 print set-up dialog: margins, line-up sample, form type.
#include "reports/ui/t4_print_set_up.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "reports/ui/dialog_parts.h"

namespace quillet {

TFormT4PrintSetUp::TFormT4PrintSetUp(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("TFormT4PrintSetUp"));
  setWindowTitle(QStringLiteral("T4 Print Set Up"));
  auto* layout = new QVBoxLayout(this);

  SpinEditTOP = namedSpinBox(this, QStringLiteral("SpinEditTOP"), T4PrintSetUp::MinTop,
                             T4PrintSetUp::MaxTop, T4PrintSetUp::TopStep);
  SpinEditLEFT = namedSpinBox(this, QStringLiteral("SpinEditLEFT"), T4PrintSetUp::MinLeft,
                              T4PrintSetUp::MaxLeft, 1);
  auto* margins = new QFormLayout;
  margins->addRow(
      namedLabel(this, "Label1", "TOP Margin in 100ths of an inch  (Suggest 50 = 0.5 inch)"),
      SpinEditTOP);
  margins->addRow(
      namedLabel(this, "Label2", "LEFT Margin in 100ths of an inch  (Suggest 25 = 0.25 inch)"),
      SpinEditLEFT);
  layout->addLayout(margins);

  auto* lineUp = new QHBoxLayout;
  CheckBoxLineUpRequd = new QCheckBox(QStringLiteral("Print Line Up Sample"), this);
  CheckBoxLineUpRequd->setObjectName(QStringLiteral("CheckBoxLineUpRequd"));
  lineUp->addWidget(CheckBoxLineUpRequd);
  lineUp->addWidget(maroon(namedLabel(this, "Label3", "(Returns here afterwards)")));
  lineUp->addStretch();
  layout->addLayout(lineUp);

  RadioGroupT4Type =
      new QGroupBox(QStringLiteral("What T4 form type are we Printing  Next ?"), this);
  RadioGroupT4Type->setObjectName(QStringLiteral("RadioGroupT4Type"));
  m_types = radioItems(RadioGroupT4Type,
                       {QStringLiteral("Dot Matrix Printer:  Pin Feed Multi Part Forms"),
                        QStringLiteral("Laser or Bubble Jet:   Revenue Canada Copies"),
                        QStringLiteral("Laser or Bubble Jet:   Employee Copies"),
                        QStringLiteral("Laser or Bubble Jet:   Company Copies")});
  layout->addWidget(RadioGroupT4Type);

  auto* note = maroon(namedLabel(
      this, "Label4",
      "Laser / Bubble / Ink Jet print single sheets so we need to print 3 times.  Revenue Canada & "
      " "
      "Company Copies print 2 different employees on a sheet.  The Employee Copy has the same "
      "employee printed twice on a sheet."));
  note->setWordWrap(true);
  layout->addWidget(note);

  auto* buttons = okCancelButtons(this, &BitBtnOK, &BitBtnCancel);
  BitBtnPreview = buttons->addButton(QStringLiteral("Preview"), QDialogButtonBox::ActionRole);
  BitBtnPreview->setObjectName(QStringLiteral("BitBtnPreview"));
  BitBtnPreview->setToolTip(
      QStringLiteral("Look at the T4 forms on the screen before printing them"));
  connect(BitBtnPreview, &QPushButton::clicked, this, [this] {
    m_preview = true;
    accept();
  });
  layout->addWidget(buttons);

  setValues(T4PrintSetUp{});
}

void TFormT4PrintSetUp::setValues(const T4PrintSetUp& values) {
  SpinEditTOP->setValue(values.top);
  SpinEditLEFT->setValue(values.left);
  CheckBoxLineUpRequd->setChecked(values.lineUp);
  // The focus goes to the proposed type, so that Space keeps it.
  if (QAbstractButton* type = m_types->button(values.formType)) {
    type->setChecked(true);
    type->setFocus();
  }
}

T4PrintSetUp TFormT4PrintSetUp::values() const {
  return {SpinEditTOP->value(), SpinEditLEFT->value(), CheckBoxLineUpRequd->isChecked(),
          m_types->checkedId(), m_preview};
}

}  // namespace quillet
