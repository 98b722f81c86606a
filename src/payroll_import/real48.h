// Quillet — the payroll product's six-byte real numbers.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace quillet {

// Byte 0 the exponent biased by 129 (0: the value 0), bytes 1 to 5 a 39-bit fraction,
// least significant byte first, bit 7 of byte 5 the sign. Every value is exact in a double.
double decodeReal48(std::span<const uint8_t, 6> bytes);

// The six bytes of `value` (the nearest six-byte real; 0 for 0 and for what is too small),
// for the files that tests, benchmarks and tools make.
std::array<uint8_t, 6> encodeReal48(double value);

}  // namespace quillet
