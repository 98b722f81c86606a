// Quillet — the T4 Summary drawn whole on plain paper, for the tax year of the file.
#include "reports/plain_summary.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/settings_store.h"
#include "reports/form_canvas.h"
#include "reports/plain_slip.h"
#include "reports/plain_slips.h"
#include "reports/print_report.h"
#include "reports/print_settings.h"
#include "reports/print_surface.h"
#include "reports/print_ui.h"
#include "reports/t4_summary.h"
#include "reports/t4_totals.h"

namespace quillet {
namespace {

using E = EmployerRecord;

const QString DocumentTitle = QStringLiteral("T4 Summary");
constexpr FormAlign L = FormAlign::Left, R = FormAlign::Right, C = FormAlign::Centre;

// Two columns of boxes: the income lines and the people, then the deductions and what is
// owed.
constexpr int ColumnWidth = 320, ColumnB = 330, Row0 = 172, RowStep = 38, BoxHeight = 35;

struct SummaryBox {
  const char* number;
  const char* caption;
  QString value;
  FormAlign align = FormAlign::Right;
  bool shown = true;  // false where the year has no such box
};

// Stacks the boxes down one column from Row0; a box the year does not have takes no row.
void column(FormCanvas& canvas, int x, std::initializer_list<SummaryBox> boxes) {
  int y = Row0;
  for (const SummaryBox& b : boxes) {
    if (!b.shown) continue;
    canvas.box({x, y, ColumnWidth, BoxHeight}, QString::fromLatin1(b.number),
               QString::fromUtf8(b.caption), b.value, b.align);
    y += RowStep;
  }
}

// "555-0142" from seven digits; anything else as it stands.
QString phoneNumber(const QString& text) {
  const QString number = text.trimmed();
  return number.size() == 7 ? number.left(3) + u'-' + number.mid(3) : number;
}

}  // namespace

void drawSummary(FormCanvas& canvas, const TotalsRun& run, double remittances) {
  const E& e = run.employer;
  const T4Totals& t = run.totals;
  const int year = e.u16(E::S_Taxation_year);
  canvas.text({0, 0, 325, 12}, QStringLiteral("Canada Revenue Agency – Agence du revenu du Canada"),
              8, L);
  canvas.text({325, 0, 325, 12},
              QStringLiteral("Protected B when completed – Protégé B une fois rempli"), 8, R, true);
  canvas.text({0, 14, 70, 42}, QStringLiteral("T4"), 34, L, true);
  canvas.text({72, 16, 370, 17}, QStringLiteral("Summary of Remuneration Paid"), 13, L, true);
  canvas.text({72, 34, 370, 16}, QStringLiteral("Sommaire de la rémunération payée"), 12, L, true);
  canvas.box({450, 14, 200, 42}, {},
             QStringLiteral("Year ending December 31\nAnnée se terminant le 31 décembre"),
             QString::number(year), C);
  canvas.box({0, 62, 400, 105}, {},
             QStringLiteral("Name and address of employer\nNom et adresse de l'employeur"),
             employerNameAndAddress(e), L);
  canvas.box({405, 62, 245, BoxHeight}, {},
             QStringLiteral("Employer's account number\nNuméro de compte de l'employeur"),
             e.text(E::RevCan_account_number), L);
  canvas.box(
      {405, 101, 245, 45}, QStringLiteral("88"),
      QStringLiteral("Total number of T4 slips filed\nNombre total de feuillets T4 produits"),
      QString::number(t.count), R);

  const int64_t remittedCents = std::llround(remittances * 100);
  const int64_t difference = remittanceDifference(t.totalDeductions(), remittances);
  const QString extension = e.text(E::S_Contact_extension).trimmed();
  const QString phone =
      QStringList{e.text(E::S_Contact_area_code), phoneNumber(e.text(E::S_Contact_phone_number)),
                  extension.isEmpty() ? QString() : QStringLiteral("ext. ") + extension}
          .join(u' ')
          .trimmed();
  column(canvas, 0,
         {{"14", "Employment income\nRevenus d'emploi", formAmount(t.employmentIncome)},
          {"20",
           "Registered pension plan (RPP) contributions\nCotisations à un régime de pension "
           "agréé (RPA)",
           formAmount(t.rpp)},
          {"52", "Pension adjustment\nFacteur d'équivalence", formAmount(t.pensionAdjustment)},
          {"74",
           "SIN of the proprietor or principal owner\nNAS du propriétaire ou de l'actionnaire "
           "principal",
           e.text(E::S_Proprietor_SIN_1), L},
          {"75", "SIN of the second proprietor or partner\nNAS du deuxième propriétaire ou associé",
           e.text(E::S_Proprietor_SIN_2), L},
          {"76", "Person to contact about this return\nPersonne-ressource pour cette déclaration",
           e.text(E::S_Contact_name), L},
          {"78",
           "Area code, telephone number, extension\nIndicatif régional, numéro de téléphone, poste",
           phone, L}});
  // Until 2000 the QPP had a line of its own and went into line 27 with the CPP; from 2001
  // the Summary counts CPP alone (QPP, QPP2 and PPIP are remitted to Revenu Québec).
  const bool qppLine = year <= 2000, secondCpp = year >= 2024;
  column(
      canvas, ColumnB,
      {{"16", "Employees' CPP contributions\nCotisations des employés au RPC",
        formAmount(t.employeeCpp)},
       {"16A", "Employees' second CPP contributions\nDeuxièmes cotisations des employés au RPC",
        formAmount(t.employeeSecondCpp), R, secondCpp},
       {"17", "Employees' QPP contributions\nCotisations des employés au RRQ",
        formAmount(t.employeeQpp), R, qppLine},
       {"27", "Employer's CPP/QPP contributions\nCotisations de l'employeur au RPC/RRQ",
        formAmount(t.employerCpp), R, qppLine},
       {"27", "Employer's CPP contributions\nCotisations de l'employeur au RPC",
        formAmount(t.employerCpp), R, !qppLine},
       {"27A", "Employer's second CPP contributions\nDeuxièmes cotisations de l'employeur au RPC",
        formAmount(t.employerSecondCpp), R, secondCpp},
       {"18", "Employees' EI premiums\nCotisations des employés à l'AE", formAmount(t.employeeEi)},
       {"19", "Employer's EI premiums\nCotisations de l'employeur à l'AE",
        formAmount(t.employerEi)},
       {"22", "Income tax deducted\nImpôt sur le revenu retenu", formAmount(t.incomeTax)},
       {"80", "Total deductions reported\nTotal des retenues déclarées",
        formAmount(t.totalDeductions())},
       {"82", "Minus: remittances\nMoins : versements", formAmount(remittedCents)},
       {"", "Difference – line 80 minus line 82\nDifférence – ligne 80 moins ligne 82",
        formAmount(std::abs(difference))},
       {"84", "Overpayment\nPaiement en trop", formAmount(std::max<int64_t>(-difference, 0))},
       {"86", "Balance due\nSolde dû", formAmount(std::max<int64_t>(difference, 0))}});

  constexpr int Certification = Row0 + 12 * RowStep + 10;
  canvas.text({0, Certification, 650, 14}, QStringLiteral("Certification – Attestation"), 11, L,
              true);
  canvas.text({0, Certification + 16, 650, 12},
              QStringLiteral("I certify that the information given in this T4 return is, to the "
                             "best of my knowledge, correct and complete."),
              10, L);
  canvas.text({0, Certification + 30, 650, 12},
              QStringLiteral("J'atteste que les renseignements fournis dans cette déclaration T4 "
                             "sont, à ma connaissance, exacts et complets."),
              10, L);
  constexpr int Signatures = Certification + 90;
  const struct {
    int x, width;
    const char* caption;
  } signatures[] = {{0, 150, "Date"},
                    {170, 280,
                     "Signature of the authorized person – Signature de la personne "
                     "autorisée"},
                    {470, 180, "Position or office – Titre ou poste"}};
  for (const auto& s : signatures) {
    canvas.line(s.x, Signatures, s.x + s.width, Signatures);
    canvas.text({s.x, Signatures + 2, s.width, 10}, QString::fromUtf8(s.caption), 8, L);
  }
}

PrintOutcome printPlainSummaries(const TotalsRun& run, PrintUi& ui, const SettingsStore* settings) {
  PrintSettings stored = settings ? ReadSummaryMargins(*settings) : PrintSettings{};
  PlainPaperSetUp setUp;
  setUp.summary = true;
  setUp.remittances = double(run.totals.totalDeductions()) / 100;
  setUp.top = stored.Top == 0 && stored.Left == 0 ? 100 : stored.Top;
  setUp.left = stored.Top == 0 && stored.Left == 0 ? 100 : stored.Left;
  if (!ui.editPlainPaperSetUp(setUp)) return PrintOutcome::NotStarted;
  if (!fileOnPaperAnyway(
          ui, run.employer, [&run] { return run.totals.count; }, QStringLiteral("Summary")))
    return PrintOutcome::NotStarted;
  std::unique_ptr<PrintSurface> surface = ui.startPrintJob(DocumentTitle, FontChoice::FormsOwn);
  if (!surface) return PrintOutcome::NotStarted;
  {
    const BusyBox busy(ui, DocumentTitle);
    FormCanvas canvas(*surface, setUp.left, setUp.top);
    drawSummary(canvas, run, setUp.remittances);
    surface->endJob();
  }
  remindToSignTheSummary(ui);
  stored.Top = setUp.top;
  stored.Left = setUp.left;
  if (settings) {
    if (const FileStatus saved = WriteSummaryMargins(*settings, stored); !saved)
      ui.showMessage(saved.message());
  }
  return PrintOutcome::Printed;
}

}  // namespace quillet
