// Quillet — the other-information codes of the T4A slip.
#pragma once

#include <QString>
#include <span>

namespace quillet {

struct T4AOtherInfoCode {
  int code;
  const char* element;  // its element in CRA's XML return
  const char* meaning;
  int firstYear = 0;    // the first tax year it is reported in; 0: always
  int lastYear = 9999;  // the last
};

// Every code this program reports, in the order of their numbers.
std::span<const T4AOtherInfoCode> t4aOtherInfoCodes();

// The code `code` as reported for `year`; null when it is not a code of that year's slip.
const T4AOtherInfoCode* t4aOtherInfoCode(int code, int year);

// The one code whose amount may be negative: an advanced life deferred annuity purchase.
inline constexpr int NegativeAllowedCode = 37;

}  // namespace quillet
