// Quillet widget tests — the main window.
#include "app/ui/tsdi_app_form.h"

#include <QLabel>
#include <QTest>

#include "data/open_t4_file.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

class TSDIAppFormTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithNoFileInTheCaption() {
    OpenT4FileState state;
    ScriptedUi ui;
    TSDIAppForm window(state, ui);
    window.show();
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Preparation & Printing of Revenue Canada T4 Forms"));
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("TitlePanel1")));
  }

  void opensTheFileThatTheCommandLineNames() {
    TempFolder folder;
    const QString path =
        folder.write("ACME.T4E", t4FileBytes(goodEmployer(), {goodT4("Smith", "John")}));
    OpenT4FileState state;
    ScriptedUi ui;
    TSDIAppForm window(state, ui);
    window.handleCommandLine({"--style", path});
    QVERIFY(state.T4FileOpen());
    QCOMPARE(state.T4File().Count(), 1);
    QCOMPARE(window.windowTitle(), QStringLiteral("Processing: ") + path);
    QVERIFY(ui.messages().isEmpty());
  }

  void aFileThatCannotBeOpenedIsTold() {
    TempFolder folder;
    const QString path = folder.path("no/such/folder/ACME.T4E");
    OpenT4FileState state;
    ScriptedUi ui;
    TSDIAppForm window(state, ui);
    window.handleCommandLine({path});
    QVERIFY(!state.T4FileOpen());
    QCOMPARE(ui.messages(), QStringList{"Cannot create file " + path});
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Preparation & Printing of Revenue Canada T4 Forms"));
  }
};

QTEST_MAIN(TSDIAppFormTest)
#include "tsdi_app_form_test.moc"
