// Quillet — quillet-cli rates: the rates the program assumes for a tax year.
#include "checks/tax_years.h"
#include "cli/commands.h"
#include "core/numeric_text.h"

namespace quillet::cli {
namespace {

void printRates(const TaxYearRates& r, QTextStream& out) {
  const auto money = [](int32_t cents) {
    return cents == 0 ? QStringLiteral("-") : CentsToStr(cents);
  };
  const auto rate = [](int32_t fix4) { return fix4 == 0 ? QStringLiteral("-") : Fix4ToStr(fix4); };
  const std::pair<const char*, QString> lines[] = {
      {"Maximum pensionable earnings (YMPE)", money(r.ympe)},
      {"Basic exemption", money(r.basicExemption)},
      {"CPP rate %", rate(r.cppRate)},
      {"CPP maximum", money(r.cppMax)},
      {"Additional maximum pensionable earnings (YAMPE)", money(r.yampe)},
      {"CPP2 maximum", money(r.cpp2Max)},
      {"EI maximum insurable earnings", money(r.eiMaxInsurable)},
      {"EI rate %", rate(r.eiRate)},
      {"EI maximum", money(r.eiMax)},
      {"Employer EI maximum", money(r.eiEmployerMax)},
      {"Quebec EI rate %", rate(r.quebecEiRate)},
      {"Quebec EI maximum", money(r.quebecEiMax)},
      {"QPP rate %", rate(r.qppRate)},
      {"QPP maximum", money(r.qppMax)},
      {"QPP2 maximum", money(r.qpp2Max)},
      {"QPIP maximum insurable earnings", money(r.qpipMaxInsurable)},
      {"QPIP employee rate %", rate(r.qpipEmployeeRate)},
      {"QPIP employer rate %", rate(r.qpipEmployerRate)},
      {"QPIP employee maximum", money(r.qpipEmployeeMax)},
  };
  out << "Tax year " << r.year << Qt::endl;
  for (const auto& [label, value] : lines) {
    out << "  " << QString::fromLatin1(label).leftJustified(48) << value << Qt::endl;
  }
}

}  // namespace

int runRates(const Invocation& invocation, const Clock&, Io io) {
  if (invocation.positionals.isEmpty()) {
    for (const TaxYearRates& rates : taxYears()) printRates(rates, io.out);
    return ExitOk;
  }
  const TaxYearRates* rates = ratesOf(invocation.positionals.first().toInt());
  if (!rates) {
    io.err << QStringLiteral("quillet-cli: no rates for tax year %1 (the program knows %2 to %3)")
                  .arg(invocation.positionals.first())
                  .arg(taxYears().front().year)
                  .arg(taxYears().back().year)
           << Qt::endl;
    return ExitUsage;
  }
  printRates(*rates, io.out);
  return ExitOk;
}

}  // namespace quillet::cli
