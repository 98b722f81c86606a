// Quillet tests — mailing labels on the trace printer.
#include "reports/mailing_labels.h"

#include <gtest/gtest.h>

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

class LabelsTest : public OpenFileTest {
 protected:
  QList<TracedText> print(int style, const std::vector<T4Record>& t4s) {
    openFile(t4FileBytes(goodEmployer(), t4s));
    ui.expectLabelStyle(style);
    EXPECT_EQ(printMailingLabels(state, ui, Clock), PrintOutcome::Printed);
    EXPECT_EQ(ui.printJobs().size(), 1);
    return parseTrace(ui.printJobs().value(0));
  }

  // The first line of each label: page, column and row of the grid (left margin 75,
  // top margin by style, 300 dpi).
  static QList<std::tuple<int, int, int>> firstLines(const QList<TracedText>& texts,
                                                     int topMargin) {
    QList<std::tuple<int, int, int>> at;
    for (const TracedText& t : texts) {
      if (t.text.contains(u'#'))
        at.append({t.page, (t.x - 75) / 30 + 1, (t.y - topMargin) / 50 + 1});
    }
    return at;
  }

  static std::vector<T4Record> staff(int count) {
    std::vector<T4Record> records;
    for (int i = 0; i < count; ++i) {
      records.push_back(goodT4(QStringLiteral("Name%1").arg(i, 2, 10, QChar(u'0')), "#"));
    }
    return records;
  }
};

TEST_F(LabelsTest, twentyOneLabelsFillOneSheetAndStartTheNext) {
  const QList<TracedText> t = print(0, staff(21));
  const auto at = firstLines(t, 150);
  ASSERT_EQ(at.size(), 21);
  EXPECT_EQ(at[0], std::make_tuple(1, 2, 2));
  EXPECT_EQ(at[1], std::make_tuple(1, 44, 2));
  EXPECT_EQ(at[2], std::make_tuple(1, 2, 8));
  EXPECT_EQ(at[19], std::make_tuple(1, 44, 56));
  EXPECT_EQ(at[20], std::make_tuple(2, 2, 2));
  EXPECT_EQ(tracedPages(ui.printJobs().first()), 2);
}

TEST_F(LabelsTest, stylesPlaceTheirRows) {
  const QList<TracedText> t = print(1, staff(3));  // 83 hundredths: top margin 249
  EXPECT_EQ(firstLines(t, 249),
            (QList<std::tuple<int, int, int>>{{1, 2, 3}, {1, 44, 3}, {1, 2, 11}}));
}

TEST_F(LabelsTest, theLinesOfOneLabel) {
  T4Record withSecondLine = goodT4("Smith", "John", "Q");
  withSecondLine.setText(T4Record::Employee_address_line_2, "Unit 5");
  withSecondLine.setText(T4Record::Employee_country_code, "CAN");
  T4Record voided = goodT4("Void", "V");
  voided.setFlag(T4Record::VOID, true);
  const QList<TracedText> t = print(3, {goodT4("Adams", "Ann"), voided, withSecondLine});
  // 4 by 2 inch labels: top margin 150, first row 4 (y 300).
  EXPECT_EQ(t, (QList<TracedText>{{1, 105, 300, "-", "Ann  Adams"},
                                  {1, 105, 350, "-", "2 Elm Street"},
                                  {1, 105, 400, "-", "Ottawa"},
                                  {1, 105, 450, "-", "ON    K1A 0B2"},
                                  {1, 1365, 300, "-", "John Q Smith"},
                                  {1, 1365, 350, "-", "2 Elm Street"},
                                  {1, 1365, 400, "-", "Unit 5"},
                                  {1, 1365, 450, "-", "Ottawa"},
                                  {1, 1365, 500, "-", "ON  CAN  K1A 0B2"}}));
}

TEST_F(LabelsTest, noStyleChosenPrintsNothing) {
  ASSERT_NO_FATAL_FAILURE(openFile(t4FileBytes(goodEmployer(), staff(1))));
  ui.expectLabelStyle(std::nullopt);
  EXPECT_EQ(printMailingLabels(state, ui, Clock), PrintOutcome::NotStarted);
  EXPECT_TRUE(ui.printJobs().isEmpty());
}

}  // namespace
