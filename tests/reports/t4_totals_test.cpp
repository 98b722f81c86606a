// Quillet tests — totals, the worksheet, and the T4 Summary on the trace printer.
#include "reports/t4_totals.h"

#include <QFile>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "core/settings_store.h"
#include "golden.h"
#include "open_file_test.h"
#include "reports/print_settings.h"
#include "reports/t4_summary.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

class TotalsTest : public OpenFileTest {
 protected:
  TotalsRun total(const EmployerRecord& employer, const std::vector<T4Record>& t4s) {
    openFile(t4FileBytes(employer, t4s));
    return totalT4File(state, ui);
  }
};

// The arithmetic of the totals, recorded: the employer's EI share of the employees' premiums
// at a multiplier (halves to even, saturated beyond 64 bits), the box of an other-information
// code, the worksheet's money, the remittances' difference to the cent.
TEST(TotalsArithmetic, eachRuleWithItsOutcome) {
  expectRecordedTable("totals_arithmetic", [](const QString& row) {
    const QString what = row.section(QStringLiteral(" | "), 0, 0);
    const QStringList n = row.section(QStringLiteral(" | "), 1).split(u' ');
    if (what.startsWith(QStringLiteral("EI share")))
      return QString::number(employerEiShare(n[0].toLongLong(), n[1].toInt())) + u'\n';
    if (what.startsWith(QStringLiteral("box")))
      return QString::number(otherInfoBox(row.section(u'"', 1, 1))) + u'\n';
    if (what.startsWith(QStringLiteral("worksheet")))
      return worksheetMoney(n[0].toLongLong()) + u'\n';
    return QString::number(remittanceDifference(n[0].toLongLong(), n[1].toDouble())) + u'\n';
  });
}

// Another program cut the file short under the run: the totals stop at the record that is
// gone, and say so.
TEST_F(TotalsTest, aFileCutShortUnderTheRunStopsThere) {
  openFile(t4FileBytes(goodEmployer(), {goodT4("Adams", "A"), goodT4("Brown", "B")}));
  ASSERT_TRUE(QFile::resize(state.T4FileName(), 1536 + 768));
  const TotalsRun run = totalT4File(state, ui);
  EXPECT_EQ(std::tuple(run.stoppedEarly, run.totals.count, ui.messages().size()),
            std::tuple(true, 1, qsizetype(1)));
}

TEST_F(TotalsTest, theQuestionLeadsToTheWorksheetOrTheSummary) {
  total(goodEmployer(), {goodT4("Adams", "A")});
  ui.expectQuestion(Answer::No);
  ui.expectReport(ViewerResult::Ok);
  runT4Totals(state, ui, FilingDay, nullptr);
  expectGolden("totals_question", ui.transcript(), folder.path({}));
  EXPECT_TRUE(ui.printJobs().isEmpty());
}

using SummaryTest = TotalsTest;

TEST_F(SummaryTest, lineUpsUntilARealPrintThenTheReminderAndTheSettings) {
  const TotalsRun run = total(goodEmployer(), {goodT4("Adams", "A")});
  const SettingsStore settings(folder.path(""));
  ui.expectSummarySetUp([&run](SummarySetUp& s) {
    EXPECT_EQ(std::tuple(s.top, s.lineUp, s.namePreprinted, s.remittances, s.employerName),
              std::tuple(100, true, true, double(run.totals.totalDeductions()) / 100,
                         QStringLiteral("Acme Widgets Ltd.")));
    s.top = 90;
    s.remittances = 12.5;
    return true;
  });
  ui.expectSummarySetUp([](SummarySetUp& s) {
    EXPECT_EQ(s.top, 90) << "the dialog comes back as it was left";
    EXPECT_DOUBLE_EQ(s.remittances, 12.5);
    s.lineUp = false;
    return true;
  });
  EXPECT_EQ(printT4Summaries(run, ui, FilingDay, &settings), PrintOutcome::Printed);
  EXPECT_EQ(ui.printJobs().size(), 2);
  expectGolden("summary_reminder", ui.transcript());  // to date and sign it, once
  EXPECT_EQ(ReadSummaryMargins(settings), (PrintSettings{90, 100, 0, 0, 0, false, false, true}));
}

TEST_F(SummaryTest, aCancelledPrintIsNoRealPrint) {
  const TotalsRun run = total(goodEmployer(), {goodT4("Adams", "A")});
  const SettingsStore settings(folder.path(""));
  ui.expectSummarySetUp([](SummarySetUp& s) {
    s.lineUp = false;
    return true;
  });
  ui.cancelNextPrintJob();
  EXPECT_EQ(printT4Summaries(run, ui, FilingDay, &settings), PrintOutcome::NotStarted);
  EXPECT_TRUE(ui.messages().isEmpty());
  EXPECT_EQ(ReadSummaryMargins(settings), PrintSettings());
}

TEST(CheckRemittances, asTheFieldIsLeft) {
  quillet::test::ScriptedUi ui;
  const auto left = [&ui](const char* text) {
    const RemittanceCheck check = checkRemittances(text, ui);
    return std::tuple(check.accepted, check.remittances, check.text);
  };
  EXPECT_EQ(left(" 7 "), std::tuple(true, 7.0, QStringLiteral(" 7 ")));
  EXPECT_EQ(left("-5"), std::tuple(false, 0.0, QStringLiteral("-5")));
  EXPECT_TRUE(ui.messages().value(0).startsWith(
      "The entry in Remittances is not a valid numeric value or is a negative amount."));
  ui.expectQuestion(Answer::Yes);  // a zero: the user goes back to it
  EXPECT_EQ(left("0.005"), std::tuple(false, 0.0, QStringLiteral("0.00")));
  EXPECT_EQ(ui.messages().size(), 1);
}

}  // namespace
