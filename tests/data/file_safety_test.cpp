// Quillet tests — copying any file, and the plain-words diagnosis of file failures.
#include "data/file_safety.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>

#include "app/main_commands.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "data/open_t4_file.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const QDateTime SourceTime(QDate(2000, 1, 15), QTime(14, 5));
const QDateTime DestinationTime(QDate(1999, 12, 3), QTime(9, 7));

void setModified(const QString& path, const QDateTime& when) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

class CopyTest : public ::testing::Test {
 protected:
  TempFolder folder;
  ScriptedUi ui;
};

TEST_F(CopyTest, refusesBadNamesAndMissingOrEmptySources) {
  const QString source = folder.write("A.T4E", "data");
  CopyAnyFile(source, source, true, ui);
  CopyAnyFile("", source, true, ui);
  CopyAnyFile(folder.path("none"), folder.path("B"), true, ui);
  const QString empty = folder.write("EMPTY.T4E", {});
  const QString kept = folder.write("KEPT.T4E", "keep me");
  ui.expectQuestion(Answer::Yes);
  CopyAnyFile(empty, kept, true, ui);
  EXPECT_EQ(ui.messages(), QStringList({"Invalid name selection.  Cannot copy.",
                                        "Invalid name selection.  Cannot copy.",
                                        folder.path("none") + " does not exist.  Cannot copy.",
                                        "Input " + empty + " has nothing in it. Cannot copy."}));
  EXPECT_EQ(readWholeFile(kept), "keep me");
}

TEST_F(CopyTest, copiesWithTheSourcesTime) {
  const QString source = folder.write("A.T4E", QByteArray(3 * 1024 * 1024 + 17, 'q'));
  setModified(source, SourceTime);
  CopyAnyFile(source, folder.path("B.T4E"), true, ui);
  EXPECT_TRUE(ui.messages().isEmpty());
  EXPECT_EQ(readWholeFile(folder.path("B.T4E")), readWholeFile(source));
  EXPECT_EQ(QFileInfo(folder.path("B.T4E")).lastModified(), SourceTime);
}

TEST_F(CopyTest, asksBeforeOverwritingAReadOnlyFile) {
  const QString source = folder.write("A.T4E", "new");
  const QString destination = folder.write("B.T4E", "old");
  setModified(source, SourceTime);
  setModified(destination, DestinationTime);
  QFile::setPermissions(destination, QFileDevice::ReadOwner);

  ui.expectQuestion(Answer::No);
  CopyAnyFile(source, destination, true, ui);
  EXPECT_EQ(readWholeFile(destination), "old");
  EXPECT_EQ(ui.questions().first(),
            "Overwriting file " + destination +
                " last updated on Friday, December 3, 1999, at 09:07 AM with data from " + source +
                " last updated Saturday, January 15, 2000, at 02:05 PM Click Yes if "
                "OK, or No to stop.");
  EXPECT_EQ(ui.questionIcons().first(), QuestionIcon::Error);
  ui.expectQuestion(Answer::Yes);
  CopyAnyFile(source, destination, true, ui);
  EXPECT_EQ(readWholeFile(destination), "new");
  CopyAnyFile(source, destination, false, ui);  // no question without confirmation
  EXPECT_EQ(ui.questions().size(), 2);
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

// The file-size limit cuts the copy short, as a full disk would.
TEST_F(CopyTest, aShortCopyIsDeleted) {
  const QString source = folder.write("A.T4E", QByteArray(5000, 'z'));
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = old;
  limited.rlim_cur = 1000;
  setrlimit(RLIMIT_FSIZE, &limited);
  CopyAnyFile(source, folder.path("B.T4E"), false, ui);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(ui.messages(),
            QStringList{"Error copying " + source +
                        " Output was not the same size as input so output deleted."});
  EXPECT_FALSE(QFile::exists(folder.path("B.T4E")));
}

TEST(FileError, namesTheOperationTheDiskAndTheCauses) {
  qputenv("WINEPREFIX", "/nonexistent-prefix");
  EXPECT_EQ(fileErrorMessage("open", "Q:\\X.T4E"),
            "Could not open. File = Q:\\X.T4E Reason: that disk drive is invalid.  Please "
            "respecify file name.");
  qunsetenv("WINEPREFIX");
  const QString message = fileErrorMessage("write T4 to", "ACME.T4E");
  EXPECT_TRUE(message.startsWith("Could not write T4 to. File = ACME.T4E Disk Drive size is "));
  EXPECT_TRUE(message.contains(
      " bytes free.\r\rThe most likely possibility is that this file is locked because"));
  EXPECT_TRUE(message.contains("try this again.\r\rIf the file is not locked"));
  EXPECT_TRUE(message.endsWith("take them out of service."));

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
  QDir().mkpath(folder.path("OLD.DIR"));
  const QString source = folder.write("OLD.DIR/ACME.T4E", "data");
  OpenT4FileState state;
  ScriptedUi ui;
  const FixedClock clock(QDateTime(QDate(2001, 1, 1), QTime()));
  const SettingsStore settings(folder.path(""));
  MainCommands commands(state, ui, clock, settings);
  ui.expectFileChoice(source);
  ui.expectFileChoice(folder.path("COPY.T4E"));
  commands.copyFile();
  ASSERT_EQ(ui.fileDialogs().size(), 2);
  EXPECT_EQ(ui.fileDialogs()[0].title, "Select file to copy FROM");
  EXPECT_EQ(ui.fileDialogs()[0].filters.first(), "Any files (*.*)");
  EXPECT_EQ(ui.fileDialogs()[1].title, "Destination for copy of " + source);
  const QString extension = source.mid(source.indexOf(u'.') + 1, 3);
  EXPECT_EQ(ui.fileDialogs()[1].defaultSuffix, extension);
  EXPECT_EQ(ui.fileDialogs()[1].filters.first(), "Source Type (*." + extension + ")");
  EXPECT_EQ(readWholeFile(folder.path("COPY.T4E")), "data");
}

}  // namespace
