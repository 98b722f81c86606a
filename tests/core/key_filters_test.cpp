// Quillet tests — the key filters of numeric fields.
#include "core/key_filters.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "qt_printers.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// Each key (U+ its code) typed into a field of digits only or of an amount with one decimal
// point, holding the text between the quotes: accepted, or refused with its message.
TEST(KeyFilters, numbersOnlyAndOneDecimalPoint) {
  expectRecordedTable("key_filters", [](const QString& row) {
    const QString field = row.section(u'"', 1, 1);
    const QChar typed(row.section(QStringLiteral("U+"), 1).left(4).toUShort(nullptr, 16));
    const KeyVerdict verdict = row.startsWith(QStringLiteral("amount"))
                                   ? KeyEditDecPoint(field, typed)
                                   : KeyEditNumOnly(field, typed);
    return verdict.accepted ? QStringLiteral("accepted\n") : "refused: " + verdict.message + u'\n';
  });
}

}  // namespace
