// Quillet — the payroll product's six-byte real numbers.
#include "payroll_import/real48.h"

#include <cmath>

namespace quillet {

double decodeReal48(std::span<const uint8_t, 6> b) {
  if (b[0] == 0) return 0.0;
  uint64_t fraction = 0;
  for (int i = 5; i >= 1; --i) fraction = fraction << 8 | b[std::size_t(i)];
  const bool negative = (fraction & (uint64_t{1} << 39)) != 0;
  fraction &= (uint64_t{1} << 39) - 1;
  const double magnitude = std::ldexp(1.0 + std::ldexp(double(fraction), -39), int(b[0]) - 129);
  return negative ? -magnitude : magnitude;
}

}  // namespace quillet
