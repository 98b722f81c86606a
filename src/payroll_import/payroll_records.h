// Quillet — the payroll product's year-end employee record and company configuration.
#pragma once

#include <QString>
#include <array>
#include <span>

#include "data/record.h"

namespace quillet {

// One employee of the year-end file WGBT4.DTA: 640 bytes, year-to-date figures.
class YearEndRecord {
 public:
  static constexpr int Size = 640;
  static constexpr int FirstAmount = 32;
  static constexpr int LastAmount = 90;

  static constexpr Field Sin = textField("SIN", 1, 11);
  static constexpr Field EmployeeNumber = textField("Empl Num", 13, 10);
  static constexpr Field Surname = textField("Surname", 24, 16);
  static constexpr Field FirstName = textField("First Name", 41, 16);
  static constexpr Field Street = textField("Street", 58, 33);
  static constexpr Field Town = textField("Town", 92, 33);
  static constexpr Field Province = textField("Province", 126, 25);
  static constexpr Field PostCode = textField("Post Code", 152, 7);
  static constexpr Field Phone = textField("Phone", 160, 14);
  static constexpr Field PensionRegistration = textField("Pens.Regn.Num", 175, 9);
  static constexpr Field ProvinceOfEmployment = textField("Prov of Empl", 539, 5);
  static constexpr Field CppExempt = byteField("CPP exempt", 545);
  static constexpr Field EiExempt = byteField("EI exempt", 546);

  explicit YearEndRecord(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

  QString text(const Field& field) const { return fields::text(m_bytes, field); }
  bool flag(const Field& field) const { return fields::byte(m_bytes, field) != 0; }
  // Amount number k, 32 to 90, in dollars.
  double amount(int k) const;

 private:
  std::span<const uint8_t> m_bytes;
};

// The company configuration record of the payroll product: the first 3072 bytes of its
// .CNF file.
class ConfigRecord {
 public:
  static constexpr int Size = 3072;

  static constexpr Field CompanyName = textField("company name", 986, 35);
  static constexpr Field Street = textField("street", 1022, 35);
  static constexpr Field City = textField("city", 1058, 35);
  static constexpr Field Province = textField("province", 1094, 26);
  static constexpr Field PostCode = textField("postal code", 1121, 7);
  static constexpr Field Phone = textField("telephone", 1129, 14);
  static constexpr Field BusinessNumberA = textField("first number", 1144, 11);
  static constexpr Field BusinessNumberB = textField("second number", 1156, 11);
  static constexpr int EiMultiplierOffset = 1168;
  // The company's data folder: its drive ("C:"), then its path; beside it the folder the
  // payroll program keeps its second copy in.
  static constexpr Field DataDrive = textField("data drive", 1211, 3);
  static constexpr Field SecondFolder = textField("second folder", 1215, 44);
  static constexpr Field DataPath = textField("data path", 1260, 60);

  ConfigRecord() { m_bytes.fill(0); }
  std::array<uint8_t, Size>& bytes() { return m_bytes; }
  const std::array<uint8_t, Size>& bytes() const { return m_bytes; }

  QString text(const Field& field) const { return fields::text(m_bytes, field); }
  void setText(const Field& field, const QString& value) { fields::setText(m_bytes, field, value); }
  double eiMultiplier() const;

 private:
  std::array<uint8_t, Size> m_bytes;
};

}  // namespace quillet
