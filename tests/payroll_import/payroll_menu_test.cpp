// Quillet tests — the Wagebook Customers menu, with temporary folders standing for drives.
#include "payroll_import/payroll_menu.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>

#include "app/main_commands.h"
#include "core/settings_store.h"
#include "data/open_t4_file.h"
#include "golden.h"
#include "payroll_files.h"
#include "payroll_import/payroll_settings.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

class PayrollMenuTest : public ::testing::Test {
 protected:
  PayrollMenuTest() {
    QDir().mkpath(drive.path("data/co1"));
    QSettings drives(folder.path("user.ini"), QSettings::IniFormat);
    drives.setValue("Software/Corvantis/Quillet/2.0/Drives/C", drive.path(""));
    drives.setValue("Software/Corvantis/Quillet/2.0/Drives/Z", folder.path("z"));
    configPath = drive.write("wgbpgms/COMPANY.CNF", configBytes());
  }

  void expectTranscript(const char* name) {
    expectGolden(name, ui.transcript().replace(drive.path({}), "<drive>"), folder.path({}));
  }

  void loadConfig() {
    ui.expectFileChoice(configPath);
    menu.OpenPayrollConfig();
    ASSERT_TRUE(menu.payrollMode());
  }

  TempFolder folder;
  TempFolder drive;
  QString configPath;
  SettingsStore settings{folder.path("")};
  OpenT4FileState state;
  ScriptedUi ui;
  PayrollMenu menu{state, ui, YearEndDay, settings, folder.path("")};
};

TEST_F(PayrollMenuTest, loadingAConfiguration) {
  // The last is refused by the examination of the company's data, which cannot be read.
  ASSERT_TRUE(QFile::link("/proc/self/mem", drive.path("data/co1/B.ENC")));
  for (const QString& refused :
       {drive.write("wgbpgms/COMPANY.CFG", "x"), drive.path("wgbpgms/missing.cnf"),
        drive.write("wgbpgms/SHORT.CNF", QByteArray(2000, 'x')), configPath}) {
    ui.expectFileChoice(refused);
    menu.OpenPayrollConfig();
  }
  EXPECT_FALSE(menu.payrollMode());
  QFile::remove(drive.path("data/co1/B.ENC"));

  loadConfig();
  EXPECT_TRUE(menu.checks()[PayrollMenu::OpenConfig]);
  EXPECT_EQ(ReadConfigDir(settings), drive.path("wgbpgms"));
  EXPECT_EQ(menu.dataFile("WAGBOK.T4E"), drive.path("data/co1/WAGBOK.T4E"));
  ui.expectFileChoice({});
  menu.OpenPayrollConfig();
  EXPECT_EQ(ui.fileDialogs().last().folder, drive.path("wgbpgms"))
      << "the dialog starts where the last one was found";
  expectTranscript("payroll_configuration");
}

// The first dialog starts in \WGBPGMS of the first drive that holds the payroll program,
// Z: the last; beside this program when the payroll program is there.
TEST_F(PayrollMenuTest, theFirstDialogStartsWhereThePayrollProgramIs) {
  for (const QString program : {"z/WGBPGMS/WGBKMAIN.EXE", "wgbpgms/WGBKMAIN.EXE", "WGBKMAIN.EXE"}) {
    const QString written = (program.startsWith(u'w') ? drive : folder).write(program, {});
    ui.expectFileChoice({});
    menu.OpenPayrollConfig();
    EXPECT_EQ(ui.fileDialogs().last().folder, QFileInfo(written).absolutePath());
  }
}

TEST_F(PayrollMenuTest, theCommandsNeedAConfiguration) {
  menu.OpenPayrollT4();
  menu.CreatePayrollT4();
  menu.PrintPayrollRegister();
  ui.expectFileChoice({});
  menu.OpenPayrollAll();
  expectTranscript("payroll_no_configuration");
}

TEST_F(PayrollMenuTest, createThenOpenTheCompanysT4File) {
  loadConfig();
  menu.CreatePayrollT4();
  menu.OpenPayrollT4();  // none made yet

  drive.write("data/co1/wgbt4.dta", yearEnd("Surname=Young; 56=100"));
  menu.OpenPayrollAll();  // makes it
  EXPECT_TRUE(state.T4FileOpen());
  EXPECT_EQ(state.T4FileName(), drive.path("data/co1/WAGBOK.T4E"));
  EXPECT_TRUE(menu.checks()[PayrollMenu::CreateT4]);

  // A year end run after the T4 file was made is warned about.
  state.CloseT4File();
  setModified(drive.path("data/co1/wgbt4.dta"), QDateTime(QDate(2001, 1, 11), QTime(9, 0)));
  setModified(drive.path("data/co1/WAGBOK.T4E"), QDateTime(QDate(2001, 1, 10), QTime(9, 0)));
  ui.expectQuestion(Answer::No);
  menu.OpenPayrollT4();
  EXPECT_FALSE(state.T4FileOpen());
  ui.expectQuestion(Answer::Yes);
  menu.OpenPayrollAll();  // opens the one there is
  EXPECT_TRUE(state.T4FileOpen());
  EXPECT_TRUE(menu.checks()[PayrollMenu::OpenT4]);

  menu.PrintPayrollRegister();
  EXPECT_EQ(ui.printJobs().size(), 1);
  EXPECT_TRUE(menu.checks()[PayrollMenu::PrintRegister]);
  menu.LeavePayrollMode();
  EXPECT_FALSE(menu.payrollMode());
  EXPECT_EQ(menu.checks(), (std::array<bool, 4>{}));
  EXPECT_TRUE(state.T4FileOpen()) << "leaving payroll mode keeps the T4 file open";
  expectTranscript("payroll_create_and_open");
}

TEST_F(PayrollMenuTest, aDeclinedConversionLeavesTheOpenFileItsName) {
  const QString other = folder.write("OTHER.T4E", t4FileBytes(goodEmployer(), {}));
  state.setT4FileName(other);
  ASSERT_TRUE(state.OpenT4File());
  loadConfig();
  drive.write("data/co1/WAGBOK.T4E", t4FileBytes(goodEmployer(), {}));
  const QString yearEnd = drive.write("data/co1/wgbt4.dta", QByteArray());
  setModified(yearEnd, QDateTime::currentDateTime().addDays(-1));
  ui.expectQuestion(Answer::No);  // an older year end: not over the newer T4 file
  menu.CreatePayrollT4();
  EXPECT_TRUE(state.T4FileOpen());
  EXPECT_EQ(state.T4FileName(), other);
}

TEST_F(PayrollMenuTest, aRegularOpenLeavesPayrollMode) {
  MainCommands commands(state, ui, YearEndDay, settings, folder.path(""));
  ui.expectFileChoice(configPath);
  commands.payroll().OpenPayrollConfig();
  ASSERT_TRUE(commands.payroll().payrollMode());
  ui.expectFileChoice(folder.write("OTHER.T4E", t4FileBytes(goodEmployer(), {})));
  commands.openFile();
  EXPECT_FALSE(commands.payroll().payrollMode());
}

}  // namespace
