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
using T = T4Record;

class TotalsTest : public OpenFileTest {
 protected:
  TotalsRun total(const EmployerRecord& employer, const std::vector<T4Record>& t4s) {
    openFile(t4FileBytes(employer, t4s));
    return totalT4File(state, ui);
  }
};

// The worksheets of files of every kind, recorded: the boxes of later years from the year
// that has them (CPP2 from 2024, PPIP from 2006, remitted to Quebec and so not in box 80);
// the printable records added up (an EI-exempt record still adds its premium but nothing
// to box 24, employer EI 122529.4 rounded, VOID left out); insurable earnings falling back
// to income and a zero multiplier taken as 1.4.
TEST_F(TotalsTest, theWorksheetsOfEveryKindOfFile) {
  const T4Record cpp2 = with(goodT4("Adams", "A"), {{T::Employee_CPP2, 41600}});
  const T4Record quebec = with(goodT4("Bouchard", "B"), {{T::Province_of_employment_code, "QC"},
                                                         {T::Employee_QPP2, 10000},
                                                         {T::Employee_PPIP_premium, 21500}});
  QString all;
  for (const int year : {2026, 2024, 2023, 2006, 2005}) {
    EmployerRecord employer = goodEmployer();
    applyRates(employer, *ratesOf(year));
    all += totalsWorksheet(total(employer, {cpp2, quebec}), "X.T4E").lines.join(u'\n') + "\n---\n";
    state.CloseT4File();
  }
  const T4Record a = with(goodT4("Adams", "A"), {{T::Employee_QPP, 100},
                                                 {T::RPP_contributions, 7},
                                                 {T::Pension_adjustment, 9},
                                                 {T::Union_dues, 11},
                                                 {T::Charitable_donations, 13},
                                                 {T::EI_insurable_earnings, 1500000},
                                                 {T::Employee_EI_premium, 50000}});
  const T4Record exempt =
      with(goodT4("Brown", "B"), {{T::EI_Exempt, true}, {T::Employee_EI_premium, 37521}});
  all +=
      totalsWorksheet(
          total(goodEmployer(), {a, exempt, with(goodT4("Void", "V"), {{T::VOID, true}})}), "X.T4E")
          .lines.join(u'\n') +
      "\n---\n";
  state.CloseT4File();
  all += totalsWorksheet(total(with(goodEmployer(), {{EmployerRecord::EI_employer_multiplier, 0}}),
                               {with(goodT4("Adams", "A"), {{T::Employment_income, 3000000},
                                                            {T::Employee_EI_premium, 87525}})}),
                         "X.T4E")
             .lines.join(u'\n');
  expectGolden("totals_worksheets", all);
}

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

// The worksheet of every kind of employee is recorded whole by the batch tool's golden
// output; here the lines a second name line and odd other information make.
TEST_F(TotalsTest, theWorksheetLines) {
  const TotalsRun run = total(
      with(goodEmployer(), {{EmployerRecord::S_Employer_name_line_2, "Division of Acme Holdings"}}),
      {with(goodT4("Adams", "A"), {{T::Employment_income, 123456789},
                                   {T::Union_dues, 2500},
                                   {T::Other_info_code_1, "30 Housing Board Lodging"},
                                   {T::Other_info_amount_1, 1000},
                                   {T::Other_info_code_2, "xx"},
                                   {T::Other_info_amount_2, -150}})});
  const ViewerReport sheet = totalsWorksheet(run, "C:\\DATA\\ACME.T4E");
  EXPECT_EQ(sheet.lines.first(), "Totals from T4 file: C:\\DATA\\ACME.T4E");
  EXPECT_EQ(sheet.lines.mid(30),
            QStringList({"  ", "Union Dues = 25.00", "Other Info. Box 30 = 10.00",
                         "Other Info. Error (Box not numeric) = -1.50", "  ",
                         "If these figures are correct they can be printed directly onto the "
                         "Revenue Canada",
                         "T4 Summary form, from the menu select \"Print Reports\" then \"T4 "
                         "Totals\" then \"Yes\""}));
  for (const char* line :
       {"Company: Acme Widgets Ltd. Division of Acme Holdings",
        "Box 14, Employment Income = 1,234,567.89", "Box 24, EI Insurable Earnings = 1,234,567.89"})
    EXPECT_TRUE(sheet.lines.contains(line)) << line;
  EXPECT_EQ(sheet.caption, "T4 Totals Report, Click Print to Print");
  EXPECT_EQ(sheet.headingLine2, "Acme Widgets Ltd. Division of Acme Holdings");
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

// The Summary with the totals in their boxes and the name and address preprinted, then
// with the employer printed, youth hires ticked and an overpayment: the traces recorded.
TEST_F(SummaryTest, totalsInTheirBoxesAndTheEmployerPrinted) {
  const TotalsRun preprinted = total(goodEmployer(), {goodT4("Adams", "A"), goodT4("Brown", "B")});
  SummarySetUp setUp;
  setUp.remittances = double(preprinted.totals.totalDeductions()) / 100;
  printT4Summary(preprinted, setUp, ui, Clock);
  state.CloseT4File();
  const TotalsRun run =
      total(with(goodEmployer(), {{EmployerRecord::S_Employer_address_line_2, "Suite 100"},
                                  {EmployerRecord::S_Proprietor_SIN_1, "046454286"},
                                  {EmployerRecord::S_Employer_name_line_2, "Widget Division"}}),
            {goodT4("Adams", "A")});
  setUp.namePreprinted = false;
  setUp.youthHires = true;
  setUp.remittances = double(run.totals.totalDeductions() + 1000) / 100;
  printT4Summary(run, setUp, ui, Clock);
  ASSERT_EQ(ui.printJobs().size(), 2);
  expectGolden("summary_boxes",
               ui.printJobs()[0].join(u'\n') + "\n---\n" + ui.printJobs()[1].join(u'\n'));
}

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
  const QString invalid = QStringLiteral(
      "The entry in Remittances is not a valid numeric value or is a negative amount.");
  struct Case {
    const char* text;
    std::optional<Answer> zeroAnswer;
    bool accepted;
    double value;
    QString newText;
  };
  const Case cases[] = {
      {"1234.5", {}, true, 1234.5, "1234.5"}, {" 7 ", {}, true, 7, " 7 "},
      {"1,234.56", {}, false, 0, "1,234.56"}, {"-5", {}, false, 0, "-5"},
      {"", Answer::No, true, 0, "0.00"},      {"0.005", Answer::Yes, false, 0, "0.00"},
  };
  for (const Case& c : cases) {
    quillet::test::ScriptedUi ui;
    if (c.zeroAnswer) ui.expectQuestion(*c.zeroAnswer);
    const RemittanceCheck check = checkRemittances(c.text, ui);
    EXPECT_EQ(check.accepted, c.accepted) << c.text;
    EXPECT_DOUBLE_EQ(check.remittances, c.value) << c.text;
    EXPECT_EQ(check.text, c.newText) << c.text;
    EXPECT_EQ(!ui.messages().isEmpty() && ui.messages().first().startsWith(invalid),
              !c.accepted && !c.zeroAnswer)
        << c.text;
  }
}

TEST(RemittanceDifference, roundsTheRemittancesToTheCent) {
  EXPECT_EQ(remittanceDifference(100000, 1000.00), 0);
  EXPECT_EQ(remittanceDifference(100000, 1010.00), -1000);
  EXPECT_EQ(remittanceDifference(100000, 999.994), 1);
}

}  // namespace
