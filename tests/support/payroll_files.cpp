// Quillet tests — payroll year-end records and configurations built by the tests.
#include "payroll_files.h"

#include <cmath>

#include "payroll_import/payroll_records.h"

namespace quillet::test {

std::array<uint8_t, 6> encodeReal48(double value) {
  std::array<uint8_t, 6> bytes{};
  if (value == 0) return bytes;
  int exponent = 0;
  const double mantissa = std::frexp(std::fabs(value), &exponent);  // [0.5, 1)
  auto fraction = static_cast<uint64_t>(std::llround(std::ldexp(2 * mantissa - 1, 39)));
  if (value < 0) fraction |= uint64_t{1} << 39;
  bytes[0] = static_cast<uint8_t>(exponent + 128);
  for (std::size_t i = 1; i <= 5; ++i) bytes[i] = static_cast<uint8_t>(fraction >> (8 * (i - 1)));
  return bytes;
}

YearEndBuilder::YearEndBuilder() : m_bytes(YearEndRecord::Size, '\0') {}

YearEndBuilder& YearEndBuilder::text(const Field& field, const QString& value) {
  fields::setText(
      std::span<uint8_t>(reinterpret_cast<uint8_t*>(m_bytes.data()), std::size_t(m_bytes.size())),
      field, value);
  return *this;
}

YearEndBuilder& YearEndBuilder::amount(int k, double dollars) {
  const auto bytes = encodeReal48(dollars);
  for (int i = 0; i < 6; ++i) m_bytes[185 + 6 * (k - 32) + i] = char(bytes[std::size_t(i)]);
  return *this;
}

YearEndBuilder& YearEndBuilder::byte(int offset, uint8_t value) {
  m_bytes[offset] = char(value);
  return *this;
}

QByteArray configBytes(double eiMultiplier, const QString& phone, const QString& numberA,
                       const QString& numberB) {
  ConfigRecord config;
  config.setText(ConfigRecord::CompanyName, "Lakeside Payroll Company of Eastern Ontario");
  config.setText(ConfigRecord::Street, "77 Water Street");
  config.setText(ConfigRecord::City, "Brockville");
  config.setText(ConfigRecord::Province, "ON");
  config.setText(ConfigRecord::PostCode, "K6V 1A1");
  config.setText(ConfigRecord::Phone, phone);
  config.setText(ConfigRecord::BusinessNumberA, numberA);
  config.setText(ConfigRecord::BusinessNumberB, numberB);
  const auto multiplier = encodeReal48(eiMultiplier);
  std::copy(multiplier.begin(), multiplier.end(),
            config.bytes().begin() + ConfigRecord::EiMultiplierOffset);
  return QByteArray(reinterpret_cast<const char*>(config.bytes().data()), ConfigRecord::Size);
}

}  // namespace quillet::test
