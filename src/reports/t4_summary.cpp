// Quillet — the T4 Summary printed onto its pre-printed form, and its remittances.
#include "reports/t4_summary.h"

#include <algorithm>
#include <cmath>

#include "core/numeric_text.h"
#include "core/settings_store.h"
#include "reports/print_report.h"
#include "reports/print_settings.h"
#include "reports/print_ui.h"
#include "reports/t4_totals.h"

namespace quillet {
namespace {

using E = EmployerRecord;

// Moves the current line of a form down to line `n` (line 1 is the top margin).
class FormLines {
 public:
  explicit FormLines(TPrintReport& report) : m_report(report) {}
  TPrintReport& at(int line) {
    for (; m_line < line; ++m_line) m_report.NewLine();
    return m_report;
  }

 private:
  TPrintReport& m_report;
  int m_line = 1;
};

QString summaryAddress(const EmployerRecord& employer, const TPrintReport& report) {
  const QString second = employer.text(E::S_Employer_address_line_2);
  QString line = employer.text(E::S_Employer_address_line_1);
  if (!second.isEmpty()) line += u' ' + second;
  const int maxWidth = report.PixelsPerInchX() * 4;
  while (!line.isEmpty() && report.textWidth(line) > maxWidth) line.chop(1);
  return line;
}

QString summaryProvinceLine(const EmployerRecord& employer) {
  return employer.text(E::S_Employer_province_code) + u' ' +
         employer.text(E::S_Employer_country_code) + QStringLiteral("  ") +
         employer.text(E::S_Employer_postal_code);
}

}  // namespace

int64_t remittanceDifference(int64_t totalDeductions, double remittances) {
  return totalDeductions - static_cast<int64_t>(std::nearbyint(remittances * 100));
}

RemittanceCheck checkRemittances(const QString& text, Ui& ui) {
  const QString trimmed = TrimControlText(text);
  double value = 0;
  // Box 82 holds eleven digits of cents: a larger amount cannot be printed or reconciled.
  constexpr double LargestRemittance = 999999999.99;
  if (!trimmed.isEmpty() && (!ParseDecimal(trimmed, value) || value < 0 ||
                             !(std::nearbyint(value * 100) <= LargestRemittance * 100))) {
    ui.showMessage(QStringLiteral(
        "The entry in Remittances is not a valid numeric value or is a negative amount. This must "
        "be corrected else calculations of Overpayment or Balance due/Amount enclosed on the form "
        "will be incorrect. Negative amounts cannot be processed by Revenue Canada so this program "
        "will treat negatives as zero."));
    return {false, 0, text};
  }
  if (value < 0.006) {
    const Answer change = ui.ask(
        QStringLiteral("You have a zero entry for Remittances.  If you have not sent any Tax, CPP, "
                       "or EI deductions to Revenue Canada during the year this may be correct, "
                       "however double check this else the total deducted from employees plus "
                       "company CPP and EI contributions is ALL payable when filing the form and "
                       "penalties may be assessed.  Do you wish to change Remittances ? "),
        QuestionKind::YesNo, {}, QuestionIcon::Warning);
    return {change != Answer::Yes, 0, QStringLiteral("0.00")};
  }
  return {true, value, text};
}

PrintOutcome printT4Summary(const TotalsRun& run, const SummarySetUp& setUp, PrintUi& ui,
                            const Clock& clock) {
  TPrintReport report(ui, clock, QStringLiteral("T4 Summary"), setUp.top, 0, setUp.left, 0, true);
  if (report.Aborted()) return PrintOutcome::NotStarted;
  const T4Totals& t = run.totals;
  const EmployerRecord& e = run.employer;
  const bool printEmployer = !setUp.namePreprinted;
  FormLines lines(report);

  if (printEmployer) {
    const QString number = e.text(E::RevCan_account_number);
    lines.at(1).PrintInBoxes(31, 9, number.mid(0, 9));
    lines.at(1).PrintInBoxes(53, 4, number.mid(11, 4));
  }
  if (setUp.youthHires) lines.at(4).PrintInBoxes(1, 1, QStringLiteral("X"));
  if (printEmployer) {
    lines.at(4).PrintAtColumn(30, e.text(E::S_Employer_name_line_1));
    lines.at(5).PrintAtColumn(30, e.text(E::S_Employer_name_line_2));
    lines.at(6).PrintAtColumn(30, summaryAddress(e, report));
    lines.at(7).PrintAtColumn(30, e.text(E::S_Employer_city));
    lines.at(8).PrintAtColumn(30, summaryProvinceLine(e));
  }
  lines.at(12).PrintCentsInBoxes(1, 9, t.count);
  lines.at(12).PrintBigCentsInBoxes(29, 11, t.line16());
  lines.at(15).PrintBigCentsInBoxes(1, 12, t.employmentIncome);
  lines.at(15).PrintBigCentsInBoxes(29, 11, t.employerCpp);
  lines.at(18).PrintBigCentsInBoxes(1, 12, t.rpp);
  lines.at(18).PrintBigCentsInBoxes(29, 11, t.employeeEi);
  lines.at(21).PrintBigCentsInBoxes(1, 12, t.pensionAdjustment);
  lines.at(21).PrintBigCentsInBoxes(29, 11, t.employerEi);
  lines.at(24).PrintBigCentsInBoxes(1, 12, t.eiInsurable);
  lines.at(24).PrintBigCentsInBoxes(29, 11, t.incomeTax);
  lines.at(27).PrintBigCentsInBoxes(29, 11, t.totalDeductions());
  lines.at(30).PrintDollarsInBoxes(29, 11, setUp.remittances);

  const int64_t difference = remittanceDifference(t.totalDeductions(), setUp.remittances);
  lines.at(36).PrintBigCentsInBoxes(29, 11, std::abs(difference));
  if (difference < 0) lines.at(43).PrintBigCentsInBoxes(1, 9, -difference);    // overpayment
  if (difference > 0) lines.at(43).PrintBigCentsInBoxes(23, 9, difference);    // balance due
  lines.at(43).PrintBigCentsInBoxes(45, 9, std::max<int64_t>(difference, 0));  // enclosed
  lines.at(46).PrintInBoxes(29, 9, e.text(E::S_Proprietor_SIN_1));
  lines.at(46).PrintInBoxes(51, 9, e.text(E::S_Proprietor_SIN_2));
  lines.at(49).PrintInBoxes(1, 16, e.text(E::S_Contact_name));
  lines.at(49).PrintInBoxes(38, 3, e.text(E::S_Contact_area_code));
  lines.at(49).PrintInBoxes(45, 7, e.text(E::S_Contact_phone_number));
  lines.at(49).PrintInBoxes(61, 4, e.text(E::S_Contact_extension));
  return PrintOutcome::Printed;
}

PrintOutcome printT4Summaries(const TotalsRun& run, PrintUi& ui, const Clock& clock,
                              const SettingsStore* settings) {
  if (!acceptOldStationery(run.employer, ui)) return PrintOutcome::NotStarted;
  return runSummarySetUps(run, ui, settings, [&](const SummarySetUp& setUp) {
    return printT4Summary(run, setUp, ui, clock);
  });
}

void remindToSignTheSummary(Ui& ui) {
  ui.showMessage(QStringLiteral(
      "Dont forget to date and sign the certification at the bottom of the form before mailing "
      "it to Revenue Canada with their copies of the T4's"));
}

PrintOutcome runSummarySetUps(const TotalsRun& run, PrintUi& ui, const SettingsStore* settings,
                              const std::function<PrintOutcome(const SummarySetUp&)>& print) {
  PrintSettings stored = settings ? ReadSummaryMargins(*settings) : PrintSettings{};
  if (stored.Top == 0 && stored.Left == 0 && !stored.BExtra2) {
    stored.Top = 100;
    stored.Left = 100;
    stored.LineUp = true;
    stored.BExtra2 = true;
    stored.BExtra1 = false;
  }
  SummarySetUp setUp;
  setUp.employerName = run.employer.text(E::S_Employer_name_line_1);
  setUp.businessNumber = run.employer.text(E::RevCan_account_number);
  setUp.youthHires = stored.BExtra1;
  setUp.namePreprinted = stored.BExtra2;
  setUp.top = stored.Top;
  setUp.left = stored.Left;
  setUp.lineUp = stored.LineUp;
  setUp.remittances = double(run.totals.totalDeductions()) / 100;

  PrintOutcome outcome = PrintOutcome::NotStarted;
  for (;;) {
    if (!ui.editSummarySetUp(setUp)) return outcome;
    outcome = print(setUp);
    if (setUp.lineUp) continue;
    // A print the user cancelled in the printer or font dialog was no real print: no
    // reminder, and nothing is kept.
    if (outcome == PrintOutcome::NotStarted) return outcome;
    remindToSignTheSummary(ui);
    stored.Top = setUp.top;
    stored.Left = setUp.left;
    stored.LineUp = false;
    stored.BExtra1 = setUp.youthHires;
    stored.BExtra2 = setUp.namePreprinted;
    if (settings) {
      if (const FileStatus saved = WriteSummaryMargins(*settings, stored); !saved)
        ui.showMessage(saved.message());
    }
    return outcome;
  }
}

}  // namespace quillet
