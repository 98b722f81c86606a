// Quillet tests — the employer screen's field actions, closing, save and business-number rewrite.
#include "screens/employer_screen_controller.h"

#include <gtest/gtest.h>

#include <QDir>

#include "core/clock.h"
#include "data/open_t4_file.h"
#include "golden.h"
#include "open_file_test.h"
#include "scripted_ui.h"
#include "test_files.h"

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

TEST_F(EmployerScreenTest, aNewFileStartsWithTheDefaultRates) {
  C& s = open({});
  EXPECT_EQ(s.working().u16(E::S_Taxation_year), 1999);
  for (const auto& [tag, text] : {std::pair{C::CppRate, "3.5000"},
                                  {C::CppMaxPrem, "1186.50"},
                                  {C::EiMult, "1.4000"},
                                  {C::TaxYr, "1999"},
                                  {C::Name1, ""}})
    EXPECT_EQ(s.fieldText(tag), text) << tag;
  C& existing = open(t4FileBytes(goodEmployer(), {}));
  EXPECT_EQ(existing.fieldText(C::Name1), "Acme Widgets Ltd.");
  EXPECT_EQ(existing.fieldText(C::EiMaxEarn), "39000.00");
}

TEST_F(EmployerScreenTest, eachFieldAsItIsLeft) {
  C& s = open({});
  const std::optional<QString> same;
  const struct {
    int tag;
    const char* text;
    bool refused;
    std::optional<QString> newText;
  } cases[] = {
      {C::Name1, "  Maple Co  ", false, "Maple Co"},
      {C::City, "   ", true, ""},
      {C::Name2, " as typed ", false, same},
      {C::Country, "XYZ", false, same},
      {C::PostCode, "k1a 0b1 ", false, "K1A 0B1 "},
      {C::Prov, "wy", false, "WY"},
      {C::Prov, "ZZ", false, "ZZ"},
      {C::Prov, "ONT", true, same},
      {C::Prov, "", true, same},
      {C::Prov, "xx", true, "XX"},
      {C::Sin1, "  ", false, same},  // an empty SIN is stored without a box
      {C::Sin2, "046454286", false, same},
      {C::CppRate, "3.9", false, same},
      {C::CppMaxPrem, "1329.90", false, same},
      {C::NewHires, "12,5", true, same},
      {C::EiMult, "", false, same},
      {C::TaxYr, "70000", true, same},
      {C::EiMaxEarn, "99999999", true, same},
      {C::DentalCode, "3", false, same},
      {C::DentalCode, "6", true, same},
      {C::DentalCode, "", false, same},
      {C::ContEmail, "pat at acme", true, same},
      {C::ContEmail, "", false, same},
      {C::ContEmail, " pat@acme.ca ", false, "pat@acme.ca"},
  };
  for (const auto& c : cases) {
    const FieldOutcome o = s.leaveField(c.tag, c.text);
    EXPECT_EQ(o.focusBack, c.refused) << c.tag << " " << c.text;
    EXPECT_EQ(o.newText, c.newText) << c.tag << " " << c.text;
  }
  const EmployerRecord& e = s.working();
  EXPECT_EQ(e.text(E::S_Employer_name_line_1), "Maple Co");
  EXPECT_EQ(e.text(E::S_Employer_city), "") << "a refused entry keeps its previous value";
  EXPECT_EQ(e.text(E::S_Employer_name_line_2), " as typed ");
  EXPECT_EQ(e.text(E::S_Employer_postal_code), "K1A 0B1");
  EXPECT_EQ(e.text(E::S_Employer_province_code), "ZZ");
  EXPECT_EQ(e.text(E::S_Employer_country_code), "USA") << "set by the province";
  EXPECT_EQ(e.text(E::S_Proprietor_SIN_2), "046454286");
  EXPECT_EQ(e.int32(E::CPP_rate), 39000);
  EXPECT_EQ(e.int32(E::CPP_max_premium), 132990);
  EXPECT_EQ(e.int32(E::EI_employer_multiplier), 0) << "an emptied multiplier is zero";
  EXPECT_EQ(e.byte(E::Dental_benefits_code), 0);
  EXPECT_EQ(s.fieldText(C::DentalCode), "");
  EXPECT_EQ(e.text(E::S_Contact_email), "pat@acme.ca");

  for (const auto& [typed, country] : {std::pair{"on", "CAN"}, {"wy", "USA"}, {"lb", "CAN"}}) {
    s.leaveField(C::Country, "XYZ");
    s.leaveField(C::Prov, typed);
    EXPECT_EQ(s.working().text(E::S_Employer_country_code), country);
  }
  s.leaveField(C::Country, "CANADA");
  EXPECT_EQ(s.working().text(E::S_Employer_country_code), "CAN");
  ui.expectQuestion(Answer::No);
  const FieldOutcome o = s.leaveField(C::Sin1, "046454287");
  EXPECT_TRUE(o.markUnchanged);
  EXPECT_EQ(s.working().text(E::S_Proprietor_SIN_1), "046454287");
  ui.expectQuestion(Answer::No);  // the 2000 rates are not loaded: the typed ones stay
  EXPECT_FALSE(s.leaveField(C::TaxYr, "2000").focusBack);
  EXPECT_EQ(s.working().u16(E::S_Taxation_year), 2000);
  EXPECT_EQ(s.working().int32(E::CPP_rate), 39000);
  expectGolden("employer_fields", ui.transcript());
}

TEST_F(EmployerScreenTest, theBusinessNumberIsCheckedOnItsFirstNineCharacters) {
  C& s = open({});
  EXPECT_FALSE(s.leaveField(C::BusnNum, "1234567829").focusBack) << "only nine are checked";
  EXPECT_FALSE(s.leaveField(C::BusnNum, " 123456782RP0001 ").focusBack);
  EXPECT_EQ(s.working().text(E::RevCan_account_number), "123456782RP0001");

  ui.expectQuestion(Answer::Yes);  // fix it now
  FieldOutcome o = s.leaveField(C::BusnNum, "123 456 782RP0001");
  EXPECT_TRUE(o.focusBack);
  EXPECT_FALSE(o.markUnchanged);
  EXPECT_EQ(s.working().text(E::RevCan_account_number), "123456782RP0001")
      << "the previous value stays";

  ui.expectQuestion(Answer::No);  // keep it
  o = s.leaveField(C::BusnNum, "12345");
  EXPECT_TRUE(o.focusBack);
  EXPECT_TRUE(o.markUnchanged);
  EXPECT_EQ(s.working().text(E::RevCan_account_number), "12345");
  expectGolden("employer_business_number", ui.transcript());
}

// A file made today (File, New) carries this year's rates without typing.
TEST_F(EmployerScreenTest, aNewFileOfDecember2026HasThe2026Rates) {
  clock.set(QDateTime(QDate(2026, 12, 6), QTime(9, 0)));
  C& s = open({});
  EXPECT_EQ(s.fieldText(C::TaxYr), "2026");
  for (const auto& [tag, text] : {std::pair{C::CppMaxPrem, "4230.45"},
                                  {C::Cpp2MaxPrem, "416.00"},
                                  {C::EiRate, "1.6300"},
                                  {C::QppMaxPrem, "4479.30"},
                                  {C::PpipMaxPrem, "442.90"}}) {
    EXPECT_EQ(s.fieldText(tag), text) << tag;
  }
}

TEST_F(EmployerScreenTest, aTaxYearOfTheTableOffersItsRates) {
  C& s = open(t4FileBytes(goodEmployer(), {}));
  EXPECT_FALSE(s.leaveField(C::TaxYr, "1999").refreshAll) << "the same year asks nothing";
  EXPECT_FALSE(s.leaveField(C::TaxYr, "2030").refreshAll) << "a year the table does not have";
  EXPECT_EQ(s.working().int32(E::CPP_rate), 35000) << "nothing is invented";
  ui.expectQuestion(Answer::Yes);
  EXPECT_TRUE(s.leaveField(C::TaxYr, "2026").refreshAll);
  for (const auto& [tag, text] : {std::pair{C::CppRate, "5.9500"},
                                  {C::CppMaxPrem, "4230.45"},
                                  {C::Cpp2MaxEarn, "85000.00"},
                                  {C::Cpp2Rate, "4.0000"},
                                  {C::QppRate, "6.3000"},
                                  {C::PpipRate, "0.4300"},
                                  {C::QcEiMaxPrem, "895.70"}}) {
    EXPECT_EQ(s.fieldText(tag), text) << tag;
  }
  expectGolden("employer_tax_year", ui.transcript());
}

TEST_F(EmployerScreenTest, cancelOnANewFileStillWritesHeaderAndEmployer) {
  C& s = open({});
  s.leaveField(C::BusnNum, "123456782RP0001");
  ui.expectReport(ViewerResult::Ignore);  // the new record's findings
  EXPECT_TRUE(s.closeQuery(false));
  expectGolden("employer_cancel_new", ui.transcript());
  state.CloseT4File();
  const QByteArray bytes = readWholeFile(state.T4FileName());
  ASSERT_EQ(bytes.size(), 1536);
  EXPECT_EQ(uint8_t(bytes[28]), 16);
  EXPECT_EQ(uint8_t(bytes[768 + 28]), 64);
  EXPECT_EQ(bytes.mid(13, 15), "123456782RP0001");
  EXPECT_EQ(bytes.mid(768 + 13, 15), "123456782RP0001");
}

TEST_F(EmployerScreenTest, fixErrorKeepsTheScreenOpen) {
  C& s = open(t4FileBytes(goodEmployer(), {}));
  s.leaveField(C::Name1, "");
  s.leaveField(C::City, "x");
  s.leaveField(C::PostCode, "");
  ui.expectReport(ViewerResult::FixError);
  EXPECT_FALSE(s.closeQuery(true));
  EXPECT_EQ(ui.reports().first().lines,
            QStringList({"  ", "Company has no postal or zip code in the address"}));
}

TEST_F(EmployerScreenTest, changesAreSavedOrQuestioned) {
  const QByteArray original = t4FileBytes(goodEmployer(), {});
  {
    C& s = open(original);
    EXPECT_TRUE(s.closeQuery(false)) << "no change: nothing asked";
  }
  for (const auto& [answer, closes, saved] :
       {std::tuple{Answer::Cancel, false, false}, std::tuple{Answer::Yes, true, false},
        std::tuple{Answer::No, true, true}}) {
    state.CloseT4File();
    C& s = open(original);
    s.leaveField(C::City, "Kanata");
    ui.expectQuestion(answer);
    EXPECT_EQ(s.closeQuery(false), closes);
    state.CloseT4File();
    EXPECT_EQ(readWholeFile(state.T4FileName()).contains("Kanata"), saved);
  }
  C& s = open(original);
  s.leaveField(C::City, "Nepean");
  EXPECT_TRUE(s.closeQuery(true)) << "OK saves without asking";
  state.CloseT4File();
  EXPECT_TRUE(readWholeFile(state.T4FileName()).contains("Nepean"));
  expectGolden("employer_close", ui.transcript());
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

}  // namespace
