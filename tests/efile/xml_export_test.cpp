// Quillet tests — File → "Export for Internet filing…" through the Ui seam, and the
// transmitter kept in the user's settings.
#include "efile/xml_export.h"

#include <QDir>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "data/t4a_record.h"
#include "efile/efile_settings.h"
#include "efile/filed_state.h"
#include "efile/return_slips.h"
#include "golden.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;

// A slip of 2025 that CRA takes, whose review would flag box 24.
void aboveTheEiMaximum(T4Record& r) {
  r.setByte(T::Dental_benefits_code, 1);
  r.setInt32(T::EI_insurable_earnings, 7000000);
}

class XmlExportTest : public OpenFileTest {
 protected:
  void openYear(int year, std::function<void(T4Record&)> change = {}) {
    EmployerRecord employer = goodEmployer();
    applyRates(employer, *ratesOf(year));
    T4Record r = goodT4("Smith", "John");
    r.copyPrefixFrom(employer);
    r.setInt32(T::Employment_income, 4000000);
    r.setInt32(T::Income_tax_deducted, 612345);
    if (change) change(r);
    openFile(t4FileBytes(employer, {r}));
  }

  // The settings hold a complete transmitter: no transmitter dialog comes up.
  void storeTransmitter() {
    Transmitter t;
    t.signIn = Transmitter::SignIn::RAC;
    t.repId = QStringLiteral("AB12345");
    t.contactEmail = QStringLiteral("pat@example.ca");
    t.startFrom(goodEmployer());
    ASSERT_TRUE(writeTransmitter(settings, t));
  }

  static void acceptChoices(ScriptedUi& ui, const QString& schemaFolder = {}) {
    ui.expectXmlExport([schemaFolder](XmlExportChoices& c) {
      c.schemaFolder = schemaFolder;
      return true;
    });
  }

  QStringList xmlFiles() const {
    return QDir(folder.path({})).entryList(QDir::Files | QDir::Hidden).filter(".xml");
  }

  const SettingsStore settings{folder.path("settings")};
  const FixedClock clock{QDateTime(QDate(2026, 2, 3), QTime(9, 30))};
};

TEST_F(XmlExportTest, aFirstExportAsksForTheTransmitterAndWritesTheReturn) {
  openYear(2025, [](T4Record& r) { r.setByte(T::Dental_benefits_code, 1); });
  ui.expectTransmitter([](Transmitter& t) {
    // The employer's contact is offered as a start.
    EXPECT_EQ(std::tuple(t.account, t.name, t.contactName, t.contactPhone),
              std::tuple(QStringLiteral("123456782RP0001"), QStringLiteral("Acme Widgets Ltd."),
                         QStringLiteral("Pat Doe"), QStringLiteral("555-0100")));
    t.contactEmail = QStringLiteral("pat@example.ca");
    return true;
  });
  ui.expectXmlExport([](XmlExportChoices& c) {
    EXPECT_EQ(c.options.submissionRef, "Q0000001");
    EXPECT_EQ(c.transmitter.contactEmail, "pat@example.ca");
    return true;
  });
  const QString out = folder.path("return.xml");
  ui.expectFileChoice(out);
  exportForInternetFiling(state, ui, settings, clock);

  EXPECT_EQ(ui.fileDialogs().last().defaultSuffix, "xml");
  // The name proposed, and the return written.
  expectGolden("xml_export_first", ui.transcript() + readWholeFile(out), folder.path({}));
  EXPECT_EQ(readTransmitter(settings).contactEmail, "pat@example.ca") << "kept for the user";
  // What was filed is kept beside the T4 file: the reference, when, and the slip as sent.
  const auto filed = readFiledState(state.T4FileName());
  ASSERT_TRUE(filed && filed->returns.size() == 1u);
  EXPECT_EQ(std::tuple(filed->returns[0].reference, filed->returns[0].reportType,
                       filed->returns[0].written, filed->returns[0].slips.size()),
            std::tuple(QStringLiteral("Q0000001"), QChar(u'O'), clock.now(), std::size_t(1)));
}

// A T4A file's export: its own return, proposed under the payer's number and "T4A", its
// totals told by their boxes; the T4A slip sent is what was filed (recorded).
TEST_F(XmlExportTest, aT4AFilesReturnFromTheDesktop) {
  EmployerRecord payer = goodEmployer();
  applyRates(payer, *ratesOf(2025));
  T4ARecord fees = T4ARecord::newFrom(payer);
  fees.setText(T4ARecord::Recipient_surname, QStringLiteral("Tremblay"));
  fees.setText(T4ARecord::Recipient_SIN, QStringLiteral("046454286"));
  fees.setInt32(T4ARecord::Fees_for_services, 1200000);
  openFile(t4aFileBytes(payer, {fees}));
  storeTransmitter();
  acceptChoices(ui);
  ui.expectFileChoice(folder.path("t4a.xml"));
  exportForInternetFiling(state, ui, settings, clock);
  EXPECT_EQ(ui.fileDialogs().last().proposedName, "123456782RP0001-2025-T4A.xml");
  expectGolden("xml_export_t4a", ui.transcript() + readWholeFile(folder.path("t4a.xml")),
               folder.path({}));
  const auto filed = readFiledState(state.T4FileName());
  ASSERT_TRUE(filed && filed->returns.size() == 1u);
  EXPECT_TRUE(filed->returns[0].slips[0].record.isT4A());
}

// Once a return is filed, the next export offers what changed since: the slip changed is
// listed with its box, old and new value, and sent alone as amended under an amended
// Summary and the reference the user types; its record is marked amended. Nothing to send,
// and a reference filed under before, are said as such and write nothing.
TEST_F(XmlExportTest, theNextExportSendsWhatChangedSinceFiling) {
  storeTransmitter();
  openYear(2025, [](T4Record& r) { r.setByte(T::Dental_benefits_code, 1); });
  // The choices under `reference`; then, with something to send, its list and `answer`.
  const auto exportAs = [&](const QString& reference, std::optional<Answer> answer) {
    ui.expectXmlExport([reference](XmlExportChoices& c) {
      c.options.submissionRef = reference;
      return true;
    });
    if (answer) {
      ui.expectReport(ViewerResult::Ok);
      ui.expectQuestion(*answer);
      if (answer == Answer::Yes) ui.expectFileChoice(folder.path(reference + ".xml"));
    }
    exportForInternetFiling(state, ui, settings, clock);
  };
  const auto changeIncome = [&](int32_t cents, const char* number = "123456782RP0001") {
    T4Record r;
    state.T4File().ReadIndexed(r.bytes(), 0);
    r.setInt32(T::Employment_income, cents);
    r.setText(T::RevCan_account_number, number);
    ASSERT_EQ(state.T4File().WriteIndexed(r.bytes(), 0, {}), Record768::Size);
  };
  acceptChoices(ui);
  ui.expectFileChoice(folder.path("first.xml"));
  exportForInternetFiling(state, ui, settings, clock);
  ASSERT_TRUE(readFiledState(state.T4FileName())->returns.size() == 1u);

  changeIncome(4100000);
  ui.expectXmlExport([](XmlExportChoices& c) {
    EXPECT_EQ(std::tuple(c.kind, c.added, c.changed, c.toCancel, c.lastFiled),
              std::tuple(ReturnKind::Amendment, 0, 1, 0,
                         QStringLiteral("on 2026-02-03 under the reference Q0000001")));
    c.options.submissionRef = QStringLiteral("MINE1");
    return true;
  });
  ui.expectReport(ViewerResult::Ok);
  ui.expectQuestion(Answer::Yes);
  ui.expectFileChoice(folder.path("amendment.xml"));
  exportForInternetFiling(state, ui, settings, clock);
  T4Record marked;
  state.T4File().ReadIndexed(marked.bytes(), 0);
  EXPECT_TRUE(marked.isAmended());
  EXPECT_EQ(peekSubmissionRef(settings), "Q0000002") << "a typed reference takes none";

  exportAs(QStringLiteral("MINE2"), std::nullopt);
  changeIncome(4200000);
  exportAs(QStringLiteral("mine1"), Answer::Yes);
  changeIncome(4200000, "123456782RP0002");  // listed, though the check before writing refuses it
  exportAs(QStringLiteral("MINE3"), Answer::No);
  // The list, the question and the file dialog's proposed name of each return; nothing to
  // send, a reference used before, and No said as such; the amendment as written.
  expectGolden("xml_export_next", ui.transcript() + readWholeFile(folder.path("amendment.xml")),
               folder.path({}));
  EXPECT_EQ(xmlFiles(), QStringList({"amendment.xml", "first.xml"}));
  EXPECT_EQ(readFiledState(state.T4FileName())->returns.size(), 2u);
}

TEST_F(XmlExportTest, eachWayTheExportStopsLeavesNoFile) {
  struct Case {
    const char* what;
    int year;
    std::function<void(T4Record&)> change;
    bool transmitterStored;
    std::function<void(ScriptedUi&)> script;
    QString message = {};  // the first message; empty: none
  };
  const QString missing = folder.path("missing/return.xml");
  const QString out = folder.path("return.xml");
  const Case cases[] = {
      // clang-format off
      {"the transmitter dialog cancelled", 1999, {}, false, [](ScriptedUi& u) { u.expectTransmitter([](Transmitter&) { return false; }); }},
      {"the choices cancelled", 1999, {}, true, [](ScriptedUi& u) { u.expectXmlExport([](XmlExportChoices&) { return false; }); }},
      {"errors in the pre-flight check", 1999, [](T4Record& r) { r.setText(T::Employee_SIN, "046454287"); }, true, [](ScriptedUi& u) { acceptChoices(u); u.expectReport(ViewerResult::Ok); }, "CRA would reject this return. Nothing was written: correct the errors listed, then export again."},
      {"warnings the user goes to correct", 2025, aboveTheEiMaximum, true, [](ScriptedUi& u) { acceptChoices(u); u.expectReport(ViewerResult::FixError); }},
      {"the save dialog cancelled", 1999, {}, true, [](ScriptedUi& u) { acceptChoices(u); u.expectFileChoice({}); }},
      {"a schema that cannot be read", 1999, {}, true, [&](ScriptedUi& u) { acceptChoices(u, folder.path("no-schema")); u.expectFileChoice(out); u.expectReport(ViewerResult::Ok); }, "CRA's schema refuses the return: " + out + " was not written."},
      {"a folder that does not exist", 1999, {}, true, [&](ScriptedUi& u) { acceptChoices(u); u.expectFileChoice(missing); }, "Cannot create file " + missing},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openYear(c.year, c.change);
    if (c.transmitterStored) storeTransmitter();
    ScriptedUi caseUi;
    c.script(caseUi);
    exportForInternetFiling(state, caseUi, settings, clock);
    EXPECT_EQ(caseUi.messages().value(0), c.message);
    EXPECT_EQ(xmlFiles(), QStringList());
    EXPECT_EQ(peekSubmissionRef(settings), "Q0000001") << "no reference taken";
    state.CloseT4File();
  }
}

TEST_F(XmlExportTest, warningsAloneLetTheUserGoOn) {
  openYear(2025, aboveTheEiMaximum);
  storeTransmitter();
  acceptChoices(ui);
  ui.expectReport(ViewerResult::Ignore);
  ui.expectFileChoice(folder.path("return.xml"));
  exportForInternetFiling(state, ui, settings, clock);
  EXPECT_EQ(xmlFiles(), QStringList{"return.xml"});
  expectGolden("xml_warnings_alone", ui.transcript() + readWholeFile(folder.path("return.xml")),
               folder.path({}));
}

TEST_F(XmlExportTest, theTransmitterEditedFromTheMenuIsKept) {
  openYear(1999);
  ui.expectTransmitter([](Transmitter& t) {
    t.contactEmail = QStringLiteral("pat@example.ca");
    t.language = u'F';
    return true;
  });
  editTransmitterSettings(state, ui, settings);
  const Transmitter kept = readTransmitter(settings);
  EXPECT_EQ(std::tuple(kept.problems(), kept.language, kept.account),
            std::tuple(QStringList(), QChar(u'F'), QStringLiteral("123456782RP0001")));
}

}  // namespace
