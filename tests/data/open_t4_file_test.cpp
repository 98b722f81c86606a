// Quillet tests — the open-file state.

#include <QFileInfo>

#include "golden.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

class OpenT4File : public OpenFileTest {
 protected:
  FileStatus open(OpenT4FileState& on, const QString& path, T4Access access = {}) {
    on.setT4FileName(path);
    return on.OpenT4File(access);
  }
};

// A name that does not exist is created empty, and an empty file takes the employer record
// with its header; inspection never creates.
TEST_F(OpenT4File, aNewNameIsCreatedEmptyButNeverByInspection) {
  const FileStatus inspected = open(state, folder.path("NEW.T4E"), T4Access::Inspect);
  EXPECT_EQ(inspected.message(), "Cannot open file " + folder.path("NEW.T4E"));
  EXPECT_FALSE(QFileInfo::exists(folder.path("NEW.T4E")));
  ASSERT_TRUE(open(state, folder.path("NEW.T4E")));
  EXPECT_EQ(state.T4File().Count(), 0);
  EXPECT_EQ(QFileInfo(folder.path("NEW.T4E")).size(), 0);
  EXPECT_FALSE(state.readSlot(EmployerPosition)) << "an empty file has no employer record";
  EmployerRecord employer = with(goodEmployer(), {{EmployerRecord::Record_type, 0}});
  ASSERT_TRUE(writeEmployerAndHeader(state, employer));
  EXPECT_EQ(employer.recordType(), EmployerRecordType);
  state.CloseT4File();
  EXPECT_EQ(readWholeFile(folder.path("NEW.T4E")), t4FileBytes(goodEmployer(), {}));
}

TEST_F(OpenT4File, openingAnotherFileReleasesTheFirst) {
  const QString first = folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Brown", "A")}));
  const QString second = folder.write("B.T4E", t4FileBytes(goodEmployer(), {}));
  OpenT4FileState otherCopy;
  ASSERT_TRUE(open(state, first));
  EXPECT_EQ(open(otherCopy, first).message(),
            "Cannot open file " + first + ": another program has it open.");
  EXPECT_FALSE(otherCopy.T4FileOpen());
  ASSERT_TRUE(open(state, second));
  EXPECT_EQ(state.T4File().Count(), 0);
  EXPECT_TRUE(otherCopy.OpenT4File()) << "the first file was closed";
  // A failed open leaves nothing open, not even the file that was open before.
  EXPECT_FALSE(open(state, first));
  EXPECT_FALSE(state.T4FileOpen());
}

// The employer record is read through the shared buffer; a short one is told and leaves
// the copy empty.
TEST_F(OpenT4File, theEmployerRecordIsReadThroughTheSharedBuffer) {
  ASSERT_TRUE(open(state, folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("B", "A")}))));
  EmployerRecord copy;
  EXPECT_TRUE(readEmployerRecordForReports(state, ui, copy));
  EXPECT_EQ(copy, goodEmployer());
  EXPECT_EQ(state.sharedRecord(), goodEmployer());
  ASSERT_TRUE(open(state, folder.write("S.T4E", t4FileBytes(goodEmployer(), {}).left(1535))));
  EXPECT_FALSE(readEmployerRecordForReports(state, ui, copy));
  EXPECT_EQ(copy, EmployerRecord());
  expectGolden("employer_unreadable", ui.transcript());
}

}  // namespace
