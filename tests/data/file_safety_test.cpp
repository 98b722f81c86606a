// Quillet tests — copying any file, and the plain-words diagnosis of file failures.
#include "data/file_safety.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/main_commands.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "data/open_t4_file.h"
#include "golden.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const QDateTime SourceTime(QDate(2000, 1, 15), QTime(14, 5));
const QDateTime DestinationTime(QDate(1999, 12, 3), QTime(9, 7));

class CopyTest : public ::testing::Test {
 protected:
  TempFolder folder;
  ScriptedUi ui;
};

// Bad names and missing or empty sources are refused; the messages and questions recorded.
TEST_F(CopyTest, refusesBadNamesCopiesAndAsksBeforeOverwriting) {
  const QString source = folder.write("A.T4E", "data");
  setModified(source, SourceTime);
  CopyAnyFile(source, source, true, ui);
  CopyAnyFile("", source, true, ui);
  CopyAnyFile(folder.path("none"), folder.path("B"), true, ui);
  const QString empty = folder.write("EMPTY.T4E", {});
  const QString kept = folder.write("KEPT.T4E", "keep me");
  setModified(empty, SourceTime);
  setModified(kept, DestinationTime);
  ui.expectQuestion(Answer::Yes);
  CopyAnyFile(empty, kept, true, ui);
  EXPECT_EQ(readWholeFile(kept), "keep me");

  // A copy takes the source's time; a read-only destination is asked about first (not
  // without confirmation).
  const QString big = folder.write("BIG.T4E", QByteArray(3 * 1024 * 1024 + 17, 'q'));
  setModified(big, SourceTime);
  CopyAnyFile(big, folder.path("B.T4E"), true, ui);
  EXPECT_EQ(readWholeFile(folder.path("B.T4E")), readWholeFile(big));
  EXPECT_EQ(QFileInfo(folder.path("B.T4E")).lastModified(), SourceTime);
  const QString destination = folder.write("C.T4E", "old");
  setModified(destination, DestinationTime);
  QFile::setPermissions(destination, QFileDevice::ReadOwner);
  ui.expectQuestion(Answer::No);
  CopyAnyFile(source, destination, true, ui);
  EXPECT_EQ(readWholeFile(destination), "old");
  ui.expectQuestion(Answer::Yes);
  CopyAnyFile(source, destination, true, ui);
  EXPECT_EQ(readWholeFile(destination), "data");
  CopyAnyFile(big, destination, false, ui);
  CopyAnyFile(source, folder.path("no/such/D.T4E"), false, ui);  // told it cannot be made
  expectGolden("copy_any_file", ui.transcript(), folder.path({}));
}

TEST_F(CopyTest, theSourceUnderAnotherNameIsNeverHarmed) {
  const QString source = folder.write("A.T4E", "precious");
  const QString before = QDir::currentPath();
  QDir::setCurrent(folder.path(""));
  const QString link = folder.path("LINK.T4E");
  ASSERT_TRUE(QFile::link(source, link));
  for (const QString& other : {QStringLiteral("./A.T4E"), link}) {
    ScriptedUi local;
    CopyAnyFile(source, other, false, local);
    EXPECT_EQ(local.messages(), QStringList{"Cannot create file " + other}) << other.toStdString();
    EXPECT_EQ(readWholeFile(source), "precious");
  }
  QDir::setCurrent(before);
}

TEST(FileError, namesTheOperationTheDiskAndTheCauses) {
  qputenv("WINEPREFIX", "/nonexistent-prefix");
  QString all = fileErrorMessage("open", "Q:\\X.T4E") + u'\n';
  qunsetenv("WINEPREFIX");
  all += fileErrorMessage("write T4 to", "ACME.T4E");
  expectGolden("file_error_messages", all);

  // A current folder that was deleted holds no disk to tell of, and the answer still comes.
  const QString before = QDir::currentPath();
  {
    TempFolder gone;
    QDir::setCurrent(gone.path(""));
  }
  EXPECT_TRUE(fileErrorMessage("open", "X.T4E").startsWith("Could not open. File = X.T4E"));
  QDir::setCurrent(before);
}

TEST(CopyCommand, offersTheSourcesExtensionAndCopies) {
  TempFolder folder;
  const QString source = folder.write("OLD.DIR/ACME.T4E", "data");
  OpenT4FileState state;
  ScriptedUi ui;
  const SettingsStore settings(folder.path(""));
  MainCommands commands(state, ui, FilingDay, settings);
  folder.write("COPY.T4E", "old");
  ui.expectFileChoice(source);
  ui.expectFileChoice(folder.path("COPY.T4E"));
  ui.expectQuestion(Answer::Yes);  // to overwrite the file that is there
  commands.copyFile();
  ASSERT_EQ(ui.fileDialogs().size(), 2);
  EXPECT_EQ(ui.fileDialogs()[0].filters.first(), "Any files (*.*)");
  const QString extension = source.mid(source.indexOf(u'.') + 1, 3);
  EXPECT_EQ(ui.fileDialogs()[1].defaultSuffix, extension);
  EXPECT_EQ(ui.fileDialogs()[1].filters.first(), "Source Type (*." + extension + ")");
  EXPECT_EQ(readWholeFile(folder.path("COPY.T4E")), "data");

  // Onto the T4 file that is open: refused, saying so.
  state.setT4FileName(folder.path("COPY.T4E"));
  ASSERT_TRUE(state.OpenT4File());
  ui.expectFileChoice(source);
  ui.expectFileChoice(state.T4FileName());
  commands.copyFile();
  EXPECT_TRUE(
      ui.messages().last().endsWith(": it is the T4 file open in this program. Open "
                                    "another file first, then copy onto this one."));
}

}  // namespace
