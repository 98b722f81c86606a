// Quillet tests — payroll year-end records and configurations built by the tests.
#include "payroll_files.h"

#include <cmath>

#include "payroll_import/payroll_records.h"
#include "payroll_import/real48.h"

namespace quillet::test {

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

QByteArray yearEnd(std::initializer_list<std::pair<const Field&, QString>> texts,
                   std::initializer_list<std::pair<int, double>> amounts) {
  YearEndBuilder y;
  for (const auto& [field, value] : texts) y.text(field, value);
  for (const auto& [k, dollars] : amounts) y.amount(k, dollars);
  return y.bytes();
}

ConfigRecord configRecord(double eiMultiplier, const QString& phone) {
  ConfigRecord config;
  const QByteArray bytes = configBytes(eiMultiplier, phone);
  std::copy(bytes.begin(), bytes.end(), config.bytes().begin());
  return config;
}

QByteArray configBytes(double eiMultiplier, const QString& phone) {
  ConfigRecord config;
  config.setText(ConfigRecord::CompanyName, "Lakeside Payroll Company of Eastern Ontario");
  config.setText(ConfigRecord::Street, "77 Water Street");
  config.setText(ConfigRecord::City, "Brockville");
  config.setText(ConfigRecord::Province, "ON");
  config.setText(ConfigRecord::PostCode, "K6V 1A1");
  config.setText(ConfigRecord::Phone, phone);
  config.setText(ConfigRecord::BusinessNumberA, "123456782RP0001");
  config.setText(textField("data drive", 1211, 3), "C:");
  config.setText(textField("data path", 1260, 60), "\\DATA\\CO1\\");
  const auto multiplier = encodeReal48(eiMultiplier);
  std::copy(multiplier.begin(), multiplier.end(),
            config.bytes().begin() + ConfigRecord::EiMultiplierOffset);
  return QByteArray(reinterpret_cast<const char*>(config.bytes().data()), ConfigRecord::Size);
}

}  // namespace quillet::test
