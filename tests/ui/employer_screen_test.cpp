// Quillet widget tests — the employer information screen, typed into and tabbed through.
#include "screens/ui/employer_screen.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "core/clock.h"
#include "data/open_t4_file.h"
#include "layout_check.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;
using C = EmployerScreenController;

namespace {

struct Screen {
  explicit Screen(const QByteArray& bytes) {
    state.setT4FileName(folder.write("ACME.T4E", bytes));
    if (!state.OpenT4File()) qFatal("cannot open the test file");
    screen = std::make_unique<TFormT4BusnInfo>(state, ui, clock);
    screen->show();
    QApplication::setActiveWindow(screen.get());
  }

  QLineEdit* edit(const char* name) { return screen->findChild<QLineEdit*>(QLatin1String(name)); }
  QComboBox* combo(const char* name) { return screen->findChild<QComboBox*>(QLatin1String(name)); }
  QPushButton* button(const char* name) {
    return screen->findChild<QPushButton*>(QLatin1String(name));
  }

  // Types into a control and leaves it with Tab.
  void typeAndTab(QWidget* control, const QString& text) {
    control->setFocus();
    QTest::keyClicks(control, text);
    QTest::keyClick(control, Qt::Key_Tab);
    QCoreApplication::processEvents();
  }

  TempFolder folder;
  OpenT4FileState state;
  ScriptedUi ui;
  FixedClock clock{QDateTime(QDate(2000, 9, 1), QTime(8, 0))};
  std::unique_ptr<TFormT4BusnInfo> screen;
};

const QString ProvinceMessage = QStringLiteral(
    "Province code in Company address should not be blank or invalid. Select from choices in drop "
    "down "
    "list.  If not located in Canada or the USA select ZZ for other countries.");

}  // namespace

class EmployerScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheRecordOrTheDefaults() {
    Screen s(QByteArray{});
    QCOMPARE(s.screen->windowTitle(), "Processing: " + s.state.T4FileName());
    QVERIFY(s.screen->width() >= 521 && s.screen->height() >= 413);
    QCOMPARE(textsCutOff(*s.screen), QStringList());
    QCOMPARE(outsideLayouts(*s.screen), QStringList());
    // The rates in three rows: CPP rate and maximum premium; maximum earnings and
    // exemption; EI rate, maximum premium and maximum earnings.
    const auto row = [&s](const char* name) { return s.edit(name)->y(); };
    QCOMPARE(row("EditCPPMaxPrem"), row("EditCPPRatePCent"));
    QCOMPARE(row("EditCPPEarnExempt"), row("EditCPPMaxEarn"));
    QVERIFY(row("EditCPPMaxEarn") > row("EditCPPRatePCent"));
    QCOMPARE(row("EditEIMaxPrem"), row("EditEIRatePC"));
    QCOMPARE(row("EditEIMaxEarn"), row("EditEIRatePC"));
    QVERIFY(row("EditEIRatePC") > row("EditCPPMaxEarn"));
    QCOMPARE(s.edit("EditCPPRatePCent")->text(), QStringLiteral("3.9000"));
    QCOMPARE(s.edit("EditTaxYr")->text(), QStringLiteral("2000"));
    QCOMPARE(s.edit("EditEIMult")->text(), QStringLiteral("1.4000"));
    QCOMPARE(s.edit("EditName1")->maxLength(), 30);
    QCOMPARE(s.edit("EditContExtn")->maxLength(), 4);
    QCOMPARE(s.combo("ComboBoxProv")->count(), 65);
    QVERIFY(s.button("BitBtnOK")->isDefault());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.button("BitBtnOK")));
    s.ui.expectReport(ViewerResult::Ignore);
    s.screen->close();
  }

  // Every caption and a long name show whole at the default size, and at a larger one.
  void nothingIsCutOffAndTheScreenGrows() {
    EmployerRecord employer = goodEmployer();
    employer.setText(EmployerRecord::S_Employer_name_line_1, "Limestone Hardware Ltd.");
    Screen s(t4FileBytes(employer, {}));
    QCOMPARE(textsCutOff(*s.screen), QStringList());
    const int nameWidth = s.edit("EditName1")->width();
    s.screen->resize(s.screen->size() + QSize(200, 100));
    QCoreApplication::processEvents();
    QVERIFY(s.edit("EditName1")->width() > nameWidth);
    s.screen->close();
  }

  // The rates of the later years stand in the rates group for the years that have them,
  // whole, and typing another year of the table offers its rates.
  void theRatesOfTheYear() {
    EmployerRecord employer = goodEmployer();
    applyRates(employer, *ratesOf(2026));
    Screen s(t4FileBytes(employer, {}));
    QVERIFY(s.edit("EditCPP2RatePCent")->isVisible());
    QCOMPARE(s.edit("EditPPIPRatePC")->text(), QStringLiteral("0.4300"));
    QCOMPARE(textsCutOff(*s.screen), QStringList());
    // Every amount and rate takes what is typed, whole.
    const QRegularExpression amounts(QStringLiteral("Rate|Prem|Earn|Exempt|NewHires|EIMult"));
    for (QLineEdit* edit : s.screen->findChildren<QLineEdit*>(amounts)) {
      const QString shown = edit->text();
      edit->clear();
      QTest::keyClicks(edit, "12345.67");
      QCOMPARE(edit->text(), QStringLiteral("12345.67"));
      edit->setText(shown);
    }
    s.ui.expectQuestion(Answer::Yes);
    s.edit("EditTaxYr")->clear();
    s.typeAndTab(s.edit("EditTaxYr"), "2005");
    QVERIFY(!s.edit("EditCPP2RatePCent")->isVisible());
    QVERIFY(!s.edit("EditPPIPRatePC")->isVisible());
    QVERIFY(s.edit("EditQPPRatePCent")->isVisible());
    QCOMPARE(s.edit("EditCPPRatePCent")->text(), QStringLiteral("4.9500"));
    s.ui.expectQuestion(Answer::No);  // "throw away changes ?"
    s.screen->close();
  }

  void passingThroughWithoutTypingChecksNothing() {
    Screen s(QByteArray{});
    s.edit("EditName1")->setFocus();
    QTest::keyClick(s.edit("EditName1"), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QVERIFY(s.ui.messages().isEmpty());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.edit("EditName2")));
    s.ui.expectReport(ViewerResult::Ignore);
    s.screen->close();
  }

  void fieldsAreStoredAsTheyAreLeft() {
    Screen s(t4FileBytes(goodEmployer(), {}));
    s.edit("EditName1")->clear();
    s.typeAndTab(s.edit("EditName1"), "  Maple Leaf Co  ");
    QCOMPARE(s.edit("EditName1")->text(), QStringLiteral("Maple Leaf Co"));
    QCOMPARE(s.screen->controller().working().text(EmployerRecord::S_Employer_name_line_1),
             QStringLiteral("Maple Leaf Co"));

    s.combo("ComboBoxProv")->clearEditText();
    s.typeAndTab(s.combo("ComboBoxProv"), "wy");
    QCOMPARE(s.combo("ComboBoxProv")->currentText(), QStringLiteral("WY"));
    QCOMPARE(s.combo("ComboBoxCountry")->currentText(), QStringLiteral("USA"));

    s.edit("EditPostCode")->clear();
    s.typeAndTab(s.edit("EditPostCode"), "k1a 0b1");
    QCOMPARE(s.edit("EditPostCode")->text(), QStringLiteral("K1A 0B1"));
    QVERIFY(s.ui.messages().isEmpty());

    QTest::mouseClick(s.button("BitBtnOK"), Qt::LeftButton);
    QVERIFY(!s.screen->isVisible());
    s.state.CloseT4File();
    QVERIFY(readWholeFile(s.state.T4FileName()).contains("Maple Leaf Co"));
  }

  void aListIsCheckedWheneverItIsLeft() {
    Screen s(QByteArray{});
    for (int time = 0; time < 2; ++time) {
      s.combo("ComboBoxProv")->setFocus();
      QTest::keyClick(s.combo("ComboBoxProv"), Qt::Key_Tab);
      QCoreApplication::processEvents();
    }
    QCOMPARE(s.ui.messages(), QStringList(2, ProvinceMessage));
    // The focus is back in the list.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.combo("ComboBoxProv")));
    s.ui.expectReport(ViewerResult::Ignore);
    s.screen->close();
  }

  void keyFiltersRefuseWhatIsNotANumber() {
    Screen s(t4FileBytes(goodEmployer(), {}));
    QLineEdit* premium = s.edit("EditCPPMaxPrem");
    premium->clear();
    premium->setFocus();
    QTest::keyClicks(premium, "$12.5.0x");
    QCOMPARE(premium->text(), QStringLiteral("12.50"));
    QCOMPARE(s.ui.messages(),
             QStringList({"Do not include $ sign with amount",
                          "Only one decimal point \".\" allowed, delete the other one first",
                          "Entry here must be numeric, \"x\" not allowed"}));
    QLineEdit* area = s.edit("EditContArea");
    area->clear();
    area->setFocus();
    QTest::keyClicks(area, "6.1");
    QCOMPARE(area->text(), QStringLiteral("61"));
    s.ui.expectQuestion(Answer::Yes);  // throw the changes away
    QTest::mouseClick(s.button("BitBtnCancel"), Qt::LeftButton);
  }

  void aBusinessNumberKeptAfterNoIsNotAskedAgain() {
    Screen s(t4FileBytes(goodEmployer(), {}));
    s.edit("EditBusnNum")->clear();
    s.ui.expectQuestion(Answer::No);
    s.typeAndTab(s.edit("EditBusnNum"), "12345");
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.edit("EditBusnNum")));
    QTest::keyClick(s.edit("EditBusnNum"), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(s.ui.questions().size(), 1);
    // Closing reports the short number; Fix Error keeps the screen open.
    s.ui.expectReport(ViewerResult::FixError);
    QTest::mouseClick(s.button("BitBtnOK"), Qt::LeftButton);
    QVERIFY(s.screen->isVisible());
    QVERIFY(s.ui.reports().first().lines.contains(
        "Revenue Canada Business Number does not contain 9 numeric digits"));
    s.ui.expectReport(ViewerResult::Ignore);
    QTest::mouseClick(s.button("BitBtnOK"), Qt::LeftButton);
    QVERIFY(!s.screen->isVisible());
  }

  void cancelWithChangesAsksAndCancelKeepsTheScreen() {
    Screen s(t4FileBytes(goodEmployer(), {}));
    s.edit("EditCity")->clear();
    s.typeAndTab(s.edit("EditCity"), "Kanata");
    s.ui.expectQuestion(Answer::Cancel);
    QTest::keyClick(s.screen.get(), Qt::Key_Escape);
    QVERIFY(s.screen->isVisible());
    QCOMPARE(s.ui.questionCaptions().last(), QStringLiteral("Confirm"));
    s.ui.expectQuestion(Answer::No);  // keep them: saved
    s.screen->close();
    QVERIFY(!s.screen->isVisible());
    s.state.CloseT4File();
    QVERIFY(readWholeFile(s.state.T4FileName()).contains("Kanata"));
  }

  // Esc with a typed entry still in the focused field: it is checked and kept.
  void escapeKeepsWhatWasTypedInTheFocusedField() {
    Screen s(t4FileBytes(goodEmployer(), {}));
    QLineEdit* city = s.edit("EditCity");
    city->setFocus();
    city->selectAll();
    QTest::keyClicks(city, "Kanata");
    s.ui.expectQuestion(Answer::No);  // "throw away changes ?" No: saved
    QTest::keyClick(city, Qt::Key_Escape);
    QVERIFY(!s.screen->isVisible());
    s.state.CloseT4File();
    QVERIFY(readWholeFile(s.state.T4FileName()).contains("Kanata"));
  }

  void theTabOrder() {
    Screen s(QByteArray{});
    QStringList order;
    QWidget* w = s.button("BitBtnOK");
    for (int i = 0; i < 6; ++i) {
      order << w->objectName();
      w = w->nextInFocusChain();
      while (w->focusPolicy() == Qt::NoFocus || !w->isEnabled()) w = w->nextInFocusChain();
    }
    QCOMPARE(order, QStringList({"BitBtnOK", "BitBtnCancel", "EditName1", "EditName2", "EditName3",
                                 "EditAddr1"}));
    s.ui.expectReport(ViewerResult::Ignore);
    s.screen->close();
  }
};

QTEST_MAIN(EmployerScreenTest)
#include "employer_screen_test.moc"
