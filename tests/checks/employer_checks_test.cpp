// Quillet tests — the checks of the employer record and its default rates.
#include "checks/employer_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "checks/tax_years.h"
#include "core/clock.h"
#include "golden.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using E = EmployerRecord;

QStringList findingsOf(EmployerRecord employer) {
  QStringList lines;
  CheckEmployerRecord(employer, lines);
  return lines;
}

// Each finding is a blank line and its text.
QStringList finding(std::initializer_list<QString> lines) {
  return QStringList{QStringLiteral("  ")} + QStringList(lines);
}

EmployerRecord acme(std::initializer_list<FieldChange> changes) {
  return with(goodEmployer(), changes);
}

// The findings of every kind of employer record, recorded with the changes each makes to a
// good one.
TEST(CheckEmployerRecord, eachFindingWithItsMessage) {
  expectRecordedTable("employer_findings", [](const QString& line) {
    EmployerRecord employer = line.startsWith(u"an empty record") ? EmployerRecord() : acme({});
    change(employer, E::layout(), line.section(QStringLiteral(" | "), 1));
    return findingsOf(employer).join(u'\n') + u'\n';
  });

  EmployerRecord lower = acme({{E::S_Employer_province_code, "on"}});
  QStringList lines;
  CheckEmployerRecord(lower, lines);
  EXPECT_TRUE(lines.isEmpty());
  EXPECT_EQ(lower.text(E::S_Employer_province_code), "ON") << "capitalised in the record";
}

TEST(CheckEmployerRecord, theRatesThatLaterYearsAdded) {
  struct Case {
    int year;
    const Field* cleared;
    QStringList expected;
  };
  const Case cases[] = {
      // clang-format off
      {2026, nullptr, {}},
      {2000, &E::QPP_rate, {}},
      {2001, &E::QPP_rate, finding({"One or more of the QPP rating entries are missing"})},
      {2023, &E::CPP2_rate, {}},
      {2024, &E::CPP2_rate, finding({"One or more of the CPP2 or QPP2 rating entries are missing"})},
      {2005, &E::PPIP_rate, {}},
      {2006, &E::PPIP_rate, finding({"One or more of the Quebec EI or PPIP rating entries are missing"})},
      {2026, &E::QC_EI_max_premium, finding({"One or more of the Quebec EI or PPIP rating entries are missing"})},
      // clang-format on
  };
  for (const Case& c : cases) {
    EmployerRecord employer = goodEmployer();
    applyRates(employer, *ratesOf(c.year));
    if (c.cleared) employer.setInt32(*c.cleared, 0);
    QStringList lines;
    CheckEmployerRecord(employer, lines);
    EXPECT_EQ(lines, c.expected) << c.year;
  }
}

TEST(SetDefaultRates, takesTheYearThatIsEndingFromSeptemberOn) {
  struct Case {
    QDate today;
    uint16_t year;
  };
  const Case cases[] = {{{2000, 8, 31}, 1999}, {{2000, 9, 1}, 2000},  {{2001, 1, 1}, 2000},
                        {{2001, 8, 31}, 2000}, {{2001, 9, 1}, 2001},  {{1999, 12, 31}, 1999},
                        {{1998, 10, 1}, 1999}, {{2024, 8, 31}, 2023}, {{2024, 9, 1}, 2024},
                        {{2026, 8, 31}, 2025}, {{2026, 12, 6}, 2026}, {{2031, 2, 1}, 2026}};
  for (const Case& c : cases) {
    EmployerRecord employer;
    SetDefaultRates(employer, FixedClock(QDateTime(c.today, QTime(12, 0))));
    EXPECT_EQ(employer.u16(E::S_Taxation_year), c.year) << c.today.toString().toStdString();
    EXPECT_EQ(employer.int32(E::CPP_basic_exemption), 350000);
    EXPECT_EQ(employer.int32(E::EI_employer_multiplier), 0) << "the multiplier is the caller's";
  }
}

// Each maximum is the one its year's rate gives, to the cent (2000's employer EI maximum
// as published): a row typed wrong does not pass.
TEST(TaxYears, everyRowAgreesWithItsOwnRates) {
  const auto product = [](int32_t cents, int32_t rate) {
    return int32_t(std::llround(double(cents) * rate / 1e6));
  };
  int expectedYear = 1999;
  for (const TaxYearRates& r : taxYears()) {
    SCOPED_TRACE(r.year);
    EXPECT_EQ(r.year, expectedYear++);
    EXPECT_NEAR(r.cppMax, product(r.ympe - r.basicExemption, r.cppRate), 1);
    EXPECT_NEAR(r.qppMax, product(r.ympe - r.basicExemption, r.qppRate), 1);
    EXPECT_NEAR(r.cpp2Max, product(std::max(r.yampe - r.ympe, 0), 40000), 1);
    EXPECT_EQ(r.qpp2Max, r.cpp2Max);
    EXPECT_NEAR(r.eiMax, product(r.eiMaxInsurable, r.eiRate), 1);
    EXPECT_NEAR(r.quebecEiMax, product(r.eiMaxInsurable, r.quebecEiRate), 1);
    EXPECT_NEAR(r.qpipEmployeeMax, product(r.qpipMaxInsurable, r.qpipEmployeeRate), 1);
    EXPECT_NEAR(r.eiEmployerMax, r.year == 2000 ? 131049 : product(r.eiMax, 1400000), 1);
    EXPECT_EQ(r.yampe != 0, r.year >= 2024);
    EXPECT_EQ(r.qpipMaxInsurable != 0 && r.quebecEiRate != 0, r.year >= 2006);
  }
  EXPECT_EQ(ratesOf(2026), &taxYears().back());
  EXPECT_EQ(ratesOf(1998), nullptr);
}

}  // namespace
