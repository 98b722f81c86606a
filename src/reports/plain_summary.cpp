// Quillet — the T4 and T4A Summaries drawn whole on plain paper, for the tax year of the file.
#include "reports/plain_summary.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

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
#include "reports/t4a_totals.h"

namespace quillet {
namespace {

using E = EmployerRecord;

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
void column(FormCanvas& canvas, int x, const std::vector<SummaryBox>& boxes) {
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

namespace {

// The head of either Summary: the form's name, the year, the employer (payer) and its account
// number, the number of slips.
struct SummaryHead {
  const char* title;
  const char* englishName;
  const char* frenchName;
  const char* whoseName;     // "Name and address of employer\nNom et adresse de l'employeur"
  const char* whoseAccount;  // "Employer's account number\n…"
  const char* countBox;
  const char* countCaption;
};

void drawHead(FormCanvas& canvas, const E& e, const SummaryHead& head, int slips) {
  canvas.text({0, 0, 325, 12}, QStringLiteral("Canada Revenue Agency – Agence du revenu du Canada"),
              8, L);
  canvas.text({325, 0, 325, 12},
              QStringLiteral("Protected B when completed – Protégé B une fois rempli"), 8, R, true);
  canvas.text({0, 14, 70, 42}, QLatin1String(head.title), 34, L, true);
  canvas.text({72, 16, 370, 17}, QString::fromUtf8(head.englishName), 13, L, true);
  canvas.text({72, 34, 370, 16}, QString::fromUtf8(head.frenchName), 12, L, true);
  canvas.box({450, 14, 200, 42}, {},
             QStringLiteral("Year ending December 31\nAnnée se terminant le 31 décembre"),
             QString::number(e.u16(E::S_Taxation_year)), C);
  canvas.box({0, 62, 400, 105}, {}, QString::fromUtf8(head.whoseName), employerNameAndAddress(e),
             L);
  canvas.box({405, 62, 245, BoxHeight}, {}, QString::fromUtf8(head.whoseAccount),
             e.text(E::RevCan_account_number), L);
  canvas.box({405, 101, 245, 45}, QLatin1String(head.countBox),
             QString::fromUtf8(head.countCaption), QString::number(slips), R);
}

// The contact's phone: area code, number and extension.
QString contactPhone(const E& e) {
  const QString extension = e.text(E::S_Contact_extension).trimmed();
  return QStringList{e.text(E::S_Contact_area_code), phoneNumber(e.text(E::S_Contact_phone_number)),
                     extension.isEmpty() ? QString() : QStringLiteral("ext. ") + extension}
      .join(u' ')
      .trimmed();
}

// What is owed: remittances, the difference from `owed` (cents), overpayment or balance due.
// The T4A Summary numbers its lines with three digits, and owes its line 022.
std::vector<SummaryBox> remittanceBoxes(int64_t owed, double remittances, SlipKind kind) {
  const int64_t remittedCents = std::llround(remittances * 100);
  const int64_t difference = remittanceDifference(owed, remittances);
  const bool t4 = kind == SlipKind::T4;
  return {
      {t4 ? "82" : "082", "Minus: remittances\nMoins : versements", formAmount(remittedCents)},
      {"",
       t4 ? "Difference – line 80 minus line 82\nDifférence – ligne 80 moins ligne 82"
          : "Difference – line 022 minus line 082\nDifférence – ligne 022 moins ligne 082",
       formAmount(std::abs(difference))},
      {t4 ? "84" : "084", "Overpayment\nPaiement en trop",
       formAmount(std::max<int64_t>(-difference, 0))},
      {t4 ? "86" : "086", "Balance due\nSolde dû", formAmount(std::max<int64_t>(difference, 0))}};
}

// The proprietors and the person to contact.
std::vector<SummaryBox> contactBoxes(const E& e, SlipKind kind) {
  const bool t4 = kind == SlipKind::T4;
  return {{t4 ? "74" : "074",
           "SIN of the proprietor or principal owner\nNAS du propriétaire ou de l'actionnaire "
           "principal",
           e.text(E::S_Proprietor_SIN_1), L},
          {t4 ? "75" : "075",
           "SIN of the second proprietor or partner\nNAS du deuxième propriétaire ou associé",
           e.text(E::S_Proprietor_SIN_2), L},
          {t4 ? "76" : "076",
           "Person to contact about this return\nPersonne-ressource pour cette déclaration",
           e.text(E::S_Contact_name), L},
          {t4 ? "78" : "078",
           "Area code, telephone number, extension\nIndicatif régional, numéro de téléphone, poste",
           contactPhone(e), L}};
}

void drawCertification(FormCanvas& canvas, const QString& returnName) {
  constexpr int Certification = Row0 + 12 * RowStep + 10;
  canvas.text({0, Certification, 650, 14}, QStringLiteral("Certification – Attestation"), 11, L,
              true);
  canvas.text({0, Certification + 16, 650, 12},
              QStringLiteral("I certify that the information given in this %1 return is, to the "
                             "best of my knowledge, correct and complete.")
                  .arg(returnName),
              10, L);
  canvas.text({0, Certification + 30, 650, 12},
              QStringLiteral("J'atteste que les renseignements fournis dans cette déclaration %1 "
                             "sont, à ma connaissance, exacts et complets.")
                  .arg(returnName),
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

// Either Summary on plain paper: the set-up with `remittances` proposed, the paper filing's
// question, the form drawn by `draw`, the reminder to sign it, the margins kept.
PrintOutcome printPlainSummary(PrintUi& ui, const SettingsStore* settings,
                               const EmployerRecord& employer, int slips, int64_t remittances,
                               SlipKind kind,
                               const std::function<void(FormCanvas&, double)>& draw) {
  PrintSettings stored = settings ? ReadSummaryMargins(*settings) : PrintSettings{};
  PlainPaperSetUp setUp;
  setUp.summary = true;
  setUp.remittances = double(remittances) / 100;
  setUp.top = stored.Top == 0 && stored.Left == 0 ? 100 : stored.Top;
  setUp.left = stored.Top == 0 && stored.Left == 0 ? 100 : stored.Left;
  if (!ui.editPlainPaperSetUp(setUp)) return PrintOutcome::NotStarted;
  if (!fileOnPaperAnyway(
          ui, employer, [slips] { return slips; }, QStringLiteral("Summary"), kind))
    return PrintOutcome::NotStarted;
  const QString title = slipName(kind) + QStringLiteral(" Summary");
  std::unique_ptr<PrintSurface> surface = ui.startPrintJob(title, FontChoice::FormsOwn);
  if (!surface) return PrintOutcome::NotStarted;
  {
    const BusyBox busy(ui, title);
    FormCanvas canvas(*surface, setUp.left, setUp.top);
    draw(canvas, setUp.remittances);
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

}  // namespace

void drawSummary(FormCanvas& canvas, const TotalsRun& run, double remittances) {
  const E& e = run.employer;
  const T4Totals& t = run.totals;
  const int year = e.u16(E::S_Taxation_year);
  drawHead(canvas, e,
           {"T4", "Summary of Remuneration Paid", "Sommaire de la rémunération payée",
            "Name and address of employer\nNom et adresse de l'employeur",
            "Employer's account number\nNuméro de compte de l'employeur", "88",
            "Total number of T4 slips filed\nNombre total de feuillets T4 produits"},
           t.count);
  std::vector<SummaryBox> left = {
      {"14", "Employment income\nRevenus d'emploi", formAmount(t.employmentIncome)},
      {"20",
       "Registered pension plan (RPP) contributions\nCotisations à un régime de pension "
       "agréé (RPA)",
       formAmount(t.rpp)},
      {"52", "Pension adjustment\nFacteur d'équivalence", formAmount(t.pensionAdjustment)}};
  for (const SummaryBox& box : contactBoxes(e, SlipKind::T4)) left.push_back(box);
  column(canvas, 0, left);
  // Until 2000 the QPP had a line of its own and went into line 27 with the CPP; from 2001
  // the Summary counts CPP alone (QPP, QPP2 and PPIP are remitted to Revenu Québec).
  const bool qppLine = year <= 2000, secondCpp = year >= 2024;
  std::vector<SummaryBox> right = {
      {"16", "Employees' CPP contributions\nCotisations des employés au RPC",
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
      {"19", "Employer's EI premiums\nCotisations de l'employeur à l'AE", formAmount(t.employerEi)},
      {"22", "Income tax deducted\nImpôt sur le revenu retenu", formAmount(t.incomeTax)},
      {"80", "Total deductions reported\nTotal des retenues déclarées",
       formAmount(t.totalDeductions())}};
  for (const SummaryBox& box : remittanceBoxes(t.totalDeductions(), remittances, SlipKind::T4))
    right.push_back(box);
  column(canvas, ColumnB, right);
  drawCertification(canvas, QStringLiteral("T4"));
}

void drawT4ASummary(FormCanvas& canvas, const T4ATotalsRun& run, double remittances) {
  const E& e = run.payer;
  const T4ATotals& t = run.totals;
  drawHead(canvas, e,
           {"T4A", "Summary of Pension, Retirement, Annuity, and Other Income",
            "Sommaire du revenu de pension, de retraite, de rente ou d'autres sources",
            "Name and address of payer\nNom et adresse du payeur",
            "Payer's program account number\nNuméro de compte de programme du payeur", "088",
            "Total number of T4A slips filed\nNombre total de feuillets T4A produits"},
           t.count);
  column(canvas, 0,
         {{"016", "Pension or superannuation\nPrestations de retraite ou autres pensions",
           formAmount(t.pension)},
          {"018", "Lump-sum payments\nPaiements forfaitaires", formAmount(t.lumpSums)},
          {"020", "Self-employed commissions\nCommissions d'un emploi autonome",
           formAmount(t.commissions)},
          {"024", "Annuities\nRentes", formAmount(t.annuities)},
          {"048", "Fees for services\nHonoraires ou autres sommes pour services rendus",
           formAmount(t.fees)},
          {"028", "Other income\nAutres revenus", formAmount(t.otherIncome)},
          {"030", "Patronage allocations\nRépartitions selon l'apport commercial",
           formAmount(t.patronage)},
          {"032", "RPP contributions (past service)\nCotisations à un RPA (services passés)",
           formAmount(t.pastService)},
          {"034", "Pension adjustment\nFacteur d'équivalence", formAmount(t.pensionAdjustment)},
          {"040", "RESP accumulated income payments\nPaiements de revenu accumulé d'un REEE",
           formAmount(t.respIncome)},
          {"042", "RESP educational assistance payments\nPaiements d'aide aux études d'un REEE",
           formAmount(t.respAssistance)},
          {"101", "Other information\nAutres renseignements", formAmount(t.otherInformation)}});
  std::vector<SummaryBox> right = {
      {"022", "Income tax deducted\nImpôt sur le revenu retenu", formAmount(t.incomeTax)}};
  for (const SummaryBox& box : remittanceBoxes(t.incomeTax, remittances, SlipKind::T4A))
    right.push_back(box);
  for (const SummaryBox& box : contactBoxes(e, SlipKind::T4A)) right.push_back(box);
  column(canvas, ColumnB, right);
  drawCertification(canvas, QStringLiteral("T4A"));
}

PrintOutcome printPlainSummaries(const TotalsRun& run, PrintUi& ui, const SettingsStore* settings) {
  return printPlainSummary(
      ui, settings, run.employer, run.totals.count, run.totals.totalDeductions(), SlipKind::T4,
      [&run](FormCanvas& canvas, double remittances) { drawSummary(canvas, run, remittances); });
}

PrintOutcome printPlainT4ASummary(const T4ATotalsRun& run, PrintUi& ui,
                                  const SettingsStore* settings) {
  return printPlainSummary(
      ui, settings, run.payer, run.totals.count, run.totals.incomeTax, SlipKind::T4A,
      [&run](FormCanvas& canvas, double remittances) { drawT4ASummary(canvas, run, remittances); });
}

}  // namespace quillet
