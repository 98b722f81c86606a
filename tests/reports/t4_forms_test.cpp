// Quillet tests — T4 forms on the trace printer: boxes, sheets, form types, line-up.
#include "reports/t4_forms.h"

#include <QFile>

#include "core/settings_store.h"
#include "golden.h"
#include "open_file_test.h"
#include "reports/print_settings.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// The texts printed on line n of the first page (300 dpi, top 50 hundredths: at
// 150 + 50 (n - 1)), or of its bottom form, 33 lines lower, joined from left to right.
QString lineText(const QList<TracedText>& texts, int line, bool bottom = false) {
  QString joined;
  for (const TracedText& t : texts)
    if (t.page == 1 && t.y == 150 + 50 * (line - 1 + (bottom ? 33 : 0))) joined += t.text;
  return joined;
}

class T4FormsTest : public OpenFileTest {
 protected:
  void open(const std::optional<EmployerRecord>& employer, const std::vector<T4Record>& t4s) {
    openFile(t4FileBytes(employer, t4s));
  }
  // The set-up dialog answered OK with its line-up box unchecked.
  void setUpWithoutLineUp() {
    ui.expectT4PrintSetUp([](T4PrintSetUp& s) {
      s.lineUp = false;
      return true;
    });
  }
};

// The 1998 stationery for a file of a later year: told first, and No prints nothing.
TEST_F(T4FormsTest, aLaterYearIsAskedAboutTheOldStationery) {
  open(with(goodEmployer(), {{EmployerRecord::S_Taxation_year, 2026}}), {goodT4("Smith", "John")});
  ui.expectQuestion(Answer::No);
  EXPECT_EQ(printT4Forms(state, ui, FilingDay, nullptr), PrintOutcome::NotStarted);
  EXPECT_TRUE(ui.printJobs().isEmpty());
  ui.expectQuestion(Answer::Yes);
  setUpWithoutLineUp();
  EXPECT_EQ(printT4Forms(state, ui, FilingDay, nullptr), PrintOutcome::Printed);
  expectGolden("t4_forms_later_year", ui.transcript());
}

// The line-up sheet (its boxes are recorded by the batch tool's runs), then the run.
TEST_F(T4FormsTest, theLineUpSampleThenTheRunFollows) {
  open(goodEmployer(), {goodT4("Adams", "A")});
  QList<T4PrintSetUp> shown;
  ui.expectT4PrintSetUp([&shown](T4PrintSetUp& s) {
    shown << s;
    s.formType = EmployeeCopies;  // line-up box still checked
    return true;
  });
  ui.expectT4PrintSetUp([&shown](T4PrintSetUp& s) {
    shown << s;
    s.lineUp = false;
    return true;
  });
  EXPECT_EQ(printT4Forms(state, ui, FilingDay, nullptr), PrintOutcome::Printed);
  ASSERT_EQ(ui.printJobs().size(), 2);
  EXPECT_EQ(tracedPages(ui.printJobs().at(0)), 1) << "one sheet, no page after it";
  EXPECT_EQ(lineText(parseTrace(ui.printJobs().at(0)), 14), "TestSurname");
  EXPECT_EQ(ui.busyBoxes(), QStringList({"Employee T4 Forms", "-"}))
      << "the run shows its progress";
  EXPECT_EQ(ui.progressSteps(), 2);
  ASSERT_EQ(shown.size(), 2);  // the dialog's own starting values, then as it was left
  EXPECT_EQ(std::tuple(shown[0].formType, shown[0].top, shown[0].lineUp, shown[1].formType),
            std::tuple(int(RevenueCanadaCopies), 50, true, int(EmployeeCopies)));
}

// The preview shows the run, stores nothing and brings the dialog back; the province
// shortened in the preview is whole again for the run.
TEST_F(T4FormsTest, aPreviewShowsTheRunAndTheDialogComesBack) {
  open(with(goodEmployer(),
            {{EmployerRecord::S_Employer_province_code, "Newfoundland and Labrador"}}),
       {goodT4("Adams", "A"), goodT4("Brown", "B"), goodT4("Cole", "C")});
  const SettingsStore settings(folder.path(""));
  ui.expectT4PrintSetUp([](T4PrintSetUp& s) {
    s.lineUp = false;
    s.preview = true;
    return true;
  });
  ui.expectT4PrintSetUp([](T4PrintSetUp& s) { return !s.preview; });
  EXPECT_EQ(printT4Forms(state, ui, FilingDay, &settings), PrintOutcome::Printed);
  ASSERT_EQ(ui.previews().size(), 1);
  ASSERT_EQ(ui.printJobs().size(), 1);
  EXPECT_EQ(tracedPages(ui.previews().first()), 2);
  EXPECT_EQ(ui.printJobs().first().mid(1), ui.previews().first().mid(1));
  EXPECT_EQ(ReadT4Margins(settings).T4Type, EmployeeCopies) << "only the run is stored";
}

TEST_F(T4FormsTest, settingsStartTheDialogAndProposeTheNextFormType) {
  open(goodEmployer(), {goodT4("Adams", "A")});
  const SettingsStore settings(folder.path(""));
  WriteT4Margins(settings, {10, 30, 1, 5, 6, false, true, false});
  ui.expectT4PrintSetUp([](T4PrintSetUp& s) {
    // The top margin as stored: the dialog's spin field brings it to 25.
    EXPECT_EQ(std::tuple(s.top, s.formType, s.lineUp),
              std::tuple(10, int(RevenueCanadaCopies), false));
    s.top = 60;
    return true;
  });
  printT4Forms(state, ui, FilingDay, &settings);
  EXPECT_EQ(ReadT4Margins(settings),
            (PrintSettings{60, 30, EmployeeCopies, 5, 6, false, true, false}));

  const auto next = [&](int type) {
    WriteT4Margins(settings, {50, 25, type, 0, 0, false, false, false});
    ScriptedUi local;
    local.expectT4PrintSetUp([](T4PrintSetUp&) { return true; });
    printT4Forms(state, local, FilingDay, &settings);
    return ReadT4Margins(settings).T4Type;
  };
  EXPECT_EQ(next(DotMatrixForms), DotMatrixForms);
  ui.expectT4PrintSetUp([](T4PrintSetUp&) { return false; });
  WriteT4Margins(settings, {});
  EXPECT_EQ(printT4Forms(state, ui, FilingDay, &settings), PrintOutcome::NotStarted);
  EXPECT_EQ(ReadT4Margins(settings), PrintSettings()) << "Cancel stores nothing";
  EXPECT_EQ(next(EmployeeCopies), CompanyCopies);
  EXPECT_EQ(next(CompanyCopies), RevenueCanadaCopies);
}

TEST_F(T4FormsTest, anUnreadableEmployerIsAskedAbout) {
  open(std::nullopt, {});
  ui.expectQuestion(Answer::No);
  EXPECT_EQ(printT4Forms(state, ui, FilingDay, nullptr), PrintOutcome::NotStarted);
  expectGolden("t4_forms_unreadable_employer", ui.transcript());
}

TEST_F(T4FormsTest, anUnreadableRecordStopsTheRunAfterWhatWasPrinted) {
  open(goodEmployer(), {goodT4("Adams", "A"), goodT4("Brown", "B"), goodT4("Cole", "C")});
  ASSERT_TRUE(QFile::resize(state.T4FileName(), 1536 + 2 * 768));
  setUpWithoutLineUp();
  EXPECT_EQ(printT4Forms(state, ui, FilingDay, nullptr), PrintOutcome::StoppedEarly);
  expectGolden("t4_forms_unreadable_record", ui.transcript());
  const QList<TracedText> t = parseTrace(ui.printJobs().value(0));
  EXPECT_EQ(lineText(t, 14), "ADAMS");
  EXPECT_EQ(lineText(t, 14, true), "BROWN");
  EXPECT_EQ(tracedPages(ui.printJobs().value(0)), 1);
}

// Cancel in the progress window stops the run: the job is dropped, and the user is told.
TEST_F(T4FormsTest, cancelInTheProgressWindowDropsTheRun) {
  open(goodEmployer(), {goodT4("Adams", "A"), goodT4("Brown", "B"), goodT4("Cole", "C")});
  setUpWithoutLineUp();
  ui.cancelProgressAt(2);
  EXPECT_EQ(printT4Forms(state, ui, FilingDay, nullptr), PrintOutcome::Stopped);
  EXPECT_EQ(ui.printJobs().value(0).last(), "aborted");
  EXPECT_EQ(ui.messages(),
            QStringList{"Printing of Employee T4 Forms was stopped: none of it was printed."});
}

}  // namespace
