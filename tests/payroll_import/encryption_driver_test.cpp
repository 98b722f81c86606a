// Quillet tests — the encryption program driver, with a stand-in program that records
// its command line.
#include "payroll_import/encryption_driver.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "core/settings_store.h"
#include "data/open_t4_file.h"
#include "golden.h"
#include "payroll_files.h"
#include "payroll_import/payroll_menu.h"
#include "payroll_import/payroll_records.h"
#include "platform/dos_paths.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// Each failure is told by its DOS code in DOS's words: a row a code, or a system error as its
// DOS code (read's own when it has none), or the result of a run of the diskette's program;
// a code without words says nothing.
TEST(DosErrors, eachCodeIsToldInItsWords) {
  expectRecordedTable("dos_error_codes", [](const QString& row) {
    ScriptedUi ui;
    const int number = row.section(u' ', -1).toInt();
    row.startsWith("run")
        ? ReportRunError("A:\\SEALDATA.EXE", number, ui)
        : ReportDosError("read CONFIG",
                         row.startsWith("errno") ? platform::dosErrorCode(number, 100) : number,
                         ui);
    return ui.transcript();
  });
}

class EncryptionTest : public ::testing::Test {
 protected:
  EncryptionTest() {
    for (const char* path : {"c/data/co1", "c/wgbpgms", "a"}) QDir().mkpath(drives.path(path));
    QSettings raw(folder.path("user.ini"), QSettings::IniFormat);
    raw.setValue("Software/Corvantis/Quillet/2.0/Drives/C", drives.path("c"));
    raw.setValue("Software/Corvantis/Quillet/2.0/Drives/A", drives.path("a"));
    raw.sync();
    configPath = drives.write("c/wgbpgms/COMPANY1.CNF", configBytes());
  }

  // A stand-in for A:\SEALDATA.EXE that writes its arguments into args.txt, a line a run.
  void installSealData(const QDate& dated) {
    const QString program =
        drives.write("a/SEALDATA.EXE",
                     "#!/bin/sh\necho \"$@\" >> \"" + drives.path("args.txt").toUtf8() + "\"\n");
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    setModified(program, QDateTime(dated, QTime(12, 0)));
  }

  // The runs' arguments, a line a run, once `runs` have been recorded.
  QString recordedArguments(int runs = 1) {
    return linesOnceWritten(drives.path("args.txt"), runs).join(u'\n');
  }

  TempFolder folder;
  TempFolder drives;
  QString configPath;
  SettingsStore settings{folder.path("")};
  ScriptedUi ui;
  bool inUse = true;
  EncryptionDriver driver{ui, settings, inUse};
};

TEST_F(EncryptionTest, theSignsOfEncryptedFiles) {
  // Nothing, a .ENC file of other words, one that says so, then a file of the ".DA_" kind.
  for (const auto& [file, text, encrypted] : {std::tuple{"A.TXT", "", false},
                                              {"PAY.ENC", "SOMETHING ELSE ENTIRELY", false},
                                              {"PAY.ENC", "THIS FILE IS ENCRYPTED and more", true},
                                              {"EMPLOYEE.DA_", "", true}}) {
    QFile::remove(drives.path("c/data/co1/PAY.ENC"));
    drives.write(QStringLiteral("c/data/co1/") + file, text);
    driver.ProbeEncryption(configPath);
    EXPECT_EQ(inUse, encrypted) << file;
  }
  EXPECT_TRUE(driver.ProbeEncryption(drives.path("none.CNF"))) << "nothing to wait for";
  EXPECT_FALSE(inUse);

  // The second folder is looked in too; a configuration naming no folder looks nowhere, not in
  // the current folder (which holds a sign here).
  const QString here = QDir::currentPath();
  QDir::setCurrent(QFileInfo(drives.write("c/data/co2/EMPLOYEE.DA_", "")).path());
  for (const QString second : {"\\DATA\\CO2\\", ""}) {
    ConfigRecord config;  // a drive when there is a folder, and no data path
    config.setText(textField("drive", 1211, 3), second.isEmpty() ? "" : "C:");
    config.setText(textField("second folder", 1215, 44), second);
    driver.ProbeEncryption(drives.write("c/wgbpgms/COMPANY1.CNF", bytesOf(config)));
    EXPECT_EQ(inUse, !second.isEmpty()) << second.toStdString();
  }
  QDir::setCurrent(here);
}

// Waiting for the diskette may be given up; then an obsolete program is questioned twice.
// Neither runs anything.
TEST_F(EncryptionTest, theDisketteAndAnObsoleteProgramMayBeGivenUp) {
  ui.expectQuestion(Answer::Yes);     // OK: still missing, asked again
  ui.expectQuestion(Answer::Cancel);  // given up
  driver.RunSealData(configPath, "DEC");
  EXPECT_FALSE(inUse);
  installSealData(QDate(1999, 12, 31));
  ui.expectQuestion(Answer::No);
  ui.expectQuestion(Answer::No);
  driver.RunSealData(configPath, "DEC");
  EXPECT_FALSE(inUse);
  expectGolden("sealdata_given_up", ui.transcript());
  EXPECT_FALSE(QFile::exists(drives.path("args.txt"))) << "nothing was run";
}

TEST_F(EncryptionTest, aCurrentProgramRunsWithTheOperationAndTheConfiguration) {
  installSealData(QDate(2000, 1, 1));
  driver.RunSealData(configPath, "dec");
  EXPECT_EQ(recordedArguments(), "dec " + configPath);
  EXPECT_TRUE(inUse) << "a decryption run sets the flag";
  EXPECT_TRUE(ui.messages().last().startsWith("On a fast computer you might just have noticed"));
  driver.RunSealData(configPath, "ENC");
  EXPECT_FALSE(inUse);
  EXPECT_EQ(recordedArguments(2), "dec " + configPath + "\nENC " + configPath);
}

TEST_F(EncryptionTest, throughADosRunnerTheProgramGetsTheDosPath) {
  installSealData(QDate(2000, 1, 1));
  const QString runner = drives.write("runner.sh", "#!/bin/sh\nexec \"$@\"\n");
  QFile::setPermissions(runner, QFile::permissions(runner) | QFileDevice::ExeOwner);
  QSettings(folder.path("user.ini"), QSettings::IniFormat)
      .setValue("Software/Corvantis/Quillet/2.0/DosRunner", runner);
  driver.RunSealData(configPath, "DEC");
  EXPECT_EQ(recordedArguments(), "DEC C:\\wgbpgms\\COMPANY1.CNF");

  // A runner that cannot be started is told, and nothing counts as decrypted.
  inUse = false;
  QSettings(folder.path("user.ini"), QSettings::IniFormat)
      .setValue("Software/Corvantis/Quillet/2.0/DosRunner", drives.path("no-runner"));
  driver.RunSealData(configPath, "DEC");
  EXPECT_FALSE(inUse);
  expectGolden("sealdata_runner", ui.transcript());
}

TEST_F(EncryptionTest, probeFailuresAreToldByTheirRealCause) {
  const QString fifo = drives.path("c/data/co1/A.ENC");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("LOOP.ENC", drives.path("c/data/co1/LOOP.ENC")));  // no DOS code
  EXPECT_TRUE(driver.ProbeEncryption(configPath)) << "a FIFO is not waited on";
  // An examined file that cannot be read ends the configuration's load: its error (a read
  // of 22 bytes the kernel refuses) has no DOS code, and is told as a read error.
  ASSERT_TRUE(QFile::link("/proc/self/pagemap", drives.path("c/data/co1/B.ENC")));
  EXPECT_FALSE(driver.ProbeEncryption(configPath));
  // A configuration that cannot be opened is told, and there is nothing to wait for.
  EXPECT_TRUE(driver.ProbeEncryption(drives.path("c/data")));
  expectGolden("sealdata_probe", ui.transcript(), drives.path({}));
}

TEST_F(EncryptionTest, anotherCompanyEncryptsTheOldOneFirst) {
  installSealData(QDate(2000, 1, 1));
  drives.write("c/data/co1/EMPLOYEE.DA_", "");
  QByteArray other = readWholeFile(configPath);
  other.replace(1260, 11, QByteArray("\x0a\\DATA\\CO2\\"));
  const QString otherPath = drives.write("c/wgbpgms/COMPANY2.CNF", other);
  OpenT4FileState state;
  PayrollMenu menu(state, ui, YearEndDay, settings, folder.path(""));
  ui.expectFileChoice(configPath);
  menu.OpenPayrollConfig();
  ui.expectFileChoice(otherPath);
  menu.OpenPayrollConfig();
  EXPECT_EQ(recordedArguments(2), "DEC " + configPath + "\nENC " + configPath);
}

}  // namespace
