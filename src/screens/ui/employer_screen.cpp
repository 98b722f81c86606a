// Quillet — the employer information screen.
#include "screens/ui/employer_screen.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "checks/code_tables.h"
#include "data/open_t4_file.h"

namespace quillet {
namespace {

using C = EmployerScreenController;

using Keys = FieldScreen::Keys;

struct ControlDef {
  int tag;
  const char* name;
  const char* label;
  Keys keys;
  int maxLength = 0;  // 0: none
};

// In Tag order, from 1.
const ControlDef Controls[] = {
    {C::Name1, "EditName1", "Name 1", Keys::Any, 30},
    {C::Name2, "EditName2", "Name 2", Keys::Any, 30},
    {C::Name3, "EditName3", "Name 3", Keys::Any, 30},
    {C::Addr1, "EditAddr1", "Address 1", Keys::Any, 30},
    {C::Addr2, "EditAddr2", "Address 2", Keys::Any, 30},
    {C::City, "EditCity", "City", Keys::Any, 28},
    {C::Prov, "ComboBoxProv", "Province", Keys::Any},
    {C::Country, "ComboBoxCountry", "Country", Keys::Any},
    {C::PostCode, "EditPostCode", "Postal Code", Keys::Any, 10},
    {C::BusnNum, "EditBusnNum", "Revenue Canada Business Number", Keys::Any},
    {C::ContName, "EditContName", "Name", Keys::Any, 22},
    {C::ContArea, "EditContArea", "Area", Keys::Digits, 3},
    {C::ContNumbr, "EditContNumbr", "Num.", Keys::Digits, 7},
    {C::ContExtn, "EditContExtn", "Extn.", Keys::Digits, 4},
    {C::Sin1, "EditSIN_1", "(1)", Keys::Digits},
    {C::Sin2, "EditSIN_2", "(2)", Keys::Digits},
    {C::CppRate, "EditCPPRatePCent", "CPP Rate %", Keys::Decimal},
    {C::CppMaxPrem, "EditCPPMaxPrem", "CPP Max.Prem.", Keys::Decimal},
    {C::CppMaxEarn, "EditCPPMaxEarn", "CPP Max. Earnings", Keys::Decimal},
    {C::CppEarnExempt, "EditCPPEarnExempt", "CPP Earn. Exempt", Keys::Decimal},
    {C::EiRate, "EditEIRatePC", "EI Rate %", Keys::Decimal},
    {C::EiMaxPrem, "EditEIMaxPrem", "EI Max.Prem.", Keys::Decimal},
    {C::EiMaxEarn, "EditEIMaxEarn", "EI Max.Earnings", Keys::Decimal},
    {C::TaxYr, "EditTaxYr", "Tax Year", Keys::Digits},
    {C::NewHires, "EditNewHires", "New Hires", Keys::Decimal},
    {C::EiMult, "EditEIMult", "Company EI = Employee EI\nmultiplied by", Keys::Decimal},
    {C::Cpp2MaxEarn, "EditCPP2MaxEarn", "CPP2 Max. Earnings", Keys::Decimal},
    {C::Cpp2Rate, "EditCPP2RatePCent", "CPP2 Rate %", Keys::Decimal},
    {C::Cpp2MaxPrem, "EditCPP2MaxPrem", "CPP2 Max.Prem.", Keys::Decimal},
    {C::QppRate, "EditQPPRatePCent", "QPP Rate %", Keys::Decimal},
    {C::QppMaxPrem, "EditQPPMaxPrem", "QPP Max.Prem.", Keys::Decimal},
    {C::Qpp2MaxPrem, "EditQPP2MaxPrem", "QPP2 Max.Prem.", Keys::Decimal},
    {C::QcEiRate, "EditQcEIRatePC", "Quebec EI Rate %", Keys::Decimal},
    {C::QcEiMaxPrem, "EditQcEIMaxPrem", "Quebec EI Max.Prem.", Keys::Decimal},
    {C::PpipMaxEarn, "EditPPIPMaxEarn", "PPIP Max.Earnings", Keys::Decimal},
    {C::PpipRate, "EditPPIPRatePC", "PPIP Rate %", Keys::Decimal},
    {C::PpipEmprRate, "EditPPIPEmprRatePC", "PPIP Employer Rate %", Keys::Decimal},
    {C::PpipMaxPrem, "EditPPIPMaxPrem", "PPIP Max.Prem.", Keys::Decimal},
    {C::DentalCode, "EditDentalCode", "Box 45 Dental", Keys::Digits, 1},
    {C::ContEmail, "EditContEmail", "E-mail", Keys::Any, 60},
};

// The rows of the rates that later years added, each shown for the years that have it.
struct LaterRates {
  int fromYear;
  std::initializer_list<int> tags;
};
const LaterRates LaterRateRows[] = {
    {2001, {C::QppRate, C::QppMaxPrem}},
    {2024, {C::Cpp2MaxEarn, C::Cpp2Rate, C::Cpp2MaxPrem, C::Qpp2MaxPrem}},
    {2006, {C::QcEiRate, C::QcEiMaxPrem}},
    {2006, {C::PpipMaxEarn, C::PpipMaxPrem, C::PpipRate, C::PpipEmprRate}},
};

const ControlDef& defOf(int tag) { return Controls[tag - C::FirstTag]; }

// The tab order after OK and Cancel.
const int TabOrder[] = {
    C::Name1,         C::Name2,       C::Name3,       C::Addr1,       C::Addr2,      C::City,
    C::Prov,          C::Country,     C::PostCode,    C::EiMult,      C::BusnNum,    C::Sin1,
    C::Sin2,          C::ContName,    C::ContArea,    C::ContNumbr,   C::ContExtn,   C::ContEmail,
    C::TaxYr,         C::NewHires,    C::DentalCode,  C::CppRate,     C::CppMaxPrem, C::CppMaxEarn,
    C::CppEarnExempt, C::EiRate,      C::EiMaxPrem,   C::EiMaxEarn,   C::QppRate,    C::QppMaxPrem,
    C::Cpp2MaxEarn,   C::Cpp2Rate,    C::Cpp2MaxPrem, C::Qpp2MaxPrem, C::QcEiRate,   C::QcEiMaxPrem,
    C::PpipMaxEarn,   C::PpipMaxPrem, C::PpipRate,    C::PpipEmprRate};

}  // namespace

TFormT4BusnInfo::TFormT4BusnInfo(OpenT4FileState& state, Ui& ui, const Clock& clock, QWidget* owner)
    : FieldScreen(ui, owner), m_controller(state, ui, clock) {
  setObjectName(QStringLiteral("TFormT4BusnInfo"));
  // The file being worked on, as the main window names it.
  setWindowTitle(state.T4FileOpen()
                     ? QStringLiteral("Processing: ") + state.T4FileName()
                     : QStringLiteral("Employer Information for T4 forms and Summary"));
  buildControls();
  layOut();
  m_controller.open();
  fill();
  BitBtnOK->setFocus();
}

void TFormT4BusnInfo::buildControls() {
  for (const ControlDef& def : Controls) {
    QWidget* control = nullptr;
    if (def.tag == C::Prov || def.tag == C::Country) {
      QComboBox* combo =
          newList(def.tag == C::Prov ? addressProvinceCodes() : employerCountryCodes());
      if (def.tag == C::Country) ComboBoxCountry = combo;
      control = combo;
    } else {
      auto* edit = new QLineEdit(this);
      if (def.maxLength > 0) edit->setMaxLength(def.maxLength);
      fitToText(edit, def.maxLength > 0 ? def.maxLength : 10);
      control = edit;
    }
    control->setObjectName(QLatin1String(def.name));
    watch(control, def.tag, def.keys);
    m_controls[def.tag] = control;
  }
  BitBtnOK = new QPushButton(QStringLiteral("OK"), this);
  BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
  BitBtnOK->setDefault(true);
  BitBtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
  BitBtnCancel->setAutoDefault(false);
  connect(BitBtnOK, &QPushButton::clicked, this, &TFormT4BusnInfo::BitBtnOKClick);
  connect(BitBtnCancel, &QPushButton::clicked, this, &TFormT4BusnInfo::BitBtnCancelClick);
}

void TFormT4BusnInfo::layOut() {
  // The company at the left; the year, the rates and the contact at the right; the
  // proprietors and the buttons below. Layouts, so that every caption shows whole in any
  // font and the screen may grow.
  auto* screen = new QGridLayout(this);
  // A group at its place, holding rows of Tags: each label beside its control, or, in a
  // stacked group, above it. The long labels of the multiplier and the business number
  // stand above their fields.
  const auto group = [this, screen](const char* caption, QRect cell, bool stacked,
                                    std::initializer_list<std::initializer_list<int>> rows) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), this);
    screen->addWidget(box, cell.y(), cell.x(), cell.height(), cell.width());
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    int row = 0;
    for (const auto& tags : rows) {
      int column = 0;
      for (int tag : tags) {
        QWidget* control = m_controls.at(tag);
        control->setParent(box);
        auto* label = new QLabel(QString::fromUtf8(defOf(tag).label), box);
        m_labels[tag] = label;
        if (stacked) {
          grid->addWidget(label, row, column);
          grid->addWidget(control, row + 1, column++);
        } else if (tag == C::BusnNum || tag == C::EiMult) {
          grid->addWidget(label, row++, 0, 1, 2);
          grid->addWidget(control, row, 0, 1, 2);
        } else {
          grid->addWidget(label, row, column++);
          grid->addWidget(control, row, column++);
          grid->setColumnStretch(column - 1, 1);
        }
      }
      row += stacked ? 2 : 1;
    }
  };
  // Cells of the screen's grid: column, row, columns, rows.
  group("Company Information", {0, 0, 1, 3}, false,
        {{C::Name1},
         {C::Name2},
         {C::Name3},
         {C::Addr1},
         {C::Addr2},
         {C::City},
         {C::Prov},
         {C::Country},
         {C::PostCode},
         {C::EiMult},
         {C::BusnNum}});
  group("Tax Year / New Hires Refund", {1, 0, 1, 1}, false,
        {{C::TaxYr}, {C::NewHires}, {C::DentalCode}});
  group("Rates used for T4 CPP/QPP && EI Edits", {1, 1, 1, 1}, true,
        {{C::CppRate, C::CppMaxPrem},
         {C::CppMaxEarn, C::CppEarnExempt},
         {C::EiRate, C::EiMaxPrem, C::EiMaxEarn},
         LaterRateRows[0].tags,
         LaterRateRows[1].tags,
         LaterRateRows[2].tags,
         LaterRateRows[3].tags});
  group("Person to Contact", {1, 2, 1, 1}, false,
        {{C::ContName}, {C::ContArea}, {C::ContNumbr, C::ContExtn}, {C::ContEmail}});
  group("Proprietor(s)  Soc. Insc. Number(s)", {0, 3, 1, 1}, false, {{C::Sin1, C::Sin2}});
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {BitBtnOK, BitBtnCancel}) {
    button->setMinimumSize(77, 27);
    buttons->addWidget(button);
  }
  screen->addLayout(buttons, 3, 1, Qt::AlignBottom);
  screen->setRowStretch(2, 1);
  screen->setColumnStretch(0, 1);
  screen->setColumnStretch(1, 1);
  resize(sizeHint().expandedTo(QSize(521, 413)));

  setTabOrder(BitBtnOK, BitBtnCancel);
  QWidget* previous = BitBtnCancel;
  for (int tag : TabOrder) {
    setTabOrder(previous, m_controls.at(tag));
    previous = m_controls.at(tag);
  }
}

void TFormT4BusnInfo::fill() {
  for (const auto& [tag, control] : m_controls) {
    const QString text = m_controller.fieldText(tag);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      edit->setText(text);  // the screen's own text: not a change of the user's
    } else {
      showListText(static_cast<QComboBox*>(control), text);
    }
  }
  // The rates that later years added show for the years that have them.
  const int year = m_controller.fieldText(C::TaxYr).toInt();
  for (const LaterRates& row : LaterRateRows) {
    for (int tag : row.tags) {
      m_controls.at(tag)->setVisible(year >= row.fromYear);
      m_labels.at(tag)->setVisible(year >= row.fromYear);
    }
  }
}

bool TFormT4BusnInfo::Validate_UpdtFile(int tag) {
  QWidget* control = m_controls.at(tag);
  auto* edit = qobject_cast<QLineEdit*>(control);
  auto* combo = qobject_cast<QComboBox*>(control);
  if (edit && !edit->isModified()) return true;  // passed through without typing

  const FieldOutcome outcome =
      m_controller.leaveField(tag, edit ? edit->text() : combo->currentText());
  if (outcome.newText) {
    if (edit && *outcome.newText != edit->text()) edit->setText(*outcome.newText);
    if (combo) showListText(combo, *outcome.newText);
  }
  if (outcome.country) showListText(ComboBoxCountry, *outcome.country);
  if (outcome.refreshAll) fill();
  if (outcome.markUnchanged && edit) edit->setModified(false);
  if (outcome.focusBack) control->setFocus(Qt::OtherFocusReason);
  return !outcome.focusBack;
}

void TFormT4BusnInfo::BitBtnOKClick() {
  m_ok = true;
  attemptClose(settleFields());
}

void TFormT4BusnInfo::BitBtnCancelClick() {
  m_ok = false;
  attemptClose(settleFields());
}

// Esc and the frame close as Cancel does.
void TFormT4BusnInfo::reject() {
  m_ok = false;
  attemptClose(settleFieldsBeforeClosing());
}

void TFormT4BusnInfo::closeEvent(QCloseEvent* event) {
  if (!isVisible()) return;
  event->ignore();
  reject();
}

void TFormT4BusnInfo::attemptClose(bool fieldsSettled) {
  // The field just left is handled before the record is, and a refusal keeps the screen.
  const bool closing = fieldsSettled && m_controller.closeQuery(m_ok);
  m_ok = false;
  if (closing) done(QDialog::Accepted);
}

}  // namespace quillet
