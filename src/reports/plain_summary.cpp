// Quillet — the T4 Summary drawn whole on plain paper, for the tax year of the file.
#include "reports/plain_summary.h"

#include <QStringList>
#include <cmath>

#include "core/settings_store.h"
#include "core/ui.h"
#include "reports/form_canvas.h"
#include "reports/plain_slip.h"
#include "reports/print_report.h"
#include "reports/print_surface.h"
#include "reports/t4_summary.h"
#include "reports/t4_totals.h"

namespace quillet {
namespace {

using E = EmployerRecord;

const QString DocumentTitle = QStringLiteral("T4 Summary");
constexpr FormAlign L = FormAlign::Left, R = FormAlign::Right, C = FormAlign::Centre;

// Two columns of amount boxes.
constexpr int ColumnWidth = 320, ColumnB = 330, Row0 = 150, RowStep = 41, BoxHeight = 37;

struct SummaryBox {
  const char* number;
  const char* caption;
  int fromYear;
  int64_t cents;
  int toYear = 9999;
};

// Stacks the boxes of the year down one column from Row0; a box the year does not have
// takes no row.
void column(FormCanvas& canvas, int x, int year, std::initializer_list<SummaryBox> boxes) {
  int y = Row0;
  for (const SummaryBox& b : boxes) {
    if (year < b.fromYear || year > b.toYear) continue;
    canvas.box({x, y, ColumnWidth, BoxHeight}, QString::fromLatin1(b.number),
               QString::fromLatin1(b.caption), formAmount(b.cents), R);
    y += RowStep;
  }
}

// "555-0142" from seven digits; anything else as it stands.
QString phoneNumber(const QString& text) {
  const QString number = text.trimmed();
  return number.size() == 7 ? number.left(3) + u'-' + number.mid(3) : number;
}

}  // namespace

void drawSummary(FormCanvas& canvas, const TotalsRun& run, const SummarySetUp& setUp) {
  const E& e = run.employer;
  const T4Totals& t = run.totals;
  const int year = e.u16(E::S_Taxation_year);
  canvas.text({0, 0, 160, 40}, QStringLiteral("T4 Summary"), 30, L, true);
  canvas.text({170, 0, 320, 20}, QStringLiteral("Summary of Remuneration Paid"), 16, L, true);
  canvas.box({500, 0, 150, 40}, {}, QStringLiteral("Year"), QString::number(year), C);
  canvas.box({0, 50, 400, 90}, {}, QStringLiteral("Employer's name and address"),
             employerNameAndAddress(e), L);
  canvas.box({405, 50, 245, 40}, {}, QStringLiteral("Employer's account number"),
             e.text(E::RevCan_account_number), L);
  canvas.box({405, 95, 245, 45}, QStringLiteral("88"),
             QStringLiteral("Total number of T4 slips filed"), QString::number(t.count), R);

  const int64_t remittances = std::llround(setUp.remittances * 100);
  const int64_t difference = remittanceDifference(t.totalDeductions(), setUp.remittances);
  // Until 2000 the QPP had a line of its own and went into line 27 with the CPP; from 2001
  // the Summary counts CPP alone (QPP, QPP2 and PPIP are remitted to Revenu Québec).
  column(canvas, 0, year,
         {{"14", "Employment income", 0, t.employmentIncome},
          {"16", "Employees' CPP contributions", 0, t.employeeCpp},
          {"16A", "Employees' second CPP contributions", 2024, t.employeeSecondCpp},
          {"17", "Employees' QPP contributions", 0, t.employeeQpp, 2000},
          {"18", "Employees' EI premiums", 0, t.employeeEi},
          {"20", "Registered pension plan (RPP) contributions", 0, t.rpp},
          {"52", "Pension adjustment", 0, t.pensionAdjustment}});
  column(canvas, ColumnB, year,
         {{"22", "Income tax deducted", 0, t.incomeTax},
          {"27", "Employer's CPP/QPP contributions", 0, t.employerCpp, 2000},
          {"27", "Employer's CPP contributions", 2001, t.employerCpp},
          {"27A", "Employer's second CPP contributions", 2024, t.employerSecondCpp},
          {"19", "Employer's EI premiums", 0, t.employerEi},
          {"80", "Total deductions reported", 0, t.totalDeductions()},
          {"82", "Minus: remittances", 0, remittances},
          {"84", "Overpayment", 0, difference < 0 ? -difference : 0},
          {"86", "Balance due", 0, difference > 0 ? difference : 0}});

  constexpr int People = Row0 + 9 * RowStep + 10;
  canvas.box({0, People, ColumnWidth, BoxHeight}, QStringLiteral("74"),
             QStringLiteral("SIN of the proprietor or principal owner"),
             e.text(E::S_Proprietor_SIN_1), L);
  canvas.box({ColumnB, People, ColumnWidth, BoxHeight}, QStringLiteral("75"),
             QStringLiteral("SIN of the second proprietor or partner"),
             e.text(E::S_Proprietor_SIN_2), L);
  canvas.box({0, People + RowStep, ColumnWidth, BoxHeight}, QStringLiteral("76"),
             QStringLiteral("Person to contact about this return"), e.text(E::S_Contact_name), L);
  const QString extension = e.text(E::S_Contact_extension).trimmed();
  canvas.box(
      {ColumnB, People + RowStep, ColumnWidth, BoxHeight}, QStringLiteral("78"),
      QStringLiteral("Area code, telephone number, extension"),
      QStringList{e.text(E::S_Contact_area_code), phoneNumber(e.text(E::S_Contact_phone_number)),
                  extension.isEmpty() ? QString() : QStringLiteral("ext. ") + extension}
          .join(u' ')
          .trimmed(),
      L);

  constexpr int Certification = People + 2 * RowStep + 15;
  canvas.text({0, Certification, 650, 14}, QStringLiteral("Certification"), 11, L, true);
  canvas.text({0, Certification + 16, 650, 12},
              QStringLiteral("I certify that the information given in this T4 return is, to the "
                             "best of my knowledge, correct and complete."),
              10, L);
  constexpr int Signatures = Certification + 75;
  const struct {
    int x, width;
    const char* caption;
  } signatures[] = {{0, 150, "Date"},
                    {170, 280, "Signature of the authorized person"},
                    {470, 180, "Position or office"}};
  for (const auto& s : signatures) {
    canvas.line(s.x, Signatures, s.x + s.width, Signatures);
    canvas.text({s.x, Signatures + 2, s.width, 10}, QString::fromLatin1(s.caption), 8, L);
  }
}

PrintOutcome printPlainSummaries(const TotalsRun& run, Ui& ui, const SettingsStore* settings) {
  PrintSettings stored = settings ? settings->ReadSummaryMargins() : PrintSettings{};
  PlainPaperSetUp setUp;
  setUp.summary = true;
  setUp.remittances = double(run.totals.totalDeductions()) / 100;
  setUp.top = stored.Top == 0 && stored.Left == 0 ? 100 : stored.Top;
  setUp.left = stored.Top == 0 && stored.Left == 0 ? 100 : stored.Left;
  if (!ui.editPlainPaperSetUp(setUp)) return PrintOutcome::NotStarted;
  std::unique_ptr<PrintSurface> surface = ui.startPrintJob(DocumentTitle, FontChoice::FormsOwn);
  if (!surface) return PrintOutcome::NotStarted;
  {
    const BusyBox busy(ui, DocumentTitle);
    SummarySetUp drawn;
    drawn.namePreprinted = false;
    drawn.remittances = setUp.remittances;
    drawn.top = setUp.top;
    drawn.left = setUp.left;
    FormCanvas canvas(*surface, setUp.left, setUp.top);
    drawSummary(canvas, run, drawn);
    surface->endJob();
  }
  remindToSignTheSummary(ui);
  stored.Top = setUp.top;
  stored.Left = setUp.left;
  if (settings) {
    if (const FileStatus saved = settings->WriteSummaryMargins(stored); !saved)
      ui.showMessage(saved.message());
  }
  return PrintOutcome::Printed;
}

}  // namespace quillet
