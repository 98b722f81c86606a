// Quillet — the employer record: names, address, business number and the year's rates.
#pragma once

#include "data/record.h"

namespace quillet {

#define QUILLET_EMPLOYER_FIELDS(X)                 \
  X(S_Employer_name_line_1, textField, 29, 30)     \
  X(S_Employer_name_line_2, textField, 60, 30)     \
  X(S_Employer_name_line_3, textField, 91, 30)     \
  X(S_Employer_address_line_1, textField, 122, 30) \
  X(S_Employer_address_line_2, textField, 153, 30) \
  X(S_Employer_city, textField, 184, 28)           \
  X(S_Employer_province_code, textField, 213, 26)  \
  X(S_Employer_country_code, textField, 240, 3)    \
  X(S_Employer_postal_code, textField, 244, 10)    \
  X(S_Contact_name, textField, 255, 22)            \
  X(S_Contact_area_code, textField, 278, 3)        \
  X(S_Contact_phone_number, textField, 282, 7)     \
  X(S_Contact_extension, textField, 290, 4)        \
  X(S_Taxation_year, u16Field, 295)                \
  /* Added for the tax years after 2000; zero in older files: not entered. */ \
  X(CPP2_max_earnings, centsField, 297)            \
  X(CPP2_rate, fix4Field, 301)                     \
  X(CPP2_max_premium, centsField, 305)             \
  X(QPP_rate, fix4Field, 309)                      \
  X(QPP_max_premium, centsField, 313)              \
  X(QPP2_max_premium, centsField, 317)             \
  X(QC_EI_rate, fix4Field, 321)                    \
  X(QC_EI_max_premium, centsField, 325)            \
  X(PPIP_max_earnings, centsField, 329)            \
  X(PPIP_rate, fix4Field, 333)                     \
  X(PPIP_employer_rate, fix4Field, 337)            \
  X(PPIP_max_premium, centsField, 341)             \
  X(Dental_benefits_code, byteField, 345)          \
  X(S_Proprietor_SIN_1, textField, 373, 9)         \
  X(S_Proprietor_SIN_2, textField, 383, 9)         \
  X(S_New_hires_refund, centsField, 393)           \
  X(CPP_rate, fix4Field, 397)                      \
  X(CPP_max_premium, centsField, 401)              \
  X(CPP_max_earnings, centsField, 405)             \
  X(CPP_basic_exemption, centsField, 409)          \
  X(EI_rate, fix4Field, 413)                       \
  X(EI_max_premium, centsField, 417)               \
  X(EI_max_earnings, centsField, 421)              \
  X(EI_employer_multiplier, fix4Field, 425)        \
  X(S_Contact_email, textField, 429, 60)

class EmployerRecord : public Record768 {
 public:
  QUILLET_EMPLOYER_FIELDS(QUILLET_DECLARE_FIELD)

  // The factor by which the employer's EI share follows the employees', 1.4.
  static constexpr int32_t DefaultEIMultiplier = 14000;

  // Every field, the common prefix first, in layout order.
  static std::span<const Field> layout();
};

}  // namespace quillet
