// Quillet — the totals of a T4A file and its worksheet.
#include "reports/t4a_totals.h"

#include <algorithm>
#include <iterator>

#include "core/ui.h"
#include "data/open_t4_file.h"
#include "data/t4a_record.h"
#include "reports/record_read_error.h"
#include "reports/t4_totals.h"

namespace quillet {
namespace {

using A = T4ARecord;
using E = EmployerRecord;

// The Summary's lines in its order, each with its box, its words and its total. A box of the
// slip (016 to 048) is totalled from its field; an other-information code with a line of its
// own (028 to 042) from the pairs that carry it; box 101 takes every other code.
struct SummaryLine {
  int box;
  const char* words;
  int64_t T4ATotals::*total;
};
constexpr SummaryLine Lines[] = {
    {16, "Pension or superannuation", &T4ATotals::pension},
    {18, "Lump-sum payments", &T4ATotals::lumpSums},
    {20, "Self-employed commissions", &T4ATotals::commissions},
    {24, "Annuities", &T4ATotals::annuities},
    {48, "Fees for services", &T4ATotals::fees},
    {28, "Other income", &T4ATotals::otherIncome},
    {30, "Patronage allocations", &T4ATotals::patronage},
    {32, "RPP contributions (past service)", &T4ATotals::pastService},
    {34, "Pension adjustment", &T4ATotals::pensionAdjustment},
    {40, "RESP accumulated income payments", &T4ATotals::respIncome},
    {42, "RESP educational assistance", &T4ATotals::respAssistance},
    {101, "Other information", &T4ATotals::otherInformation},
    {22, "Income tax deducted", &T4ATotals::incomeTax},
};

const SummaryLine* lineOf(int box) {
  const auto found = std::find_if(std::begin(Lines), std::end(Lines),
                                  [box](const SummaryLine& line) { return line.box == box; });
  return found == std::end(Lines) ? nullptr : found;
}

}  // namespace

void addToTotals(T4ATotals& t, const T4ARecord& r) {
  ++t.count;
  for (const auto& box : A::AmountBoxes) t.*lineOf(box.box)->total += r.int32(box.field);
  for (int i = 0; i < A::OtherInfoCount; ++i) {
    const int code = r.u16(A::Other_info_code[i]);
    if (code == 0) continue;  // an amount without a code is a finding of the checks, in no total
    const SummaryLine* own = code >= 28 && code <= 42 ? lineOf(code) : nullptr;
    t.*(own ? own->total : &T4ATotals::otherInformation) += r.int32(A::Other_info_amount[i]);
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
                 worksheetMoney(t.*line.total);
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
