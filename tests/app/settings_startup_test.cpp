// Quillet tests — the settings start-up: the settings-file import, the shell registration
// and the installation record, against temporary folders.
#include "app/settings_startup.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "core/settings_store.h"
#include "golden.h"
#include "payroll_import/payroll_settings.h"
#include "reports/print_settings.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() {
    places.programPath = folder.path("bin/quillet");
    places.settingsFiles = {folder.path("root/Quillet.ini"), folder.path("bin/Quillet.ini")};
    places.dataHome = folder.path("share");
    QDir().mkpath(folder.path("bin"));
    // The desktop's cache tools, standing in: each writes its command line to tools.log.
    QDir().mkpath(folder.path("tools"));
    for (const char* tool : {"update-mime-database", "update-desktop-database"}) {
      const QString stub =
          folder.write(QStringLiteral("tools/") + tool,
                       "#!/bin/sh\necho \"${0##*/} $@\" >> \"" + toolLog().toUtf8() + "\"\n");
      QFile::setPermissions(stub, QFile::permissions(stub) | QFileDevice::ExeOwner);
    }
    qputenv("PATH", folder.path("tools").toUtf8() + ':' + path);
  }
  ~StartUpTest() override { qputenv("PATH", path); }

  QString toolLog() const { return folder.path("tools.log"); }
  QString desktopEntry() const { return folder.path("share/applications/quillet.desktop"); }

  const QByteArray path = qgetenv("PATH");
  TempFolder folder;
  SettingsStore settings{folder.path("")};
  StartUpPlaces places;
  ScriptedUi ui;
};

TEST_F(StartUpTest, theFirstStartRegistersAndTheSecondDoesNothing) {
  SettingsStartUp(settings, places, ui);
  expectGolden("desktop_registration",
               readWholeFile(desktopEntry()) +
                   readWholeFile(folder.path("share/mime/packages/quillet-t4e.xml")),
               folder.path({}));
  QStringList runs = linesOnceWritten(toolLog(), 2);
  runs.sort();
  EXPECT_EQ(runs, (QStringList{"update-desktop-database " + folder.path("share/applications"),
                               "update-mime-database " + folder.path("share/mime")}))
      << "the desktop learns of the new type";
  const auto installation = readInstallation(settings);
  ASSERT_TRUE(installation);
  EXPECT_EQ(installation->execPathName, places.programPath);
  EXPECT_EQ(installation->currVers, "2.0");

  QFile::remove(desktopEntry());
  SettingsStartUp(settings, places, ui);
  EXPECT_FALSE(QFile::exists(desktopEntry()))
      << "the installation names this program: nothing to do";
  EXPECT_TRUE(ui.messages().isEmpty());
}

// Installed system-wide, the package registered the program: nothing is written for the user,
// and the installation record is made all the same.
TEST_F(StartUpTest, aProgramInstalledSystemWideRegistersNothingForTheUser) {
  places.installedSystemWide = true;
  SettingsStartUp(settings, places, ui);
  EXPECT_FALSE(QFile::exists(desktopEntry()));
  EXPECT_FALSE(QFile::exists(toolLog()));
  EXPECT_EQ(readInstallation(settings)->execPathName, places.programPath);
}

TEST_F(StartUpTest, aProgramStartedElsewhereRegistersItselfButKeepsTheRecord) {
  writeInstallation(settings, {"/opt/old/quillet", ""});
  SettingsStartUp(settings, places, ui);
  EXPECT_TRUE(
      QString::fromUtf8(readWholeFile(desktopEntry())).contains("Exec=" + places.programPath));
  EXPECT_EQ(readInstallation(settings)->execPathName, "/opt/old/quillet");
  EXPECT_EQ(readInstallation(settings)->currVers, "2.0");
}

TEST_F(StartUpTest, theRegistrationIsWrittenOnlyWhenItChanged) {
  SettingsStartUp(settings, places, ui);
  const QDateTime old(QDate(2000, 1, 1), QTime(0, 0));
  setModified(desktopEntry(), old);
  writeInstallation(settings, {"/elsewhere", "2.0"});
  SettingsStartUp(settings, places, ui);
  EXPECT_EQ(QFileInfo(desktopEntry()).lastModified(), old)
      << "the same content is not written again";

  places.programPath = folder.path("new place/quillet");
  SettingsStartUp(settings, places, ui);
  EXPECT_TRUE(QString::fromUtf8(readWholeFile(desktopEntry()))
                  .contains("Exec=\"" + places.programPath + "\" %f"));
}

TEST_F(StartUpTest, anInstallersSettingsFileIsImportedOnceAndDeleted) {
  const QString ini = folder.write(
      "bin/Quillet.ini", "  TOP=60  \nLINEUP=1\ntop=70\nLEFT=\nConfigDir=D:\\PAY\nnoise\n");
  SettingsStartUp(settings, places, ui);
  EXPECT_EQ(ReadT4Margins(settings), (PrintSettings{60, 0, 0, 0, 0, true, false, false}));
  EXPECT_EQ(ReadConfigDir(settings), "D:\\PAY");
  EXPECT_FALSE(QFile::exists(ini));
}

TEST_F(StartUpTest, valuesThatAreNotWholeNumbersTakeTheDefaults) {
  folder.write("root/Quillet.ini", "TOP=abc\nLEFT=x\nT4TYPE=?\nLINEUP=0\n");
  folder.write("bin/Quillet.ini", "TOP=99\n");
  SettingsStartUp(settings, places, ui);
  EXPECT_EQ(ReadT4Margins(settings), (PrintSettings{50, 25, 1, 0, 0, false, false, false}));
  EXPECT_TRUE(QFile::exists(folder.path("bin/Quillet.ini"))) << "only the first file found is read";
}

TEST_F(StartUpTest, anUnreadableSettingsFileEndsTheStartUpBeforeItIsDeleted) {
  QDir().mkpath(folder.path("bin/Quillet.ini"));  // a folder in the file's place
  SettingsStartUp(settings, places, ui);
  EXPECT_EQ(ui.messages(), QStringList{"Cannot open file " + folder.path("bin/Quillet.ini")});
  EXPECT_TRUE(QFileInfo(folder.path("bin/Quillet.ini")).isDir());
  EXPECT_FALSE(QFile::exists(desktopEntry()));
  EXPECT_FALSE(readInstallation(settings));
}

TEST_F(StartUpTest, settingsThatCannotBeStoredKeepTheInstallersFile) {
  const QString ini = folder.write("bin/Quillet.ini", "TOP=60\n");
  QDir().mkpath(folder.path("user.ini"));  // the store's file cannot be written
  SettingsStartUp(settings, places, ui);
  ASSERT_EQ(ui.messages().size(), 1);
  EXPECT_TRUE(ui.messages().at(0).startsWith(
      "Could not write settings to. File = " + folder.path("user.ini") + " Disk Drive size is "));
  EXPECT_TRUE(QFile::exists(ini)) << "nothing of it is lost";
  EXPECT_FALSE(QFile::exists(desktopEntry()));
}

TEST_F(StartUpTest, aMachineStoreTheUserCannotWriteStillEndsTheStartUpOnce) {
  QDir().mkpath(folder.path("machine.ini"));
  SettingsStartUp(settings, places, ui);
  QFile::remove(desktopEntry());
  SettingsStartUp(settings, places, ui);
  EXPECT_FALSE(QFile::exists(desktopEntry())) << "the second start found its record";
}

}  // namespace
