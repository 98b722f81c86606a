// Quillet tests — the key filters of numeric fields.
#include "core/key_filters.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

using namespace quillet;

namespace {

const QString Numeric = QStringLiteral("Entry here must be numeric, \"%1\" not allowed");

struct KeyCase {
  const char* fieldText;
  char16_t typed;
  QString message;  // empty: accepted
};

TEST(KeyFilters, numbersOnly) {
  const KeyCase cases[] = {
      {"", u'7', {}},
      {"12", u'0', {}},
      {"12", u'\b', {}},
      {"", u'\x1F', {}},
      {"12", u'\x7F', {}},
      {"", u'$', "Do not include $ sign with amount"},
      {"", u'-', "Negative amounts are not allowed"},
      {"12", u'$', Numeric.arg("$")},
      {"12", u'-', Numeric.arg("-")},
      {"", u'a', Numeric.arg("a")},
      {"", u' ', Numeric.arg(" ")},
      {"", u'.', Numeric.arg(".")},
      {"", u'\u00E9', Numeric.arg(QString::fromUtf8("\u00E9"))},
  };
  for (const KeyCase& c : cases) {
    const KeyVerdict verdict = KeyEditNumOnly(QString::fromUtf8(c.fieldText), QChar(c.typed));
    EXPECT_EQ(verdict.accepted, c.message.isEmpty()) << c.fieldText << " + " << int(c.typed);
    EXPECT_EQ(verdict.message, c.message);
  }
}

TEST(KeyFilters, oneDecimalPoint) {
  const QString twoPoints =
      QStringLiteral("Only one decimal point \".\" allowed, delete the other one first");
  const KeyCase cases[] = {
      {"125", u'.', {}},
      {"", u'.', {}},
      {"12.5", u'.', twoPoints},
      {"12.5", u'3', {}},
      {"", u'$', "Do not include $ sign with amount"},
      {"12.5", u'$', Numeric.arg("$")},
      {"1", u',', Numeric.arg(",")},
  };
  for (const KeyCase& c : cases) {
    const KeyVerdict verdict = KeyEditDecPoint(QString::fromUtf8(c.fieldText), QChar(c.typed));
    EXPECT_EQ(verdict.accepted, c.message.isEmpty()) << c.fieldText << " + " << int(c.typed);
    EXPECT_EQ(verdict.message, c.message);
  }
}

}  // namespace
