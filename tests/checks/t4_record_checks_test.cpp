// Quillet tests — the checks of one T4 record.
#include "checks/t4_record_checks.h"

#include <gtest/gtest.h>

#include "checks/code_tables.h"
#include "golden.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;

// The lines a record adds after its two header lines.
QStringList findingsOf(T4Record record) {
  QStringList lines;
  CheckT4Record(record, goodEmployer(), lines);
  EXPECT_GE(lines.size(), 2);
  return lines.mid(2);
}

T4Record smith(std::initializer_list<FieldChange> changes) {
  return with(goodT4("Smith", "John", "A"), changes);
}

// The findings of every kind of record, recorded. 20000.00 of earnings with the 1999 rates
// expect CPP of 577.50 to 697.64 and EI of 510.00; each case moves one figure across the
// edge of its range, or leaves out what the checks ask for.
TEST(CheckT4Record, findingsOfEachKindOfRecord) {
  const auto small = [](int32_t income) {
    return smith({{T::Employment_income, income},
                  {T::Income_tax_deducted, 0},
                  {T::Employee_CPP, 0},
                  {T::Employee_EI_premium, 0},
                  {T::CPP_OR_Quebec_Pension_Exempt, true},
                  {T::EI_Exempt, true}});
  };
  const auto benefit = [](const char* code) {
    return smith({{T::Employment_income, 50000},
                  {T::Employee_CPP, 0},
                  {T::Employee_EI_premium, 1275},
                  {T::CPP_OR_Quebec_Pension_Exempt, true},
                  {T::Other_info_code_3, code},
                  {T::Other_info_amount_3, 60000}});
  };
  const auto forty = [](int32_t cpp, int32_t qpp = 0) {
    return smith({{T::Employment_income, 4000000},
                  {T::Employee_CPP, cpp},
                  {T::Employee_QPP, qpp},
                  {T::Employee_EI_premium, 99450}});
  };
  const auto insured = [](int32_t premium) {
    return smith({{T::EI_insurable_earnings, 3900000}, {T::Employee_EI_premium, premium}});
  };
  const auto info = [](int i, const char* code, int32_t amount) {
    return smith({{T::Other_info_code[i], code}, {T::Other_info_amount[i], amount}});
  };
  T4Record huge = smith({{T::Employment_income, 2000000000}});
  for (int i = 0; i < T::OtherInfoCount; ++i)
    change(huge,
           {{T::Other_info_code[i], "40 Other Taxable"}, {T::Other_info_amount[i], 2000000000}});
  const struct {
    const char* what;
    T4Record record;
  } cases[] = {
      // clang-format off
      {"no name", smith({{T::Employee_surname, ""}, {T::Employee_first_name, ""}})},
      {"no surname", smith({{T::Employee_surname, ""}})},
      {"no first name", smith({{T::Employee_first_name, ""}})},
      {"no street", smith({{T::Employee_address_line_1, ""}})},
      {"street on line 2", smith({{T::Employee_address_line_1, ""}, {T::Employee_address_line_2, "2 Elm"}})},
      {"no city", smith({{T::Employee_city, ""}})},
      {"one-letter province", smith({{T::Employee_province_code, "O"}})},
      {"unknown province", smith({{T::Employee_province_code, "XX"}})},
      {"province name", smith({{T::Employee_province_code, "Ontario"}})},
      {"state", smith({{T::Employee_province_code, "ny"}})},
      {"no postal code", smith({{T::Employee_postal_code, ""}})},
      {"no SIN", smith({{T::Employee_SIN, ""}})},
      {"short SIN", smith({{T::Employee_SIN, "04645428"}})},
      {"bad SIN", smith({{T::Employee_SIN, "046454287"}})},
      {"SIN in groups, bad", smith({{T::Employee_SIN, "046-454-287"}})},
      {"no province of employment", smith({{T::Province_of_employment_code, "O"}})},
      {"bad province of employment", smith({{T::Province_of_employment_code, "DC"}})},
      {"employment outside Canada", smith({{T::Province_of_employment_code, "us"}})},
      {"NN", smith({{T::Province_of_employment_code, "NN"}})},
      {"ZZ", smith({{T::Province_of_employment_code, "ZZ"}})},
      {"employment code 1X", smith({{T::Employment_code, "1X"}})},
      {"employment code 1", smith({{T::Employment_code, "1"}})},
      {"employment code 99", smith({{T::Employment_code, "99"}})},
      {"employment code text", smith({{T::Employment_code, "13 Barber or Hairdresser"}})},
      {"small earnings", small(49999)},
      {"500.00 of earnings", small(50000)},
      {"negative earnings", small(-100)},
      {"CPP low", smith({{T::Employee_CPP, 50000}})},
      {"CPP at the least", smith({{T::Employee_CPP, 57250}})},
      {"CPP a cent low", smith({{T::Employee_CPP, 57249}})},
      {"CPP at the most", smith({{T::Employee_CPP, 69864}})},
      {"CPP a cent high", smith({{T::Employee_CPP, 69865}})},
      {"under the exemption", smith({{T::Employment_income, 300000}, {T::Employee_CPP, 10365}, {T::Employee_EI_premium, 7650}})},
      {"CPP near the maximum", forty(118150)},
      {"CPP short of the maximum", forty(118149)},
      {"CPP over the maximum", forty(118651)},
      {"CPP and QPP", smith({{T::Employee_CPP, 30000}, {T::Employee_QPP, 30000}})},
      {"CPP and QPP over the maximum together", forty(60000, 60000)},
      {"pensionable earnings", smith({{T::CPP_OR_Quebec_PensionEarn, 1000000}, {T::Employee_CPP, 29750}})},
      {"pensionable earnings, CPP low", smith({{T::CPP_OR_Quebec_PensionEarn, 1000000}, {T::Employee_CPP, 22249}})},
      {"exempt from CPP with QPP", smith({{T::CPP_OR_Quebec_Pension_Exempt, true}, {T::Employee_CPP, 0}, {T::Employee_QPP, 60000}})},
      {"exempt and empty", smith({{T::CPP_OR_Quebec_Pension_Exempt, true}, {T::Employee_CPP, 0}, {T::EI_Exempt, true}, {T::Employee_EI_premium, 0}})},
      {"exempt from EI with EI", smith({{T::EI_Exempt, true}})},
      {"EI at the least", smith({{T::Employee_EI_premium, 50500}})},
      {"EI at the most", smith({{T::Employee_EI_premium, 51500}})},
      {"EI a cent low", smith({{T::Employee_EI_premium, 50499}})},
      {"EI a cent high", smith({{T::Employee_EI_premium, 51501}})},
      {"EI near the maximum", insured(98950)},
      {"EI short of the maximum", insured(98949)},
      {"EI over the maximum", insured(99451)},
      {"no earnings", smith({{T::Employment_income, 0}})},
      {"a taxable benefit", benefit("30 Housing Board Lodging")},
      {"not a taxable benefit", benefit("31 Special Work Site")},
      {"code without a box", info(2, "30", 100)},
      {"code of a letter", info(0, "X0 Other", 100)},
      {"no code", info(5, "", 100)},
      {"a code with no amount is not tested", info(1, "zz", 0)},
      {"code 99", info(1, "99 Whatever", 100)},
      {"one negative", smith({{T::Union_dues, -1}})},
      {"several negatives", smith({{T::Charitable_donations, -1}, {T::Pension_adjustment, -1}, {T::Other_info_code_6, "31 Special Work Site"}, {T::Other_info_amount_6, -1}})},
      {"any deduction silences the VOID hint", smith({{T::Employment_income, 49999}, {T::Employee_CPP, 1}})},
      {"taxable benefits summed without overflow", huge},
      // clang-format on
  };
  QString all;
  for (const auto& c : cases)
    all += QStringLiteral("== %1\n").arg(QLatin1String(c.what)) + findingsOf(c.record).join(u'\n') +
           u'\n';
  expectGolden("t4_record_findings", all);
}

TEST(CheckT4Record, headerVoidAndCapitals) {
  QStringList lines{"kept"};
  T4Record record = smith({{T::Employee_SIN, "046 454 286"},
                           {T::Employee_province_code, "on"},
                           {T::Province_of_employment_code, "us"}});
  CheckT4Record(record, goodEmployer(), lines);
  EXPECT_EQ(lines,
            QStringList({"kept", "  ", "Validation Report for SIN 046 454 286  John Smith"}));
  EXPECT_EQ(record.text(T::Employee_province_code), "ON") << "two-letter codes capitalised";
  EXPECT_EQ(record.text(T::Province_of_employment_code), "US");
  record.setText(T::Employee_province_code, "ontario");
  CheckT4Record(record, goodEmployer(), lines);
  EXPECT_EQ(record.text(T::Employee_province_code), "ontario") << "longer texts are left alone";

  lines.clear();
  T4Record empty;  // every check would fire
  empty.setFlag(T::VOID, true);
  CheckT4Record(empty, goodEmployer(), lines);
  EXPECT_TRUE(lines.isEmpty()) << "a VOID record adds nothing";
}

TEST(ReconciliationNotes, twentyLinesWithBlanksBetweenTheParagraphs) {
  QStringList lines{"kept"};
  ReconciliationNotes(lines);
  ASSERT_EQ(lines.size(), 21);
  EXPECT_EQ(lines.at(1),
            "The following are items you may want to re-check before printing.  If any");
  for (int blank : {5, 10, 17, 20}) EXPECT_EQ(lines.at(blank), "  ") << blank;
  EXPECT_EQ(lines.at(19), "size of the calculation error.");
}

TEST(CodeTables, membershipIsExactOnTheFirstTwoCharacters) {
  EXPECT_EQ(addressProvinceCodes().size(), 65);
  EXPECT_EQ(addressProvinceCodes().indexOf("ZZ"), 13);
  EXPECT_EQ(addressProvinceCodes().indexOf("WY"), 64);
  EXPECT_EQ(employmentProvinceCodes().size(), 16);
  EXPECT_EQ(otherInfoCodes().size(), 20);
  EXPECT_TRUE(CheckAddressProvince("ONTARIO"));
  EXPECT_TRUE(CheckEmploymentProvince("US"));
  for (const char* code : {"on", "O", "US"}) EXPECT_FALSE(CheckAddressProvince(code)) << code;
  EXPECT_FALSE(CheckEmploymentProvince("NY"));
  for (const char* code : {"30", "32", "34", "36", "38", "40", "42"})
    EXPECT_TRUE(isTaxableBenefitCode(code)) << code;
  for (const char* code : {"31", "33", "35", "37", "39", "41", "70", "76", "3", ""})
    EXPECT_FALSE(isTaxableBenefitCode(code)) << code;
}

}  // namespace
