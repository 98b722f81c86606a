// Quillet — the key filters of the numeric fields, as pure functions.
#pragma once

#include <QChar>
#include <QString>

namespace quillet {

// Whether a typed character goes into the field, and if not, what the user is told.
struct KeyVerdict {
  bool accepted;
  QString message;  // empty when accepted
};

// Control characters and digits only. Looks at the field's whole text so far, not at
// a selection the character would replace.
KeyVerdict KeyEditNumOnly(const QString& fieldText, QChar typed);

// As KeyEditNumOnly, and one full stop.
KeyVerdict KeyEditDecPoint(const QString& fieldText, QChar typed);

}  // namespace quillet
