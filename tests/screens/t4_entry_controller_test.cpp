// Quillet tests — the T4 entry screen's field checks, save step and moves.
#include "screens/t4_entry_controller.h"

#include <stdio.h>

#include <QFile>

#include "checks/code_tables.h"
#include "field_entries.h"
#include "golden.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using C = T4EntryController;
using T = T4Record;

class T4EntryTest : public OpenFileTest {
 protected:
  C& open(const std::vector<T4Record>& t4s, const EmployerRecord& employer = goodEmployer()) {
    openFile(t4FileBytes(employer, t4s));
    screen = std::make_unique<C>(state, ui);
    screen->open();
    return *screen;
  }
  // The findings are ignored and the save question answered.
  void saveAnswering(Answer answer, bool findings = true) {
    if (findings) ui.expectReport(ViewerResult::Ignore);
    ui.expectQuestion(answer);
  }
  QStringList surnamesOnFile() { return surnamesInFile(state.T4FileName()); }

  std::unique_ptr<C> screen;
};

TEST_F(T4EntryTest, opensOnTheFirstRecordInNameOrderOrANewOne) {
  C& s = open({goodT4("Smith", "J"), with(goodT4("Adams", "A"), {{T::Report_type, 3}})});
  EXPECT_FALSE(s.isNew());  // a report type beyond the three shown as its number
  expectGolden("t4_entry_opened", shownFields(s));
  EXPECT_EQ(s.employer().text(EmployerRecord::S_Employer_name_line_1), "Acme Widgets Ltd.");

  // A file without T4s starts a new record, with the employer's number and dental code,
  // that counts as unchanged and has nothing before or after it.
  C& empty = open({}, with(goodEmployer(), {{EmployerRecord::Dental_benefits_code, 3}}));
  EXPECT_TRUE(empty.isNew());
  EXPECT_EQ(std::tuple(empty.working().text(T::RevCan_account_number), empty.working().recordType(),
                       empty.working().byte(T::Dental_benefits_code)),
            std::tuple(QStringLiteral("123456782RP0001"), T4RecordType, uint8_t(3)));
  for (const auto move : {C::Move::First, C::Move::Prevs, C::Move::Next, C::Move::Last}) {
    ui.expectReport(ViewerResult::Ignore);  // the record's checks, then nothing to move to
    EXPECT_FALSE(empty.move(move));
  }
  ui.expectReport(ViewerResult::Ignore);
  // Nothing changed: no save question (the scripted Ui refuses one unasked for).
  EXPECT_TRUE(empty.closeQuery());
  EXPECT_EQ(ui.reports().first().lines.first(),
            "The following are items you may want to re-check before printing.  If any");
}

// Each field as it is left, the record it leaves and what the user was told, recorded: a
// refused entry keeps the previous value; the address province sets the country.
TEST_F(T4EntryTest, eachFieldAsItIsLeft) {
  C& s = open({goodT4("Adams", "A")});
  expectFieldsLeft("t4_entry_fields", s, ui, T4Record::layout());
  EXPECT_EQ(s.fieldText(C::Dental), "3");
}

TEST_F(T4EntryTest, theSaveStepsPaths) {
  C& s = open({goodT4("Adams", "A"), goodT4("Brown", "B")});
  EXPECT_EQ(s.AskSaveChanges(), std::nullopt) << "no change, no findings: nothing asked";

  s.leaveField(C::City, "Kanata");
  for (Answer answer : {Answer::Cancel, Answer::No}) {
    ui.expectQuestion(answer);
    EXPECT_EQ(s.AskSaveChanges(), answer);
  }
  EXPECT_FALSE(readWholeFile(state.T4FileName()).contains("Kanata"));
  ui.expectQuestion(Answer::Yes);
  EXPECT_EQ(s.AskSaveChanges(), Answer::Yes);
  EXPECT_TRUE(readWholeFile(state.T4FileName()).contains("Kanata"));
  EXPECT_EQ(state.T4File().key(0), "ADAMS, *A");
  EXPECT_EQ(s.AskSaveChanges(), std::nullopt) << "saved: the buffer holds it now";

  // Findings: Fix Error stays; Ignore goes on to the question. The notes come once.
  s.leaveField(C::PostCode, "");
  ui.expectReport(ViewerResult::FixError);
  EXPECT_EQ(s.AskSaveChanges(), Answer::Cancel);
  saveAnswering(Answer::No);
  EXPECT_EQ(s.AskSaveChanges(), Answer::No);
  expectGolden("t4_entry_save", ui.transcript());  // the notes in the first report only
}

// Another program that takes no lock replaced the file: the save goes under a new name the
// user gives, or nowhere; never into the file that is gone, nor over the other's.
TEST_F(T4EntryTest, aFileReplacedUnderTheScreenIsSavedUnderANewNameOrNotAtAll) {
  C& s = open({goodT4("Adams", "A")});
  const QString name = state.T4FileName();
  const QByteArray theirs = t4FileBytes(goodEmployer(), {goodT4("Other", "O")});
  ASSERT_EQ(::rename(QFile::encodeName(folder.write("theirs", theirs)).constData(),
                     QFile::encodeName(name).constData()),
            0);
  s.leaveField(C::City, "Kanata");
  const QString kept = folder.path("KEPT.T4E");
  for (const QString& chosen : {QStringLiteral("no"), QString(), kept}) {
    ui.expectQuestion(Answer::Yes);
    ui.expectQuestion(chosen == "no" ? Answer::No : Answer::Yes);
    if (chosen != "no") ui.expectFileChoice(chosen);
    EXPECT_EQ(s.AskSaveChanges(), chosen == kept ? Answer::Yes : Answer::Cancel);
  }
  EXPECT_TRUE(ui.questions().at(1).startsWith("The T4 file " + name + " is no longer the file"));
  EXPECT_EQ(readWholeFile(name), theirs);
  EXPECT_EQ(state.T4FileName(), kept);
  EXPECT_EQ(surnamesOnFile(), QStringList{"Adams"});
  EXPECT_TRUE(readWholeFile(kept).contains("Kanata"));
  EXPECT_EQ(s.AskSaveChanges(), std::nullopt) << "saved: the buffer holds it";
}

TEST_F(T4EntryTest, addNewThenNextAsksAndKeepsTheBlankRecord) {
  C& s = open({goodT4("Adams", "A")});
  for (const auto move : {C::Move::First, C::Move::Last})
    EXPECT_FALSE(s.move(move));  // the only one
  EXPECT_TRUE(s.addNew());
  EXPECT_TRUE(s.isNew());
  EXPECT_EQ(s.working().text(T::RevCan_account_number), "123456782RP0001");
  saveAnswering(Answer::No);
  EXPECT_FALSE(s.move(C::Move::Next));
  EXPECT_TRUE(s.isNew());

  s.leaveField(C::Surname, "Zed");
  s.leaveField(C::FirstName, "Zoe");
  saveAnswering(Answer::Yes);
  EXPECT_TRUE(s.move(C::Move::Next)) << "appended, it now stands after Adams";
  for (int i = 0; i < 2; ++i) ui.expectReport(ViewerResult::Ignore);       // Zed's, as it is left
  for (const auto move : {C::Move::First, C::Move::Last, C::Move::Prevs})  // two: every move
    EXPECT_TRUE(s.move(move));
  EXPECT_EQ(s.currentPosition(), 0);
  EXPECT_EQ(surnamesOnFile(), QStringList({"Adams", "Zed"}));
  EXPECT_EQ(state.T4File().key(1), "ZED, *Zoe");
  expectGolden("t4_entry_add", ui.transcript());
}

TEST_F(T4EntryTest, aRecordSavedTwiceIsRewrittenInPlaceAfterTheReSort) {
  C& s = open({goodT4("Brown", "B"), goodT4("Cole", "C"), goodT4("Adams", "A")});
  EXPECT_TRUE(s.move(C::Move::Next));  // Brown, position 1
  s.leaveField(C::Surname, "Young");
  saveAnswering(Answer::Yes, false);
  EXPECT_EQ(s.AskSaveChanges(), Answer::Yes);  // now last in the index
  EXPECT_EQ(s.currentPosition(), 1);
  s.leaveField(C::FirstName, "Bea");
  saveAnswering(Answer::Yes, false);
  EXPECT_EQ(s.AskSaveChanges(), Answer::Yes);
  EXPECT_EQ(surnamesOnFile(), QStringList({"Adams", "Cole", "Young"})) << "Cole untouched";
  ASSERT_TRUE(s.move(C::Move::Next));
  EXPECT_EQ(s.working().surname(), "Young") << "Next counts from the old position";

  // A new record saved twice is rewritten in place the second time.
  s.addNew();
  s.leaveField(C::Surname, "Able");
  for (const char* firstName : {"Al", "Alan"}) {
    s.leaveField(C::FirstName, firstName);
    saveAnswering(Answer::Yes);
    s.AskSaveChanges();
  }
  EXPECT_EQ(state.T4File().Count(), 4);
  EXPECT_EQ(state.T4File().key(0), "ABLE, *Alan");
}

TEST_F(T4EntryTest, theIndexPicksAndTheEmployerScreenKeepsTheNumberInStep) {
  C& s = open({goodT4("Adams", "A"), goodT4("Brown", "B")});
  ui.expectEmployeeIndex([](OpenT4FileState& st) {
    // The employer screen changed the business number of every record of the file.
    for (int64_t at = 0; at < st.T4File().size(); at += 768) {
      Record768 r;
      st.T4File().readAt(at, r.bytes());
      r.setText(EmployerRecord::RevCan_account_number, "046454286RP0002");
      st.T4File().writeAt(at, r.bytes());
    }
    st.T4File().CoInfoShown = true;
    st.T4File().PickedIndex = 1;
  });
  // The number kept in step is no change of the user's: no question.
  EXPECT_TRUE(s.pickFromIndex());
  EXPECT_EQ(s.working().surname(), "Brown");
  EXPECT_EQ(s.employer().text(EmployerRecord::RevCan_account_number), "046454286RP0002");

  ui.expectEmployeeIndex([](OpenT4FileState&) {});  // cancelled
  EXPECT_FALSE(s.pickFromIndex());
  EXPECT_EQ(state.T4File().PickedIndex, TAlphaInxFileStream::NothingPicked);

  // A new number leaves an untouched new record unchanged.
  C& empty = open({});
  ui.expectEmployeeIndex([](OpenT4FileState& st) {
    Record768 employer;
    st.T4File().readAt(768, employer.bytes());
    employer.setText(EmployerRecord::RevCan_account_number, "046454286RP0002");
    st.T4File().writeAt(768, employer.bytes());
    st.T4File().CoInfoShown = true;
  });
  EXPECT_FALSE(empty.pickFromIndex());
  ui.expectReport(ViewerResult::Ignore);
  // Nothing of the user's changed: no question.
  EXPECT_TRUE(empty.closeQuery());
  EXPECT_EQ(state.T4File().Count(), 0);
}

TEST_F(T4EntryTest, thePickedEmployeeIsShownAfterASaveThatReSorts) {
  C& s = open({goodT4("Adams", "A"), goodT4("Brown", "B"), goodT4("Clark", "C")});
  s.leaveField(C::Surname, "Zimmer");  // Adams saved as Zimmer goes to the end of the index
  ui.expectEmployeeIndex([](OpenT4FileState& st) { st.T4File().PickedIndex = 1; });
  ui.expectQuestion(Answer::Yes);
  EXPECT_TRUE(s.pickFromIndex());
  EXPECT_EQ(s.working().surname(), "Brown");
}

TEST_F(T4EntryTest, aLowerCaseProvinceOrADamagedRecordOnFile) {
  C& lower = open({with(goodT4("Adams", "A"), {{T::Employee_province_code, "on"}})});
  ui.expectQuestion(Answer::No);
  EXPECT_EQ(lower.AskSaveChanges(), Answer::No) << "capitalised by the checks: a change";

  T4Record damaged = goodT4("Adams", "A");
  for (int offset = 29; offset < 768; offset += 7)
    damaged.bytes()[std::size_t(offset)] = uint8_t(0x80 + offset % 127);
  damaged.bytes()[29] = 0;  // not VOID, so every check runs over the odd bytes
  C& s = open({damaged});
  for (int tag = C::FirstTag; tag <= C::LastTag; ++tag)
    EXPECT_LE(s.fieldText(tag).size(), 50) << tag;
  s.leaveField(C::Surname, "Mended");
  saveAnswering(Answer::Yes);
  EXPECT_EQ(s.AskSaveChanges(), Answer::Yes);
  EXPECT_EQ(surnamesOnFile(), QStringList{"Mended"});
}

}  // namespace
