// Quillet tests — a test with a T4 file of its own, opened as the program opens one. It brings
// GoogleTest, the open file's state, the scripted Ui and the test files with it.
#pragma once

#include <gtest/gtest.h>

#include "data/open_t4_file.h"
#include "scripted_ui.h"
#include "test_files.h"

namespace quillet::test {

class OpenFileTest : public ::testing::Test {
 protected:
  // Writes `bytes` as ACME.T4E in the test's folder and opens it.
  void openFile(const QByteArray& bytes) {
    state.setT4FileName(folder.write(QStringLiteral("ACME.T4E"), bytes));
    ASSERT_TRUE(state.OpenT4File());
  }

  TempFolder folder;
  OpenT4FileState state;
  ScriptedUi ui;
};

}  // namespace quillet::test
