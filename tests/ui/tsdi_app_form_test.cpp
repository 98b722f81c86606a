// Quillet widget tests — the main window: menus, speed buttons, hints, commands.
#include "app/ui/tsdi_app_form.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <QToolButton>

#include "app/ui/about_box.h"
#include "app/ui/widget_ui.h"
#include "core/settings_store.h"
#include "data/open_t4_file.h"
#include "golden.h"
#include "layout_check.h"
#include "payroll_files.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const QString NoFile = QStringLiteral("Preparation & Printing of Revenue Canada T4 Forms");

// A main window on scripted dialogs, settings in a temporary folder.
struct Desk {
  explicit Desk(QStringList arguments = {})
      : window(state, ui, FilingDay, settings, std::move(arguments)) {}

  QAction* action(const char* name) { return window.findChild<QAction*>(QLatin1String(name)); }
  void trigger(const char* name) { action(name)->trigger(); }
  // Opens a file of the good employer and `t4s`, written as `name`.
  void open(const char* name, const std::vector<T4Record>& t4s = {}) {
    state.setT4FileName(folder.write(name, t4FileBytes(goodEmployer(), t4s)));
    QVERIFY(state.OpenT4File());
  }

  TempFolder folder;
  const SettingsStore settings{folder.path("")};
  OpenT4FileState state;
  ScriptedUi ui;
  TSDIAppForm window;
};

}  // namespace

class TSDIAppFormTest : public QObject {
  Q_OBJECT

 private slots:
  void menusAndSpeedButtonsAreThere() {
    Desk desk;
    QVERIFY2(!desk.window.findChild<QLabel*>("ImageCanFlag")->pixmap().isNull(),
             "the JPEG decodes");
    QCOMPARE(outsideLayouts(*desk.window.centralWidget()), QStringList());
    expectGolden("main_window_controls",  // the machine's name as the platform label shows it
                 controlsOf(desk.window).replace(QSysInfo::prettyProductName(), "<platform>"));
  }

  // Every command that works on a T4 file needs one open, the reports one with T4s; the
  // transmitter belongs to the user, not to a file.
  void commandsNeedAnOpenFileAndReportsT4s() {
    Desk desk;
    for (const char* item : {"EditCompanyInfo", "EditT4Records1", "ExportXmlItem", "ImportCsvItem"})
      desk.trigger(item);
    QTest::mouseClick(desk.window.findChild<QToolButton*>("SpeedButtonPrintT4"), Qt::LeftButton);
    desk.ui.expectTransmitter([](Transmitter&) { return false; });
    desk.trigger("EditTransmitter");
    desk.open("SETUP.T4E");
    desk.trigger("PrintT4Errors1");
    desk.trigger("PrintMailingLabels1");
    expectGolden("main_window_no_file", desk.ui.transcript());
  }

  // The File and Print Reports menus' commands on a file with T4s come to their work, where the
  // user gives up at its first dialog; next year's file is made and opened (recorded).
  void theMenusCommandsComeToTheirWork() {
    Desk desk;
    desk.open("A.T4E", {goodT4("Adams", "Ann")});
    for (const char* item : {"ExportCsvItem", "ExportSlipPdfs"}) {
      desk.ui.expectFileChoice({});
      desk.trigger(item);
    }
    desk.ui.expectQuestion(Answer::No);
    desk.ui.expectReport(ViewerResult::Ok);
    desk.trigger("PrintT4Totals1");
    // Each set-up is given up when it is the right one (the slips' or the Summary's).
    desk.ui.expectPlainPaperSetUp([](PlainPaperSetUp& s) { return s.summary; });
    desk.trigger("PrintPlainSlips");
    desk.ui.expectPlainPaperSetUp([](PlainPaperSetUp& s) { return !s.summary; });
    desk.trigger("PrintPlainSummary");
    desk.ui.expectFileChoice(desk.folder.path("B.T4E"));
    desk.ui.expectQuestion(Answer::Yes);
    desk.trigger("NextYearItem");
    QCOMPARE(desk.state.T4FileName(), desk.folder.path("B.T4E"));
    expectGolden("main_window_commands", desk.ui.transcript(), desk.folder.path({}));
  }

  // From a T4 file, File -> New T4A file of this payer makes the payer's empty T4A file (never
  // over another) and opens it on its entry screen; the menus then offer a T4A file's
  // commands, name them so, and refuse the T4's forms and labels; a new name ending in .T4A
  // is made a T4A file (recorded).
  void aPayersT4AFileFromTheMenus() {
    Desk desk;
    desk.trigger("NewT4AItem");  // no file open: told
    desk.open("ACME.T4E", {goodT4("Adams", "Ann")});
    const QString made = desk.folder.path("ACME.T4A");
    desk.ui.expectFileChoice(desk.folder.path("ACME.T4E"));  // another file's name: refused
    desk.trigger("NewT4AItem");
    desk.ui.expectFileChoice(made);
    desk.ui.expectT4EntryScreen([](OpenT4FileState& s) { QCOMPARE(s.slipKind(), SlipKind::T4A); });
    desk.trigger("NewT4AItem");
    QCOMPARE(desk.window.windowTitle(), QStringLiteral("Processing T4A slips: ") + made);
    QVERIFY(!desk.action("PrintT4Records1")->isEnabled());
    QVERIFY(!desk.action("PrintMailingLabels1")->isEnabled());
    QCOMPARE(desk.action("EditT4Records1")->text(), QStringLiteral("T4A Slips &View"));
    QCOMPARE(desk.action("ExportSlipPdfs")->text(),
             QStringLiteral("T4A slips as P&DF, one per recipient…"));
    desk.trigger("NewT4AItem");      // a T4A file open: told
    desk.trigger("PrintT4Totals1");  // no slips yet: told
    desk.trigger("PrintT4Records1");

    desk.ui.expectFileChoice(desk.folder.path("OTHER.T4A"));
    desk.ui.expectQuestion(Answer::Yes);
    desk.trigger("OpenItem");
    QCOMPARE(desk.state.slipKind(), SlipKind::T4A);
    desk.ui.expectFileChoice(desk.folder.path("ACME.T4E"));
    desk.trigger("OpenItem");
    QVERIFY(desk.action("PrintT4Records1")->isEnabled());
    QCOMPARE(desk.action("EditT4Records1")->text(), QStringLiteral("T4 Forms &View"));
    expectGolden("main_window_t4a", desk.ui.transcript(), desk.folder.path({}));
  }

  void openChecksTheExtensionThenOpens() {
    Desk desk;
    const QByteArray bytes = t4FileBytes(goodEmployer(), {goodT4("Smith", "J")});
    const QString wrong = desk.folder.write("ACME.T4", bytes);
    const QString right = desk.folder.write("acme.t4e", bytes);
    desk.ui.expectFileChoice(wrong);
    desk.trigger("OpenItem");
    QVERIFY(!desk.state.T4FileOpen());

    desk.ui.expectFileChoice(right);
    QTest::mouseClick(desk.window.findChild<QToolButton*>("SpeedButtonOpenRegularT4"),
                      Qt::LeftButton);
    QVERIFY(desk.state.T4FileOpen());
    QCOMPARE(desk.window.windowTitle(), QStringLiteral("Processing: ") + right);

    // A new name of the wrong kind is refused before its creation is offered.
    desk.ui.expectFileChoice(desk.folder.path("NEW.T4"));
    desk.trigger("OpenItem");
    QVERIFY(!QFile::exists(desk.folder.path("NEW.T4")));

    // A file that cannot be made leaves none open.
    desk.ui.expectFileChoice(desk.folder.path("no/such/dir/X.T4E"));
    desk.ui.expectQuestion(Answer::Yes);
    desk.trigger("OpenItem");
    QVERIFY(!desk.state.T4FileOpen());
    QCOMPARE(desk.window.windowTitle(), NoFile);
    expectGolden("main_window_open", desk.ui.transcript(), desk.folder.path({}));
  }

  void newAsksAWagebookCustomerFirst() {
    Desk desk;
    desk.window.commands().payroll().setCheck(PayrollMenu::OpenT4, true);
    desk.ui.expectQuestion(Answer::No);  // then no open dialog: the scripted Ui refuses one
    desk.trigger("NewFileItem");
    // Yes, or anyone else: the open dialog, which may name a new file.
    desk.ui.expectQuestion(Answer::Yes);
    desk.ui.expectFileChoice({});
    desk.trigger("NewFileItem");
    QCOMPARE(desk.ui.fileDialogs().size(), 1);
    QVERIFY(desk.ui.fileDialogs().first().allowNew);
    expectGolden("main_window_new", desk.ui.transcript());
  }

  void aNewFileGoesThroughTheEmployerScreenToTheEntryScreen() {
    Desk desk;
    desk.state.setT4FileName(desk.folder.path("NEW.T4E"));
    QVERIFY(desk.state.OpenT4File());
    desk.ui.expectEmployerScreen([](OpenT4FileState& state) {
      EmployerRecord employer = goodEmployer();
      writeEmployerAndHeader(state, employer);
    });
    bool entered = false;
    desk.ui.expectT4EntryScreen([&entered](OpenT4FileState&) { entered = true; });
    desk.trigger("EditT4Records1");
    QVERIFY(entered);
    expectGolden("main_window_new_file", desk.ui.transcript());
  }

  void theCommandLineIsHandledOnTheFirstActivationOnly() {
    TempFolder folder;
    const QByteArray bytes = t4FileBytes(goodEmployer(), {goodT4("Smith", "John")});
    const QString path = folder.write("ACME.T4E", bytes);
    Desk desk({"/p", path});
    desk.ui.expectT4PrintSetUp([](T4PrintSetUp&) { return false; });
    desk.window.FormActivate();
    QVERIFY(desk.state.T4FileOpen());
    QCOMPARE(desk.window.windowTitle(), QStringLiteral("Processing: ") + path);
    desk.window.FormActivate();  // a scripted dialog left over would fail the test
    desk.state.CloseT4File();

    // A path holding "/P" (here /Payroll/) is a file to open, not the print flag.
    const QString payroll = folder.write("Payroll/ACME.T4E", bytes);
    Desk edit({payroll, "other.txt"});
    int entries = 0;
    edit.ui.expectT4EntryScreen([&](OpenT4FileState&) {
      ++entries;
      QCOMPARE(edit.window.windowTitle(), "Processing: " + payroll);  // while the screen is up
    });
    edit.window.FormActivate();
    edit.window.FormActivate();
    QCOMPARE(entries, 1);
    QCOMPARE(edit.window.windowTitle(), QStringLiteral("Processing: ") + payroll);
  }

  void theWagebookMenuMarksWhatWasDone() {
    Desk desk;
    desk.ui.expectFileChoice({});  // the speed button's configuration dialog, cancelled
    QTest::mouseClick(desk.window.findChild<QToolButton*>("SpeedButtonOpenWgbT4"), Qt::LeftButton);
    QVERIFY(desk.ui.messages().last().startsWith("Configuration file is not open."));

    desk.ui.expectFileChoice(desk.folder.write("COMPANY.CNF", configBytes()));
    desk.trigger("Open_CNF1");
    QVERIFY(desk.action("Open_CNF1")->isChecked());
    QVERIFY(!desk.action("Open_WAGBOK_T4E1")->isChecked());
    // The company's own T4 file, on drive C as the configuration names it: the caption follows.
    QSettings(desk.folder.path("user.ini"), QSettings::IniFormat)
        .setValue("Software/Corvantis/Quillet/2.0/Drives/C", desk.folder.path({}));
    const QString wagebook =
        desk.folder.write("DATA/CO1/WAGBOK.T4E", t4FileBytes(goodEmployer(), {}));
    desk.trigger("Open_WAGBOK_T4E1");
    QCOMPARE(desk.window.windowTitle(), "Processing: " + wagebook);
    // A file opened as any other leaves payroll mode, and the marks go with it.
    desk.ui.expectFileChoice(
        desk.folder.write("OTHER.T4E", t4FileBytes(goodEmployer(), {goodT4("Smith", "J")})));
    desk.trigger("OpenItem");
    QVERIFY(!desk.window.commands().payroll().payrollMode());
    QVERIFY(!desk.action("Open_CNF1")->isChecked());
  }

  // Through the window's shortcut map, as the key comes from the keyboard.
  void altXExitsAndClosesTheFile() {
    Desk desk;
    desk.open("ACME.T4E");
    QVERIFY(showActive(desk.window));
    QTest::keyClick(&desk.window, Qt::Key_X, Qt::AltModifier);
    QVERIFY(!desk.window.isVisible() && !desk.state.T4FileOpen());
  }

  // The desktop's Ui brings each screen up on the open file, as a window of its own.
  void theScreensComeUpThroughTheDesktopsUi() {
    Desk desk;
    desk.open("ACME.T4E", {goodT4("Adams", "Ann")});
    WidgetUi ui(FilingDay);
    QStringList shown;
    for (const auto open :
         {&WidgetUi::editEmployerRecord, &WidgetUi::editT4Records, &WidgetUi::showEmployeeIndex}) {
      whenShown<QDialog>([&shown](QDialog* screen) {
        shown << screen->objectName();
        screen->reject();
      });
      (ui.*open)(desk.state);
    }
    QCOMPARE(shown, QStringList({"TFormT4BusnInfo", "TFormT4Entry", "TFormT4Index"}));
  }

  // The desktop program's question boxes: their icon, and the button pressed as the answer.
  void questionBoxesShowTheirIconAndAnswer() {
    WidgetUi ui(FilingDay);
    for (const auto& [icon, kind, pressed, shown, answer] :
         {std::tuple{QuestionIcon::Error, QuestionKind::YesNoCancel, QMessageBox::Cancel,
                     QMessageBox::Critical, Answer::Cancel},
          std::tuple{QuestionIcon::Question, QuestionKind::OkCancel, QMessageBox::Ok,
                     QMessageBox::Question, Answer::Yes},
          std::tuple{QuestionIcon::Warning, QuestionKind::YesNo, QMessageBox::No,
                     QMessageBox::Warning, Answer::No}}) {
      QMessageBox::Icon seen = QMessageBox::NoIcon;
      whenShown<QMessageBox>([&seen, pressed](QMessageBox* box) {
        seen = box->icon();
        QTest::mouseClick(box->button(pressed), Qt::LeftButton);
      });
      QCOMPARE(ui.ask("Sure?", kind, {}, icon), answer);
      QCOMPARE(seen, shown);
    }
  }
};

QTEST_MAIN(TSDIAppFormTest)
#include "tsdi_app_form_test.moc"
