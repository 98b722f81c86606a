// Quillet — the T4 Summary set-up dialog: remittances, margins, line-up sample.
#include "reports/ui/t4_summary_set_up.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

#include "reports/ui/dialog_parts.h"

namespace quillet {

TT4SummySetUp::TT4SummySetUp(const SummarySetUp& values, Ui& ui, QWidget* owner)
    : QDialog(owner), m_ui(ui), m_values(values) {
  setObjectName(QStringLiteral("TT4SummySetUp"));
  setWindowTitle(QStringLiteral("T4 Summary Setup"));
  auto* layout = new QVBoxLayout(this);

  LabelName = new QLabel(values.employerName, this);
  LabelName->setObjectName(QStringLiteral("LabelName"));
  LabelBusNum = new QLabel(values.businessNumber, this);
  LabelBusNum->setObjectName(QStringLiteral("LabelBusNum"));
  CheckBoxFYH =
      new QCheckBox(QStringLiteral("Check if Federal Youth Hires Program (for Box 98)"), this);
  CheckBoxFYH->setObjectName(QStringLiteral("CheckBoxFYH"));
  CheckBoxCoNmeAddr =
      new QCheckBox(QStringLiteral("Check if Company name && address is Preprinted on form"), this);
  CheckBoxCoNmeAddr->setObjectName(QStringLiteral("CheckBoxCoNmeAddr"));
  EditRemittances = new QLineEdit(this);
  EditRemittances->setObjectName(QStringLiteral("EditRemittances"));
  layout->addWidget(LabelName);
  layout->addWidget(LabelBusNum);
  layout->addWidget(CheckBoxFYH);
  layout->addWidget(CheckBoxCoNmeAddr);
  layout->addWidget(namedLabel(this, "LabelRemit",
                               "Enter total amount of Remittances during the year (for Box 82)"));
  layout->addWidget(EditRemittances);

  constexpr int noLimit = std::numeric_limits<int>::max();
  SpinEditTop = namedSpinBox(this, QStringLiteral("SpinEditTop"), -noLimit, noLimit, 1);
  SpinEditLeft = namedSpinBox(this, QStringLiteral("SpinEditLeft"), -noLimit, noLimit, 1);
  auto* margins = new QGroupBox(this);
  margins->setObjectName(QStringLiteral("PanelMargins"));
  auto* marginRows = new QFormLayout(margins);
  marginRows->addRow(
      namedLabel(margins, "LabelTop", "TOP Margin in 100ths of an inch  (Suggest 100 = 1.0 inch)"),
      SpinEditTop);
  marginRows->addRow(namedLabel(margins, "LabelLeft",
                                "LEFT Margin in 100ths of an inch  (Suggest 100 = 1.0 inch)"),
                     SpinEditLeft);
  layout->addWidget(margins);

  auto* lineUp = new QGroupBox(this);
  lineUp->setObjectName(QStringLiteral("Panel_Lineup"));
  auto* lineUpRows = new QVBoxLayout(lineUp);
  CheckBoxLineUp = new QCheckBox(QStringLiteral("Print Line Up Sample"), lineUp);
  CheckBoxLineUp->setObjectName(QStringLiteral("CheckBoxLineUp"));
  lineUpRows->addWidget(CheckBoxLineUp);
  lineUpRows->addWidget(namedLabel(lineUp, "LabelLineUpRtn", "(Returns here afterwards)"));
  for (
      const char* text :
      {"You probably only have one form so do your line up on plain paper. Click OK to print. "
       "Before "
       "printing mark in pencil where you think the top front of the paper is (to be sure you can "
       "insert the form the same way).",
       "After printing place line up over form and hold up to the light to check positions. Repeat "
       "line up changing above margin settings until correct. Uncheck the line up box and print on "
       "the real form."}) {
    auto* label = new QLabel(QString::fromUtf8(text), lineUp);
    label->setWordWrap(true);
    lineUpRows->addWidget(label);
  }
  layout->addWidget(lineUp);
  layout->addWidget(okCancelButtons(this, &BitBtnOK, &BitBtnCancel));

  // FormShow: the controls take the values.
  CheckBoxFYH->setChecked(values.youthHires);
  CheckBoxCoNmeAddr->setChecked(values.namePreprinted);
  EditRemittances->setText(QString::number(values.remittances, 'f', 2));
  SpinEditTop->setValue(values.top);
  SpinEditLeft->setValue(values.left);
  CheckBoxLineUp->setChecked(values.lineUp);

  connect(EditRemittances, &QLineEdit::editingFinished, this, &TT4SummySetUp::EditRemittancesExit);
  connect(EditRemittances, &QLineEdit::textEdited, this, [this] { m_lastCheck.reset(); });
}

bool TT4SummySetUp::checkRemittancesText() {
  if (!m_lastCheck) {
    m_lastCheck = checkRemittances(EditRemittances->text(), m_ui);
    EditRemittances->setText(m_lastCheck->text);
    m_values.remittances = m_lastCheck->remittances;
  }
  if (!m_lastCheck->accepted) {
    m_lastCheck.reset();  // asked again when the user next leaves it or presses OK
    EditRemittances->setFocus();
    return false;
  }
  return true;
}

void TT4SummySetUp::EditRemittancesExit() { checkRemittancesText(); }

void TT4SummySetUp::accept() {
  m_values.youthHires = CheckBoxFYH->isChecked();
  m_values.namePreprinted = CheckBoxCoNmeAddr->isChecked();
  m_values.top = SpinEditTop->value();
  m_values.left = SpinEditLeft->value();
  m_values.lineUp = CheckBoxLineUp->isChecked();
  if (checkRemittancesText()) QDialog::accept();
}

SummarySetUp TT4SummySetUp::values() const { return m_values; }

}  // namespace quillet
