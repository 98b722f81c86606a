// Quillet tests — the T4 Error Report and the viewer's printout, on the trace printer.
#include "reports/error_report.h"

#include <QFile>

#include "golden.h"
#include "open_file_test.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using ErrorReportTest = OpenFileTest;

// Forty employees over two pages, each starting with its heading (300 dpi: margins 150
// top and bottom, 225 left; lines of 50), an employer whose name fills the title, a record
// that cannot be read (the list stops, the printout goes out), and the viewer's printouts
// with and without the caller's headings: the traces recorded.
TEST_F(ErrorReportTest, printsTheHeadingAndEveryLineAcrossPages) {
  std::vector<T4Record> staff;
  for (int i = 0; i < 40; ++i)
    staff.push_back(goodT4(QStringLiteral("Name%1").arg(i, 2, 10, QChar(u'0')), "A"));
  const struct {
    QByteArray bytes;
    int cutTo;  // 0: the whole file
    PrintOutcome outcome;
  } cases[] = {
      {t4FileBytes(goodEmployer(), staff), 0, PrintOutcome::Printed},
      {fixtureFile("LONGNAME.T4E"), 0, PrintOutcome::Printed},
      {t4FileBytes(goodEmployer(), {goodT4("Adams", "A"), goodT4("Brown", "B")}), 1536 + 768 + 10,
       PrintOutcome::StoppedEarly},
  };
  for (const auto& c : cases) {
    openFile(c.bytes);
    ASSERT_TRUE(!c.cutTo || QFile::resize(state.T4FileName(), c.cutTo));
    EXPECT_EQ(printErrorReport(state, ui, FilingDay), c.outcome);
    state.CloseT4File();
  }
  printViewerReport({{}, {}, {}, {"line one", "  "}}, ui, FilingDay);
  printViewerReport({"T4 Totals Report", {}, "Acme", {"x"}}, ui, FilingDay);
  QString all;
  for (const QStringList& job : ui.printJobs()) all += job.join(u'\n') + "\n---\n";
  expectGolden("error_reports", all + ui.transcript() + ui.busyBoxes().join(u' '), folder.path({}));
  for (const TracedText& t : parseTrace(ui.printJobs().first()))
    EXPECT_LE(t.y, 150 + 3000 - 50) << "no line below the bottom margin";
}

TEST_F(ErrorReportTest, cancellingPrintsNothingAndShowsNoBusyBox) {
  openFile(t4FileBytes(goodEmployer(), {goodT4("Adams", "A")}));
  ui.cancelNextPrintJob();
  EXPECT_EQ(printErrorReport(state, ui, FilingDay), PrintOutcome::NotStarted);
  EXPECT_TRUE(ui.printJobs().isEmpty() && ui.busyBoxes().isEmpty() && ui.messages().isEmpty());
}

}  // namespace
