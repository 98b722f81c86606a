// Quillet tests — the report page engine, through the trace printer.
#include "reports/print_report.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "scripted_ui.h"
#include "test_files.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

class PrintReportTest : public ::testing::Test {
 protected:
  // The texts of the one job that the engine printed.
  QList<TracedText> printed() {
    EXPECT_EQ(ui.printJobs().size(), 1);
    return ui.printJobs().isEmpty() ? QList<TracedText>() : parseTrace(ui.printJobs().first());
  }

  ScriptedUi ui;
};

// A border wider than the margins asked is the margin: clamped to none.
TEST_F(PrintReportTest, marginsAreMeasuredFromThePaperEdge) {
  ui.setTraceSettings({300, 75, 75});  // a border of a quarter inch
  TPrintReport report(ui, FilingDay, "Doc", 10, 10, 10, 10, true);
  ASSERT_FALSE(report.Aborted());
  EXPECT_EQ(std::tuple(report.TopMargin(), report.BottomMargin(), report.LeftMargin(),
                       report.RightMargin(), report.CurrentY()),
            std::tuple(0, 0, 0, 0, 0));
  EXPECT_EQ(std::pair(report.PrintableWidth(), report.PrintableHeight()),
            std::pair(2550 - 150, 3300 - 150));
}

// A value too long for its boxes is printed whole from the first.
TEST_F(PrintReportTest, boxRulesAtTheirLimits) {
  {
    TPrintReport report(ui, FilingDay, "Doc", 0, 0, 0, 0, true);
    report.PrintDigitsInBoxes(45, 9, "1234567890");
    report.PrintInBoxes(7, 9, "ABCDEFGHIJ");
    report.PrintBigCentsInBoxes(1, 12, 9999999999999LL);
  }
  QStringList placed;
  for (const TracedText& t : printed())
    placed << QStringLiteral("%1 %2").arg(t.x / 30 + 1).arg(t.text);
  EXPECT_EQ(placed, QStringList({"45 12345678.90", "7 ABCDEFGHIJ", "1 99999999999.99"}));
}

// Texts at cells, columns and right-aligned (one too wide for the left margin starts at
// 0); a lone title bold and underlined with the time and the page number (title width 150,
// gap 60, the page text ending 60 inside the right edge); a subtitle underlined and the
// title bold only, and the body bold when the chosen font is; pages breaking with the
// heading on every page (60 dpi: 10 lines of 10 on 11 inches less 1 inch of margins); no
// heading without titles, and the page count at the end: the traces recorded.
TEST_F(PrintReportTest, placingTextHeadingsAndPages) {
  const auto job = [&](TraceSettings printer, int top, int bottom, int left, bool sixPerInch,
                       const std::function<void(TPrintReport&)>& print) {
    ui.setTraceSettings(printer);
    TPrintReport report(ui, FilingDay, "Doc", top, bottom, left, 0, sixPerInch);
    print(report);
  };
  job({300}, 100, 0, 100, true, [](TPrintReport& r) {
    r.PrintAtCell(11, 7, "cell");
    r.NewLine();
    r.PrintAtColumn(2, "col");
    r.PrintRightAligned(21, "right");
    r.PrintRightAligned(1, "far too wide to fit left of the margin");
    r.PrintAtColumn(5, "");
    EXPECT_EQ(std::pair(r.columnX(11), r.rowY(7)), std::pair(600, 600));
  });
  for (const auto& [sub, bold] : {std::pair("", false), {"Sub", false}, {"Sub", true}}) {
    job({300, 0, 0, bold}, 0, 0, 0, false, [sub](TPrintReport& r) {
      r.Title = "Title";
      r.SubTitle = sub;
      r.PrintHeading();
      r.PrintLine("body");
    });
  }
  job({60}, 50, 50, 0, false, [](TPrintReport& r) {
    r.Title = "T";
    r.PrintHeading();
    for (int i = 1; i <= 200; ++i) r.PrintLine(QString::number(i));
  });
  job({300}, 0, 0, 0, true, [](TPrintReport& r) {
    r.NewPage();
    r.PrintAtColumn(1, "x");
    r.NewPage();
  });
  QString all;
  for (const QStringList& printed : ui.printJobs()) all += printed.join(u'\n') + "\n---\n";
  expectGolden("page_engine", all);
  for (const TracedText& t : parseTrace(ui.printJobs().at(4)))
    EXPECT_LE(t.y, 30 + 600 - 10) << "no line below the last line";
}

TEST_F(PrintReportTest, cancellingADialogPrintsNothing) {
  ui.cancelNextPrintJob();
  {
    TPrintReport report(ui, FilingDay, "Doc", 0, 0, 0, 0, true);
    EXPECT_TRUE(report.Aborted());
  }
  EXPECT_TRUE(ui.printJobs().isEmpty() && ui.messages().isEmpty());
}

}  // namespace
