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

std::array<uint8_t, 6> encodeReal48(double value) {
  std::array<uint8_t, 6> bytes{};
  int exponent;
  const double mantissa = std::frexp(std::fabs(value), &exponent);  // [0.5, 1)
  if (value == 0 || !std::isfinite(value) || exponent + 128 < 1 || exponent + 128 > 255)
    return bytes;
  auto fraction = static_cast<uint64_t>(std::llround(std::ldexp(2 * mantissa - 1, 39)));
  if (value < 0) fraction |= uint64_t{1} << 39;
  bytes[0] = static_cast<uint8_t>(exponent + 128);
  for (std::size_t i = 1; i <= 5; ++i) bytes[i] = static_cast<uint8_t>(fraction >> (8 * (i - 1)));
  return bytes;
}

}  // namespace quillet
