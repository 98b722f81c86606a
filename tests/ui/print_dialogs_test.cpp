// Quillet widget tests — the print set-up dialogs, the report viewer and the busy box.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "app/ui/widget_ui.h"
#include "golden.h"
#include "layout_check.h"
#include "payroll_import/ui/pay_conv_setup.h"
#include "platform/shared_file.h"
#include "reports/recording_surface.h"
#include "reports/trace_surface.h"
#include "reports/ui/error_messages.h"
#include "reports/ui/label_select.h"
#include "reports/ui/plain_paper_set_up.h"
#include "reports/ui/report_is_printing.h"
#include "reports/ui/t4_print_set_up.h"
#include "reports/ui/t4_summary_set_up.h"
#include "scripted_ui.h"
#include "test_files.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// Answers the desktop program's printer and font dialogs as a user would, one modal
// dialog at a time, and notes what each offered.
struct PrintDialogsUser {
  PrintDialogsUser() {
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [this] { answer(); });
    timer.start();
  }

  void answer() {
    QWidget* modal = QApplication::activeModalWidget();
    // A dialog answered already is marked, not remembered by address: the next one may
    // take the same place in memory.
    if (!modal || modal->property("answered").toBool()) return;
    modal->setProperty("answered", true);
    if (auto* printDialog = qobject_cast<QPrintDialog*>(modal)) {
      paper = printDialog->printer()->pageLayout().pageSize().id();
      auto* preview = printDialog->findChild<QPushButton*>("PreviewButton");
      if (!fileName.isEmpty()) {
        printDialog->findChild<QLineEdit*>("filename")->setText(fileName);
        printDialog->accept();
      } else if (preview && pressPreview) {
        preview->click();
      } else {
        printDialog->reject();
      }
    } else if (auto* fontDialog = qobject_cast<QFontDialog*>(modal)) {
      offeredFonts << fontDialog->currentFont();
      fontDialog->setCurrentFont(QFont("DejaVu Sans Mono", 10));
      fontDialog->accept();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      others << modal->metaObject()->className();
      dialog->reject();
    }
  }

  QTimer timer;
  bool pressPreview = true;
  QString fileName;  // when set, Print to File under this name, typed into the dialog
  QPageSize::PageSizeId paper = QPageSize::Custom;
  QList<QFont> offeredFonts;
  QStringList others;  // the other dialogs shown, by class: previews, messages
};

}  // namespace

class PrintDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // Letter paper, Preview beside Print, the suggested font, then the session's last font.
  void thePrinterAndFontDialogsOfTheDesktopProgram() {
    WidgetUi ui(FilingDay);
    PrintDialogsUser user;
    {
      std::unique_ptr<PrintSurface> job = ui.startPrintJob("T4 Error Report");
      QVERIFY(job);
      job->endJob();  // the preview is shown, and closed
    }
    QCOMPARE(std::pair(user.paper, user.others),
             std::pair(QPageSize::Letter, QStringList{"QPrintPreviewDialog"}));
    QFont timesNewRoman("Times New Roman", 11);
    timesNewRoman.setStyleHint(QFont::Serif);
    const QFont offered = user.offeredFonts.value(0);  // the upright, regular face
    QVERIFY(offered.family() != QApplication::font().family());
    QCOMPARE(std::tuple(offered.family(), offered.pointSize(), QFontInfo(offered).italic(),
                        offered.styleName().contains("Condensed"), QFontInfo(offered).weight()),
             std::tuple(QFontInfo(timesNewRoman).family(), 11, false, false, int(QFont::Normal)));

    QVERIFY(ui.startPreview("T4 Error Report"));
    QCOMPARE(user.offeredFonts.value(1).family(), QStringLiteral("DejaVu Sans Mono"));
    user.pressPreview = false;
    QVERIFY(!ui.startPrintJob("T4 Error Report"));  // cancelled in the printer dialog

    // A job that cannot start is no job: nothing is printed, and nothing is said.
    user.fileName = QStringLiteral("/nonexistent-folder/out.pdf");
    QVERIFY(!ui.startPrintJob("T4 Error Report", FontChoice::FormsOwn));
    // Nor into a file a writer holds, the open T4 file above all: refused, and left whole.
    TempFolder folder;
    const QString open = folder.write("OPEN.T4E", "T4");
    const auto held = platform::SharedFile::open(open, platform::OpenMode::ReadWriteDenyWrite);
    user.fileName = folder.path("link.pdf");
    QVERIFY(QFile::link(open, user.fileName));
    QVERIFY(!ui.startPrintJob("T4 Error Report", FontChoice::FormsOwn));
    QCOMPARE(readWholeFile(open), QByteArray("T4"));
    // A job the user stopped leaves no part of a document in its file.
    user.fileName = folder.path("stopped.pdf");
    std::unique_ptr<PrintSurface> stopped = ui.startPrintJob("T4 Slips", FontChoice::FormsOwn);
    QVERIFY(stopped);
    stopped->textOut(100, 100, "Adams");
    stopped->newPage();
    stopped->abortJob();
    QVERIFY(!QFile::exists(user.fileName));
    user.fileName.clear();

    // A drawn form brings its own face: no font dialog.
    user.pressPreview = true;
    std::unique_ptr<PrintSurface> slips = ui.startPrintJob("T4 Slips", FontChoice::FormsOwn);
    QVERIFY(slips);
    slips->endJob();
    QCOMPARE(user.offeredFonts.size(), 2);
    QCOMPARE(user.others,
             (QStringList{"QPrintPreviewDialog", "QMessageBox", "QPrintPreviewDialog"}));
  }

  // The values it opens with, the margins' bounds and steps, and the choice given back:
  // the controls recorded as it opens, after stored values beyond the bounds, and after
  // the user's choice.
  void t4SetUpClampsStoredValuesAndGivesBackTheChoice() {
    TFormT4PrintSetUp dialog;
    QString all = controlsOf(dialog) + "---\n";
    QTest::keyClick(dialog.SpinEditTOP, Qt::Key_Up);
    QCOMPARE(dialog.SpinEditTOP->value(), 55);
    const int left = dialog.SpinEditLEFT->value();
    QTest::keyClick(dialog.SpinEditLEFT, Qt::Key_Up);
    QCOMPARE(dialog.SpinEditLEFT->value(), left + 1);
    dialog.setValues({10, 80, false, DotMatrixForms});
    all += controlsOf(dialog) + "---\n";
    QTest::mouseClick(dialog.findChild<QRadioButton*>("RadioGroupT4TypeItem3"), Qt::LeftButton);
    dialog.SpinEditTOP->setValue(65);
    dialog.CheckBoxLineUpRequd->setChecked(true);
    const T4PrintSetUp values = dialog.values();
    QCOMPARE((std::tuple(values.top, values.left, values.lineUp, values.formType)),
             (std::tuple(65, 75, true, int(CompanyCopies))));
    QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.setValues({200, 0, false, DotMatrixForms});
    expectGolden("t4_print_set_up", all + controlsOf(dialog));
  }

  // Space on the dialog as it opens keeps the proposed type; Preview closes it, the preview
  // asked.
  void t4SetUpFocusesTheProposedTypeAndPreviews() {
    TFormT4PrintSetUp dialog;
    dialog.setValues({50, 25, false, EmployeeCopies});
    QVERIFY(showActive(dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(dialog.values().formType, int(EmployeeCopies));
    QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtnPreview"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.values().preview);
  }

  void aRecordedJobPlaysBackOutputForOutput() {
    QImage metrics(10, 10, QImage::Format_RGB32);
    QStringList direct, replayed;
    TraceSurface trace({300}, [&direct](const QString& line) { direct << line; });
    RecordingSurface recording(trace.caps(), QFont("DejaVu Sans Mono", 10), &metrics);
    for (PrintSurface* surface : std::initializer_list<PrintSurface*>{&trace, &recording}) {
      surface->textOut(10, 20, "one");
      surface->setStyle(true, false);
      surface->textOut(30, 40, "two");
      surface->newPage();
      surface->newPage();
      surface->setStyle(false, true);
      surface->textOut(50, 60, "three");
      surface->drawLine(1, 2, 3, 4);
      surface->drawFrame(5, 6, 7, 8);
      surface->fillRect(9, 10, 11, 12);
      surface->endJob();
    }
    TraceSurface target({300}, [&replayed](const QString& line) { replayed << line; });
    recording.replay(target);
    QCOMPARE(replayed, direct);
    QCOMPARE(direct.last(), QStringLiteral("end\t3"));
  }

  // What the dialog shows of the values it is given (margins without limits, a hundredth of
  // an inch a step) and the values it gives back.
  void summarySetUpShowsAndTakesItsValues() {
    ScriptedUi ui;
    const SummarySetUp values{"Acme Widgets Ltd.", "123456782RP0001", false, true, 1234.5, -20};
    TT4SummySetUp dialog(values, ui);
    QTest::keyClick(dialog.SpinEditTop, Qt::Key_Up);
    QTest::keyClick(dialog.SpinEditLeft, Qt::Key_Down);
    expectGolden("summary_set_up", controlsOf(dialog));
    dialog.CheckBoxFYH->setChecked(true);
    dialog.EditRemittances->clear();
    QTest::keyClicks(dialog.EditRemittances, "987.6");
    QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.values().youthHires);
    QCOMPARE(dialog.values().remittances, 987.6);
    QVERIFY(ui.messages().isEmpty());
  }

  // Remittances that are not a number, or more than box 82's eleven digits of cents, keep
  // the dialog open and are left as typed; a zero is questioned, and No lets it stand.
  void invalidRemittancesKeepTheDialogOpen() {
    ScriptedUi ui;
    TT4SummySetUp dialog(SummarySetUp{}, ui);
    const auto ok = [&dialog](const char* typed) {
      dialog.setResult(QDialog::Rejected);
      dialog.EditRemittances->clear();
      QTest::keyClicks(dialog.EditRemittances, typed);
      QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
      return dialog.result() == QDialog::Accepted;
    };
    for (const char* typed : {"1,234.56", "1e300", "1000000000"}) {
      QVERIFY(!ok(typed));
      QCOMPARE(dialog.EditRemittances->text(), QString(typed));
    }
    QVERIFY(ok("999999999.99"));
    ui.expectQuestion(Answer::No);
    QVERIFY(ok("0"));
    QCOMPARE(dialog.EditRemittances->text(), QStringLiteral("0.00"));
    QCOMPARE(dialog.values().remittances, 0.0);
    expectGolden("summary_set_up_remittances", ui.transcript());
  }

  // Plain paper's own set-up: for the slips the copy and the top margin (they stand centred
  // across the sheet), for the Summary its remittances and both margins; nothing about
  // stationery or line-up samples. The controls shown with the margins given, and the values
  // given back, recorded.
  void plainPaperSetUpAsksForThePaperAlone() {
    ScriptedUi ui;
    QString all;
    for (const bool summary : {false, true}) {
      PlainPaperSetUp values;
      values.summary = summary;
      values.formType =
          summary ? DotMatrixForms : RevenueCanadaCopies;  // none of its copies: the first
      values.top = 45;
      values.left = 35;
      TFormPlainPaperSetUp dialog(values, ui);
      dialog.show();
      QCOMPARE(outsideLayouts(dialog), QStringList());
      all += controlsOf(dialog) + "---\n";
      QTest::keyClick(dialog.SpinEditTop, Qt::Key_Up);
      QTest::keyClick(dialog.SpinEditLeft, Qt::Key_Up);
      if (summary) {
        dialog.EditRemittances->selectAll();
        QTest::keyClicks(dialog.EditRemittances, "x");
        QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));  // told, and still open
        dialog.EditRemittances->selectAll();
        QTest::keyClicks(dialog.EditRemittances, "987.6");
      } else {
        QTest::mouseClick(dialog.RadioGroupCopy->findChildren<QRadioButton*>().at(1),
                          Qt::LeftButton);
      }
      QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
      const PlainPaperSetUp given = dialog.values();
      all += QString::asprintf("top %d, left %d, copy %d, remittances %g\n---\n", given.top,
                               given.left, given.formType, given.remittances);
    }
    expectGolden("plain_paper_set_up", all + ui.transcript());
  }

  // Long work's window: how many of how many, and Cancel, which the work learns of at its
  // next step; the end of the work closes it. The busy window and its cursor go as well.
  void theProgressWindowCountsAndCancels() {
    WidgetUi ui(FilingDay);
    const auto window = [](const char* name = "ProgressDialog") -> QWidget* {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
      return nullptr;
    };
    QVERIFY(ui.progress("T4 forms", 0, 200));
    QVERIFY(ui.progress("T4 forms", 200, 200));
    QVERIFY2(!window(), "done: closed");
    QVERIFY(ui.progress("T4 forms", 0, 200));
    auto* shown = qobject_cast<QProgressDialog*>(window());
    QVERIFY(shown);
    QVERIFY(ui.progress("T4 forms", 57, 200));
    QCOMPARE(std::tuple(shown->labelText(), shown->value(), shown->maximum(), shown->isModal()),
             std::tuple(QStringLiteral("T4 forms: 57 of 200"), 57, 200, true));
    shown->cancel();
    QVERIFY(!ui.progress("T4 forms", 58, 200));
    QVERIFY(!window());
    ui.showBusy("T4 forms");
    QVERIFY(window("TFormReportIsPrinting")->isVisible());
    ui.hideBusy();
    QVERIFY(!window("TFormReportIsPrinting") && !QApplication::overrideCursor());
  }

  // Each set-up through the desktop's Ui, its first value stepped up and its first choice
  // made: Cancel gives back nothing and keeps the values, OK gives back the dialog's.
  void setUpsGiveBackTheirValuesOnOkAlone() {
    WidgetUi ui(FilingDay);
    T4PrintSetUp t4;
    SummarySetUp summary{{}, {}, false, true, 1234.5, 100, 100, true};  // remittances: not asked
    PlainPaperSetUp plain;
    QString given;
    for (const auto button : {QDialogButtonBox::Cancel, QDialogButtonBox::Ok}) {
      for (int dialog = 0; dialog < 4; ++dialog) {
        whenShown<QDialog>([button](QDialog* d) {
          if (auto* first = d->findChild<QSpinBox*>()) first->stepUp();
          if (auto* first = d->findChild<QRadioButton*>()) first->click();
          QTest::mouseClick(d->findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
        });
        given += QString::number(dialog == 0   ? ui.editT4PrintSetUp(t4)
                                 : dialog == 1 ? ui.editSummarySetUp(summary)
                                 : dialog == 2 ? ui.editPlainPaperSetUp(plain)
                                               : ui.chooseLabelStyle().value_or(-1));
      }
      given +=
          QStringLiteral(" %1,%2 %3 %4 ").arg(t4.top).arg(t4.left).arg(summary.top).arg(plain.top);
    }
    QCOMPARE(given, QStringLiteral("000-1 50,25 100 50 1110 55,25 101 55 "));
  }

  // The viewer answers Fix Error or Ignore; a display has OK alone, prints its lines with
  // its headings and stays open, and OK closes it. The controls and the printout recorded.
  void theViewersButtons() {
    ScriptedUi ui;
    const ViewerReport report{"T4 Totals Report", {}, "Acme", {"  ", "Employee has no name"}};
    QString shown;
    for (const ViewerResult pressed : {ViewerResult::Ignore, ViewerResult::FixError}) {
      TFormErrorMessages viewer(report, ViewerButtons::FixErrorOrIgnore, ui, FilingDay);
      QVERIFY(viewer.Memo1->isReadOnly());
      QCOMPARE(outsideLayouts(viewer), QStringList());
      shown += controlsOf(viewer);
      QCOMPARE(viewer.result(), ViewerResult::Closed);
      QTest::mouseClick(
          pressed == ViewerResult::Ignore ? viewer.BitBtnIgnore : viewer.BitBtnFixError,
          Qt::LeftButton);
      QCOMPARE(viewer.result(), pressed);
    }
    TFormErrorMessages display(report, ViewerButtons::OkOnly, ui, FilingDay);
    display.show();
    QCOMPARE(display.size(), QSize(615, 373));
    shown += "---\n" + controlsOf(display);
    QTest::mouseClick(display.BitBtnPrint, Qt::LeftButton);
    QVERIFY(display.isVisible());
    expectGolden("viewer_buttons", shown + "---\n" + ui.printJobs().value(0).join(u'\n'));
    QTest::mouseClick(display.BitBtnOK, Qt::LeftButton);
    QCOMPARE(display.result(), ViewerResult::Ok);
    QVERIFY(!display.isVisible());
  }

  // Through the desktop's Ui: however the dialog is closed, its answers stand.
  void payrollSetUpStartsEmptyAndGivesItsAnswers() {
    WidgetUi ui(FilingDay);
    whenShown<TFormPayConvSetup>([](TFormPayConvSetup* dialog) {
      QTest::mouseClick(dialog->CheckBoxShowUnion, Qt::LeftButton);
      QTest::keyClicks(dialog->EditRPP_DPSP_Regn, " 1234567");
      dialog->reject();
    });
    PayrollSetUp answers;
    ui.askPayrollSetUp(answers);  // seven typed, the blank trimmed
    QCOMPARE(std::tuple(answers.includeBox20, answers.includeBox44, answers.registration),
             std::tuple(false, true, QStringLiteral("123456")));
  }
};

QTEST_MAIN(PrintDialogsTest)
#include "print_dialogs_test.moc"
