// Quillet — the T4A entry screen: one recipient at a time, in name order.
#include "screens/ui/t4a_entry_screen.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QScrollArea>
#include <QVBoxLayout>

#include "checks/code_tables.h"
#include "data/open_t4_file.h"

namespace quillet {
namespace {

using C = T4AEntryController;
using Kind = SlipEntryScreen::Kind;

// In Tag order.
const SlipEntryScreen::ControlDef Controls[] = {
    {C::Void, "CheckBoxVOID", Kind::Check, "VOID T4A"},
    {C::IsBusiness, "CheckBoxRecipient_is_business", Kind::Check, "A business"},
    {C::Surname, "EditRecipient_surname", Kind::Text, "Surname", 20},
    {C::FirstName, "EditRecipient_first_name", Kind::Text, "First", 12},
    {C::Initial, "EditRecipient_initial", Kind::Text, "Initl", 1},
    {C::BusinessName1, "EditBusiness_name_line_1", Kind::Text, "Business name", 30},
    {C::BusinessName2, "EditBusiness_name_line_2", Kind::Text, "Business name line 2", 30},
    {C::Addr1, "EditRecipient_address_line_1", Kind::Text, "Addr1", 30},
    {C::Addr2, "EditRecipient_address_line_2", Kind::Text, "Addr2", 30},
    {C::City, "EditRecipient_city", Kind::Text, "City", 28},
    {C::Province, "EditRecipient_province_code", Kind::List, "Province"},
    {C::Country, "EditRecipient_country_code", Kind::List, "Country"},
    {C::PostCode, "EditRecipient_postal_code", Kind::Text, "Post/Zip", 10},
    {C::Sin, "EditRecipient_SIN", Kind::Number, "012 Soc.Insce.Num.", 11},
    {C::RecipientBn, "EditRecipient_BN", Kind::Text, "013 Recipient's BN", 15},
    {C::RecipientNumber, "EditRecipient_number", Kind::Text, "014 Recipient number", 20},
    {C::Pension, "EditPension_or_superannuation", Kind::Amount, "016 Pension"},
    {C::LumpSum, "EditLump_sum_payments", Kind::Amount, "018 Lump-sum"},
    {C::Commissions, "EditSelf_employed_commissions", Kind::Amount, "020 Commissions"},
    {C::IncomeTax, "EditIncome_tax_deducted", Kind::Amount, "022 Income tax deducted"},
    {C::Annuities, "EditAnnuities", Kind::Amount, "024 Annuities"},
    {C::Fees, "EditFees_for_services", Kind::Amount, "048 Fees for services"},
    {C::Dental, "EditDental_benefits_code", Kind::Number, "015 Dental benefits", 1},
    {C::RppPlan, "EditRPP_or_DPSP_number", Kind::Number, "RPP/DPSP Regn#", 7},
    {C::ReportType, "EditReport_type", Kind::List, "Report type"},
    {C::OtherCode1, "EditOther_info_code_1", Kind::List, "Box 1"},
    {C::OtherCode1 + 1, "EditOther_info_amount_1", Kind::Signed, "Amount 1"},
    {C::OtherCode1 + 2, "EditOther_info_code_2", Kind::List, "Box 2"},
    {C::OtherCode1 + 3, "EditOther_info_amount_2", Kind::Signed, "Amount 2"},
    {C::OtherCode1 + 4, "EditOther_info_code_3", Kind::List, "Box 3"},
    {C::OtherCode1 + 5, "EditOther_info_amount_3", Kind::Signed, "Amount 3"},
    {C::OtherCode1 + 6, "EditOther_info_code_4", Kind::List, "Box 4"},
    {C::OtherCode1 + 7, "EditOther_info_amount_4", Kind::Signed, "Amount 4"},
    {C::OtherCode1 + 8, "EditOther_info_code_5", Kind::List, "Box 5"},
    {C::OtherCode1 + 9, "EditOther_info_amount_5", Kind::Signed, "Amount 5"},
    {C::OtherCode1 + 10, "EditOther_info_code_6", Kind::List, "Box 6"},
    {C::OtherCode1 + 11, "EditOther_info_amount_6", Kind::Signed, "Amount 6"},
    {C::OtherCode1 + 12, "EditOther_info_code_7", Kind::List, "Box 7"},
    {C::OtherCode1 + 13, "EditOther_info_amount_7", Kind::Signed, "Amount 7"},
    {C::OtherCode1 + 14, "EditOther_info_code_8", Kind::List, "Box 8"},
    {C::OtherCode1 + 15, "EditOther_info_amount_8", Kind::Signed, "Amount 8"},
    {C::OtherCode1 + 16, "EditOther_info_code_9", Kind::List, "Box 9"},
    {C::OtherCode1 + 17, "EditOther_info_amount_9", Kind::Signed, "Amount 9"},
    {C::OtherCode1 + 18, "EditOther_info_code_10", Kind::List, "Box 10"},
    {C::OtherCode1 + 19, "EditOther_info_amount_10", Kind::Signed, "Amount 10"},
    {C::OtherCode1 + 20, "EditOther_info_code_11", Kind::List, "Box 11"},
    {C::OtherCode1 + 21, "EditOther_info_amount_11", Kind::Signed, "Amount 11"},
    {C::OtherCode12, "EditOther_info_code_12", Kind::List, "Box 12"},
    {C::OtherAmount12, "EditOther_info_amount_12", Kind::Signed, "Amount 12"},
};

// The Tab order: who the slip is for, the amounts, then the other information.
constexpr int TabOrder[] = {C::Void,
                            C::IsBusiness,
                            C::Surname,
                            C::FirstName,
                            C::Initial,
                            C::BusinessName1,
                            C::BusinessName2,
                            C::Addr1,
                            C::Addr2,
                            C::City,
                            C::Province,
                            C::Country,
                            C::PostCode,
                            C::Sin,
                            C::RecipientBn,
                            C::RecipientNumber,
                            C::Pension,
                            C::LumpSum,
                            C::Commissions,
                            C::IncomeTax,
                            C::Annuities,
                            C::Fees,
                            C::Dental,
                            C::RppPlan,
                            C::ReportType,
                            C::OtherCode1,
                            C::OtherCode1 + 1,
                            C::OtherCode1 + 2,
                            C::OtherCode1 + 3,
                            C::OtherCode1 + 4,
                            C::OtherCode1 + 5,
                            C::OtherCode1 + 6,
                            C::OtherCode1 + 7,
                            C::OtherCode1 + 8,
                            C::OtherCode1 + 9,
                            C::OtherCode1 + 10,
                            C::OtherCode1 + 11,
                            C::OtherCode1 + 12,
                            C::OtherCode1 + 13,
                            C::OtherCode1 + 14,
                            C::OtherCode1 + 15,
                            C::OtherCode1 + 16,
                            C::OtherCode1 + 17,
                            C::OtherCode1 + 18,
                            C::OtherCode1 + 19,
                            C::OtherCode1 + 20,
                            C::OtherCode1 + 21,
                            C::OtherCode12,
                            C::OtherAmount12};

}  // namespace

TFormT4AEntry::TFormT4AEntry(OpenT4FileState& state, ScreensUi& ui, QWidget* owner)
    : SlipEntryScreen(ui, owner), m_controller(state, ui) {
  setObjectName(QStringLiteral("TFormT4AEntry"));
  setWindowTitle(QStringLiteral("Processing: ") + state.T4FileName());
  m_countryTag = C::Country;
  m_firstTag = C::Surname;  // who the slip is for comes first
  // The other-information lists hold the codes of the file's year.
  EmployerRecord payer;
  readEmployerRecord(state, payer);
  const int year = payer.u16(EmployerRecord::S_Taxation_year);
  buildControls(Controls, [year](int tag) {
    switch (tag) {
      case C::Province:
        return addressProvinceCodes();
      case C::Country:
        return employeeCountryCodes();
      case C::ReportType:
        return C::reportTypeTexts();
      default:
        return C::otherInfoTexts(year);
    }
  });
  // The codes' lists as wide as a code and the start of its meaning; a list that drops down
  // shows the whole of each.
  for (int pair = 0; pair < T4ARecord::OtherInfoCount; ++pair) {
    auto* list = static_cast<QComboBox*>(m_controls.at(C::OtherCode1 + 2 * pair));
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(24);
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0));
  }
  layOut();
  showOpened(QStringLiteral("Payer's account#: "));
}

void TFormT4AEntry::layOut() {
  auto* layout = new QVBoxLayout(this);
  QHBoxLayout* top = buildHeader(
      QStringLiteral("T4A  Statement of Pension, Retirement, Annuity, and Other Income"),
      {C::Void, C::IsBusiness, C::Sin, C::RecipientBn, C::RecipientNumber});
  QScrollArea* area = newArea();
  auto* middle = new QWidget(area);
  auto* rows = new QVBoxLayout(middle);
  rows->addLayout(top);
  auto* recipient = new QGroupBox(
      QStringLiteral("Recipient: a person's name, or a business's, and the address"), middle);
  auto* grid = new QGridLayout(recipient);
  boxRow(recipient, grid, 0, {C::Surname, C::FirstName, C::Initial});
  boxRow(recipient, grid, 2, {C::BusinessName1, C::BusinessName2});
  boxRow(recipient, grid, 4, {C::Addr1, C::Addr2});
  boxRow(recipient, grid, 6, {C::City, C::Province, C::Country, C::PostCode});
  rows->addWidget(recipient);
  auto* boxes = new QGridLayout;
  boxRow(middle, boxes, 0, {C::Pension, C::LumpSum, C::Commissions, C::IncomeTax});
  boxRow(middle, boxes, 2, {C::Annuities, C::Fees, C::Dental, C::RppPlan});
  boxRow(middle, boxes, 4, {C::ReportType});
  rows->addLayout(boxes);
  rows->addWidget(otherInformation(middle, C::OtherCode1, T4ARecord::OtherInfoCount, 3));
  addScrolled(layout, middle);
  addButtonBar(layout, TabOrder);
}

void TFormT4AEntry::showBoxesOfYear(int year) { setBoxShown(C::Dental, year >= 2023); }

}  // namespace quillet
