// Quillet tests — the settings store, against a temporary settings folder.
#include "core/settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <future>
#include <thread>

#include "app/settings_startup.h"
#include "efile/efile_settings.h"
#include "payroll_import/payroll_settings.h"
#include "qt_printers.h"
#include "reports/print_settings.h"

using namespace quillet;

namespace {

// Nothing stored reads as zero; each key keeps its own record, under the program's key
// path, booleans as numbers (any number but 0 is true).
TEST(SettingsStore, eachKeyKeepsItsOwnRecord) {
  QTemporaryDir folder;
  const SettingsStore store(folder.path());
  EXPECT_EQ(ReadT4Margins(store), PrintSettings());
  EXPECT_EQ(ReadConfigDir(store), "");
  const PrintSettings forms{60, 30, 2, -7, 9, true, false, true};
  const PrintSettings summary{100, 90, 0, 0, 0, false, true, true};
  WriteT4Margins(store, forms);
  WriteSummaryMargins(store, summary);
  WriteConfigDir(store, "D:\\PAY");
  const SettingsStore again(folder.path());
  EXPECT_EQ(std::tuple(ReadT4Margins(again), ReadSummaryMargins(again), ReadConfigDir(again)),
            std::tuple(forms, summary, QStringLiteral("D:\\PAY")));
  QSettings raw(folder.filePath("user.ini"), QSettings::IniFormat);
  EXPECT_EQ(raw.value("Software/Corvantis/Quillet/2.0/T4Margins/LINEUP").toInt(), 1);
  raw.setValue("Software/Corvantis/Quillet/2.0/T4SummaryMargins/BExtra2", 7);
  raw.sync();
  EXPECT_TRUE(ReadSummaryMargins(SettingsStore(folder.path())).BExtra2);
}

TEST(SettingsStore, aWriteThatCannotBeMadeIsTold) {
  QTemporaryDir folder;
  QDir().mkpath(folder.filePath("user.ini"));  // a folder where the settings file goes
  const SettingsStore store(folder.path());
  for (const FileStatus& saved : {WriteT4Margins(store, {60, 0, 0, 0, 0, true, false, false}),
                                  WriteConfigDir(store, "D:\\")}) {
    EXPECT_FALSE(saved);
    EXPECT_TRUE(saved.message().startsWith("Could not write settings to. File = " +
                                           folder.filePath("user.ini")));
  }
  EXPECT_TRUE(writeInstallation(store, {"/opt/quillet", "2.0"})) << "the machine's file is apart";
}

TEST(SettingsStore, theInstallationStaysWithTheUserWhenTheMachineCannotTakeIt) {
  QTemporaryDir folder;
  QDir().mkpath(folder.filePath("machine.ini"));  // the machine's settings cannot be written
  const SettingsStore store(folder.path());
  EXPECT_FALSE(readInstallation(store));
  EXPECT_TRUE(writeInstallation(store, {"/opt/quillet", "2.0"}));
  const auto installation = readInstallation(store);
  ASSERT_TRUE(installation);
  EXPECT_EQ(installation->execPathName, "/opt/quillet");
  EXPECT_EQ(ReadT4Margins(store), PrintSettings()) << "the user's other settings are apart";
}

// A reference is taken only by a return that is written; a second return written while the
// first is still being written waits for it and takes the next.
TEST(SettingsStore, aSubmissionReferenceForEachReturnWritten) {
  QTemporaryDir folder;
  const SettingsStore store(folder.path());
  EXPECT_EQ(withNextSubmissionRef(store, [](const QString&) { return false; }), QString());
  std::promise<void> writing;
  QString first, second;
  std::thread earlier([&] {
    withNextSubmissionRef(store, [&](const QString& reference) {
      first = reference;
      writing.set_value();
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      return true;
    });
  });
  writing.get_future().wait();
  EXPECT_EQ(withNextSubmissionRef(SettingsStore(folder.path()),
                                  [&](const QString& reference) {
                                    second = reference;
                                    return true;
                                  }),
            QString());
  earlier.join();
  EXPECT_EQ(QStringList({first, second}), QStringList({"Q0000001", "Q0000002"}));
  EXPECT_EQ(peekSubmissionRef(store), "Q0000003");
}

}  // namespace
