// Quillet tests — mailing labels on the trace printer.
#include "reports/mailing_labels.h"

#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using LabelsTest = OpenFileTest;

// The sheets, rows and lines of each style are in the batch tool's recorded traces.
TEST_F(LabelsTest, noStyleChosenPrintsNothing) {
  openFile(t4FileBytes(goodEmployer(), {goodT4("Adams", "Ann")}));
  ui.expectLabelStyle(std::nullopt);
  EXPECT_EQ(printMailingLabels(state, ui, FilingDay), PrintOutcome::NotStarted);
  EXPECT_TRUE(ui.printJobs().isEmpty());
}

}  // namespace
