// Quillet — the nine-digit check of Social Insurance and business numbers.
#include "checks/revcan_validity.h"

#include <array>

namespace quillet {

bool RevCanValidityCheck(const QString& text, int32_t& code) {
  if (text.size() > 11) {
    code = RevCanTooLong;
    return false;
  }
  std::array<int, 9> digits{};
  int found = 0;
  for (const QChar c : text) {
    if (c < u'0' || c > u'9') continue;
    if (found == 9) {
      found = 10;
      break;
    }
    digits[static_cast<std::size_t>(found++)] = c.unicode() - u'0';
  }
  if (found != 9) {
    code = RevCanNotNineDigits;
    return false;
  }
  int sum = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    const int d = i % 2 == 0 ? digits[i] : 2 * digits[i];
    sum += d / 10 + d % 10;
  }
  code = sum % 10 == 0 ? 0 : 10 - sum % 10;
  return code == digits[8];
}

}  // namespace quillet
