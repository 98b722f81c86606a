// Quillet tests — mailing labels on the trace printer.
#include "reports/mailing_labels.h"

#include <gtest/gtest.h>

#include "core/clock.h"
#include "data/open_t4_file.h"
#include "golden.h"
#include "open_file_test.h"
#include "scripted_ui.h"
#include "test_files.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const FixedClock Clock(QDateTime(QDate(2001, 2, 3), QTime(9, 30)));

using LabelsTest = OpenFileTest;

// Twenty-one labels fill a sheet of style 0 and start the next; style 1 places its rows
// lower; style 3 shows the lines of a label, the second address line and the country
// when there are some, and no VOID record. The traces are recorded.
TEST_F(LabelsTest, sheetsRowsAndTheLinesOfALabel) {
  std::vector<T4Record> staff;
  for (int i = 0; i < 21; ++i)
    staff.push_back(goodT4(QStringLiteral("Name%1").arg(i, 2, 10, QChar(u'0')), "N"));
  const std::vector<T4Record> three = {
      goodT4("Adams", "Ann"), with(goodT4("Void", "V"), {{T4Record::VOID, true}}),
      with(goodT4("Smith", "John", "Q"), {{T4Record::Employee_address_line_2, "Unit 5"},
                                          {T4Record::Employee_country_code, "CAN"}})};
  QString all;
  for (const auto& [style, t4s] : {std::pair{0, staff}, {1, three}, {3, three}}) {
    openFile(t4FileBytes(goodEmployer(), t4s));
    ui.expectLabelStyle(style);
    EXPECT_EQ(printMailingLabels(state, ui, Clock), PrintOutcome::Printed);
    all += ui.printJobs().last().join(u'\n') + "\n---\n";
    state.CloseT4File();
  }
  expectGolden("mailing_labels", all);

  openFile(t4FileBytes(goodEmployer(), three));
  ui.expectLabelStyle(std::nullopt);
  EXPECT_EQ(printMailingLabels(state, ui, Clock), PrintOutcome::NotStarted) << "no style chosen";
  EXPECT_EQ(ui.printJobs().size(), 3);
}

}  // namespace
