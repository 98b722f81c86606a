// Quillet tests — mailing labels on the trace printer.
#include "reports/mailing_labels.h"

#include "core/clock.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const FixedClock Clock(QDateTime(QDate(2001, 2, 3), QTime(9, 30)));

using LabelsTest = OpenFileTest;

// The sheets, rows and lines of each style are in the batch tool's recorded traces.
TEST_F(LabelsTest, noStyleChosenPrintsNothing) {
  openFile(t4FileBytes(goodEmployer(), {goodT4("Adams", "Ann")}));
  ui.expectLabelStyle(std::nullopt);
  EXPECT_EQ(printMailingLabels(state, ui, Clock), PrintOutcome::NotStarted);
  EXPECT_TRUE(ui.printJobs().isEmpty());
}

}  // namespace
