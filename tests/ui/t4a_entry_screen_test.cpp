// Quillet widget tests — the T4A entry screen, typed into and clicked.
#include "screens/ui/t4a_entry_screen.h"

#include <QCheckBox>
#include <QTest>

#include "golden.h"
#include "screen_on_file.h"

using namespace quillet;
using namespace quillet::test;
using A = T4ARecord;

namespace {

// The payer of the 2025 slips.
EmployerRecord payer() {
  EmployerRecord e = goodEmployer();
  e.setU16(EmployerRecord::S_Taxation_year, 2025);
  return e;
}

T4ARecord recipient(const QString& surname, const QString& sin) {
  T4ARecord r = T4ARecord::newFrom(payer());
  r.setText(A::Recipient_surname, surname);
  r.setText(A::Recipient_first_name, QStringLiteral("Pat"));
  r.setText(A::Recipient_SIN, sin);
  r.setInt32(A::Fees_for_services, 120000);
  r.setText(A::Recipient_address_line_1, QStringLiteral("1 Main St"));
  r.setText(A::Recipient_city, QStringLiteral("Ottawa"));
  r.setText(A::Recipient_province_code, QStringLiteral("ON"));
  r.setText(A::Recipient_postal_code, QStringLiteral("K1A 0B1"));
  return r;
}

struct Entry : ScreenOnFile<TFormT4AEntry> {
  explicit Entry(const std::vector<T4ARecord>& slips)
      : ScreenOnFile(t4aFileBytes(payer(), slips)) {}
  // The keys of the file's index, as a fresh opening of it gives them.
  QStringList keysOnFile() {
    OpenT4FileState again;
    again.setT4FileName(state.T4FileName());
    if (!again.OpenT4File(T4Access::Inspect)) return {};
    QStringList keys;
    for (int i = 0; i < again.T4File().Count(); ++i) keys << again.T4File().key(i);
    return keys;
  }
  const T4ARecord& working() { return screen->controller().working(); }
};

}  // namespace

class T4AEntryScreenTest : public QObject {
  Q_OBJECT

 private slots:
  // On the first recipient in name order, the surname to be typed in; every box recorded.
  void opensOnTheFirstRecipient() {
    Entry e({recipient("Zimmer", "046454286"), recipient("Adams", "193456787")});
    QCOMPARE(e.screen->windowTitle(), "Processing: " + e.state.T4FileName());
    QCOMPARE(e.edit("EditRecipient_surname")->text(), QStringLiteral("Adams"));
    QVERIFY(e.focused(e.edit("EditRecipient_surname")));
    e.screen->resize(e.screen->wholeSize());
    QCoreApplication::processEvents();
    QCOMPARE(textsCutOff(*e.screen), QStringList());
    expectGolden("t4a_entry_screen", controlsOf(*e.screen));
    e.click("BitBtnNext");
    QCOMPARE(e.edit("EditRecipient_surname")->text(), QStringLiteral("Zimmer"));
    e.click("BitBtnNext");  // the last: told so
    QCOMPARE(e.ui.messages().last(),
             QStringLiteral("This is the last record on the file, there is no next."));
    e.screen->close();
  }

  // Each field is checked as it is left: a SIN or business number that fails its check, a
  // code not of the year, a negative amount beside any code but 037; what passes is kept.
  // A business recipient is indexed by its name; the save question names the T4A.
  void fieldsCheckedAsTheyAreLeft() {
    Entry e({});
    typeAndTab(e.edit("EditRecipient_SIN"), "046454287");
    QVERIFY(e.focused(e.edit("EditRecipient_SIN")));
    QVERIFY(e.ui.messages().last().contains("verification check"));
    typeAndTab(e.edit("EditRecipient_SIN"), "");
    typeAndTab(e.edit("EditRecipient_BN"), "123456789RT0001");
    QVERIFY(e.focused(e.edit("EditRecipient_BN")));
    typeAndTab(e.edit("EditRecipient_BN"), "123456782rt0001");
    QCOMPARE(e.edit("EditRecipient_BN")->text(), QStringLiteral("123456782RT0001"));
    typeAndTab(e.combo("EditOther_info_code_1"), "999");
    QVERIFY(e.ui.messages().last().contains("code of the"));
    typeAndTab(e.combo("EditOther_info_code_1"), "105");
    QVERIFY(e.combo("EditOther_info_code_1")->currentText().startsWith("105 Scholarships"));
    typeAndTab(e.edit("EditOther_info_amount_1"), "-5");
    QVERIFY(e.ui.messages().last().startsWith("Only the other information of code 037"));
    QVERIFY(e.focused(e.edit("EditOther_info_amount_1")));
    typeAndTab(e.edit("EditOther_info_amount_1"), "5");
    typeAndTab(e.combo("EditOther_info_code_1"), "037");
    typeAndTab(e.edit("EditOther_info_amount_1"), "-5");
    QCOMPARE(e.working().int32(A::Other_info_amount_1), -500);
    typeAndTab(e.edit("EditFees_for_services"), "-1");
    QCOMPARE(e.edit("EditFees_for_services")->text(), QStringLiteral("1"));  // no minus typed
    typeAndTab(e.edit("EditFees_for_services"), "8500.5");
    auto* business = e.screen->findChild<QCheckBox*>("CheckBoxRecipient_is_business");
    business->setFocus();
    QTest::keyClick(business, Qt::Key_Space);
    tabOut(business);
    typeAndTab(e.edit("EditBusiness_name_line_1"), "Acme Consulting");
    e.ui.expectReport(ViewerResult::Ignore);  // no address yet
    e.ui.expectQuestion(Answer::Yes);
    e.click("BitBtnAddNew");
    QCOMPARE(e.ui.questions().last(),
             QStringLiteral("Do you wish to save your changes to the last T4A ?"));
    QCOMPARE(e.keysOnFile(), QStringList({"ACME CONSULTING"}));
    e.screen->close();
  }
};

QTEST_MAIN(T4AEntryScreenTest)
#include "t4a_entry_screen_test.moc"
