// Quillet tests — the key filters of numeric fields.
#include "core/key_filters.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

using namespace quillet;

namespace {

// Each key typed into a field of digits only, or of an amount with one decimal point:
// accepted, or refused with its message.
TEST(KeyFilters, numbersOnlyAndOneDecimalPoint) {
  const QString numeric = QStringLiteral("Entry here must be numeric, \"%1\" not allowed");
  const QString dollar = QStringLiteral("Do not include $ sign with amount");
  const QString twoPoints =
      QStringLiteral("Only one decimal point \".\" allowed, delete the other one first");
  const struct {
    bool decimal;
    const char* fieldText;
    char16_t typed;
    QString message;  // empty: accepted
  } cases[] = {
      // clang-format off
      {false, "", u'7', {}}, {false, "12", u'0', {}}, {false, "12", u'\b', {}}, {false, "", u'\x1F', {}}, {false, "12", u'\x7F', {}},
      {false, "", u'$', dollar}, {false, "", u'-', "Negative amounts are not allowed"},
      {false, "12", u'$', numeric.arg("$")}, {false, "12", u'-', numeric.arg("-")}, {false, "", u'a', numeric.arg("a")},
      {false, "", u' ', numeric.arg(" ")}, {false, "", u'.', numeric.arg(".")}, {false, "", u'\u00E9', numeric.arg(QString::fromUtf8("\u00E9"))},
      {true, "125", u'.', {}}, {true, "", u'.', {}}, {true, "12.5", u'.', twoPoints}, {true, "12.5", u'3', {}},
      {true, "", u'$', dollar}, {true, "12.5", u'$', numeric.arg("$")}, {true, "1", u',', numeric.arg(",")},
      // clang-format on
  };
  for (const auto& c : cases) {
    const QString field = QString::fromUtf8(c.fieldText);
    const KeyVerdict verdict =
        c.decimal ? KeyEditDecPoint(field, QChar(c.typed)) : KeyEditNumOnly(field, QChar(c.typed));
    EXPECT_EQ(verdict.accepted, c.message.isEmpty()) << c.fieldText << " + " << int(c.typed);
    EXPECT_EQ(verdict.message, c.message);
  }
}

}  // namespace
