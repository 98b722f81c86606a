// Quillet — the rates of every tax year the program knows: CPP and CPP2, EI, and for
// Québec employment QPP and QPP2, the reduced EI rate and QPIP.
#pragma once

#include <cstdint>
#include <span>

namespace quillet {

// One tax year. Money in cents, rates in per cent times 10000 (5.95 % is 59500); 0 where
// the year has no such figure (CPP2 and QPP2 before 2024; Québec EI and QPIP before 2006).
// The maxima are the published ones, never recomputed.
struct TaxYearRates {
  int year;
  int32_t ympe;            // maximum pensionable earnings
  int32_t basicExemption;  // CPP/QPP basic exemption
  int32_t cppRate;
  int32_t cppMax;
  int32_t yampe;  // additional maximum pensionable earnings (CPP2/QPP2 ceiling)
  int32_t cpp2Max;
  int32_t eiMaxInsurable;
  int32_t eiRate;
  int32_t eiMax;
  int32_t eiEmployerMax;  // as published (2000: 1310.49, not 1.4 x 936.00)
  int32_t quebecEiRate;
  int32_t quebecEiMax;
  int32_t qppRate;
  int32_t qppMax;
  int32_t qpp2Max;
  int32_t qpipMaxInsurable;
  int32_t qpipEmployeeRate;
  int32_t qpipEmployerRate;
  int32_t qpipEmployeeMax;
};

// Every year the program knows, oldest first. Next year is one more row at the end.
std::span<const TaxYearRates> taxYears();

// The year's rates; null for a year the table does not have.
const TaxYearRates* ratesOf(int year);

}  // namespace quillet
