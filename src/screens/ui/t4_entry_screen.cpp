// Quillet — the T4 entry screen: one employee at a time, in name order.
#include "screens/ui/t4_entry_screen.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "checks/code_tables.h"
#include "data/open_t4_file.h"
#include "reports/ui/dialog_parts.h"

namespace quillet {
namespace {

using C = T4EntryController;

QStringList otherInfoTexts() {
  QStringList texts;
  for (const OtherInfoCode& code : otherInfoCodes()) texts << code.text;
  return texts;
}

// In Tag order, 1 to 39.
using Kind = SlipEntryScreen::Kind;
const SlipEntryScreen::ControlDef Controls[] = {
    {C::Void, "CheckBoxVOID", Kind::Check, "VOID T4"},
    {C::EmploymentIncome, "EditEmployment_income", Kind::Amount, "14 Employment income"},
    {C::IncomeTax, "EditIncome_tax_deducted", Kind::Amount, "22 Income tax deducted"},
    {C::ProvinceOfEmployment, "EditProvince_of_employment_code", Kind::List, "10 Prov. of Emplnt."},
    {C::Cpp, "EditEmployee_CPP", Kind::Amount, "16 CPP Contrib."},
    {C::EiInsurable, "EditEI_insurable_earnings", Kind::Amount, "24 EI insurable earn"},
    {C::Sin, "EditEmployee_SIN", Kind::Number, "12 Soc.Insce.Num."},
    {C::CppExempt, "CheckBoxCPP_OR_Quebec_Pension_Exempt", Kind::Check, "CPP/QPP"},
    {C::EiExempt, "CheckBoxEI_Exempt", Kind::Check, "EI"},
    {C::EmploymentCode, "EditEmployment_code", Kind::List, "29 Employment Code"},
    {C::Qpp, "EditEmployee_QPP", Kind::Amount, "17 QPP Contrib."},
    {C::PensionEarn, "EditCPP_OR_Quebec_PensionEarn", Kind::Amount, "26 CPP/QPP Pens.Earn"},
    {C::EiPremium, "EditEmployee_EI_premium", Kind::Amount, "18 EI Prem."},
    {C::UnionDues, "EditUnion_dues", Kind::Amount, "44 Union Dues"},
    {C::Rpp, "EditRPP_contributions", Kind::Amount, "20 RPP Contrib."},
    {C::Charitable, "EditCharitable_donations", Kind::Amount, "46 Charitable Dntns."},
    {C::PensionAdj, "EditPension_adjustment", Kind::Amount, "52 Pension Adj."},
    {C::RppPlan, "EditRPP_or_deferred_PlanNumbr", Kind::Number, "50 RPP/DPSP Regn#"},
    {C::Surname, "EditEmployee_surname", Kind::Text, "Surname", 20},
    {C::FirstName, "EditEmployee_first_name", Kind::Text, "First", 12},
    {C::Initial, "EditEmployee_secondinitial", Kind::Text, "Initl", 1},
    {C::Addr1, "EditEmployee_address_line_1", Kind::Text, "Addr1", 30},
    {C::Addr2, "EditEmployee_address_line_2", Kind::Text, "Addr2", 30},
    {C::City, "EditEmployee_city", Kind::Text, "City", 28},
    {C::Province, "EditEmployee_province_code", Kind::List, "Province"},
    {C::Country, "EditEmployee_country_code", Kind::List, "Country"},
    {C::PostCode, "EditEmployee_postal_code", Kind::Text, "Post/Zip", 10},
    {C::OtherCode1, "EditOther_info_code_1", Kind::List, "Box 1"},
    {C::OtherAmount1, "EditOther_info_amount_1", Kind::Amount, "Amount 1"},
    {C::OtherCode2, "EditOther_info_code_2", Kind::List, "Box 2"},
    {C::OtherAmount2, "EditOther_info_amount_2", Kind::Amount, "Amount 2"},
    {C::OtherCode3, "EditOther_info_code_3", Kind::List, "Box 3"},
    {C::OtherAmount3, "EditOther_info_amount_3", Kind::Amount, "Amount 3"},
    {C::OtherCode4, "EditOther_info_code_4", Kind::List, "Box 4"},
    {C::OtherAmount4, "EditOther_info_amount_4", Kind::Amount, "Amount 4"},
    {C::OtherCode5, "EditOther_info_code_5", Kind::List, "Box 5"},
    {C::OtherAmount5, "EditOther_info_amount_5", Kind::Amount, "Amount 5"},
    {C::OtherCode6, "EditOther_info_code_6", Kind::List, "Box 6"},
    {C::OtherAmount6, "EditOther_info_amount_6", Kind::Amount, "Amount 6"},
    {C::Cpp2, "EditEmployee_CPP2", Kind::Amount, "16A CPP2 Contrib."},
    {C::Qpp2, "EditEmployee_QPP2", Kind::Amount, "17A QPP2 Contrib."},
    {C::Ppip, "EditEmployee_PPIP_premium", Kind::Amount, "55 PPIP Prem."},
    {C::PpipInsurable, "EditPPIP_insurable_earnings", Kind::Amount, "56 PPIP insurable earn"},
    {C::Dental, "EditDental_benefits_code", Kind::Number, "45 Dental benefits", 1},
    {C::PpipExempt, "CheckBoxPPIP_Exempt", Kind::Check, "28 Exempt from PPIP"},
    {C::ReportType, "EditReport_type", Kind::List, "Report type"},
    {C::EmployeeNumber, "EditEmployee_number", Kind::Text, "Employee number", 20},
};

const SlipEntryScreen::ControlDef& defOf(int tag) { return Controls[tag - C::FirstTag]; }

QStringList listOf(int tag) {
  switch (tag) {
    case C::ProvinceOfEmployment:
      return employmentProvinceCodes();
    case C::EmploymentCode:
      return employmentCodeTexts();
    case C::Province:
      return addressProvinceCodes();
    case C::Country:
      return employeeCountryCodes();
    case C::ReportType:
      return C::reportTypeTexts();
    default:
      return otherInfoTexts();
  }
}

// The Tab order after the first row: the name and address, then the rest of the boxes.
const int TabOrder[] = {C::Void,
                        C::EmploymentIncome,
                        C::IncomeTax,
                        C::ProvinceOfEmployment,
                        C::Cpp,
                        C::EiInsurable,
                        C::Surname,
                        C::FirstName,
                        C::Initial,
                        C::Addr1,
                        C::Addr2,
                        C::City,
                        C::Province,
                        C::Country,
                        C::PostCode,
                        C::Sin,
                        C::CppExempt,
                        C::EiExempt,
                        C::PpipExempt,
                        C::EmploymentCode,
                        C::Qpp,
                        C::PensionEarn,
                        C::EiPremium,
                        C::UnionDues,
                        C::Rpp,
                        C::Charitable,
                        C::PensionAdj,
                        C::RppPlan,
                        C::Cpp2,
                        C::Qpp2,
                        C::Ppip,
                        C::PpipInsurable,
                        C::Dental,
                        C::ReportType,
                        C::EmployeeNumber,
                        C::OtherCode1,
                        C::OtherAmount1,
                        C::OtherCode2,
                        C::OtherAmount2,
                        C::OtherCode3,
                        C::OtherAmount3,
                        C::OtherCode4,
                        C::OtherAmount4,
                        C::OtherCode5,
                        C::OtherAmount5,
                        C::OtherCode6,
                        C::OtherAmount6};

}  // namespace

TFormT4Entry::TFormT4Entry(OpenT4FileState& state, ScreensUi& ui, QWidget* owner)
    : SlipEntryScreen(ui, owner), m_state(state), m_controller(state, ui) {
  setObjectName(QStringLiteral("TFormT4Entry"));
  setWindowTitle(state.T4FileOpen() ? QStringLiteral("Processing: ") + state.T4FileName()
                                    : QStringLiteral("T4 Display, Change Existing, or Add New"));
  m_countryTag = C::Country;
  m_firstTag = C::EmploymentIncome;
  buildControls(Controls, listOf);
  layOut();
  m_controller.open();
  fillHeader();
  ShowRecord();
  // Every box shown where the screen has room for them; else as much as it has, and the
  // rest scrolled within the window. The layouts first take in the employer's lines.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  resize(sizeWithinRoom(wholeSize(), roomOnScreen(*this)));
  // Box 14 takes the focus with its text selected: what is typed replaces it.
  startTyping(m_firstTag);
}

QSize TFormT4Entry::wholeSize() const {
  // The area as big as what it holds, the rest of the screen as its layout wants it.
  const QWidget* boxes = m_area->widget();
  const QSize content = QSize(boxes->minimumSizeHint().width(), boxes->sizeHint().height()) +
                        QSize(2, 2) * m_area->frameWidth();
  const QMargins margins = layout()->contentsMargins();
  return QSize(std::max(sizeHint().width(), content.width() + margins.left() + margins.right()),
               sizeHint().height() - m_area->sizeHint().height() + content.height());
}

void TFormT4Entry::layOut() {
  auto* layout = new QVBoxLayout(this);

  // The header: the employer on the left, the title and the tax year on the right.
  auto* top = new QHBoxLayout;
  auto* header = new QGroupBox(this);
  header->setObjectName(QStringLiteral("PanelHeader"));
  auto* headerLines = new QVBoxLayout(header);
  headerLines->setSpacing(0);
  for (const char* name : {"LabelS_Employer_name_line_1", "LabelS_Employer_address_line_1",
                           "LabelS_Employer_address_line_2", "LabelS_Employer_city",
                           "LabelS_Employer_province_code", "LabelS_Employer_country_code",
                           "LabelS_Employer_postal_code", "LabelRevCan_account_number"}) {
    auto* label = new QLabel(header);
    label->setObjectName(QLatin1String(name));
    headerLines->addWidget(label);
    m_header[QLatin1String(name)] = label;
  }
  top->addWidget(header);
  auto* titles = new QVBoxLayout;
  auto* year = new QLabel(this);
  year->setObjectName(QStringLiteral("LabelS_Taxation_year"));
  QFont big = year->font();
  big.setPointSize(24);
  year->setFont(big);
  year->setStyleSheet(QStringLiteral("color: red;"));
  m_header[QStringLiteral("LabelS_Taxation_year")] = year;
  auto* yearRow = new QHBoxLayout;
  yearRow->addWidget(year);
  yearRow->addWidget(
      new QLabel(QStringLiteral("Revenue Canada  T4  Statement of Remuneration Paid"), this));
  titles->addLayout(yearRow);

  // A row of boxes: each caption above its control.
  const auto boxes = [this](QWidget* parent, QGridLayout* grid, int row,
                            std::initializer_list<int> tags) {
    int column = 0;
    for (int tag : tags) {
      QWidget* control = m_controls.at(tag);
      control->setParent(parent);
      if (defOf(tag).kind != Kind::Check) {
        m_captions[tag] = new QLabel(QString::fromUtf8(defOf(tag).caption), parent);
        grid->addWidget(m_captions[tag], row, column);
      }
      grid->addWidget(control, row + 1, column++);
    }
  };
  auto* firstRow = new QGridLayout;
  boxes(this, firstRow, 0,
        {C::Void, C::EmploymentIncome, C::IncomeTax, C::ProvinceOfEmployment, C::Cpp,
         C::EiInsurable});
  titles->addLayout(firstRow);
  top->addLayout(titles, 1);

  // Every box in one area, scrolled on a screen too small for them: the employer and the
  // first boxes, name and address, the other boxes, the other information.
  auto* area = new QScrollArea(this);
  m_area = area;
  area->setObjectName(QStringLiteral("ScrollBoxEntries"));
  area->setWidgetResizable(true);
  auto* middle = new QWidget(area);
  auto* rows = new QVBoxLayout(middle);
  rows->addLayout(top);
  auto* person = new QGroupBox(QStringLiteral("Employee Name and Address"), middle);
  auto* personGrid = new QGridLayout(person);
  boxes(person, personGrid, 0, {C::Surname, C::FirstName, C::Initial});
  boxes(person, personGrid, 2, {C::Addr1, C::Addr2});
  boxes(person, personGrid, 4, {C::City, C::Province, C::Country, C::PostCode});
  rows->addWidget(person);
  auto* others = new QGridLayout;
  boxes(middle, others, 0, {C::Sin, C::CppExempt, C::EiExempt, C::EmploymentCode});
  others->addWidget(new QLabel(QStringLiteral("<= X if Exempt"), middle), 0, 1, 1, 2);
  boxes(middle, others, 2, {C::Qpp, C::PensionEarn, C::EiPremium, C::UnionDues});
  boxes(middle, others, 4, {C::Rpp, C::Charitable, C::PensionAdj, C::RppPlan});
  boxes(middle, others, 6, {C::Cpp2, C::Qpp2, C::Ppip, C::PpipInsurable});
  boxes(middle, others, 8, {C::Dental, C::ReportType, C::EmployeeNumber, C::PpipExempt});
  rows->addLayout(others);
  auto* otherInfo = new QGroupBox(QStringLiteral("Other Information"), middle);
  auto* otherGrid = new QGridLayout(otherInfo);
  for (int pair = 0; pair < 6; ++pair) {
    const int code = C::OtherCode1 + 2 * pair;
    otherGrid->addWidget(new QLabel(QString::fromUtf8(defOf(code).caption), otherInfo),
                         (pair / 3) * 2, (pair % 3) * 2);
    otherGrid->addWidget(new QLabel(QString::fromUtf8(defOf(code + 1).caption), otherInfo),
                         (pair / 3) * 2, (pair % 3) * 2 + 1);
    m_controls.at(code)->setParent(otherInfo);
    m_controls.at(code + 1)->setParent(otherInfo);
    otherGrid->addWidget(m_controls.at(code), (pair / 3) * 2 + 1, (pair % 3) * 2);
    otherGrid->addWidget(m_controls.at(code + 1), (pair / 3) * 2 + 1, (pair % 3) * 2 + 1);
  }
  rows->addWidget(otherInfo);
  area->setWidget(middle);
  layout->addWidget(area, 1);
  layout->addWidget(new QLabel(QStringLiteral("Scroll to see additional entry items"), this));

  addButtonBar(layout, TabOrder);
}

void TFormT4Entry::fillHeader() {
  const EmployerRecord& e = m_controller.employer();
  // The boxes that later years added show for the years that have them.
  const int year = e.u16(EmployerRecord::S_Taxation_year);
  const std::pair<int, int> fromYear[] = {{C::Cpp2, 2024},       {C::Qpp2, 2024},
                                          {C::Ppip, 2006},       {C::PpipInsurable, 2006},
                                          {C::PpipExempt, 2006}, {C::Dental, 2023}};
  for (const auto& [tag, first] : fromYear) {
    m_controls.at(tag)->setVisible(year >= first);
    if (m_captions.count(tag)) m_captions.at(tag)->setVisible(year >= first);
  }
  using E = EmployerRecord;
  m_header.at(QStringLiteral("LabelS_Employer_name_line_1"))
      ->setText(e.text(E::S_Employer_name_line_1));
  m_header.at(QStringLiteral("LabelS_Employer_address_line_1"))
      ->setText(e.text(E::S_Employer_address_line_1));
  m_header.at(QStringLiteral("LabelS_Employer_address_line_2"))
      ->setText(e.text(E::S_Employer_address_line_2));
  m_header.at(QStringLiteral("LabelS_Employer_city"))->setText(e.text(E::S_Employer_city));
  m_header.at(QStringLiteral("LabelS_Employer_province_code"))
      ->setText(e.text(E::S_Employer_province_code));
  m_header.at(QStringLiteral("LabelS_Employer_country_code"))
      ->setText(e.text(E::S_Employer_country_code));
  m_header.at(QStringLiteral("LabelS_Employer_postal_code"))
      ->setText(e.text(E::S_Employer_postal_code));
  m_header.at(QStringLiteral("LabelRevCan_account_number"))
      ->setText(QStringLiteral("54 Business#: ") + e.text(E::RevCan_account_number));
  m_header.at(QStringLiteral("LabelS_Taxation_year"))
      ->setText(QString::number(e.u16(E::S_Taxation_year)));
}

}  // namespace quillet
