// Quillet tests — totals, the worksheet, and the T4 Summary on the trace printer.
#include "reports/t4_totals.h"

#include <gtest/gtest.h>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "data/open_t4_file.h"
#include "golden.h"
#include "open_file_test.h"
#include "reports/t4_summary.h"
#include "scripted_ui.h"
#include "test_files.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const FixedClock Clock(QDateTime(QDate(2001, 2, 3), QTime(9, 30)));

class TotalsTest : public OpenFileTest {
 protected:
  TotalsRun total(const EmployerRecord& employer, const std::vector<T4Record>& t4s) {
    openFile(t4FileBytes(employer, t4s));
    return totalT4File(state, ui);
  }
};

TEST(EmployerEiShare, roundsHalvesToEven) {
  EXPECT_EQ(employerEiShare(87521, 14000), 122529);
  EXPECT_EQ(employerEiShare(87525, 14000), 122535);
  EXPECT_EQ(employerEiShare(5, 10000 + 5000), 8) << "7.5 goes to 8";
  EXPECT_EQ(employerEiShare(3, 15000), 4) << "4.5 goes to 4";
  EXPECT_EQ(employerEiShare(-3, 15000), -4);
  EXPECT_EQ(employerEiShare(INT64_C(200000000000000), 100000), INT64_C(2000000000000000))
      << "a damaged file's product passes 64 bits without overflowing";
  EXPECT_EQ(employerEiShare(INT64_C(200000000000000), INT32_MAX), INT64_MAX) << "saturated";
}

TEST(OtherInfoBox, readsTheBoxNumber) {
  struct Case {
    const char* code;
    int box;
  };
  for (const Case& c : {Case{"30 Housing Board Lodging", 30}, Case{" 7", 7}, Case{"AB", 100},
                        Case{"0 ", 100}, Case{"", 100}, Case{"99", 99}, Case{"-3", 100}}) {
    EXPECT_EQ(otherInfoBox(c.code), c.box) << c.code;
  }
}

TEST(WorksheetMoney, groupsThousands) {
  EXPECT_EQ(worksheetMoney(123456789), "1,234,567.89");
  EXPECT_EQ(worksheetMoney(0), "0.00");
  EXPECT_EQ(worksheetMoney(-100000), "-1,000.00");
  EXPECT_EQ(worksheetMoney(99999), "999.99");
  EXPECT_EQ(worksheetMoney(INT64_MIN), "-92,233,720,368,547,758.08");
}

TEST_F(TotalsTest, theQuestionLeadsToTheWorksheetOrTheSummary) {
  total(goodEmployer(), {goodT4("Adams", "A")});
  ui.expectQuestion(Answer::No);
  ui.expectReport(ViewerResult::Ok);
  runT4Totals(state, ui, Clock, nullptr);
  expectGolden("totals_question", ui.transcript(), folder.path({}));
  EXPECT_TRUE(ui.printJobs().isEmpty());
}

using SummaryTest = TotalsTest;

TEST_F(SummaryTest, lineUpsUntilARealPrintThenTheReminderAndTheSettings) {
  const TotalsRun run = total(goodEmployer(), {goodT4("Adams", "A")});
  TempFolder settingsFolder;
  const SettingsStore settings(settingsFolder.path(""));
  ui.expectSummarySetUp([&run](SummarySetUp& s) {
    EXPECT_EQ(s.top, 100);
    EXPECT_TRUE(s.lineUp);
    EXPECT_TRUE(s.namePreprinted);
    EXPECT_DOUBLE_EQ(s.remittances, double(run.totals.totalDeductions()) / 100);
    EXPECT_EQ(s.employerName, "Acme Widgets Ltd.");
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
  EXPECT_EQ(printT4Summaries(run, ui, Clock, &settings), PrintOutcome::Printed);
  EXPECT_EQ(ui.printJobs().size(), 2);
  EXPECT_EQ(ui.messages(),
            QStringList{"Dont forget to date and sign the certification at the bottom of the form "
                        "before mailing it to Revenue Canada with their copies of the T4's"});
  EXPECT_EQ(settings.ReadSummaryMargins(), (PrintSettings{90, 100, 0, 0, 0, false, false, true}));
}

TEST_F(SummaryTest, aCancelledPrintIsNoRealPrint) {
  const TotalsRun run = total(goodEmployer(), {goodT4("Adams", "A")});
  TempFolder settingsFolder;
  const SettingsStore settings(settingsFolder.path(""));
  ui.expectSummarySetUp([](SummarySetUp& s) {
    s.lineUp = false;
    return true;
  });
  ui.cancelNextPrintJob();
  EXPECT_EQ(printT4Summaries(run, ui, Clock, &settings), PrintOutcome::NotStarted);
  EXPECT_TRUE(ui.messages().isEmpty());
  EXPECT_EQ(settings.ReadSummaryMargins(), PrintSettings());
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

TEST(RemittanceDifference, roundsTheRemittancesToTheCent) {
  EXPECT_EQ(remittanceDifference(100000, 1000.00), 0);
  EXPECT_EQ(remittanceDifference(100000, 1010.00), -1000);
  EXPECT_EQ(remittanceDifference(100000, 999.994), 1);
}

}  // namespace
