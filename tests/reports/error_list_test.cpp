// Quillet tests — building the T4 Error Report's list.
#include "reports/error_list.h"

#include <QFile>

#include "golden.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using ErrorListTest = OpenFileTest;

// A record that cannot be read ends the list. (The lists of every kind of file are
// recorded by the batch tool's check.)
TEST_F(ErrorListTest, aRecordThatCannotBeReadEndsTheList) {
  openFile(fixtureFile("NOCITY.T4E"));
  ASSERT_TRUE(QFile::resize(state.T4FileName(), 1536 + 2 * 768 + 10));
  const ErrorList list = buildErrorList(state, ui);
  EXPECT_TRUE(list.hasFindings);
  expectGolden("error_list_cut", list.lines.join(u'\n') + "\n" + ui.transcript());
}

}  // namespace
