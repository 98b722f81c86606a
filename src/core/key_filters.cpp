// Quillet — the key filters of the numeric fields, as pure functions.
#include "core/key_filters.h"

namespace quillet {

KeyVerdict KeyEditNumOnly(const QString& fieldText, QChar typed) {
  // Delete (U+007F on X11), control characters and keys without a printable text pass.
  if (!typed.isPrint() || (typed >= u'0' && typed <= u'9')) return {true, {}};
  if (fieldText.isEmpty() && typed == u'$') {
    return {false, QStringLiteral("Do not include $ sign with amount")};
  }
  if (fieldText.isEmpty() && typed == u'-') {
    return {false, QStringLiteral("Negative amounts are not allowed")};
  }
  return {false, QStringLiteral("Entry here must be numeric, \"") + typed +
                     QStringLiteral("\" not allowed")};
}

KeyVerdict KeyEditDecPoint(const QString& fieldText, QChar typed) {
  if (typed != u'.') return KeyEditNumOnly(fieldText, typed);
  if (!fieldText.contains(u'.')) return {true, {}};
  return {false,
          QStringLiteral("Only one decimal point \".\" allowed, delete the other one first")};
}

}  // namespace quillet
