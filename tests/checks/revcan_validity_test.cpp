// Quillet tests — the nine-digit validity check.
#include "checks/revcan_validity.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

using namespace quillet;

namespace {

TEST(RevCanValidityCheck, answersWithACodeForEveryText) {
  struct Case {
    QString text;
    bool valid;
    int32_t code;
  };
  const Case cases[] = {
      {"123456789", false, 2},
      {"123456782", true, 2},
      {"123 456 782", true, 2},
      {"123-456-782", true, 2},
      {"123 - 456 - 782", false, RevCanTooLong},
      {"12345678", false, RevCanNotNineDigits},
      {"1234567890", false, RevCanNotNineDigits},
      {"", false, RevCanNotNineDigits},
      {"000000000", true, 0},
      {"A12345678B2", true, 2},
      {"123456782RP", true, 2},
      {"123456789RP", false, 2},
      {"046454286", true, 6},
      {"046454287", false, 6},
      {"99999999", false, RevCanNotNineDigits},
      {"999999999", false, 8},  // 9+9+9+9 and four times 1+8: 72, so 8
      {QString(12, u'1'), false, RevCanTooLong},
      {QString(300, u'x'), false, RevCanTooLong},
      {QString::fromUtf8("\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0662"), false,
       RevCanNotNineDigits},  // only 0 to 9 are digits
  };
  for (const Case& c : cases) {
    int32_t code = 1234;
    EXPECT_EQ(RevCanValidityCheck(c.text, code), c.valid) << c.text.toStdString();
    EXPECT_EQ(code, c.code) << c.text.toStdString();
  }
}

}  // namespace
