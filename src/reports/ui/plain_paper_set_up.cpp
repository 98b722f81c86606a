// Quillet — the set-up of the slips or the Summary on plain paper: the copy, the
// remittances, the margins.
#include "reports/ui/plain_paper_set_up.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "reports/t4_summary.h"
#include "reports/ui/dialog_parts.h"

namespace quillet {
namespace {

// The copies in the order of the radio buttons.
constexpr int Copies[] = {EmployeeCopies, CompanyCopies, RevenueCanadaCopies};

}  // namespace

TFormPlainPaperSetUp::TFormPlainPaperSetUp(const PlainPaperSetUp& values, Ui& ui, QWidget* owner)
    : QDialog(owner), m_ui(ui), m_values(values) {
  setObjectName(QStringLiteral("TFormPlainPaperSetUp"));
  setWindowTitle(values.summary ? QStringLiteral("T4 Summary on Plain Paper")
                                : QStringLiteral("T4 Slips on Plain Paper"));
  auto* layout = new QVBoxLayout(this);

  RadioGroupCopy = new QGroupBox(QStringLiteral("Which copy"), this);
  RadioGroupCopy->setObjectName(QStringLiteral("RadioGroupCopy"));
  m_copies = radioItems(RadioGroupCopy,
                        {QStringLiteral("Employee's copies: one employee twice on a sheet"),
                         QStringLiteral("Employer's copies: two employees on a sheet"),
                         QStringLiteral("CRA's copies: two employees on a sheet")});
  for (int i = 0; i < 3; ++i) {
    if (Copies[i] == values.formType) m_copies->button(i)->setChecked(true);
  }
  if (!m_copies->checkedButton()) m_copies->button(0)->setChecked(true);
  RadioGroupCopy->setVisible(!values.summary);
  layout->addWidget(RadioGroupCopy);

  EditRemittances = new QLineEdit(QString::number(values.remittances, 'f', 2), this);
  EditRemittances->setObjectName(QStringLiteral("EditRemittances"));
  auto* remittances = new QFormLayout;
  remittances->addRow(namedLabel(this, "LabelRemit", "Remittances during the year (line 82)"),
                      EditRemittances);
  layout->addLayout(remittances);
  if (!values.summary) {
    remittances->labelForField(EditRemittances)->hide();
    EditRemittances->hide();
  }

  SpinEditTop = namedSpinBox(this, QStringLiteral("SpinEditTop"), PlainPaperSetUp::MinMargin,
                             PlainPaperSetUp::MaxMargin, 5);
  SpinEditLeft = namedSpinBox(this, QStringLiteral("SpinEditLeft"), PlainPaperSetUp::MinMargin,
                              PlainPaperSetUp::MaxMargin, 5);
  SpinEditTop->setValue(values.top);
  SpinEditLeft->setValue(values.left);
  auto* margins = new QFormLayout;
  margins->addRow(namedLabel(this, "LabelTop", "Top margin in 100ths of an inch"), SpinEditTop);
  margins->addRow(namedLabel(this, "LabelLeft", "Left margin in 100ths of an inch"), SpinEditLeft);
  // The slips stand centred across the sheet: only the Summary takes a left margin.
  margins->setRowVisible(SpinEditLeft, values.summary);
  layout->addLayout(margins);
  layout->addWidget(okCancelButtons(this, &BitBtnOK, &BitBtnCancel));
}

void TFormPlainPaperSetUp::accept() {
  m_values.formType = Copies[std::max(0, m_copies->checkedId())];
  m_values.top = SpinEditTop->value();
  m_values.left = SpinEditLeft->value();
  if (m_values.summary) {
    const RemittanceCheck check = checkRemittances(EditRemittances->text(), m_ui);
    EditRemittances->setText(check.text);
    m_values.remittances = check.remittances;
    if (!check.accepted) {
      EditRemittances->setFocus();
      return;
    }
  }
  QDialog::accept();
}

}  // namespace quillet
