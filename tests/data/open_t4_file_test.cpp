// Quillet tests — the open-file state.

#include <QFileInfo>

#include "data/t4a_record.h"
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

// The kind of a file's slips: told by its header, else by its first slip's record type,
// else (no header yet) by its name; the header written for the employer keeps the kind.
TEST_F(OpenT4File, aFilesKindIsToldByItsRecordsThenByItsName) {
  const EmployerRecord employer = goodEmployer();
  const T4ARecord slip = T4ARecord::newFrom(employer);
  QByteArray t4aSlipAfterT4Header = t4FileBytes(employer, {});
  t4aSlipAfterT4Header.append(reinterpret_cast<const char*>(slip.bytes().data()), Record768::Size);
  const struct {
    const char* name;
    QByteArray bytes;
    SlipKind kind;
  } cases[] = {
      {"NEW.T4A", {}, SlipKind::T4A},
      {"new.t4a", {}, SlipKind::T4A},
      {"NEW.T4E", {}, SlipKind::T4},
      {"SHORT.T4A", QByteArray(767, '\0'), SlipKind::T4A},
      {"HEADER.T4E", t4aFileBytes(employer, {}), SlipKind::T4A},
      {"SLIP.T4E", t4aSlipAfterT4Header, SlipKind::T4A},
      {"NAMED.T4A", t4FileBytes(employer, {goodT4("Brown", "A")}), SlipKind::T4},
  };
  for (const auto& c : cases) {
    OpenT4FileState file;
    const QString path = c.bytes.isNull() ? folder.path(c.name) : folder.write(c.name, c.bytes);
    ASSERT_TRUE(open(file, path)) << c.name;
    EXPECT_EQ(file.slipKind(), c.kind) << c.name;
    EmployerRecord again = employer;
    if (c.bytes.isNull()) {
      ASSERT_TRUE(writeEmployerAndHeader(file, again));
      file.CloseT4File();
      ASSERT_TRUE(open(file, path));
      EXPECT_EQ(file.slipKind(), c.kind) << c.name << ", once its header is written";
    }
  }
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
