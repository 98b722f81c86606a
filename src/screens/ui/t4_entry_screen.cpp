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
  m_firstTag = C::EmploymentIncome;  // box 14 takes the focus
  buildControls(Controls, listOf);
  layOut();
  showOpened(QStringLiteral("54 Business#: "));
}

void TFormT4Entry::layOut() {
  auto* layout = new QVBoxLayout(this);
  QHBoxLayout* top =
      buildHeader(QStringLiteral("Revenue Canada  T4  Statement of Remuneration Paid"),
                  {C::Void, C::EmploymentIncome, C::IncomeTax, C::ProvinceOfEmployment, C::Cpp,
                   C::EiInsurable});
  // Every box in one area: the employer and the first boxes, name and address, the other
  // boxes, the other information.
  QScrollArea* area = newArea();
  auto* middle = new QWidget(area);
  auto* rows = new QVBoxLayout(middle);
  rows->addLayout(top);
  auto* person = new QGroupBox(QStringLiteral("Employee Name and Address"), middle);
  auto* personGrid = new QGridLayout(person);
  boxRow(person, personGrid, 0, {C::Surname, C::FirstName, C::Initial});
  boxRow(person, personGrid, 2, {C::Addr1, C::Addr2});
  boxRow(person, personGrid, 4, {C::City, C::Province, C::Country, C::PostCode});
  rows->addWidget(person);
  auto* others = new QGridLayout;
  boxRow(middle, others, 0, {C::Sin, C::CppExempt, C::EiExempt, C::EmploymentCode});
  others->addWidget(new QLabel(QStringLiteral("<= X if Exempt"), middle), 0, 1, 1, 2);
  boxRow(middle, others, 2, {C::Qpp, C::PensionEarn, C::EiPremium, C::UnionDues});
  boxRow(middle, others, 4, {C::Rpp, C::Charitable, C::PensionAdj, C::RppPlan});
  boxRow(middle, others, 6, {C::Cpp2, C::Qpp2, C::Ppip, C::PpipInsurable});
  boxRow(middle, others, 8, {C::Dental, C::ReportType, C::EmployeeNumber, C::PpipExempt});
  rows->addLayout(others);
  rows->addWidget(otherInformation(middle, C::OtherCode1, T4Record::OtherInfoCount, 3));
  addScrolled(layout, middle);
  addButtonBar(layout, TabOrder);
}

void TFormT4Entry::showBoxesOfYear(int year) {
  // The boxes that later years added show for the years that have them.
  const std::pair<int, int> fromYear[] = {{C::Cpp2, 2024},       {C::Qpp2, 2024},
                                          {C::Ppip, 2006},       {C::PpipInsurable, 2006},
                                          {C::PpipExempt, 2006}, {C::Dental, 2023}};
  for (const auto& [tag, first] : fromYear) setBoxShown(tag, year >= first);
}

}  // namespace quillet
