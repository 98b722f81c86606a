// Quillet tests — the checks of the employer record and its default rates.
#include "checks/employer_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
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

EmployerRecord acme(std::initializer_list<FieldChange> changes) {
  return with(goodEmployer(), changes);
}

// The findings of every kind of employer record, recorded with the changes each makes to a
// good one (with the rates of a year, the rates that later years added).
TEST(CheckEmployerRecord, eachFindingWithItsMessage) {
  expectRecordedTable("employer_findings", [](const QString& line) {
    EmployerRecord employer = line.startsWith(u"an empty record") ? EmployerRecord() : acme({});
    if (line.startsWith(u"the rates of ")) applyRates(employer, *ratesOf(line.mid(13, 4).toInt()));
    change(employer, E::layout(), line.section(QStringLiteral(" | "), 1));
    return findingsOf(employer).join(u'\n') + u'\n';
  });

  EmployerRecord lower = acme({{E::S_Employer_province_code, "on"}});
  QStringList lines;
  CheckEmployerRecord(lower, lines);
  EXPECT_TRUE(lines.isEmpty());
  EXPECT_EQ(lower.text(E::S_Employer_province_code), "ON") << "capitalised in the record";
}

// The year each day takes its default rates from: the year that is ending, from September on.
TEST(SetDefaultRates, takesTheYearThatIsEndingFromSeptemberOn) {
  expectRecordedTable("default_rates", [](const QString& day) {
    EmployerRecord employer;
    SetDefaultRates(employer,
                    FixedClock(QDateTime(QDate::fromString(day, Qt::ISODate), QTime(12, 0))));
    return QStringLiteral("%1, basic exemption %2, multiplier %3 (the caller's)\n")
        .arg(employer.u16(E::S_Taxation_year))
        .arg(employer.valueText(E::CPP_basic_exemption),
             employer.valueText(E::EI_employer_multiplier));
  });
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
