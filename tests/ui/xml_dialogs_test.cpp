// Quillet widget tests — the transmitter dialog and the choices of an XML return.
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>

#include "app/ui/widget_ui.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "data/open_t4_file.h"
#include "efile/efile_settings.h"
#include "efile/filed_state.h"
#include "efile/ui/transmitter_dialog.h"
#include "efile/ui/xml_export_dialog.h"
#include "efile/xml_export.h"
#include "golden.h"
#include "layout_check.h"
#include "reports/ui/error_messages.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using Entry = Transmitter::Entry;

Transmitter complete() {
  Transmitter t;
  t.account = QStringLiteral("123456782");
  t.contactName = QStringLiteral("Pat Doe");
  t.contactArea = QStringLiteral("613");
  t.contactPhone = QStringLiteral("555-0100");
  t.contactEmail = QStringLiteral("pat@example.ca");
  return t;
}

// A fixture T4 file open, and settings that hold a complete transmitter.
struct ExportScene {
  explicit ExportScene(const char* fixture) {
    state.setT4FileName(folder.write(fixture, fixtureFile(fixture)));
  }
  bool ready() { return state.OpenT4File() && writeTransmitter(settings, complete()); }

  TempFolder folder;
  OpenT4FileState state;
  const SettingsStore settings{folder.path("settings")};
  const FixedClock clock{QDateTime(QDate(2026, 2, 3), QTime(9, 30))};
};

}  // namespace

class XmlDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void transmitterEntriesAreCheckedAsTheyAreLeft() {
    TransmitterDialog dialog(Transmitter{});
    QVERIFY(showActive(dialog));
    dialog.ComboSignIn->setCurrentIndex(int(Transmitter::SignIn::RAC));
    QVERIFY(dialog.edits[int(Entry::RepId)]->isEnabled());

    // Each entry typed and left, and the problem then shown; 613 put right clears it.
    QString problems;
    for (const auto& [entry, typed] : {std::pair{Entry::ContactArea, "61"},
                                       {Entry::ContactPhone, "555-01"},
                                       {Entry::ContactEmail, "pat"},
                                       {Entry::RepId, "AB-1"},
                                       {Entry::ContactArea, "613"}}) {
      typeAndTab(dialog.edits[int(entry)], QString::fromLatin1(typed));
      problems += QLatin1String(typed) + " -> " + dialog.LabelProblem->text() + u'\n';
    }
    // OK stays open on the first wrong entry.
    QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), dialog.edits[int(Entry::Account)]);
    expectGolden("transmitter_problems_shown",
                 problems + "OK -> " + dialog.LabelProblem->text() + u'\n');
  }

  // OK gives back the entries, the language shown as it was stored; the dialog shows its
  // texts whole. (Cancel and Esc are pressed on every dialog by the dialogs' own test.)
  void okGivesBackTheEntries() {
    Transmitter start = complete();
    start.language = u'F';
    TransmitterDialog dialog(start);
    QVERIFY(showActive(dialog));
    QCOMPARE(dialog.ComboLanguage->currentIndex(), 1);
    QVERIFY(textsCutOff(dialog).isEmpty());
    typeAndTab(dialog.edits[int(Entry::ContactExtension)], "12");
    QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(std::pair(dialog.transmitter().contactExtension, dialog.transmitter().language),
             std::pair(QStringLiteral("12"), QChar(u'F')));
  }

  void theChoicesOfTheReturn() {
    XmlExportChoices choices;
    choices.transmitter = complete();
    choices.options.submissionRef = QStringLiteral("Q0000007");
    XmlExportDialog dialog(choices);
    QVERIFY(showActive(dialog));
    QVERIFY(dialog.LabelTransmitter->text().contains("pat@example.ca"));

    // Letters and digits only, eight at most; an empty reference is refused.
    dialog.EditSubmissionRef->clear();
    QTest::keyClicks(dialog.EditSubmissionRef, "AB-12 34567");
    QCOMPARE(dialog.EditSubmissionRef->text(), QStringLiteral("AB123456"));
    dialog.EditSubmissionRef->clear();
    QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), dialog.EditSubmissionRef);

    QTest::keyClicks(dialog.EditSubmissionRef, "R2");
    TempFolder folder;
    dialog.EditSchemaFolder->setText(folder.path({}));
    QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
    QCOMPARE(dialog.LabelProblem->text(),
             QStringLiteral("The schema folder does not hold CRA's T619_T4.xsd"));
    folder.write("T619_T4.xsd", "<xs:schema/>");

    QTest::mouseClick(dialog.CheckBoxAmended, Qt::LeftButton);
    QVERIFY(dialog.EditAmendmentNote->isEnabled());
    dialog.EditAmendmentNote->setPlainText(QString(2001, u'x'));  // one beyond CRA's 2,000
    QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
    QCOMPARE(dialog.LabelProblem->text(), "The amendment note is longer than 2,000 characters");
    dialog.EditAmendmentNote->setPlainText(QString(1984, u'x'));
    QTest::keyClicks(dialog.EditAmendmentNote, "Box 14 corrected");  // 2,000 in all

    // The transmitter is changed from here: Enter on its focused button opens it (and does
    // not export); back in a field, Enter is OK.
    whenShown<TransmitterDialog>([](TransmitterDialog* t) {
      t->edits[int(Entry::ContactEmail)]->setText(QStringLiteral("lee@example.ca"));
      QTest::mouseClick(t->BitBtnOK, Qt::LeftButton);
    });
    dialog.ButtonTransmitter->setFocus();
    QTest::keyClick(dialog.ButtonTransmitter, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.LabelTransmitter->text().contains("lee@example.ca"));

    dialog.EditSubmissionRef->setFocus();
    QTest::keyClick(dialog.EditSubmissionRef, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const XmlExportChoices c = dialog.choices();
    QCOMPARE(std::tuple(c.options.submissionRef, c.options.amended, c.options.amendmentNote,
                        c.schemaFolder, c.transmitter.contactEmail),
             std::tuple(QStringLiteral("R2"), true, "Box 14 corrected" + QString(1984, u'x'),
                        folder.path({}), QStringLiteral("lee@example.ca")));
  }

  // File → "Export for Internet filing…" on a return CRA would reject: the pre-flight list
  // in the report viewer names each error and how to mend it, then the program says that
  // nothing was written.
  void thePreFlightListStopsAReturnCraWouldReject() {
    ExportScene scene("REFUSED2.T4E");
    QVERIFY(scene.ready());
    auto& [folder, state, settings, clock] = scene;
    WidgetUi ui(clock);
    QString listed, told;
    whenShown<XmlExportDialog>([&](XmlExportDialog* d) {
      whenShown<TFormErrorMessages>([&](TFormErrorMessages* viewer) {
        listed = viewer->Memo1->toPlainText();
        whenShown<QMessageBox>([&](QMessageBox* box) {
          told = box->text();
          box->accept();
        });
        QTest::mouseClick(viewer->BitBtnOK, Qt::LeftButton);
      });
      QTest::mouseClick(d->BitBtnOK, Qt::LeftButton);
    });
    exportForInternetFiling(state, ui, settings, clock);
    expectGolden("xml_pre_flight_refused", listed + "\n---\n" + told);
    QCOMPARE(peekSubmissionRef(settings), QStringLiteral("Q0000001"));
  }

  // Once the original is filed, a slip made VOID is cancelled through the real dialogs: the
  // choices offer the cancellation, the viewer lists the slip, Yes writes it with the values
  // as filed under an amended Summary, and the record is marked cancelled.
  void aSlipVoidedSinceFilingIsCancelled() {
    ExportScene scene("LIFE.T4E");
    QVERIFY(scene.ready());
    auto& [folder, state, settings, clock] = scene;
    XmlExportChoices first;
    first.transmitter = complete();
    first.options.submissionRef = QStringLiteral("F1");
    first.filedAt = clock.now();
    QVERIFY(writeT4XmlFile(state, FiledState{}, first, folder.path("first.xml")).ok());
    T4Record dunn;
    state.T4File().ReadIndexed(dunn.bytes(), 3);
    dunn.setFlag(T4Record::VOID, true);
    QCOMPARE(state.T4File().WriteIndexed(dunn.bytes(), 3, {}), int64_t(Record768::Size));

    WidgetUi ui(clock);
    QString offered, listed;
    QStringList told;
    whenShown<XmlExportDialog>([&](XmlExportDialog* d) {
      QVERIFY(d->LabelLastFiled->isVisible() && !d->CheckBoxAmended->isVisible());
      QCOMPARE(textsCutOff(*d) + outsideLayouts(*d), QStringList());
      QCOMPARE(d->ComboBoxReturn->currentText(),
               QStringLiteral("Cancellation: the 1 slip(s) made VOID or marked cancelled since"));
      QTest::keyClicks(d->EditAmendmentNote, "Filed in error");
      whenShown<TFormErrorMessages>([&](TFormErrorMessages* viewer) {
        listed = viewer->Memo1->toPlainText();
        whenShown<QMessageBox>([&](QMessageBox* question) {
          told << question->text();
          whenShown<QFileDialog>([&](QFileDialog* save) {
            offered = save->selectedFiles().value(0);
            whenShown<QMessageBox>([&](QMessageBox* done) {
              told << done->text();
              done->accept();
            });
            static_cast<QDialog*>(save)->accept();
          });
          question->button(QMessageBox::Yes)->click();
        });
        QTest::mouseClick(viewer->BitBtnOK, Qt::LeftButton);
      });
      QTest::mouseClick(d->BitBtnOK, Qt::LeftButton);
    });
    exportForInternetFiling(state, ui, settings, clock);
    QCOMPARE(offered, folder.path("123456782RP0001-2025-T4-cancellation.xml"));
    expectGolden("xml_cancellation_desktop",
                 listed + "\n---\n" + told.join("\n---\n") + "\n---\n" + readWholeFile(offered),
                 folder.path({}));
    state.T4File().ReadIndexed(dunn.bytes(), 3);
    QVERIFY(dunn.isCancelled());
  }

  void theDesktopUiCancelsTakesTheTransmitterAndTheSuffix() {
    const FixedClock clock{QDateTime(QDate(2026, 2, 3), QTime(9, 30))};
    WidgetUi ui(clock);
    Transmitter t = complete();
    whenShown<TransmitterDialog>([](TransmitterDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
    QVERIFY(!ui.editTransmitter(t));
    whenShown<TransmitterDialog>(
        [](TransmitterDialog* d) { QTest::mouseClick(d->BitBtnOK, Qt::LeftButton); });
    QVERIFY(ui.editTransmitter(t));
    XmlExportChoices choices;
    choices.options.submissionRef = QStringLiteral("R1");
    choices.transmitter = t;
    whenShown<XmlExportDialog>(
        [](XmlExportDialog* d) { QTest::mouseClick(d->BitBtnCancel, Qt::LeftButton); });
    QVERIFY(!ui.editXmlExport(choices));

    TempFolder folder;
    // A name typed without its suffix takes the request's, to save or to open anew.
    QList<int> modes;  // a save dialog, then an open one
    for (const auto choose : {&WidgetUi::chooseFileToSave, &WidgetUi::chooseFileToOpen}) {
      whenShown<QFileDialog>([&modes](QFileDialog* d) {
        modes << d->acceptMode();
        d->selectFile(QStringLiteral("mine"));
        static_cast<QDialog*>(d)->accept();
      });
      QCOMPARE((ui.*choose)({"Save", "xml", {"XML files (*.xml)"}, true, folder.path({})}),
               folder.path("mine.xml"));
    }
    QCOMPARE(modes, (QList<int>{QFileDialog::AcceptSave, QFileDialog::AcceptOpen}));
    whenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
    QCOMPARE(ui.chooseFolder("Where"), QString());
  }
};

QTEST_MAIN(XmlDialogsTest)
#include "xml_dialogs_test.moc"
