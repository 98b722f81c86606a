// Quillet widget tests — the employer information screen, typed into and tabbed through.
#include "screens/ui/employer_screen.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "core/clock.h"
#include "data/open_t4_file.h"
#include "golden.h"
#include "layout_check.h"
#include "screen_on_file.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;
using C = EmployerScreenController;

namespace {

struct Screen : ScreenOnFile<TFormT4BusnInfo> {
  using ScreenOnFile::ScreenOnFile;
  bool savedWith(const char* text) {
    state.CloseT4File();
    return readWholeFile(state.T4FileName()).contains(text);
  }
};

}  // namespace

class EmployerScreenTest : public QObject {
  Q_OBJECT

 private slots:
  // A new file opens with the defaults of the day, every control in its layout and whole;
  // OK the default and focused, the controls and the tab order recorded; passing through a
  // field without typing checks nothing.
  void opensWithTheDefaultsLaidOut() {
    Screen s(QByteArray{});
    QCOMPARE(s.screen->windowTitle(), "Processing: " + s.state.T4FileName());
    QVERIFY(s.screen->width() <= 1024 - 16 && s.screen->height() <= 768 - 40);  // a small screen
    QCOMPARE(textsCutOff(*s.screen), QStringList());
    QCOMPARE(outsideLayouts(*s.screen), QStringList());
    QString all = controlsOf(*s.screen) + "---\n";
    tabOut(s.edit("EditName1"));
    QVERIFY(s.ui.messages().isEmpty());
    QVERIFY(s.focused(s.edit("EditName2")));
    s.ui.expectReport(ViewerResult::Ignore);
    s.screen->close();
    expectGolden("employer_screen_controls", all);
  }

  // Every caption and a long name show whole at the default size and the name grows with
  // the screen; the rates of the later years stand for the years that have them, every
  // amount takes what is typed whole, and another year of the table offers its rates.
  void theRatesOfTheYearAndALargerScreen() {
    EmployerRecord employer = goodEmployer();
    applyRates(employer, *ratesOf(2026));
    employer.setText(EmployerRecord::S_Employer_name_line_1, "Limestone Hardware Ltd.");
    Screen s(t4FileBytes(employer, {}));
    QCOMPARE(textsCutOff(*s.screen), QStringList());
    const int nameWidth = s.edit("EditName1")->width();
    s.screen->resize(s.screen->size() + QSize(200, 100));
    QCoreApplication::processEvents();
    QVERIFY(s.edit("EditName1")->width() > nameWidth);
    QString all = controlsOf(*s.screen) + "---\n";
    const QRegularExpression amounts(QStringLiteral("Rate|Prem|Earn|Exempt|NewHires|EIMult"));
    for (QLineEdit* edit : s.screen->findChildren<QLineEdit*>(amounts)) {
      const QString shown = edit->text();
      edit->clear();
      QTest::keyClicks(edit, "12345.67");
      QCOMPARE(edit->text(), QStringLiteral("12345.67"));
      edit->setText(shown);
    }
    s.ui.expectQuestion(Answer::Yes);
    typeAndTab(s.edit("EditTaxYr"), "2005");
    all += controlsOf(*s.screen);
    // The rows of later rates, each from its first year: QPP 2001, Quebec's EI and the PPIP
    // 2006, the second CPP 2024.
    const QRegularExpression later(QStringLiteral("QPP|CPP2|QcEI|PPIP"));
    for (const char* year : {"2000", "2001", "2006", "2023", "2024"}) {
      s.ui.expectQuestion(Answer::Yes);
      typeAndTab(s.edit("EditTaxYr"), year);
      QStringList shown;
      for (const QLineEdit* edit : s.screen->findChildren<QLineEdit*>(later))
        if (edit->isVisibleTo(s.screen.get())) shown << edit->objectName();
      all += "--- " + QLatin1String(year) + ": " + shown.join(QStringLiteral(", ")) + u'\n';
    }
    expectGolden("employer_screen_years", all);
    s.ui.expectQuestion(Answer::No);  // "throw away changes ?"
    s.screen->close();
  }

  // Fields are stored as they are left and OK saves them; a list is checked whenever it
  // is left and keeps the focus; the key filters refuse what is not a number.
  void fieldsAreStoredAsTheyAreLeft() {
    Screen s(t4FileBytes(goodEmployer(), {}));
    typeAndTab(s.edit("EditName1"), "  Maple Leaf Co  ");
    typeAndTab(s.combo("ComboBoxProv"), "wy");
    typeAndTab(s.edit("EditPostCode"), "k1a 0b1");
    const QString typed = controlsOf(*s.screen);
    for (int time = 0; time < 2; ++time) typeAndTab(s.combo("ComboBoxProv"), "");
    QVERIFY(s.focused(s.combo("ComboBoxProv")));
    s.combo("ComboBoxProv")->setEditText("WY");
    s.edit("EditCPPMaxPrem")->clear();
    s.edit("EditCPPMaxPrem")->setFocus();
    QTest::keyClicks(s.edit("EditCPPMaxPrem"), "$12.5.0x");
    QCOMPARE(s.edit("EditCPPMaxPrem")->text(), QStringLiteral("12.50"));
    s.edit("EditContArea")->clear();
    s.edit("EditContArea")->setFocus();
    QTest::keyClicks(s.edit("EditContArea"), "6.1");
    QCOMPARE(s.edit("EditContArea")->text(), QStringLiteral("61"));
    s.edit("EditContArea")->setText("613");
    QTest::mouseClick(s.button("BitBtnOK"), Qt::LeftButton);
    QVERIFY(!s.screen->isVisible());
    QVERIFY(s.savedWith("Maple Leaf Co"));
    expectGolden("employer_screen_fields", typed + s.ui.transcript());
  }

  // A business number kept after No is not asked again, and closing reports it (Fix Error
  // keeps the screen open); Cancel with changes asks, and Cancel keeps the screen; Esc with
  // a typed entry still in the focused field checks it and keeps it.
  void closingAsksAndChecks() {
    Screen s(t4FileBytes(goodEmployer(), {}));
    s.ui.expectQuestion(Answer::No);
    typeAndTab(s.edit("EditBusnNum"), "12345");
    QVERIFY(s.focused(s.edit("EditBusnNum")));
    tabOut(s.edit("EditBusnNum"));
    s.ui.expectReport(ViewerResult::FixError);
    QTest::mouseClick(s.button("BitBtnOK"), Qt::LeftButton);
    QVERIFY(s.screen->isVisible());
    s.ui.expectReport(ViewerResult::Ignore);
    QTest::mouseClick(s.button("BitBtnOK"), Qt::LeftButton);
    QVERIFY(!s.screen->isVisible());

    Screen c(t4FileBytes(goodEmployer(), {}));
    typeAndTab(c.edit("EditCity"), "Kanata");
    c.ui.expectQuestion(Answer::Cancel);
    c.click("BitBtnCancel");
    QVERIFY(c.screen->isVisible());
    QLineEdit* city = c.edit("EditCity");
    typeOver(city, "Nepean");
    c.ui.expectQuestion(Answer::No);  // "throw away changes ?" No: saved
    QTest::keyClick(city, Qt::Key_Escape);
    QVERIFY(!c.screen->isVisible());
    QVERIFY(c.savedWith("Nepean"));
    expectGolden("employer_screen_closing", s.ui.transcript() + c.ui.transcript());
  }

  // Esc on a business number refused, No to mending it, Yes to closing without it: closed
  // without it, and the file keeps the number it had, in every record.
  void closingWithoutARefusedEntryDropsIt() {
    const QByteArray original = t4FileBytes(goodEmployer(), {goodT4("Adams", "A")});
    Screen s(original);
    QLineEdit* number = s.edit("EditBusnNum");
    typeOver(number, "12345");
    s.ui.expectQuestion(Answer::No);   // mend it now?
    s.ui.expectQuestion(Answer::Yes);  // close without it
    QTest::keyClick(number, Qt::Key_Escape);
    QVERIFY(!s.screen->isVisible());
    s.state.CloseT4File();
    QCOMPARE(readWholeFile(s.state.T4FileName()), original);

    // An entry left just before, not checked yet, stands: only the refused one is dropped.
    Screen c(original);
    c.edit("EditCity")->setFocus();
    QTest::keyClicks(c.edit("EditCity"), "Kanata");
    c.edit("EditBusnNum")->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(c.edit("EditBusnNum"), "9");
    for (const Answer answer : {Answer::No, Answer::Yes, Answer::No}) c.ui.expectQuestion(answer);
    QTest::keyClick(c.edit("EditBusnNum"), Qt::Key_Escape);  // No: the changes are saved
    QVERIFY(c.savedWith("Kanata") && !c.savedWith("RP00019"));
  }
};

QTEST_MAIN(EmployerScreenTest)
#include "employer_screen_test.moc"
