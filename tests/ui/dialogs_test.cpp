// Quillet widget tests — every dialog lays its controls out, and closes on Cancel and on
// Esc without accepting.
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "app/ui/about_box.h"
#include "efile/ui/transmitter_dialog.h"
#include "efile/ui/xml_export_dialog.h"
#include "golden.h"
#include "layout_check.h"
#include "payroll_import/ui/pay_conv_setup.h"
#include "reports/ui/label_select.h"
#include "reports/ui/t4_print_set_up.h"
#include "reports/ui/t4_summary_set_up.h"
#include "scripted_ui.h"

using namespace quillet;
using namespace quillet::test;

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyDialogIsLaidOutAndClosesOnCancelAndEsc() {
    ScriptedUi ui;
    QString controls;
    const struct {
      const char* name;
      std::function<std::unique_ptr<QDialog>()> make;
      const char* cancel;  // the Cancel button; nullptr: the dialog has none
    } dialogs[] = {
        // clang-format off
        {"T4 print set-up", [] { return std::make_unique<TFormT4PrintSetUp>(); }, "BitBtnCancel"},
        {"Summary set-up", [&ui] { return std::make_unique<TT4SummySetUp>(SummarySetUp{}, ui); }, "BitBtnCancel"},
        {"label style", [] { return std::make_unique<TFormLabelSelect>(); }, "BitBtn2"},
        {"conversion set-up", [] { return std::make_unique<TFormPayConvSetup>(); }, nullptr},
        {"About box", [] { return std::make_unique<TAboutBox>(); }, nullptr},
        {"transmitter", [] { return std::make_unique<TransmitterDialog>(Transmitter{}); }, "BitBtnCancel"},
        {"Internet filing", [] { return std::make_unique<XmlExportDialog>(XmlExportChoices{}); }, "BitBtnCancel"},
        // clang-format on
    };
    for (const auto& d : dialogs) {
      for (const bool escape : {true, false}) {
        if (!escape && !d.cancel) continue;
        const std::unique_ptr<QDialog> dialog = d.make();
        QVERIFY2(showActive(*dialog), d.name);
        QCOMPARE(outsideLayouts(*dialog), QStringList());
        if (escape) {
          controls += controlsOf(*dialog);
          QTest::keyClick(dialog.get(), Qt::Key_Escape);
        } else {
          auto* cancel = dialog->findChild<QPushButton*>(QLatin1String(d.cancel));
          QVERIFY2(cancel, d.name);
          QTest::mouseClick(cancel, Qt::LeftButton);
        }
        QVERIFY2(!dialog->isVisible(), d.name);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
      }
    }
    expectGolden("dialog_controls", controls);  // each with its name
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
