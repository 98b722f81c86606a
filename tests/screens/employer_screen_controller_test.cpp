// Quillet tests — the employer screen's field actions, closing, save and business-number rewrite.
#include "screens/employer_screen_controller.h"

#include <QDir>

#include "core/clock.h"
#include "fault_injection.h"
#include "field_entries.h"
#include "golden.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using C = EmployerScreenController;
using E = EmployerRecord;

class EmployerScreenTest : public OpenFileTest {
 protected:
  EmployerScreenController& open(const QByteArray& bytes) {
    openFile(bytes);
    screen = std::make_unique<EmployerScreenController>(state, ui, clock);
    screen->open();
    return *screen;
  }

  FixedClock clock{QDateTime(QDate(2000, 8, 31), QTime(12, 0))};
  std::unique_ptr<EmployerScreenController> screen;
};

// What the screen shows: a new file with the rates of the day (1999 on 31 August 2000, 2026
// in December 2026, without typing), an existing record as it stands.
TEST_F(EmployerScreenTest, aNewFileStartsWithTheRatesOfTheDay) {
  QString all = shownFields(open({})) + "---\n";
  all += shownFields(open(t4FileBytes(goodEmployer(), {}))) + "---\n";
  state.CloseT4File();
  QFile::remove(state.T4FileName());
  clock.set(QDateTime(QDate(2026, 12, 6), QTime(9, 0)));
  all += shownFields(open({}));
  expectGolden("employer_screen_opened", all);
}

// Each field as it is left, the record it leaves and what the user was told, recorded: a
// refused entry keeps the previous value; the province sets the country (ZZ keeps it);
// a proprietor's SIN is stored empty without a box, or kept after No.
TEST_F(EmployerScreenTest, eachFieldAsItIsLeft) {
  C& s = open({});
  // The business number checked on its first nine characters: refused and fixed (Yes, the
  // previous value stays), then kept (No). A year of the table offers its rates (Yes), the
  // same year or one the table does not have asks nothing; 2000's not loaded (No), the
  // rates stay.
  for (const Answer answer : {Answer::Yes, Answer::No, Answer::No, Answer::Yes, Answer::No})
    ui.expectQuestion(answer);
  expectFieldsLeft("employer_fields", s, ui, EmployerRecord::layout());
  EXPECT_EQ(s.fieldText(C::DentalCode), "");
}

TEST_F(EmployerScreenTest, cancelOnANewFileStillWritesHeaderAndEmployer) {
  C& s = open({});
  s.leaveField(C::BusnNum, "123456782RP0001");
  ui.expectReport(ViewerResult::Ignore);  // the new record's findings
  EXPECT_TRUE(s.closeQuery(false));
  expectGolden("employer_cancel_new", ui.transcript());
  state.CloseT4File();
  const QByteArray bytes = readWholeFile(state.T4FileName());
  ASSERT_EQ(bytes.size(), 1536);  // the header and the employer, each with its type
  EXPECT_EQ(std::tuple(bytes.mid(13, 16), bytes.mid(768 + 13, 16)),
            std::tuple(QByteArray("123456782RP0001\x10"), QByteArray("123456782RP0001\x40")));
}

// The file replaced under the screen by a program that takes no lock: the employer record
// is not saved into the file that is gone, and the screen stays (or, for a new file's
// first record, Cancel still closes it).
TEST_F(EmployerScreenTest, aFileReplacedUnderTheScreenIsNotSavedIntoTheVoid) {
  for (const QByteArray& original : {t4FileBytes(goodEmployer(), {}), QByteArray()}) {
    C& s = open(original);
    const QByteArray theirs = t4FileBytes(goodEmployer(), {goodT4("Other", "O")});
    ASSERT_TRUE(QFile::remove(state.T4FileName()));
    folder.write("ACME.T4E", theirs);
    s.leaveField(C::City, "Kanata");
    ui.expectQuestion(Answer::No);
    if (original.isEmpty()) ui.expectReport(ViewerResult::Ignore);
    EXPECT_FALSE(s.closeQuery(true));
    EXPECT_EQ(readWholeFile(state.T4FileName()), theirs);
    EXPECT_TRUE(ui.questions().last().contains("no longer the file this program has open"));
  }
}

TEST_F(EmployerScreenTest, aNewBusinessNumberIsWrittenIntoEveryRecord) {
  C& s = open(t4FileBytes(goodEmployer(), {goodT4("Adams", "A"), goodT4("Brown", "B"),
                                           with(goodT4("Void", "V"), {{T4Record::VOID, true}})}));
  s.leaveField(C::BusnNum, "046454286RP0002");
  EXPECT_TRUE(s.closeQuery(true));
  state.CloseT4File();
  const QByteArray bytes = readWholeFile(state.T4FileName());
  ASSERT_EQ(bytes.size(), 1536 + 3 * 768);
  for (int position : {0, 768, 1536, 2304, 3072})
    EXPECT_EQ(bytes.mid(position + 12, 16), "\x0F" + QByteArray("046454286RP0002")) << position;
}

TEST_F(EmployerScreenTest, aShortReadStopsTheRewriteAndChangesNothing) {
  const QByteArray before = t4FileBytes(
      goodEmployer(), {goodT4("Adams", "A"), goodT4("Brown", "B")}, QByteArray(100, 'x'));
  C& s = open(before);
  s.leaveField(C::BusnNum, "046454286RP0002");
  EXPECT_FALSE(s.closeQuery(true)) << "the change stays on the screen, unsaved";
  expectGolden("employer_short_read", ui.transcript());
  state.CloseT4File();
  EXPECT_EQ(readWholeFile(state.T4FileName()), before);
  EXPECT_EQ(QDir(folder.path({})).entryList(QDir::Files | QDir::Hidden).size(), 1)
      << "no new file is left beside it";
}

// No new file can be made beside it: the rewrite is not begun, the file stays as it was.
TEST_F(EmployerScreenTest, aFileThatCannotBeMadeBesideStopsTheRewrite) {
  const QByteArray before = t4FileBytes(goodEmployer(), {goodT4("Adams", "A")});
  C& s = open(before);
  s.leaveField(C::BusnNum, "046454286RP0002");
  bool closed = true;
  withoutFileHandles([&] { closed = s.closeQuery(true); });
  EXPECT_FALSE(closed);
  EXPECT_TRUE(ui.transcript().startsWith(
      "message []: Could not write. File = " + state.T4FileName() + " Disk Drive size is"))
      << ui.transcript().toStdString();
  state.CloseT4File();
  EXPECT_EQ(readWholeFile(state.T4FileName()), before);
}

}  // namespace
