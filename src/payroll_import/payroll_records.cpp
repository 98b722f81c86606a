// Quillet — the payroll product's year-end employee record and company configuration.
#include "payroll_import/payroll_records.h"

#include "payroll_import/real48.h"

namespace quillet {

double YearEndRecord::amount(int k) const {
  const auto offset = static_cast<std::size_t>(185 + 6 * (k - FirstAmount));
  return decodeReal48(m_bytes.subspan(offset).first<6>());
}

double ConfigRecord::eiMultiplier() const {
  return decodeReal48(std::span<const uint8_t>(m_bytes).subspan(EiMultiplierOffset).first<6>());
}

}  // namespace quillet
