// Quillet — the nine-digit check of Social Insurance and business numbers.
#pragma once

#include <QString>
#include <cstdint>

namespace quillet {

inline constexpr int32_t RevCanTooLong = -1;        // more than 11 characters
inline constexpr int32_t RevCanNotNineDigits = -2;  // not exactly nine digits among them

// The mod 10 check over the nine digits found in `text` (other characters are skipped),
// with the 2nd, 4th, 6th and 8th digits doubled. `code` is always set: RevCanTooLong,
// RevCanNotNineDigits, or the check digit computed from the first eight digits, which
// must equal the ninth.
bool RevCanValidityCheck(const QString& text, int32_t& code);

// The same check where only whether the number passes matters.
inline bool RevCanValidityCheck(const QString& text) {
  int32_t code;  // always set
  return RevCanValidityCheck(text, code);
}

}  // namespace quillet
