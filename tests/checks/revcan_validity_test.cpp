// Quillet tests — the nine-digit validity check.
#include "checks/revcan_validity.h"

#include <gtest/gtest.h>

#include "golden.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// Each text (between the quotes of a row) valid or not, and the check digit's code.
TEST(RevCanValidityCheck, answersWithACodeForEveryText) {
  expectRecordedTable("sin_validity", [](const QString& row) {
    int32_t code = 1234;
    const bool valid = RevCanValidityCheck(row.section(u'"', 1, 1), code);
    return QStringLiteral("%1, code %2\n").arg(valid ? "valid" : "invalid").arg(code);
  });
}

}  // namespace
