// Quillet widget tests — the T4 entry screen and the employee index, typed into and clicked.
#include "screens/ui/t4_entry_screen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QWheelEvent>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "data/open_t4_file.h"
#include "layout_check.h"
#include "screens/ui/employee_index.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;
using C = T4EntryController;

namespace {

const QString BlankMessage = QStringLiteral(
    "Employee has to have a proper name and address entry.  You cannot leave this item blank.");

struct Entry {
  explicit Entry(const std::vector<T4Record>& t4s) {
    state.setT4FileName(folder.write("ACME.T4E", t4FileBytes(goodEmployer(), t4s)));
    if (!state.OpenT4File()) qFatal("cannot open the test file");
    screen = std::make_unique<TFormT4Entry>(state, ui);
    screen->show();
    QApplication::setActiveWindow(screen.get());
  }

  QLineEdit* edit(const char* name) { return screen->findChild<QLineEdit*>(QLatin1String(name)); }
  QComboBox* combo(const char* name) { return screen->findChild<QComboBox*>(QLatin1String(name)); }
  QPushButton* button(const char* name) {
    return screen->findChild<QPushButton*>(QLatin1String(name));
  }
  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

  // Replaces a control's text by typing, then leaves it with Tab.
  void typeAndTab(QWidget* control, const QString& text) {
    control->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(control)) e->selectAll();
    if (auto* c = qobject_cast<QComboBox*>(control)) c->lineEdit()->selectAll();
    QTest::keyClick(control, Qt::Key_Delete);
    QTest::keyClicks(control, text);
    QTest::keyClick(control, Qt::Key_Tab);
    QCoreApplication::processEvents();
  }
  void tabOut(QWidget* control) {
    control->setFocus();
    QTest::keyClick(control, Qt::Key_Tab);
    QCoreApplication::processEvents();
  }

  QStringList surnamesOnFile() { return surnamesInFile(state.T4FileName()); }

  TempFolder folder;
  OpenT4FileState state;
  ScriptedUi ui;
  std::unique_ptr<TFormT4Entry> screen;
};

}  // namespace

class T4EntryScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnTheFirstEmployee() {
    Entry e({goodT4("Smith", "John"), goodT4("Adams", "Ann")});
    QCOMPARE(e.screen->windowTitle(), "Processing: " + e.state.T4FileName());
    QCOMPARE(e.edit("EditEmployee_surname")->text(), QStringLiteral("Adams"));
    QCOMPARE(e.edit("EditEmployment_income")->text(), QStringLiteral("20000.00"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e.edit("EditEmployment_income")));
    QVERIFY(e.screen->findChild<QLabel*>("LabelRevCan_account_number")
                ->text()
                .endsWith("123456782RP0001"));
    QVERIFY(e.button("BitBtnNext")->isDefault());
  }

  // At its default size the screen fits 1280 by 800, scrolls only up and down, and shows
  // every caption and box whole.
  void nothingIsCutOffAtTheDefaultSize() {
    T4Record record = goodT4("Adams", "Ann");
    record.setText(T4Record::Employee_postal_code, "K1A 0B1");
    record.setText(T4Record::RPP_or_deferred_PlanNumbr, "1234567");
    Entry e({record});
    QVERIFY2(e.screen->width() <= 1280 && e.screen->height() <= 800,
             qPrintable(QStringLiteral("%1 x %2").arg(e.screen->width()).arg(e.screen->height())));
    auto* area = e.screen->findChild<QScrollArea*>("ScrollBoxEntries");
    QVERIFY(area->widget()->width() >= area->widget()->minimumSizeHint().width());
    QCOMPARE(textsCutOff(*e.screen), QStringList());
    QCOMPARE(outsideLayouts(*e.screen), QStringList());
    for (const QLineEdit* field : e.screen->findChildren<QLineEdit*>()) {
      if (field->maxLength() <= 30)
        QVERIFY2(field->minimumWidth() >=
                     QFontMetrics(field->font()).averageCharWidth() * field->maxLength(),
                 qPrintable(field->objectName()));
    }
    e.screen->close();
  }

  // The boxes of the later years stand on the screen for the years that have them.
  void theBoxesOfTheYear() {
    const std::pair<const char*, int> firstYears[] = {{"EditEmployee_CPP2", 2024},
                                                      {"EditEmployee_PPIP_premium", 2006},
                                                      {"EditDental_benefits_code", 2023},
                                                      {"CheckBoxPPIP_Exempt", 2006}};
    for (const int year : {2000, 2005, 2006, 2023, 2024}) {
      EmployerRecord employer = goodEmployer();
      applyRates(employer, *ratesOf(year));
      TempFolder folder;
      OpenT4FileState state;
      state.setT4FileName(folder.write("ACME.T4E", t4FileBytes(employer, {goodT4("Adams", "A")})));
      QVERIFY(state.OpenT4File());
      ScriptedUi ui;
      TFormT4Entry screen(state, ui);
      screen.show();
      for (const auto& [name, first] : firstYears)
        QCOMPARE(screen.findChild<QWidget*>(name)->isVisible(), year >= first);
      QVERIFY(screen.findChild<QWidget*>("EditEmployee_number")->isVisible());
      QVERIFY(screen.width() <= 1280);
      QCOMPARE(textsCutOff(screen), QStringList());
      ui.expectReport(ViewerResult::Ignore);  // the 1999 contributions are not the year's
      screen.close();
    }
  }

  void amountsConvertAndKeepTheirText() {
    Entry e({goodT4("Adams", "Ann")});
    e.typeAndTab(e.edit("EditEmployment_income"), "1234.5");
    QCOMPARE(e.edit("EditEmployment_income")->text(), QStringLiteral("1234.5"));
    QCOMPARE(e.screen->controller().working().int32(T4Record::Employment_income), 123450);
    e.typeAndTab(e.edit("EditUnion_dues"), "12.5.");
    QCOMPARE(e.ui.messages(),
             QStringList{"Only one decimal point \".\" allowed, delete the other one first"});
    e.ui.expectReport(ViewerResult::Ignore);  // 1234.50 of earnings and 600.00 of CPP
    e.ui.expectQuestion(Answer::No);
    e.click("BitBtnExit");
  }

  // Editing keys carry the texts X11 gives them (Delete: U+007F), and pass the filters.
  void editingKeysPassTheNumericFilters() {
    Entry e({goodT4("Adams", "Ann")});
    QLineEdit* income = e.edit("EditEmployment_income");
    income->setFocus();
    income->setText("12345");
    income->setCursorPosition(0);
    QTest::sendKeyEvent(QTest::Click, income, Qt::Key_Delete, QChar(0x7F), Qt::NoModifier);
    income->end(false);
    QTest::sendKeyEvent(QTest::Click, income, Qt::Key_Backspace, QChar(u'\b'), Qt::NoModifier);
    QCOMPARE(income->text(), QStringLiteral("234"));
    QCOMPARE(e.ui.messages(), QStringList());

    // Every field takes what is typed into it up to its own length, the short ones alone
    // shorter than eight characters.
    QStringList shortFields;
    for (QLineEdit* field : e.screen->findChildren<QLineEdit*>()) {
      const QString shown = field->text();
      field->clear();
      QTest::keyClicks(field, "12345678");
      if (field->text() != QLatin1String("12345678")) shortFields << field->objectName();
      field->setText(shown);
    }
    shortFields.sort();
    QCOMPARE(shortFields, QStringList({"EditDental_benefits_code", "EditEmployee_secondinitial"}));
  }

  void requiredTextsRepeatForNamesOnly() {
    Entry e({goodT4("Adams", "Ann")});
    e.typeAndTab(e.edit("EditEmployee_surname"), "");
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e.edit("EditEmployee_surname")));
    e.tabOut(e.edit("EditEmployee_surname"));
    QCOMPARE(e.ui.messages(), QStringList(2, BlankMessage));
    e.edit("EditEmployee_surname")->setText("Adams");
    e.typeAndTab(e.edit("EditEmployee_address_line_1"), " ");
    e.tabOut(e.edit("EditEmployee_address_line_1"));
    QCOMPARE(e.ui.messages(), QStringList(3, BlankMessage));
    QCOMPARE(e.screen->controller().working().text(T4Record::Employee_address_line_1),
             QStringLiteral("2 Elm Street"));
  }

  // A field left by clicking a button is checked first: a refused entry stops the move.
  void aClickedButtonWaitsForTheFieldLeft() {
    Entry e({goodT4("Adams", "Ann"), goodT4("Brown", "Bo")});
    QLineEdit* surname = e.edit("EditEmployee_surname");
    surname->setFocus();
    surname->selectAll();
    QTest::keyClick(surname, Qt::Key_Delete);
    QTest::mouseClick(e.button("BitBtnNext"), Qt::LeftButton);
    QCOMPARE(e.ui.messages(), QStringList{BlankMessage});
    QCOMPARE(e.screen->controller().working().surname(), QStringLiteral("Adams"));
    e.ui.expectQuestion(Answer::No);  // the entry not accepted: back to the field
    e.screen->close();
  }

  void listsAndTheCountry() {
    Entry e({goodT4("Adams", "Ann")});
    e.typeAndTab(e.combo("EditProvince_of_employment_code"), "on");
    QCOMPARE(e.combo("EditProvince_of_employment_code")->currentText(), QStringLiteral("ON"));
    e.typeAndTab(e.combo("EditEmployee_province_code"), "mi");
    QCOMPARE(e.combo("EditEmployee_country_code")->currentText(), QStringLiteral("USA"));
    QCOMPARE(e.screen->controller().working().text(T4Record::Employee_country_code),
             QStringLiteral("USA"));
    QVERIFY(e.ui.messages().isEmpty());
    e.ui.expectQuestion(Answer::No);
    e.screen->close();
  }

  // Esc and the close box check what was typed in the focused field: a good entry goes
  // into the save question, a refused one is the user's to drop or to go back to.
  void closingChecksTheFocusedField() {
    Entry e({goodT4("Adams", "Ann")});
    QLineEdit* surname = e.edit("EditEmployee_surname");
    surname->setFocus();
    surname->selectAll();
    QTest::keyClick(surname, Qt::Key_Delete);  // a blank name is refused
    e.ui.expectQuestion(Answer::No);           // not accepted: back to the field
    QTest::keyClick(surname, Qt::Key_Escape);
    QVERIFY(e.screen->isVisible());
    QCOMPARE(e.ui.messages(), QStringList{BlankMessage});
    QVERIFY(e.ui.questions().last().startsWith("The entry in the field you were in was not"));

    QTest::keyClicks(surname, "Abbot");
    e.ui.expectQuestion(Answer::Yes);  // "Do you wish to save your changes" with the new name
    e.screen->close();
    QVERIFY(!e.screen->isVisible());
    QVERIFY(e.surnamesOnFile().contains("Abbot"));
  }

  // A list changes only when the user means it to, and goes on from the entry it shows.
  void listsMoveFromTheirEntryAndIgnoreAPassingWheel() {
    Entry e({goodT4("Adams", "Ann")});
    QComboBox* province = e.combo("EditEmployee_province_code");
    QCOMPARE(province->currentText(), QStringLiteral("ON"));
    e.edit("EditEmployee_surname")->setFocus();
    const QPointF at = province->rect().center();
    QWheelEvent wheel(at, province->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(province, &wheel);
    QCOMPARE(province->currentText(), QStringLiteral("ON"));

    province->setFocus();
    QTest::keyClick(province, Qt::Key_Down);
    QCOMPARE(province->currentText(), province->itemText(province->findText("ON") + 1));
    e.ui.expectQuestion(Answer::No);
    e.screen->close();
  }

  void theSinDialogBothWays() {
    Entry e({goodT4("Adams", "Ann")});
    e.ui.expectQuestion(Answer::Yes);
    e.typeAndTab(e.edit("EditEmployee_SIN"), "046454287");
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e.edit("EditEmployee_SIN")));
    e.tabOut(e.edit("EditEmployee_SIN"));  // no second dialog
    QCOMPARE(e.ui.questions().size(), 1);
    QCOMPARE(e.screen->controller().working().text(T4Record::Employee_SIN),
             QStringLiteral("046454286"));
    e.ui.expectQuestion(Answer::No);
    e.typeAndTab(e.edit("EditEmployee_SIN"), "046454287");
    QCOMPARE(e.screen->controller().working().text(T4Record::Employee_SIN),
             QStringLiteral("046454287"));
    e.ui.expectReport(ViewerResult::Ignore);
    e.ui.expectQuestion(Answer::No);
    e.click("BitBtnExit");
  }

  // Enter presses Next once the field is checked; the buttons move, add, pick from the
  // index, and Fix Error keeps the screen open.
  void theButtonsAndEnter() {
    Entry e({goodT4("Adams", "Ann"), goodT4("Brown", "Bo")});
    QLineEdit* city = e.edit("EditEmployee_city");
    city->setFocus();
    city->selectAll();
    QTest::keyClicks(city, "Kanata");
    e.ui.expectQuestion(Answer::Yes);
    QTest::keyClick(city, Qt::Key_Return);
    QCOMPARE(e.edit("EditEmployee_surname")->text(), QStringLiteral("Brown"));
    QVERIFY(readWholeFile(e.state.T4FileName()).contains("Kanata"));
    e.click("BitBtnLast");
    QCOMPARE(e.ui.messages().last(), QStringLiteral("This is the last T4 record on the file"));
    e.ui.expectEmployeeIndex([](OpenT4FileState& state) { state.T4File().PickedIndex = 0; });
    e.click("BitBtnIndex");
    QCOMPARE(e.edit("EditEmployee_surname")->text(), QStringLiteral("Adams"));

    e.click("BitBtnAddNew");
    QCOMPARE(e.edit("EditEmployee_surname")->text(), QString());
    e.typeAndTab(e.edit("EditEmployee_surname"), "Zed");
    e.ui.expectReport(ViewerResult::FixError);
    e.click("BitBtnFirst");
    QVERIFY(e.screen->controller().isNew());
    e.ui.expectReport(ViewerResult::FixError);
    e.click("BitBtnExit");
    QVERIFY(e.screen->isVisible());
    e.ui.expectReport(ViewerResult::Ignore);
    e.ui.expectQuestion(Answer::Yes);
    e.click("BitBtnExit");
    QVERIFY(!e.screen->isVisible());
    QCOMPARE(e.surnamesOnFile(), QStringList({"Adams", "Brown", "Zed"}));
  }

  void theIndexWindowPicksAndShowsTheEmployer() {
    TempFolder folder;
    OpenT4FileState state;
    state.setT4FileName(folder.write(
        "ACME.T4E", t4FileBytes(goodEmployer(), {goodT4("Brown", "Bo"), goodT4("Adams", "Ann")})));
    QVERIFY(state.OpenT4File());
    ScriptedUi ui;
    state.sharedRecord() = goodT4("Held", "H");
    TFormT4Index index(state, ui);
    QCOMPARE(outsideLayouts(index), QStringList());
    QCOMPARE(index.ListBox1->count(), 2);
    QCOMPARE(index.ListBox1->item(0)->text(), QStringLiteral("ADAMS,  Ann "));
    QCOMPARE(state.T4File().PickedIndex, int(TAlphaInxFileStream::NothingPicked));

    ui.expectEmployerScreen(
        [](OpenT4FileState& s) { s.sharedRecord().clear(); });  // it uses the buffer
    QTest::mouseClick(index.BitBtnShowCoInfo, Qt::LeftButton);
    QVERIFY(state.T4File().CoInfoShown);
    QVERIFY2(state.sharedRecord() == goodT4("Held", "H"), "the buffer is put back");

    index.show();
    QTest::mouseClick(index.ListBox1->viewport(), Qt::LeftButton, {},
                      index.ListBox1->visualItemRect(index.ListBox1->item(1)).center());
    QCOMPARE(state.T4File().PickedIndex, 1);
    QCOMPARE(index.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(T4EntryScreenTest)
#include "t4_entry_screen_test.moc"
