// Quillet tests — the open-file state.
#include "data/open_t4_file.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

TEST(OpenT4File, aNameThatDoesNotExistIsCreatedEmpty) {
  TempFolder folder;
  OpenT4FileState state;
  state.setT4FileName(folder.path("NEW.T4E"));
  ASSERT_TRUE(state.OpenT4File());
  EXPECT_TRUE(state.T4FileOpen());
  EXPECT_EQ(state.T4File().Count(), 0);
  EXPECT_EQ(QFileInfo(folder.path("NEW.T4E")).size(), 0);
}

TEST(OpenT4File, inspectionNeverCreates) {
  TempFolder folder;
  OpenT4FileState state;
  state.setT4FileName(folder.path("NEW.T4E"));
  const FileStatus opened = state.OpenT4File(T4Access::Inspect);
  EXPECT_FALSE(opened);
  EXPECT_EQ(opened.message(), "Cannot open file " + folder.path("NEW.T4E"));
  EXPECT_FALSE(QFileInfo::exists(folder.path("NEW.T4E")));
}

TEST(OpenT4File, openingAnotherFileReleasesTheFirst) {
  TempFolder folder;
  const QString first = folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Brown", "A")}));
  const QString second = folder.write("B.T4E", t4FileBytes(goodEmployer(), {}));
  OpenT4FileState desk, otherCopy;
  desk.setT4FileName(first);
  ASSERT_TRUE(desk.OpenT4File());

  otherCopy.setT4FileName(first);
  EXPECT_EQ(otherCopy.OpenT4File().message(), "Cannot open file " + first);
  EXPECT_FALSE(otherCopy.T4FileOpen());

  desk.setT4FileName(second);
  ASSERT_TRUE(desk.OpenT4File());
  EXPECT_EQ(desk.T4File().Count(), 0);
  EXPECT_TRUE(otherCopy.OpenT4File()) << "the first file was closed";

  // A failed open leaves nothing open, not even the file that was open before.
  desk.setT4FileName(first);
  EXPECT_FALSE(desk.OpenT4File());
  EXPECT_FALSE(desk.T4FileOpen());
}

TEST(OpenT4File, theEmployerRecordIsReadThroughTheSharedBuffer) {
  TempFolder folder;
  OpenT4FileState state;
  state.setT4FileName(folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Brown", "A")})));
  ASSERT_TRUE(state.OpenT4File());
  ScriptedUi ui;
  EmployerRecord copy;
  EXPECT_TRUE(readEmployerRecordForReports(state, ui, copy));
  EXPECT_EQ(copy, goodEmployer());
  EXPECT_EQ(state.sharedRecord(), goodEmployer());
  EXPECT_TRUE(ui.messages().isEmpty());
}

TEST(OpenT4File, aShortEmployerRecordIsToldAndLeavesTheCopyEmpty) {
  TempFolder folder;
  OpenT4FileState state;
  state.setT4FileName(folder.write("A.T4E", t4FileBytes(goodEmployer(), {}).left(1535)));
  ASSERT_TRUE(state.OpenT4File());
  ScriptedUi ui;
  EmployerRecord copy = goodEmployer();
  EXPECT_FALSE(readEmployerRecordForReports(state, ui, copy));
  EXPECT_EQ(copy, EmployerRecord());
  EXPECT_EQ(
      ui.messages(),
      QStringList{"File READ error when getting Company Information. This will be missing on T4 "
                  "Forms. When "
                  "done, exit program, try copying T4 file, and check disk with a disk utility."});
}

TEST(OpenT4File, aNewEmployerRecordIsWrittenWithItsHeader) {
  TempFolder folder;
  OpenT4FileState state;
  state.setT4FileName(folder.path("NEW.T4E"));
  ASSERT_TRUE(state.OpenT4File());
  EXPECT_FALSE(state.readSlot(EmployerPosition)) << "an empty file has no employer record";

  EmployerRecord employer = goodEmployer();
  employer.setByte(EmployerRecord::Record_type, 0);
  ASSERT_TRUE(writeEmployerAndHeader(state, employer));
  EXPECT_EQ(employer.recordType(), EmployerRecordType);
  EXPECT_EQ(state.T4File().size(), 1536);
  state.CloseT4File();
  EXPECT_EQ(readWholeFile(folder.path("NEW.T4E")), t4FileBytes(goodEmployer(), {}));
}

}  // namespace
