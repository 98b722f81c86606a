// Quillet widget tests — the T4 entry screen and the employee index, typed into and clicked.
#include "screens/ui/t4_entry_screen.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "data/open_t4_file.h"
#include "golden.h"
#include "layout_check.h"
#include "reports/ui/dialog_parts.h"
#include "screen_on_file.h"
#include "screens/ui/employee_index.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;
using C = T4EntryController;

namespace {

struct Entry : ScreenOnFile<TFormT4Entry> {
  explicit Entry(const std::vector<T4Record>& t4s, const EmployerRecord& employer = goodEmployer())
      : ScreenOnFile(t4FileBytes(employer, t4s)) {}
  QStringList surnamesOnFile() { return surnamesInFile(state.T4FileName()); }
  const T4Record& working() { return screen->controller().working(); }
};

}  // namespace

class T4EntryScreenTest : public QObject {
  Q_OBJECT

 private slots:
  // On the first employee, with the focus on box 14; every caption and box whole, and each
  // field as wide as its characters (recorded). At 1280 by 800 every box shows without scrolling;
  // at 1024 by 768 the window fits the screen, the boxes scroll within it and the buttons stay in
  // view. The boxes of later years stand for the years that have them (recorded).
  void opensOnTheFirstEmployeeAndFitsTheScreen() {
    Entry e({with(goodT4("Smith", "John"), {{T4Record::RPP_or_deferred_PlanNumbr, "1234567"}}),
             with(goodT4("Adams", "Ann"), {{T4Record::Employee_province_code, "Ontario"}})});
    QCOMPARE(e.screen->windowTitle(), "Processing: " + e.state.T4FileName());
    // Adams (a province another program stored, not in the list), box 14 focused, Next the
    // default.
    QString years = controlsOf(*e.screen);
    auto* area = e.screen->findChild<QScrollArea*>("ScrollBoxEntries");
    const QSize whole = e.screen->wholeSize();
    QCOMPARE(e.screen->size(), roomOnScreen(*e.screen));  // the test's screen is the smaller
    for (const QSize& screen : {QSize(1280, 800), QSize(1024, 768)}) {
      const QSize room = screen - QSize(16, 40);
      e.screen->resize(sizeWithinRoom(whole, room));
      QCoreApplication::processEvents();
      QVERIFY2(
          e.screen->width() <= room.width() && e.screen->height() <= room.height(),
          qPrintable(QStringLiteral("%1 x %2").arg(e.screen->width()).arg(e.screen->height())));
      const bool scrolls =
          area->horizontalScrollBar()->maximum() > 0 || area->verticalScrollBar()->maximum() > 0;
      QCOMPARE(scrolls, screen.width() < 1280);
      QVERIFY(area->widget()->width() >= area->widget()->minimumSizeHint().width());
      QCOMPARE(textsCutOff(*e.screen), QStringList());
      QCOMPARE(outsideLayouts(*e.screen), QStringList());
      for (const QPushButton* button : e.screen->findChildren<QPushButton*>())
        QVERIFY(e.screen->rect().contains(button->geometry()));
    }
    for (const int year : {2000, 2005, 2006, 2023, 2024}) {
      EmployerRecord employer = goodEmployer();
      applyRates(employer, *ratesOf(year));
      Entry y({goodT4("Adams", "A")}, employer);
      years += QStringLiteral("--- %1\n").arg(year) + controlsOf(*y.screen);
      QVERIFY(y.screen->wholeSize().width() <= 1280 - 16);
      y.ui.expectReport(ViewerResult::Ignore);  // the 1999 contributions are not the year's
      y.screen->close();
    }
    expectGolden("t4_entry_screen_years", years);
  }

  // Amounts convert and keep their text; editing keys carry the texts X11 gives them
  // (Delete: U+007F) and pass the filters; every field takes what is typed up to its own
  // length (only box 45 and the initial shorter than eight characters); a list shows the
  // country of its province, ignores a passing wheel and goes on from the entry it shows.
  void typingIntoTheFields() {
    Entry e({goodT4("Adams", "Ann")});
    typeAndTab(e.edit("EditEmployment_income"), "1234.5");
    QCOMPARE(e.edit("EditEmployment_income")->text(), QStringLiteral("1234.5"));
    typeAndTab(e.edit("EditUnion_dues"), "12.5.");
    QLineEdit* income = e.edit("EditEmployment_income");
    income->setFocus();
    income->setText("12345");
    income->setCursorPosition(0);
    QTest::sendKeyEvent(QTest::Click, income, Qt::Key_Delete, QChar(0x7F), Qt::NoModifier);
    income->end(false);
    QTest::sendKeyEvent(QTest::Click, income, Qt::Key_Backspace, QChar(u'\b'), Qt::NoModifier);
    QCOMPARE(income->text(), QStringLiteral("234"));
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

    typeAndTab(e.combo("EditProvince_of_employment_code"), "on");
    QComboBox* province = e.combo("EditEmployee_province_code");
    typeAndTab(province, "mi");
    e.edit("EditEmployee_surname")->setFocus();
    e.screen->resize(600, 400);  // the boxes scroll
    QCoreApplication::processEvents();
    QScrollBar* scroll = e.screen->findChild<QScrollArea*>("ScrollBoxEntries")->verticalScrollBar();
    const int top = scroll->value();
    const QPointF at = province->rect().center();
    QWheelEvent wheel(at, province->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(province, &wheel);
    QCOMPARE(province->currentText(), QStringLiteral("MI"));
    QVERIFY(scroll->value() > top);  // the wheel scrolls the form instead
    province->setFocus();
    QTest::keyClick(province, Qt::Key_Down);
    QCOMPARE(province->currentText(), province->itemText(province->findText("MI") + 1));
    const QString shown = controlsOf(*e.screen) + fieldsOf(e.working(), T4Record::layout());
    e.ui.expectReport(ViewerResult::Ignore);  // 1234.50 of earnings and 600.00 of CPP
    e.ui.expectQuestion(Answer::No);
    e.click("BitBtnExit");
    expectGolden("t4_entry_screen_typing", shown + e.ui.transcript());
  }

  // A refused entry keeps the focus and is told once for each leaving (names only); the
  // SIN dialog both ways, without a second dialog for the same entry; a field left by
  // clicking a button is checked first and a refused entry stops the move; Esc and the
  // close box check the focused field: a refused one is the user's to drop or go back to,
  // a good one goes into the save question.
  void refusedEntriesKeepTheFocus() {
    Entry e({goodT4("Adams", "Ann"), goodT4("Brown", "Bo")});
    QLineEdit* surname = e.edit("EditEmployee_surname");
    typeAndTab(surname, "");
    QVERIFY(e.focused(surname));
    tabOut(surname);
    surname->setText("Adams");
    typeAndTab(e.edit("EditEmployee_address_line_1"), " ");
    tabOut(e.edit("EditEmployee_address_line_1"));
    QCOMPARE(e.working().text(T4Record::Employee_address_line_1), QStringLiteral("2 Elm Street"));
    e.edit("EditEmployee_address_line_1")->setText("2 Elm Street");

    QLineEdit* sin = e.edit("EditEmployee_SIN");
    e.ui.expectQuestion(Answer::Yes);
    typeAndTab(sin, "046454287");
    QVERIFY(e.focused(sin));
    tabOut(sin);  // no second dialog
    QCOMPARE(e.working().text(T4Record::Employee_SIN), QStringLiteral("046454286"));
    e.ui.expectQuestion(Answer::No);
    typeAndTab(sin, "046454287");
    QCOMPARE(e.working().text(T4Record::Employee_SIN), QStringLiteral("046454287"));
    tabOut(sin);  // kept after No: not asked again

    typeOver(surname, "");
    QTest::mouseClick(e.screen->findChild<QPushButton*>("BitBtnNext"), Qt::LeftButton);
    QCOMPARE(e.working().surname(), QStringLiteral("Adams"));
    e.ui.expectQuestion(Answer::No);  // not accepted: back to the field
    QTest::keyClick(surname, Qt::Key_Escape);
    QVERIFY(e.screen->isVisible());
    QTest::keyClicks(surname, "Abbot");
    e.ui.expectReport(ViewerResult::Ignore);
    e.ui.expectQuestion(Answer::Yes);  // "Do you wish to save your changes" with the new name
    e.screen->close();
    QVERIFY(!e.screen->isVisible());
    QVERIFY(e.surnamesOnFile().contains("Abbot"));
    expectGolden("t4_entry_screen_refusals", e.ui.transcript());
  }

  // Esc on a SIN refused, No to mending it, Yes to closing without it: closed without it,
  // with no question about saving it.
  void closingWithoutARefusedEntryDropsIt() {
    Entry e({goodT4("Adams", "Ann")});
    const QByteArray original = readWholeFile(e.state.T4FileName());
    QLineEdit* sin = e.edit("EditEmployee_SIN");
    typeOver(sin, "046454287");
    e.ui.expectQuestion(Answer::No);   // fix it now?
    e.ui.expectQuestion(Answer::Yes);  // close without it
    QTest::keyClick(sin, Qt::Key_Escape);
    QVERIFY(!e.screen->isVisible());
    e.state.CloseT4File();
    QCOMPARE(readWholeFile(e.state.T4FileName()), original);
  }

  // From 2001 boxes 24, 26 and 56 are filed as they stand: one left empty is offered box 14
  // up to the year's ceiling (box 26: the YAMPE from 2024), a 0 typed stays 0; the lists
  // take Newfoundland and Labrador and Nunavut under today's codes.
  void earningsBoxesAndTodaysProvinceCodesOfAModernYear() {
    EmployerRecord employer = goodEmployer();
    applyRates(employer, *ratesOf(2026));
    Entry e({goodT4("Adams", "Ann")}, employer);
    typeAndTab(e.edit("EditEmployment_income"), "90000");
    typeAndTab(e.combo("EditProvince_of_employment_code"), "qc");
    for (const char* box : {"EditEI_insurable_earnings", "EditCPP_OR_Quebec_PensionEarn",
                            "EditPPIP_insurable_earnings"})
      typeAndTab(e.edit(box), "");
    const QString proposed = controlsOf(*e.screen);
    typeAndTab(e.edit("EditCPP_OR_Quebec_PensionEarn"), "0");
    typeAndTab(e.combo("EditEmployee_province_code"), "nl");
    typeAndTab(e.combo("EditProvince_of_employment_code"), "nu");
    expectGolden("t4_entry_screen_2026", proposed + "---\n" + controlsOf(*e.screen) + "---\n" +
                                             fieldsOf(e.working(), T4Record::layout()));
    e.ui.expectReport(ViewerResult::Ignore);
    e.ui.expectQuestion(Answer::No);
    e.click("BitBtnExit");
  }

  // Enter presses Next once the field is checked; the buttons move, add, pick from the
  // index, and Fix Error keeps the screen open.
  void theButtonsAndEnter() {
    Entry e({goodT4("Adams", "Ann"), goodT4("Brown", "Bo"), goodT4("Clark", "Cy")});
    QLineEdit* city = e.edit("EditEmployee_city");
    typeOver(city, "Kanata");
    e.ui.expectQuestion(Answer::Yes);
    QTest::keyClick(city, Qt::Key_Return);
    QCOMPARE(e.edit("EditEmployee_surname")->text(), QStringLiteral("Brown"));
    QVERIFY(readWholeFile(e.state.T4FileName()).contains("Kanata"));
    e.click("BitBtnLast");  // to Clark, the last; pressed again, it stays there
    e.click("BitBtnLast");
    QCOMPARE(e.ui.messages().last(), QStringLiteral("This is the last T4 record on the file"));
    e.ui.expectEmployeeIndex([](OpenT4FileState& state) { state.T4File().PickedIndex = 0; });
    e.click("BitBtnIndex");
    QCOMPARE(e.edit("EditEmployee_surname")->text(), QStringLiteral("Adams"));
    e.click("BitBtnPrevs");
    QVERIFY(e.ui.messages().last().endsWith("there is no previous."));

    e.click("BitBtnAddNew");
    QCOMPARE(e.edit("EditEmployee_surname")->text(), QString());
    // Typed at once, the amount replaces box 14's 0.00.
    QVERIFY(e.focused(e.edit("EditEmployment_income")));
    QTest::keyClicks(e.edit("EditEmployment_income"), "41000");
    QCOMPARE(e.edit("EditEmployment_income")->text(), QStringLiteral("41000"));
    typeAndTab(e.edit("EditEmployee_surname"), "Zed");
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
    QCOMPARE(e.surnamesOnFile(), QStringList({"Adams", "Brown", "Clark", "Zed"}));
  }

  // The index lists every employee and counts them; what is typed (a name, or a part of a
  // SIN) narrows the list at once, the arrows move in it and Enter picks; a click picks.
  void theIndexWindowFindsPicksAndShowsTheEmployer() {
    TempFolder folder;
    OpenT4FileState state;
    state.setT4FileName(folder.write(
        "ACME.T4E",
        t4FileBytes(goodEmployer(),
                    {with(goodT4("Brown", "Bo"), {{T4Record::Employee_SIN, "193 456 787"}}),
                     goodT4("Adams", "Ann"), goodT4("Brownlee", "Al")})));
    QVERIFY(state.OpenT4File());
    ScriptedUi ui;
    state.sharedRecord() = goodT4("Held", "H");
    const auto shown = [](const TFormT4Index& index) {
      QStringList rows;
      for (int r = 0; r < index.ListBox1->model()->rowCount(); ++r)
        rows << index.ListBox1->model()->index(r, 0).data().toString();
      return rows.join(u'|') + " / " + index.LabelCount->text();
    };
    {
      TFormT4Index index(state, ui);
      QCOMPARE(std::pair(index.size(), outsideLayouts(index)),
               std::pair(QSize(360, 420), QStringList()));
      QCOMPARE(state.T4File().PickedIndex, int(TAlphaInxFileStream::NothingPicked));
      QVERIFY(showActive(index));
      QString found = controlsOf(index) + shown(index) + u'\n';
      for (const char* typed : {"brown bo", "193-456", "zz", "BROWN"}) {
        index.EditSearch->clear();
        QTest::keyClicks(index.EditSearch, typed);
        found += QStringLiteral("%1: %2\n").arg(QLatin1String(typed), shown(index));
      }
      expectGolden("employee_index_search", found);
      QTest::keyClick(index.EditSearch, Qt::Key_Down);
      QTest::keyClick(index.EditSearch, Qt::Key_Return);
      QCOMPARE(state.T4File().PickedIndex, 2);
      QCOMPARE(index.result(), int(QDialog::Accepted));
    }

    TFormT4Index index(state, ui);
    ui.expectEmployerScreen(
        [](OpenT4FileState& s) { s.sharedRecord().clear(); });  // it uses the buffer
    QTest::mouseClick(index.BitBtnShowCoInfo, Qt::LeftButton);
    QVERIFY(state.T4File().CoInfoShown);
    QVERIFY2(state.sharedRecord() == goodT4("Held", "H"), "the buffer is put back");

    index.show();
    QTest::mouseClick(index.ListBox1->viewport(), Qt::LeftButton, {},
                      index.ListBox1->visualRect(index.ListBox1->model()->index(1, 0)).center());
    QCOMPARE(state.T4File().PickedIndex, 1);
    QCOMPARE(index.result(), int(QDialog::Accepted));
    index.show();  // Enter on the list's next line picks that one
    QTest::keyClick(index.ListBox1, Qt::Key_Down);
    QTest::keyClick(index.ListBox1, Qt::Key_Return);
    QCOMPARE(state.T4File().PickedIndex, 2);
    QTest::mouseClick(index.BitBtnCancel, Qt::LeftButton);  // after the pick: Cancel
    QCOMPARE(index.result(), int(QDialog::Rejected));
  }
};

QTEST_MAIN(T4EntryScreenTest)
#include "t4_entry_screen_test.moc"
