// Quillet tests — amounts and rates between text and stored integers.
#include "core/numeric_text.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "qt_printers.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// Each text (between the quotes of a row) as an amount in cents or a rate in ten-thousandths:
// halves to the even cent, the limits of 32 bits, what is not a number here; a refused text
// leaves the value it was to set. Each stored value shown ("shown"), and read back.
TEST(StrToCents, convertsAndRoundsHalfToEven) {
  expectRecordedTable("amount_texts", [](const QString& row) {
    int32_t target = -777;
    const bool rate = row.contains(QStringLiteral("rate"));
    const auto parse = rate ? StrToFix4 : StrToCents;
    if (row.startsWith(QStringLiteral("shown"))) {
      const int32_t stored = row.section(u' ', 2).toInt();
      const QString text = rate ? Fix4ToStr(stored) : CentsToStr(stored);
      parse(text, target);
      return QStringLiteral("\"%1\", read back as %2\n").arg(text).arg(target);
    }
    return parse(row.section(u'"', 1, 1), target)
               ? QString::number(target) + u'\n'
               : QStringLiteral("refused, %1 left as it was\n").arg(target);
  });
}

TEST(TrimControlText, removesBlanksAtBothEndsOnly) {
  EXPECT_EQ(TrimControlText("  ACME  Ltd \t"), "ACME  Ltd");
  EXPECT_EQ(TrimControlText("   "), "");
  EXPECT_EQ(TrimControlText("x"), "x");
}

}  // namespace
