// Quillet tests — the report page engine, through the trace printer.
#include "reports/print_report.h"

#include <gtest/gtest.h>

#include "core/clock.h"
#include "qt_printers.h"
#include "scripted_ui.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const FixedClock Clock(QDateTime(QDate(2001, 2, 3), QTime(14, 5)));

class PrintReportTest : public ::testing::Test {
 protected:
  // The texts of the one job that the engine printed.
  QList<TracedText> printed() {
    EXPECT_EQ(ui.printJobs().size(), 1);
    return ui.printJobs().isEmpty() ? QList<TracedText>() : parseTrace(ui.printJobs().first());
  }

  ScriptedUi ui;
};

TEST_F(PrintReportTest, marginsAreMeasuredFromThePaperEdge) {
  struct Case {
    TraceSettings printer;
    int top, bottom, left, right;
    int topMargin, bottomMargin, leftMargin, rightMargin;
  };
  const Case cases[] = {
      {{300, 60, 50}, 100, 100, 75, 25, 250, 250, 165, 15},
      {{300, 75, 75}, 10, 10, 10, 10, 0, 0, 0, 0},  // a border of 0.25 inch: clamped
      {{600, 0, 0}, 50, 0, 25, 0, 300, 0, 150, 0},
      {{203, 0, 0}, 33, 33, 33, 33, 66, 66, 66, 66},
  };
  for (const Case& c : cases) {
    ui.setTraceSettings(c.printer);
    TPrintReport report(ui, Clock, "Doc", c.top, c.bottom, c.left, c.right, true);
    ASSERT_FALSE(report.Aborted());
    EXPECT_EQ(report.TopMargin(), c.topMargin);
    EXPECT_EQ(report.BottomMargin(), c.bottomMargin);
    EXPECT_EQ(report.LeftMargin(), c.leftMargin);
    EXPECT_EQ(report.RightMargin(), c.rightMargin);
    const int width = c.printer.dpi * 17 / 2 - 2 * c.printer.offsetX;
    const int height = c.printer.dpi * 11 - 2 * c.printer.offsetY;
    EXPECT_EQ(report.PrintableWidth(), width - c.leftMargin - c.rightMargin);
    EXPECT_EQ(report.PrintableHeight(), height - c.topMargin - c.bottomMargin);
    EXPECT_EQ(report.CurrentY(), c.topMargin);
  }
}

TEST_F(PrintReportTest, lineHeights) {
  for (auto [dpi, sixPerInch] : {std::pair{300, 50}, {600, 100}, {203, 34}}) {
    ui.setTraceSettings({dpi});
    TPrintReport six(ui, Clock, "Doc", 0, 0, 0, 0, true);
    EXPECT_EQ(six.LineHeight(), sixPerInch) << dpi;
    TPrintReport font(ui, Clock, "Doc", 0, 0, 0, 0, false);
    EXPECT_EQ(font.LineHeight(), dpi / 6) << "the trace font's character height, no leading";
    EXPECT_EQ(font.LastLineY(), font.TopMargin() + font.PrintableHeight() - dpi / 6);
  }
}

TEST_F(PrintReportTest, boxRulesAtTheirLimits) {
  const auto columnsOf = [](const QList<TracedText>& texts) {
    QList<int> columns;
    for (const TracedText& t : texts) columns << t.x / 30 + 1;
    return columns;
  };
  struct Case {
    std::function<void(TPrintReport&)> print;
    QList<int> columns;
    QString joined;
  };
  const Case cases[] = {
      // clang-format off
      {[](TPrintReport& r) { r.PrintDigitsInBoxes(45, 9, "123456789"); }, {45, 47, 49, 51, 53, 55, 57, 59, 61}, "123456789"},
      {[](TPrintReport& r) { r.PrintDigitsInBoxes(45, 9, "1234567890"); }, {45}, "12345678.90"},
      {[](TPrintReport& r) { r.PrintDigitsInBoxes(45, 9, ""); }, {57, 59, 61}, "000"},
      {[](TPrintReport& r) { r.PrintDigitsInBoxes(45, 9, "5"); }, {57, 59, 61}, "005"},
      {[](TPrintReport& r) { r.PrintDigitsInBoxes(1, 2, "7"); }, {1}, "0.07"},
      {[](TPrintReport& r) { r.PrintInBoxes(7, 9, "ABCDEFGHI"); }, {7, 9, 11, 13, 15, 17, 19, 21, 23}, "ABCDEFGHI"},
      {[](TPrintReport& r) { r.PrintInBoxes(7, 9, "ABCDEFGHIJ"); }, {7}, "ABCDEFGHIJ"},
      {[](TPrintReport& r) { r.PrintInBoxes(7, 9, ""); }, {}, ""},
      {[](TPrintReport& r) { r.PrintCentsInBoxes(1, 5, 0); r.PrintCentsInBoxes(1, 5, -5); }, {}, ""},
      {[](TPrintReport& r) { r.PrintCentsInBoxes(1, 10, 2147483647); }, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19}, "2147483647"},
      {[](TPrintReport& r) { r.PrintBigCentsInBoxes(1, 3, 0); r.PrintBigCentsInBoxes(1, 3, -1); }, {1, 3, 5}, "000"},
      {[](TPrintReport& r) { r.PrintBigCentsInBoxes(1, 12, 99999999999LL); }, {3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23}, "99999999999"},
      {[](TPrintReport& r) { r.PrintBigCentsInBoxes(1, 12, 9999999999999LL); }, {1}, "99999999999.99"},
      {[](TPrintReport& r) { r.PrintDollarsInBoxes(1, 5, 0.0); }, {}, ""},
      {[](TPrintReport& r) { r.PrintDollarsInBoxes(1, 5, 12.345); }, {3, 5, 7, 9}, "1235"},  // half away from 0
      // clang-format on
  };
  for (const Case& c : cases) {
    ScriptedUi local;
    {
      TPrintReport report(local, Clock, "Doc", 0, 0, 0, 0, true);
      c.print(report);
    }
    const QList<TracedText> texts = parseTrace(local.printJobs().value(0));
    QString joined;
    for (const TracedText& t : texts) joined += t.text;
    EXPECT_EQ(columnsOf(texts), c.columns) << c.joined.toStdString();
    EXPECT_EQ(joined, c.joined);
  }
}

TEST_F(PrintReportTest, placingText) {
  {
    TPrintReport report(ui, Clock, "Doc", 100, 0, 100, 0, true);  // 300 and 300
    report.PrintAtCell(11, 7, "cell");
    report.NewLine();
    report.PrintAtColumn(2, "col");
    report.PrintRightAligned(21, "right");
    report.PrintRightAligned(1, "far too wide to fit left of the margin");
    report.PrintAtColumn(5, "");
    EXPECT_EQ(report.columnX(11), 600);
    EXPECT_EQ(report.rowY(7), 600);
  }
  EXPECT_EQ(printed(),
            (QList<TracedText>{{1, 600, 600, "-", "cell"},
                               {1, 330, 350, "-", "col"},
                               {1, 900 - 150, 350, "-", "right"},
                               {1, 0, 350, "-", "far too wide to fit left of the margin"}}));
}

TEST_F(PrintReportTest, aLoneTitleIsBoldAndUnderlined) {
  {
    TPrintReport report(ui, Clock, "Doc", 0, 0, 0, 0, false);
    report.Title = "Title";
    report.PrintHeading();
    report.PrintLine("body");
  }
  // Title width 150, gap 60; the page text ends 60 inside the right edge (2550).
  EXPECT_EQ(printed(), (QList<TracedText>{{1, 0, 0, "bu", "Title"},
                                          {1, 210, 0, "bu", "03 Feb 2001 at 2:05 pm"},
                                          {1, 2550 - 180 - 60, 0, "bu", "Page 1"},
                                          {1, 0, 150, "-", "body"}}));
}

// With a subtitle the title is bold only; a bold chosen font keeps the body bold.
TEST_F(PrintReportTest, aSubtitleIsUnderlinedAndTheTitleBoldOnly) {
  for (const bool boldFont : {false, true}) {
    ScriptedUi local;
    local.setTraceSettings({300, 0, 0, boldFont});
    {
      TPrintReport report(local, Clock, "Doc", 0, 0, 0, 0, false);
      report.Title = "T";
      report.SubTitle = "Sub";
      report.PrintHeading();
      report.PrintLine("body");
    }
    const QList<TracedText> texts = parseTrace(local.printJobs().value(0));
    ASSERT_EQ(texts.size(), 5);
    EXPECT_EQ(texts[0], (TracedText{1, 0, 0, "b", "T"}));
    EXPECT_EQ(texts[3], (TracedText{1, 0, 50, "bu", "Sub"}));
    EXPECT_EQ(texts[4], (TracedText{1, 0, 200, boldFont ? "b" : "-", "body"}));
  }
}

TEST_F(PrintReportTest, pagesBreakWithTheHeadingOnEveryPage) {
  ui.setTraceSettings({60});  // 10 lines of 10 units on 11 inches less 1 inch of margins
  {
    TPrintReport report(ui, Clock, "Doc", 50, 50, 0, 0, false);
    report.Title = "T";
    report.PrintHeading();
    for (int i = 1; i <= 200; ++i) report.PrintLine(QString::number(i));
  }
  const QList<TracedText> texts = printed();
  int lastPage = 0;
  int pageLines = 0;
  for (const TracedText& t : texts) {
    if (t.page != lastPage) {
      EXPECT_EQ(t.text, "T") << "page " << t.page << " starts with its heading";
      EXPECT_EQ(t.y, 30);
      lastPage = t.page;
      pageLines = 0;
    }
    EXPECT_LE(t.y, 30 + 600 - 10) << "no line below the last line";
    ++pageLines;
  }
  EXPECT_EQ(tracedPages(ui.printJobs().first()), lastPage);
  EXPECT_EQ(texts.last().text, "200");
}

TEST_F(PrintReportTest, cancellingADialogPrintsNothing) {
  ui.cancelNextPrintJob();
  {
    TPrintReport report(ui, Clock, "Doc", 0, 0, 0, 0, true);
    EXPECT_TRUE(report.Aborted());
  }
  EXPECT_TRUE(ui.printJobs().isEmpty());
  EXPECT_TRUE(ui.messages().isEmpty());
}

// Without titles no heading; the job ends with its page count.
TEST_F(PrintReportTest, theJobEndsWithItsPageCount) {
  {
    TPrintReport report(ui, Clock, "Employee T4 Forms", 0, 0, 0, 0, true);
    report.NewPage();
    report.PrintAtColumn(1, "x");
    report.NewPage();
  }
  ASSERT_EQ(ui.printJobs().size(), 1);
  EXPECT_EQ(ui.printJobs().first(), QStringList({"Employee T4 Forms", "2\t0\t0\t-\tx", "end\t3"}));
}

}  // namespace
