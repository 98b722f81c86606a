// Quillet tests — the T4 Error Report and the viewer's printout, on the trace printer.
#include "reports/error_report.h"

#include <gtest/gtest.h>

#include <QFile>

#include "core/clock.h"
#include "data/open_t4_file.h"
#include "open_file_test.h"
#include "scripted_ui.h"
#include "test_files.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const FixedClock Clock(QDateTime(QDate(2001, 2, 3), QTime(9, 30)));

class ErrorReportTest : public OpenFileTest {
 protected:
};

TEST_F(ErrorReportTest, printsTheHeadingAndEveryLineAcrossPages) {
  std::vector<T4Record> staff;
  for (int i = 0; i < 40; ++i)
    staff.push_back(goodT4(QStringLiteral("Name%1").arg(i, 2, 10, QChar(u'0')), "A"));
  openFile(t4FileBytes(goodEmployer(), staff));
  EXPECT_EQ(printErrorReport(state, ui, Clock), PrintOutcome::Printed);

  ASSERT_EQ(ui.printJobs().size(), 1);
  const QStringList& job = ui.printJobs().first();
  EXPECT_EQ(job.first(), "T4 Error Report");
  EXPECT_EQ(ui.busyBoxes(), QStringList({"T4 Error Report", "-"}));
  const QList<TracedText> texts = parseTrace(job);
  // 300 dpi: margins 150 top and bottom, 225 left; lines of 50.
  EXPECT_EQ(texts[0], (TracedText{1, 225, 150, "b", "T4 Error Report for Acme Widgets Ltd."}));
  EXPECT_EQ(texts[1].text, "03 Feb 2001 at 9:30 am");
  EXPECT_EQ(texts[2], (TracedText{1, 2550 - 75 - 180 - 60, 150, "b", "Page 1"}));
  EXPECT_EQ(texts[3], (TracedText{1, 225, 200, "bu", "Based on T4 file " + state.T4FileName()}));
  EXPECT_EQ(
      texts[4],
      (TracedText{1, 225, 350, "-",
                  "The following are items you may want to re-check before printing.  If any"}));

  const int pages = tracedPages(job);
  EXPECT_EQ(pages, 2);
  const auto firstOnPage2 =
      std::find_if(texts.begin(), texts.end(), [](auto& t) { return t.page == 2; });
  ASSERT_NE(firstOnPage2, texts.end());
  EXPECT_EQ(firstOnPage2->y, 150);
  EXPECT_EQ(firstOnPage2->style, "b") << "page 2 starts with the heading";
  EXPECT_EQ(texts.last().text, "Validation Report for SIN 046454286  A Name39");
  for (const TracedText& t : texts) EXPECT_LE(t.y, 150 + 3000 - 50);
}

TEST_F(ErrorReportTest, theTitleIsCutTo50Characters) {
  EmployerRecord employer = goodEmployer();
  employer.setText(EmployerRecord::S_Employer_name_line_1, QString(30, u'N'));
  openFile(t4FileBytes(employer, {goodT4("Smith", "J")}));
  printErrorReport(state, ui, Clock);
  EXPECT_EQ(parseTrace(ui.printJobs().value(0)).value(0).text,
            "T4 Error Report for " + QString(30, u'N'));
}

TEST_F(ErrorReportTest, anUnreadableRecordStopsTheListButThePrintGoesOut) {
  openFile(t4FileBytes(goodEmployer(), {goodT4("Adams", "A"), goodT4("Brown", "B")}));
  ASSERT_TRUE(QFile::resize(state.T4FileName(), 1536 + 768 + 10));
  EXPECT_EQ(printErrorReport(state, ui, Clock), PrintOutcome::StoppedEarly);
  ASSERT_EQ(ui.printJobs().size(), 1);
  EXPECT_EQ(parseTrace(ui.printJobs().first()).last().text,
            "*** Report Aborted due to file read error at offset 2304***");
  EXPECT_EQ(ui.messages().size(), 1);
}

TEST_F(ErrorReportTest, cancellingPrintsNothingAndShowsNoBusyBox) {
  openFile(t4FileBytes(goodEmployer(), {goodT4("Adams", "A")}));
  ui.cancelNextPrintJob();
  EXPECT_EQ(printErrorReport(state, ui, Clock), PrintOutcome::NotStarted);
  EXPECT_TRUE(ui.printJobs().isEmpty());
  EXPECT_TRUE(ui.busyBoxes().isEmpty());
  EXPECT_TRUE(ui.messages().isEmpty());
}

TEST(ViewerPrintout, aViewerWithoutTitlesPrintsUnderTheErrorReportTitle) {
  ScriptedUi ui;
  printViewerReport({{}, {}, {}, {"line one", "  "}}, ui, Clock);
  ASSERT_EQ(ui.printJobs().size(), 1);
  EXPECT_EQ(ui.printJobs().first().first(), "T4 Error Report");
  const QList<TracedText> texts = parseTrace(ui.printJobs().first());
  // Margins 100 and 75 hundredths at 300 dpi.
  EXPECT_EQ(texts[0], (TracedText{1, 225, 300, "bu", "T4 Error Report"}));
  EXPECT_EQ(texts[3], (TracedText{1, 225, 450, "-", "line one"}));
  EXPECT_EQ(texts[4], (TracedText{1, 225, 500, "-", "  "}));
  EXPECT_TRUE(ui.busyBoxes().isEmpty());
}

TEST(ViewerPrintout, headingLinesOfTheCaller) {
  ScriptedUi ui;
  printViewerReport({"T4 Totals Report", {}, "Acme", {"x"}}, ui, Clock);
  const QList<TracedText> texts = parseTrace(ui.printJobs().value(0));
  EXPECT_EQ(ui.printJobs().value(0).value(0), "T4 Totals Report");
  EXPECT_EQ(texts[0], (TracedText{1, 225, 300, "b", "T4 Totals Report"}));
  EXPECT_EQ(texts[3], (TracedText{1, 225, 350, "bu", "Acme"}));
}

}  // namespace
