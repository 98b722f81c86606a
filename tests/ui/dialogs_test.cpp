// Quillet widget tests — every dialog lays its controls out, and closes on Cancel and on
// Esc without accepting.
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>
#include <string_view>

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
  void everyDialogIsLaidOutAndClosesOnCancelEscAndOk() {
    ScriptedUi ui;
    QString controls;
    const struct {
      const char* name;
      std::function<std::unique_ptr<QDialog>()> make;
      const char* cancel;  // the Cancel button; nullptr: the dialog has none
      const char* ok;      // OK, when it takes what the dialog starts with; else nullptr
    } dialogs[] = {
        // clang-format off
        {"T4 print set-up", [] { return std::make_unique<TFormT4PrintSetUp>(); }, "BitBtnCancel", "BitBtnOK"},
        {"Summary set-up", [&ui] { return std::make_unique<TT4SummySetUp>(SummarySetUp{}, ui); }, "BitBtnCancel", nullptr},
        {"label style", [] { return std::make_unique<TFormLabelSelect>(); }, "BitBtn2", "BitBtn1"},
        {"conversion set-up", [] { return std::make_unique<TFormPayConvSetup>(); }, nullptr, "BitBtnOK"},
        {"About box", [] { return std::make_unique<TAboutBox>(); }, nullptr, "OKButton"},
        {"transmitter", [] { return std::make_unique<TransmitterDialog>(Transmitter{}); }, "BitBtnCancel", nullptr},
        {"Internet filing", [] { return std::make_unique<XmlExportDialog>(XmlExportChoices{}); }, "BitBtnCancel", nullptr},
        // clang-format on
    };
    for (const auto& d : dialogs) {
      // Esc, then the dialog's Cancel and OK buttons.
      for (const char* button : {"Esc", d.cancel, d.ok}) {
        if (!button) continue;
        const bool escape = button == std::string_view("Esc");
        const std::unique_ptr<QDialog> dialog = d.make();
        QVERIFY2(showActive(*dialog), d.name);
        QCOMPARE(outsideLayouts(*dialog), QStringList());
        if (escape) {
          controls += controlsOf(*dialog);
          QTest::keyClick(dialog.get(), Qt::Key_Escape);
        } else {
          auto* pressed = dialog->findChild<QPushButton*>(QLatin1String(button));
          QVERIFY2(pressed, d.name);
          QTest::mouseClick(pressed, Qt::LeftButton);
        }
        QVERIFY2(!dialog->isVisible(), d.name);
        QCOMPARE(dialog->result(), int(button == d.ok ? QDialog::Accepted : QDialog::Rejected));
      }
    }
    expectGolden("dialog_controls", controls);  // each with its name
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
