// Quillet — the totals of a T4 file, the worksheet, and the T4 Totals command.
#include "reports/t4_totals.h"

#include <algorithm>
#include <cstdint>

#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "reports/print_ui.h"
#include "reports/record_read_error.h"
#include "reports/t4_summary.h"

namespace quillet {
namespace {

using T = T4Record;
using E = EmployerRecord;

}  // namespace

void addToTotals(T4Totals& t, const T4Record& r, int year) {
  const auto cents = [&r](const Field& f) { return int64_t{r.int32(f)}; };
  ++t.count;
  // The boxes later years added count from the year that has them.
  if (year >= 2024) {
    t.employeeSecondCpp += cents(T::Employee_CPP2);
    t.employeeSecondQpp += cents(T::Employee_QPP2);
  }
  if (year >= 2006) t.ppipPremiums += cents(T::Employee_PPIP_premium);
  t.employmentIncome += cents(T::Employment_income);
  t.employeeCpp += cents(T::Employee_CPP);
  t.employeeQpp += cents(T::Employee_QPP);
  t.employeeEi += cents(T::Employee_EI_premium);
  t.rpp += cents(T::RPP_contributions);
  t.incomeTax += cents(T::Income_tax_deducted);
  t.pensionAdjustment += cents(T::Pension_adjustment);
  if (year > 2000) {
    t.eiInsurable += cents(T::EI_insurable_earnings);  // as filed: 0 is 0
  } else if (!r.flag(T::EI_Exempt)) {
    const int64_t insurable = cents(T::EI_insurable_earnings);
    t.eiInsurable += insurable != 0 ? insurable : cents(T::Employment_income);
  }
  t.unionDues += cents(T::Union_dues);
  t.charitableDonations += cents(T::Charitable_donations);
  for (int i = 0; i < T::OtherInfoCount; ++i) {
    const int64_t amount = cents(T::Other_info_amount[i]);
    if (amount != 0)
      t.otherInfo[std::size_t(otherInfoBox(r.text(T::Other_info_code[i])) - 1)] += amount;
  }
}

void finishTotals(TotalsRun& run) {
  T4Totals& t = run.totals;
  t.qppWithCpp = run.employer.u16(E::S_Taxation_year) <= 2000;
  t.employerCpp = t.line16();
  t.employerSecondCpp = t.employeeSecondCpp;
  int32_t multiplier = run.employer.int32(E::EI_employer_multiplier);
  if (multiplier == 0) multiplier = E::DefaultEIMultiplier;
  t.employerEi = employerEiShare(t.employeeEi, multiplier);
}

int64_t T4Totals::totalDeductions() const {
  return line16() + employerCpp + employeeSecondCpp + employerSecondCpp + employeeEi + employerEi +
         incomeTax;
}

int otherInfoBox(const QString& codeText) {
  const int box = codeText.left(2).trimmed().toInt();
  return box >= 1 && box <= 100 ? box : 100;
}

int64_t employerEiShare(int64_t employeeEi, int32_t multiplier) {
  __extension__ typedef __int128 Wide;  // the product can pass 64 bits on a damaged file
  const Wide product = Wide{employeeEi} * multiplier;
  Wide quotient = product / 10000;
  const Wide rest = product % 10000;
  const Wide twiceRest = 2 * (rest < 0 ? -rest : rest);
  if (twiceRest > 10000 || (twiceRest == 10000 && quotient % 2 != 0)) {
    quotient += product < 0 ? -1 : 1;
  }
  return static_cast<int64_t>(std::clamp<Wide>(quotient, INT64_MIN, INT64_MAX));
}

TotalsRun totalT4File(OpenT4FileState& state, Ui& ui) {
  TotalsRun run;
  readEmployerRecordForReports(state, ui, run.employer);
  TAlphaInxFileStream& file = state.T4File();
  T4Record record;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(state.sharedRecord().bytes(), i) != Record768::Size) {
      ui.showMessage(printingReadError(file.position(i), QStringLiteral("T4 Forms")));
      run.stoppedEarly = true;
      break;
    }
    record.bytes() = state.sharedRecord().bytes();
    // A cancelled slip is counted in no total, nor in box 88.
    if (!record.isVoid() && !record.isCancelled())
      addToTotals(run.totals, record, run.employer.u16(E::S_Taxation_year));
  }
  finishTotals(run);
  return run;
}

QString worksheetMoney(int64_t cents) {
  const uint64_t magnitude =
      cents < 0 ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
  QString whole = QString::number(magnitude / 100);
  for (qsizetype at = whole.size() - 3; at > 0; at -= 3) whole.insert(at, u',');
  return (cents < 0 ? QStringLiteral("-") : QString()) + whole + u'.' +
         QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

ViewerReport totalsWorksheet(const TotalsRun& run, const QString& t4FileName) {
  const T4Totals& t = run.totals;
  const int year = run.employer.u16(E::S_Taxation_year);
  const QString blank = QStringLiteral("  ");
  const QString name1 = run.employer.text(E::S_Employer_name_line_1);
  const QString name2 = run.employer.text(E::S_Employer_name_line_2);
  const auto money = [](const char* label, int64_t cents) {
    return QLatin1String(label) + worksheetMoney(cents);
  };

  QStringList lines;
  lines << QStringLiteral("Totals from T4 file: ") + t4FileName << blank
        << QStringLiteral("Thousands seperators (commas) added for readabiliy. Do not include them")
        << QStringLiteral("on the Revenue Canada T4 Summary Form.") << blank
        << QStringLiteral("Company: ") + name1 + u' ' + name2
        << QStringLiteral("Business Number: ") + run.employer.text(E::RevCan_account_number)
        << blank << QStringLiteral("On the left side of the T4 Summary") << blank
        << QStringLiteral("Box 88, Total number of T4 Slips = ") + QString::number(t.count)
        << money("Box 14, Employment Income = ", t.employmentIncome)
        << money("Box 20, RPP Contributions = ", t.rpp)
        << money("Box 52, Pension Adjustment = ", t.pensionAdjustment)
        << money("Box 24, EI Insurable Earnings = ", t.eiInsurable) << blank << blank
        << QStringLiteral("On the center of the T4 Summary (and totalled for you to balance with")
        << QStringLiteral("remittances made to Revenue Canada during the year)") << blank
        << money(t.qppWithCpp ? "Box 16, Employee's CPP/QPP = " : "Box 16, Employee's CPP = ",
                 t.line16())
        << money(t.qppWithCpp ? "Box 27, Employer's CPP/QPP = " : "Box 27, Employer's CPP = ",
                 t.employerCpp);
  if (year >= 2024) {
    lines << money("Box 16A, Employee's CPP2 = ", t.employeeSecondCpp)
          << money("Box 27A, Employer's CPP2 = ", t.employerSecondCpp);
  }
  lines << money("Box 18, Employee's EI prem = ", t.employeeEi)
        << money("Box 19, Employer's EI prem = ", t.employerEi)
        << money("Box 22, Income Tax Deducted = ", t.incomeTax) << blank
        << money("Box 80, Total Deductions = ", t.totalDeductions()) << blank << blank
        << QStringLiteral("Other totals from the T4's that are NOT shown on the T4 Summary")
        << blank;
  if (t.unionDues != 0) lines << money("Union Dues = ", t.unionDues);
  if (t.charitableDonations != 0) lines << money("Charitable donations = ", t.charitableDonations);
  for (int box = 1; box <= 99; ++box) {
    const int64_t amount = t.otherInfo[std::size_t(box - 1)];
    if (amount != 0)
      lines << QStringLiteral("Other Info. Box %1 = ").arg(box) + worksheetMoney(amount);
  }
  if (t.otherInfo[99] != 0)
    lines << money("Other Info. Error (Box not numeric) = ", t.otherInfo[99]);
  if (!t.qppWithCpp && (t.employeeQpp != 0 || t.employeeSecondQpp != 0 || t.ppipPremiums != 0)) {
    if (lines.last() != blank) lines << blank;
    lines << QStringLiteral("Remitted to Revenu Quebec, not to CRA:")
          << money("Box 17, Employee's QPP = ", t.employeeQpp)
          << money("Employer's QPP = ", t.employeeQpp);
    if (year >= 2024) {
      lines << money("Box 17A, Employee's QPP2 = ", t.employeeSecondQpp)
            << money("Employer's QPP2 = ", t.employeeSecondQpp);
    }
    if (year >= 2006) lines << money("Box 55, Employee's PPIP prem = ", t.ppipPremiums);
  }
  lines << blank
        << QStringLiteral(
               "If these figures are correct they can be printed directly onto the Revenue Canada")
        << QStringLiteral(
               "T4 Summary form, from the menu select \"Print Reports\" then \"T4 Totals\" then "
               "\"Yes\"");

  ViewerReport report;
  report.reportTitle = QStringLiteral("T4 Totals Report");
  report.headingLine1 = report.reportTitle;
  report.headingLine2 = name1 + u' ' + name2;
  report.caption = QStringLiteral("T4 Totals Report, Click Print to Print");
  report.lines = lines;
  return report;
}

PrintOutcome runT4Totals(OpenT4FileState& state, PrintUi& ui, const Clock& clock,
                         const SettingsStore* settings) {
  const TotalsRun run = totalT4File(state, ui);
  const Answer answer =
      ui.ask(QStringLiteral(
                 "Click \"Yes\" if you wish to print directly onto the Revenue Canada T4 Summary "
                 "form, or click \"No\" to display a worksheet on screen (which can be printed "
                 "from the display dialog).\n\nSuggest \"No\" unless you are certain these are "
                 "the final figures as Revenue Canada normally only send you one form pre-printed "
                 "with your Company information and it may take time to replace if incorrect."),
             QuestionKind::YesNo);
  if (answer == Answer::Yes) return printT4Summaries(run, ui, clock, settings);
  ui.showReport(totalsWorksheet(run, state.T4FileName()), ViewerButtons::OkOnly);
  return PrintOutcome::NotStarted;
}

}  // namespace quillet
