// Quillet tests — amounts and rates between text and stored integers.
#include "core/numeric_text.h"

#include <gtest/gtest.h>

#include <optional>

#include "qt_printers.h"
#include "scripted_ui.h"

using namespace quillet;

namespace {

struct ParseCase {
  const char* text;
  std::optional<int32_t> stored;  // nothing: refused
};

void expectParses(bool (*parse)(const QString&, int32_t&), const ParseCase& c) {
  int32_t target = -777;
  const bool ok = parse(QString::fromUtf8(c.text), target);
  EXPECT_EQ(ok, c.stored.has_value()) << '"' << c.text << '"';
  EXPECT_EQ(target, c.stored.value_or(-777))
      << '"' << c.text << '"' << " (refused text leaves the target)";
}

TEST(StrToCents, convertsAndRoundsHalfToEven) {
  const ParseCase cases[] = {
      // clang-format off
      {"1234.56", 123456}, {" 12.5 ", 1250}, {"", 0}, {"   ", 0}, {"-5", -500}, {"+5", 500},
      {"5.", 500}, {".5", 50}, {"1e3", 100000}, {"1E-2", 1},
      // halves to the even cent
      {"12.345", 1234}, {"12.355", 1236}, {"1.125", 112}, {"1.375", 138}, {"0.005", 0}, {"0.015", 2},
      // the limits of a 32-bit count of cents
      {"21474836.47", 2147483647}, {"-21474836.47", -2147483647}, {"21474836.474", 2147483647},
      {"21474836.48", std::nullopt}, {"21474836.475", std::nullopt},
      // not numbers here (Arabic-Indic digits among them)
      {"12,50", std::nullopt}, {"1.2.3", std::nullopt}, {"$5", std::nullopt}, {".", std::nullopt},
      {"-", std::nullopt}, {"e5", std::nullopt}, {"1e", std::nullopt}, {"1e999", std::nullopt},
      {"1 000", std::nullopt}, {"\u0661\u0662", std::nullopt}, {"nan", std::nullopt}, {"inf", std::nullopt},
      // clang-format on
  };
  for (const ParseCase& c : cases) expectParses(StrToCents, c);
}

TEST(StrToFix4, convertsWithFourDecimals) {
  const ParseCase cases[] = {
      // clang-format off
      {"3.5", 35000}, {"1.4", 14000}, {"2.55", 25500}, {"214748.3647", 2147483647}, {"0.00005", 0},
      {"214748.36475", std::nullopt}, {"214748.3648", std::nullopt}, {"abc", std::nullopt},
      // clang-format on
  };
  for (const ParseCase& c : cases) expectParses(StrToFix4, c);
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
