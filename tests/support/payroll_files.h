// Quillet tests — payroll year-end records and configurations built by the tests.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "data/record.h"
#include "payroll_import/payroll_records.h"

namespace quillet::test {

// One 640-byte year-end employee record.
class YearEndBuilder {
 public:
  YearEndBuilder();
  YearEndBuilder& text(const Field& field, const QString& value);
  YearEndBuilder& amount(int k, double dollars);
  YearEndBuilder& byte(int offset, uint8_t value);
  const QByteArray& bytes() const { return m_bytes; }

 private:
  QByteArray m_bytes;
};

// A year-end record of these texts and amounts (k, the amount's number: 32 to 90).
QByteArray yearEnd(std::initializer_list<std::pair<const Field&, QString>> texts,
                   std::initializer_list<std::pair<int, double>> amounts = {});

// A 3072-byte configuration of a company in Ontario with the given EI multiplier, its
// payroll data in C:\DATA\CO1\.
QByteArray configBytes(double eiMultiplier = 1.4, const QString& phone = "(613) 555-1234");
ConfigRecord configRecord(double eiMultiplier = 1.4, const QString& phone = "(613) 555-1234");

}  // namespace quillet::test
