// Quillet tests — the checks of a T4 record that know its tax year: CPP2/QPP2, Quebec's
// QPP, EI and PPIP figures, and the boxes each year has.
#include <gtest/gtest.h>

#include "checks/employer_checks.h"
#include "checks/t4_record_checks.h"
#include "checks/tax_years.h"
#include "golden.h"
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

// The findings of a record of the line's year; its columns are the year, the province of
// employment and the boxes in dollars: earnings, CPP (QPP in Quebec), CPP2 (QPP2), EI and
// PPIP; without them, 20000.00 of earnings with the CPP and EI they call for. Boxes 24, 26
// and 56 hold the earnings up to the year's ceilings, box 45 is answered from 2023; the
// line's changes to the record come last, then those to the employer record.
QString findingsOf(const QString& line) {
  const QStringList columns = line.section(QStringLiteral(" | "), 1, 1).split(u' ');
  const int year = columns[0].toInt();
  const TaxYearRates& rates = *ratesOf(year);
  EmployerRecord employer = employerOf(year);
  change(employer, EmployerRecord::layout(), line.section(QStringLiteral(" | "), 3));
  const auto dollars = [&columns](int i, double otherwise) {
    return int32_t(std::llround((columns.size() > i ? columns[i].toDouble() : otherwise) * 100));
  };
  const bool quebec = columns.value(1) == u"QC";
  const int32_t income = dollars(2, 20000);
  T4Record r = goodT4("Smith", "John");
  r.copyPrefixFrom(employer);
  r.setText(T::Province_of_employment_code, columns.value(1, QStringLiteral("ON")));
  r.setInt32(T::Employment_income, income);
  r.setInt32(quebec ? T::Employee_QPP : T::Employee_CPP, dollars(3, 16500 * rates.cppRate / 1e6));
  r.setInt32(quebec ? T::Employee_CPP : T::Employee_QPP, 0);
  r.setInt32(quebec ? T::Employee_QPP2 : T::Employee_CPP2, dollars(4, 0));
  r.setInt32(T::Employee_EI_premium, dollars(5, 20000 * rates.eiRate / 1e6));
  r.setInt32(T::Employee_PPIP_premium, dollars(6, 0));
  r.setInt32(T::EI_insurable_earnings, std::min(income, rates.eiMaxInsurable));
  r.setInt32(T::CPP_OR_Quebec_PensionEarn,
             std::min(income, year >= 2024 ? rates.yampe : rates.ympe));
  if (quebec) r.setInt32(T::PPIP_insurable_earnings, std::min(income, rates.qpipMaxInsurable));
  if (year >= 2023) r.setByte(T::Dental_benefits_code, 1);
  change(r, T::layout(), line.section(QStringLiteral(" | "), 2, 2));
  QStringList lines;
  CheckT4Record(r, employer, lines);
  QString all;
  for (const QString& finding : lines.mid(2)) all += finding + u'\n';
  return all;
}

// CPP and CPP2 around their ceilings, Quebec's QPP, EI and PPIP by its own rates, and the
// boxes and codes each year has.
TEST(TaxYearChecks, findingsOfEachYear) { expectRecordedTable("tax_year_findings", findingsOf); }

}  // namespace
