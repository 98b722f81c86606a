// Quillet tests — the checks of one T4 record.
#include "checks/t4_record_checks.h"

#include <gtest/gtest.h>

#include "checks/code_tables.h"
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

// Each finding is a blank line and its text.
QStringList finding(std::initializer_list<QString> lines) {
  return QStringList{QStringLiteral("  ")} + QStringList(lines);
}

T4Record smith(std::initializer_list<FieldChange> changes) {
  return with(goodT4("Smith", "John", "A"), changes);
}

const QStringList lessThanBenefits = finding({"Employment income is less than taxable benefits."});
const QStringList negative =
    finding({"One or more numeric field is negative. Revenue Canada cannot process negatives."});
const QStringList voidHint =
    finding({"If no group term life taxable benefits, then you can VOID this T4 as",
             "earnings below $500.00 and no CPP/EI/Income Tax deductions."});

// 20000.00 of earnings with the 1999 rates: CPP 577.50 to 697.64, EI 510.00.
QStringList cppLines(const char* cpp, const char* verdict, const char* base = "20000.00",
                     const char* range = "577.50 (if 52 weeks worked) to 697.64") {
  return finding(
      {QStringLiteral("Based on %1 earnings was expecting CPP or QPP contributions in").arg(base),
       QStringLiteral("range %1 (if only 1 week worked).").arg(range),
       QStringLiteral("Employee CPP or QPP contributions at %1 is %2 than expected.")
           .arg(cpp, verdict)});
}
QStringList eiLines(const char* premium, const char* verdict) {
  return finding(
      {"Based on 20000.00 earnings was expecting EI premiums of 510.00",
       QStringLiteral("Employee EI premiums at %1 is %2 than expected.").arg(premium, verdict)});
}
QStringList maximumDue(const char* what, const char* maximum) {
  return finding(
      {QStringLiteral("%1 are less than the %2 maximum for the year,").arg(what, maximum),
       "but earnings indicate the maximum might be due."});
}

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
    return with(goodT4("Smith", "John", "A"),
                {{T::Other_info_code[i], code}, {T::Other_info_amount[i], amount}});
  };
  const QString badSin = "Employee Social Insurance Number failed Revenue Canada validity check";
  const QString cppMaximum = "CPP or QPP premium is greater than the 1186.50 maximum for the year";
  const struct {
    const char* what;
    T4Record record;
    QStringList expected;
  } cases[] = {
      // clang-format off
      {"no name", smith({{T::Employee_surname, ""}, {T::Employee_first_name, ""}}), finding({"Employee has no name"})},
      {"no surname", smith({{T::Employee_surname, ""}}), finding({"Part of employee name is missing"})},
      {"no first name", smith({{T::Employee_first_name, ""}}), finding({"Part of employee name is missing"})},
      {"no street", smith({{T::Employee_address_line_1, ""}}), finding({"Employee has no street address"})},
      {"street on line 2", smith({{T::Employee_address_line_1, ""}, {T::Employee_address_line_2, "2 Elm"}}), finding({"A good place to start Employee street address is on line 1"})},
      {"no city", smith({{T::Employee_city, ""}}), finding({"Employee has no city or town in the address"})},
      {"one-letter province", smith({{T::Employee_province_code, "O"}}), finding({"Employee has no Province or State in the address"})},
      {"unknown province", smith({{T::Employee_province_code, "XX"}}), finding({"Address Province or State code is invalid, select from the drop down list"})},
      {"province name", smith({{T::Employee_province_code, "Ontario"}}), {}},
      {"state", smith({{T::Employee_province_code, "ny"}}), {}},
      {"no postal code", smith({{T::Employee_postal_code, ""}}), finding({"Employee has no postal or zip code in the address"})},
      {"no SIN", smith({{T::Employee_SIN, ""}}), finding({"Employee has no Social Insurance Number"})},
      {"short SIN", smith({{T::Employee_SIN, "04645428"}}), finding({"Employee Social Insurance Number does not contain 9 numeric digits"})},
      {"bad SIN", smith({{T::Employee_SIN, "046454287"}}), finding({badSin})},
      {"SIN in groups, bad", smith({{T::Employee_SIN, "046-454-287"}}), finding({badSin})},
      {"no province of employment", smith({{T::Province_of_employment_code, "O"}}), finding({"Employee has no Province of Employment code"})},
      {"bad province of employment", smith({{T::Province_of_employment_code, "DC"}}), finding({"Province of Employment code is invalid, select from the drop down list"})},
      {"employment outside Canada", smith({{T::Province_of_employment_code, "us"}}), {}},
      {"NN", smith({{T::Province_of_employment_code, "NN"}}), {}},
      {"ZZ", smith({{T::Province_of_employment_code, "ZZ"}}), {}},
      {"employment code 1X", smith({{T::Employment_code, "1X"}}), finding({"Employment code is invalid"})},
      {"employment code 1", smith({{T::Employment_code, "1"}}), finding({"Employment code is invalid"})},
      {"employment code 99", smith({{T::Employment_code, "99"}}), {}},
      {"employment code text", smith({{T::Employment_code, "13 Barber or Hairdresser"}}), {}},
      {"small earnings", small(49999), voidHint},
      {"500.00 of earnings", small(50000), {}},
      {"negative earnings", small(-100), voidHint + lessThanBenefits + negative},
      {"CPP low", smith({{T::Employee_CPP, 50000}}), cppLines("500.00", "LOWER")},
      {"CPP at the least", smith({{T::Employee_CPP, 57250}}), {}},
      {"CPP a cent low", smith({{T::Employee_CPP, 57249}}), cppLines("572.49", "LOWER")},
      {"CPP at the most", smith({{T::Employee_CPP, 69864}}), {}},
      {"CPP a cent high", smith({{T::Employee_CPP, 69865}}), cppLines("698.65", "HIGHER")},
      {"under the exemption", smith({{T::Employment_income, 300000}, {T::Employee_CPP, 10365}, {T::Employee_EI_premium, 7650}}), cppLines("103.65", "HIGHER", "3000.00", "0.00 (if 52 weeks worked) to 102.64")},
      {"CPP near the maximum", forty(118150), {}},
      {"CPP short of the maximum", forty(118149), maximumDue("CPP or QPP contributions", "1186.50")},
      {"CPP over the maximum", forty(118651), finding({cppMaximum})},
      {"CPP and QPP", smith({{T::Employee_CPP, 30000}, {T::Employee_QPP, 30000}}), finding({"T4 is for one Province, you should not have entries in BOTH CPP and", "QPP contributions. QPP is Quebec only."})},
      {"CPP and QPP over the maximum together", forty(60000, 60000), finding({"T4 is for one Province, you should not have entries in BOTH CPP and", "QPP contributions. QPP is Quebec only."}) + finding({cppMaximum})},
      {"pensionable earnings", smith({{T::CPP_OR_Quebec_PensionEarn, 1000000}, {T::Employee_CPP, 29750}}), {}},
      {"pensionable earnings, CPP low", smith({{T::CPP_OR_Quebec_PensionEarn, 1000000}, {T::Employee_CPP, 22249}}), cppLines("222.49", "LOWER", "10000.00", "227.50 (if 52 weeks worked) to 347.64")},
      {"exempt from CPP with QPP", smith({{T::CPP_OR_Quebec_Pension_Exempt, true}, {T::Employee_CPP, 0}, {T::Employee_QPP, 60000}}), finding({"Employee is marked Exempt from CPP but has entries that indicate otherwise"})},
      {"exempt and empty", smith({{T::CPP_OR_Quebec_Pension_Exempt, true}, {T::Employee_CPP, 0}, {T::EI_Exempt, true}, {T::Employee_EI_premium, 0}}), {}},
      {"exempt from EI with EI", smith({{T::EI_Exempt, true}}), finding({"Employee is marked Exempt from EI but has entries that indicate otherwise"})},
      {"EI at the least", smith({{T::Employee_EI_premium, 50500}}), {}},
      {"EI at the most", smith({{T::Employee_EI_premium, 51500}}), {}},
      {"EI a cent low", smith({{T::Employee_EI_premium, 50499}}), eiLines("504.99", "LOWER")},
      {"EI a cent high", smith({{T::Employee_EI_premium, 51501}}), eiLines("515.01", "HIGHER")},
      {"EI near the maximum", insured(98950), {}},
      {"EI short of the maximum", insured(98949), maximumDue("EI premiums", "994.50")},
      {"EI over the maximum", insured(99451), finding({"EI premium is greater than the 994.50 maximum for the year"})},
      {"no earnings", smith({{T::Employment_income, 0}}), finding({"Employment income is zero"}) + finding({"CPP or QPP contributions entered but no income to base calculation on."}) + finding({"EI premiums entered but no income to base calculation on."})},
      {"a taxable benefit", benefit("30 Housing Board Lodging"), lessThanBenefits},
      {"not a taxable benefit", benefit("31 Special Work Site"), {}},
      {"code without a box", info(2, "30", 100), finding({"Invalid box number code for 3rd. \"Other Information\" item"})},
      {"code of a letter", info(0, "X0 Other", 100), finding({"Invalid box number code for 1st. \"Other Information\" item"})},
      {"no code", info(5, "", 100), finding({"Invalid box number code for 6th. \"Other Information\" item"})},
      {"a code with no amount is not tested", info(1, "zz", 0), {}},
      {"code 99", info(1, "99 Whatever", 100), {}},
      {"one negative", smith({{T::Union_dues, -1}}), negative},
      {"several negatives", smith({{T::Charitable_donations, -1}, {T::Pension_adjustment, -1}, {T::Other_info_code_6, "31 Special Work Site"}, {T::Other_info_amount_6, -1}}), negative},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(findingsOf(c.record), c.expected) << c.what;

  EXPECT_NE(findingsOf(smith({{T::Employment_income, 49999}, {T::Employee_CPP, 1}})).mid(0, 3),
            voidHint)
      << "any deduction silences the hint";
  T4Record huge = smith({{T::Employment_income, 2000000000}});
  for (int i = 0; i < T::OtherInfoCount; ++i) {
    change(huge,
           {{T::Other_info_code[i], "40 Other Taxable"}, {T::Other_info_amount[i], 2000000000}});
  }
  EXPECT_TRUE(findingsOf(huge).contains(lessThanBenefits.last())) << "summed without overflow";
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
