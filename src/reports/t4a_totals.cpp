// Quillet — the totals of a T4A file and its worksheet.
#include "reports/t4a_totals.h"

#include "core/ui.h"
#include "data/open_t4_file.h"
#include "data/t4a_record.h"
#include "reports/record_read_error.h"
#include "reports/t4_totals.h"

namespace quillet {
namespace {

using A = T4ARecord;
using E = EmployerRecord;

// The Summary's lines in its order, each with its box and its words.
struct SummaryLine {
  int box;
  const char* words;
};
constexpr SummaryLine Lines[] = {
    {16, "Pension or superannuation"},   {18, "Lump-sum payments"},
    {20, "Self-employed commissions"},   {24, "Annuities"},
    {48, "Fees for services"},           {28, "Other income"},
    {30, "Patronage allocations"},       {32, "RPP contributions (past service)"},
    {34, "Pension adjustment"},          {40, "RESP accumulated income payments"},
    {42, "RESP educational assistance"}, {101, "Other information"},
    {22, "Income tax deducted"},
};

}  // namespace

void addToTotals(T4ATotals& t, const T4ARecord& r) {
  const auto cents = [&r](const Field& f) { return int64_t{r.int32(f)}; };
  ++t.count;
  t.pension += cents(A::Pension_or_superannuation);
  t.lumpSums += cents(A::Lump_sum_payments);
  t.commissions += cents(A::Self_employed_commissions);
  t.annuities += cents(A::Annuities);
  t.fees += cents(A::Fees_for_services);
  t.incomeTax += cents(A::Income_tax_deducted);
  for (int i = 0; i < A::OtherInfoCount; ++i) {
    const int64_t amount = cents(A::Other_info_amount[i]);
    switch (r.u16(A::Other_info_code[i])) {
      case 0:
        break;  // an amount without a code is a finding of the checks, in no total
      case 28:
        t.otherIncome += amount;
        break;
      case 30:
        t.patronage += amount;
        break;
      case 32:
        t.pastService += amount;
        break;
      case 34:
        t.pensionAdjustment += amount;
        break;
      case 40:
        t.respIncome += amount;
        break;
      case 42:
        t.respAssistance += amount;
        break;
      default:
        t.otherInformation += amount;
    }
  }
}

T4ATotalsRun totalT4AFile(OpenT4FileState& state, Ui& ui) {
  T4ATotalsRun run;
  readEmployerRecordForReports(state, ui, run.payer);
  TAlphaInxFileStream& file = state.T4File();
  T4ARecord record;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(record.bytes(), i) != Record768::Size) {
      ui.showMessage(printingReadError(file.position(i), QStringLiteral("T4A totals")));
      run.stoppedEarly = true;
      break;
    }
    if (!record.isVoid() && !record.isCancelled()) addToTotals(run.totals, record);
  }
  return run;
}

int64_t summaryBox(const T4ATotals& t, int box) {
  switch (box) {
    case 16:
      return t.pension;
    case 18:
      return t.lumpSums;
    case 20:
      return t.commissions;
    case 22:
      return t.incomeTax;
    case 24:
      return t.annuities;
    case 28:
      return t.otherIncome;
    case 30:
      return t.patronage;
    case 32:
      return t.pastService;
    case 34:
      return t.pensionAdjustment;
    case 40:
      return t.respIncome;
    case 42:
      return t.respAssistance;
    case 48:
      return t.fees;
    case 101:
      return t.otherInformation;
  }
  return 0;
}

ViewerReport t4aTotalsWorksheet(const T4ATotalsRun& run, const QString& fileName) {
  const T4ATotals& t = run.totals;
  const QString blank = QStringLiteral("  ");
  const QString name1 = run.payer.text(E::S_Employer_name_line_1);
  const QString name2 = run.payer.text(E::S_Employer_name_line_2);
  QStringList lines;
  lines << QStringLiteral("Totals from T4A file: ") + fileName << blank
        << QStringLiteral("Payer: ") + (name1 + u' ' + name2).trimmed()
        << QStringLiteral("Business Number: ") + run.payer.text(E::RevCan_account_number)
        << QStringLiteral("Tax year: %1").arg(run.payer.u16(E::S_Taxation_year)) << blank
        << QStringLiteral("Box 088, Total number of T4A slips = %1").arg(t.count);
  for (const SummaryLine& line : Lines) {
    lines << QStringLiteral("Box %1, %2 = ")
                     .arg(line.box, 3, 10, QLatin1Char('0'))
                     .arg(QLatin1String(line.words)) +
                 worksheetMoney(summaryBox(t, line.box));
  }
  ViewerReport report;
  report.reportTitle = QStringLiteral("T4A Totals Report");
  report.headingLine1 = report.reportTitle;
  report.headingLine2 = (name1 + u' ' + name2).trimmed();
  report.caption = QStringLiteral("T4A Totals Report, Click Print to Print");
  report.lines = lines;
  return report;
}

}  // namespace quillet
