// Quillet tests — the checks of a T4 record that know its tax year: CPP2/QPP2, Quebec's
// QPP, EI and PPIP figures, and the boxes each year has.
#include <gtest/gtest.h>

#include "checks/employer_checks.h"
#include "checks/t4_record_checks.h"
#include "checks/tax_years.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;

EmployerRecord employerOf(int year) {
  EmployerRecord e = goodEmployer();
  applyRates(e, *ratesOf(year));
  return e;
}

// An employee of `year` with the boxes given in dollars (box 45 answered from 2023).
struct Slip {
  int year = 2026;
  const char* province = "ON";
  double income = 0, cpp = 0, cpp2 = 0, ei = 0, ppip = 0;
  std::function<void(T4Record&)> also = {};
};

QStringList findingsOf(const Slip& s) {
  const EmployerRecord employer = employerOf(s.year);
  T4Record r = goodT4("Smith", "John");
  r.copyPrefixFrom(employer);
  const bool quebec = QLatin1String(s.province) == QLatin1String("QC");
  r.setText(T::Province_of_employment_code, QString::fromLatin1(s.province));
  const auto cents = [](double dollars) { return int32_t(std::llround(dollars * 100)); };
  r.setInt32(T::Employment_income, cents(s.income));
  r.setInt32(T::Employee_CPP, quebec ? 0 : cents(s.cpp));
  r.setInt32(T::Employee_QPP, quebec ? cents(s.cpp) : 0);
  r.setInt32(quebec ? T::Employee_QPP2 : T::Employee_CPP2, cents(s.cpp2));
  r.setInt32(T::Employee_EI_premium, cents(s.ei));
  r.setInt32(T::Employee_PPIP_premium, cents(s.ppip));
  if (s.year >= 2023) r.setByte(T::Dental_benefits_code, 1);
  if (s.also) s.also(r);
  QStringList lines;
  CheckT4Record(r, employer, lines);
  return lines.mid(2);
}

QStringList finding(std::initializer_list<QString> lines) {
  return QStringList{QStringLiteral("  ")} + QStringList(lines);
}

TEST(TaxYearChecks, cppAndCpp2AroundTheirCeilings) {
  struct Case {
    const char* what;
    Slip slip;
    QStringList expected;
  };
  const Case cases[] = {
      // clang-format off
      {"2026 under the YMPE", {2026, "ON", 60000, 3361.75, 0, 978.00}, {}},
      {"2026 just under the YMPE", {2026, "ON", 74599, 4230.39, 0, 1123.07}, {}},
      {"2026 at the YMPE", {2026, "ON", 74600, 4230.45, 0, 1123.07}, {}},
      {"2026 between the ceilings", {2026, "ON", 80000, 4230.45, 216.00, 1123.07}, {}},
      {"2026 CPP2 missing", {2026, "ON", 80000, 4230.45, 0, 1123.07}, finding({"Based on 80000.00 earnings was expecting second CPP or QPP contributions of 216.00", "Employee second CPP or QPP contributions at 0.00 is LOWER than expected."})},
      {"2026 at the YAMPE", {2026, "ON", 85000, 4230.45, 416.00, 1123.07}, {}},
      {"2026 over the YAMPE", {2026, "ON", 90000, 4230.45, 416.00, 1123.07}, {}},
      {"2026 CPP2 over its maximum", {2026, "ON", 90000, 4230.45, 500.00, 1123.07}, finding({"Second CPP or QPP contributions are greater than the 416.00 maximum for the year"}) + finding({"Based on 90000.00 earnings was expecting second CPP or QPP contributions of 416.00", "Employee second CPP or QPP contributions at 500.00 is HIGHER than expected."})},
      {"2024 between the ceilings", {2024, "ON", 70000, 3867.50, 60.00, 1049.12}, {}},
      {"2025 over the YAMPE", {2025, "ON", 100000, 4034.10, 396.00, 1077.48}, {}},
      {"2023 has no CPP2", {2023, "ON", 80000, 3754.45, 100.00, 1002.45}, finding({"Boxes 16A and 17A (second CPP or QPP contributions) are for the", "2024 tax year and later only."})},
      // clang-format on
  };
  for (const Case& c : cases) EXPECT_EQ(findingsOf(c.slip), c.expected) << c.what;
}

TEST(TaxYearChecks, quebecEmploymentByItsOwnRates) {
  struct Case {
    const char* what;
    Slip slip;
    QStringList expected;
  };
  const Case cases[] = {
      // clang-format off
      {"QPP, Quebec EI and PPIP", {2026, "QC", 50000, 2929.50, 0, 650.00, 215.00}, {}},
      {"every maximum", {2026, "QC", 110000, 4479.30, 416.00, 895.70, 442.90}, {}},
      {"the federal EI rate", {2026, "QC", 50000, 2929.50, 0, 815.00, 215.00}, finding({"Based on 50000.00 earnings was expecting EI premiums of 650.00", "Employee EI premiums at 815.00 is HIGHER than expected."})},
      {"no PPIP", {2026, "QC", 50000, 2929.50, 0, 650.00, 0}, finding({"Based on 50000.00 earnings was expecting PPIP premiums of 215.00", "Employee PPIP premiums at 0.00 is LOWER than expected."})},
      {"PPIP on box 56", {2026, "QC", 50000, 2929.50, 0, 650.00, 129.00, [](T4Record& r) { r.setInt32(T::PPIP_insurable_earnings, 3000000); }}, {}},
      {"no PPIP under 2000.00 of income", {2026, "QC", 1500, 0, 0, 19.50, 0}, {}},
      {"no PPIP over its maximum insurable earnings", {2026, "QC", 120000, 4479.30, 416.00, 895.70, 0}, finding({"PPIP premiums are less than the 442.90 maximum for the year,", "but earnings indicate the maximum might be due."})},
      {"PPIP over its maximum", {2026, "QC", 120000, 4479.30, 416.00, 895.70, 500.00}, finding({"PPIP premium is greater than the 442.90 maximum for the year"})},
      {"exempt from PPIP but with a premium", {2026, "QC", 50000, 2929.50, 0, 650.00, 215.00, [](T4Record& r) { r.setFlag(T::PPIP_Exempt, true); }}, finding({"Employee is marked Exempt from PPIP but has entries that indicate otherwise"})},
      {"QPP2 in box 16A", {2026, "QC", 90000, 4479.30, 416.00, 895.70, 387.00, [](T4Record& r) { r.setInt32(T::Employee_CPP2, 41600); r.setInt32(T::Employee_QPP2, 0); }}, finding({"Quebec employment has second QPP contributions in box 17A, not in", "box 16A."})},
      {"QPP2 outside Quebec", {2026, "ON", 90000, 4230.45, 0, 1123.07, 0, [](T4Record& r) { r.setInt32(T::Employee_QPP2, 41600); }}, finding({"Box 17A (second QPP contributions) is for Quebec employment only,", "second CPP contributions go in box 16A."})},
      {"2005 has no PPIP", {2005, "QC", 30000, 1311.75, 0, 585.00, 10.00}, finding({"Boxes 55 and 56 (PPIP) are for Quebec employment from the 2006", "tax year on only."})},
      // clang-format on
  };
  for (const Case& c : cases) EXPECT_EQ(findingsOf(c.slip), c.expected) << c.what;
}

TEST(TaxYearChecks, theBoxesAndCodesOfEachYear) {
  struct Case {
    const char* what;
    int year;
    std::function<void(T4Record&)> change;
    QStringList expected;
  };
  const auto dental = [](int code) {
    return [code](T4Record& r) { r.setByte(T::Dental_benefits_code, uint8_t(code)); };
  };
  const auto otherCode = [](const char* code) {
    return [code](T4Record& r) {
      r.setText(T::Other_info_code_1, QString::fromLatin1(code) + " Other");
      r.setInt32(T::Other_info_amount_1, 10000);
    };
  };
  const Case cases[] = {
      // clang-format off
      {"box 45 before 2023", 2022, dental(2), finding({"Box 45 (employer-offered dental benefits) is for the 2023 tax year", "and later only."})},
      {"box 45 missing", 2024, dental(0), finding({"Box 45 (employer-offered dental benefits) is missing, a code 1 to 5 is", "required from the 2023 tax year."})},
      {"box 45 stored by another program", 2026, dental(9), finding({"Box 45 (employer-offered dental benefits) code 9 is invalid, it must be 1 to 5."})},
      {"employment code 18 in 2025", 2025, [](T4Record& r) { r.setText(T::Employment_code, "18"); }, finding({"Employment code must be 11 to 17 from the 2025 tax year."})},
      {"employment code 18 in 2024", 2024, [](T4Record& r) { r.setText(T::Employment_code, "18"); }, {}},
      {"code 57 in 2020", 2020, otherCode("57"), {}},
      {"code 57 in 2021", 2021, otherCode("57"), finding({"Box number code 57 of the 1st. \"Other Information\" item is not a code of the 2021 tax year"})},
      {"code 90 in 2024", 2024, otherCode("90"), {}},
      {"code 43 in 2000 is left to the format check", 2000, otherCode("43"), {}},
      // clang-format on
  };
  for (const Case& c : cases) {
    Slip slip;
    slip.year = c.year;
    const TaxYearRates& rates = *ratesOf(c.year);
    slip.income = 20000;
    slip.cpp = (20000 - 3500) * rates.cppRate / 1e6;
    slip.ei = 20000 * rates.eiRate / 1e6;
    slip.also = c.change;
    EXPECT_EQ(findingsOf(slip), c.expected) << c.what;
  }
}

}  // namespace
