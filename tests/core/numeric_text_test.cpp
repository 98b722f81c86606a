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
// leaves the value it was to set.
TEST(StrToCents, convertsAndRoundsHalfToEven) {
  expectRecordedTable("amount_texts", [](const QString& row) {
    int32_t target = -777;
    const auto parse = row.startsWith(QStringLiteral("cents")) ? StrToCents : StrToFix4;
    return parse(row.section(u'"', 1, 1), target)
               ? QString::number(target) + u'\n'
               : QStringLiteral("refused, %1 left as it was\n").arg(target);
  });
}

TEST(CentsToStr, formatsTwoAndFourDecimals) {
  for (const auto& [cents, text] : {std::pair{123456, "1234.56"},
                                    {0, "0.00"},
                                    {-5, "-0.05"},
                                    {2147483647, "21474836.47"},
                                    {-2147483647 - 1, "-21474836.48"}})
    EXPECT_EQ(CentsToStr(cents), text);
  for (const auto& [fix4, text] : {std::pair{14000, "1.4000"}, {35000, "3.5000"}, {-1, "-0.0001"}})
    EXPECT_EQ(Fix4ToStr(fix4), text);
  // Every stored amount reads back as itself.
  for (int32_t cents : {1, 10, 99, 100, 105, 123456, 2147483646, -2147483647, 1999999999}) {
    int32_t back = 0;
    ASSERT_TRUE(StrToCents(CentsToStr(cents), back)) << cents;
    EXPECT_EQ(back, cents);
  }
}

TEST(TrimControlText, removesBlanksAtBothEndsOnly) {
  EXPECT_EQ(TrimControlText("  ACME  Ltd \t"), "ACME  Ltd");
  EXPECT_EQ(TrimControlText("   "), "");
  EXPECT_EQ(TrimControlText("x"), "x");
}

}  // namespace
