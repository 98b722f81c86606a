// Quillet — the T4 record: one employee's slip, 768 bytes.
#pragma once

#include <array>

#include "data/record.h"

namespace quillet {

#define QUILLET_T4_FIELDS(X)                                                  \
  X(VOID, flagField, 29)                                                      \
  X(Employment_income, centsField, 30)                                        \
  X(Income_tax_deducted, centsField, 34)                                      \
  X(Province_of_employment_code, textField, 38, 2)                            \
  X(Employee_CPP, centsField, 41)                                             \
  X(EI_insurable_earnings, centsField, 45)                                    \
  X(Employee_SIN, textField, 49, 11)                                          \
  X(CPP_OR_Quebec_Pension_Exempt, flagField, 61)                              \
  X(EI_Exempt, flagField, 62)                                                 \
  X(Employment_code, textField, 63, 40)                                       \
  X(Employee_QPP, centsField, 104)                                            \
  X(CPP_OR_Quebec_PensionEarn, centsField, 108)                               \
  X(Employee_EI_premium, centsField, 112)                                     \
  X(Union_dues, centsField, 116)                                              \
  X(RPP_contributions, centsField, 120)                                       \
  X(Charitable_donations, centsField, 124)                                    \
  X(Pension_adjustment, centsField, 128)                                      \
  X(RPP_or_deferred_PlanNumbr, textField, 132, 7)                             \
  X(Employee_surname, textField, 140, 20)                                     \
  X(Employee_first_name, textField, 161, 12)                                  \
  X(Employee_secondinitial, textField, 174, 1)                                \
  X(Employee_address_line_1, textField, 176, 30)                              \
  X(Employee_address_line_2, textField, 207, 30)                              \
  X(Employee_city, textField, 238, 28)                                        \
  X(Employee_province_code, textField, 267, 25)                               \
  X(Employee_country_code, textField, 293, 3)                                 \
  X(Employee_postal_code, textField, 297, 10)                                 \
  X(Other_info_code_1, textField, 308, 50)                                    \
  X(Other_info_amount_1, centsField, 359)                                     \
  X(Other_info_code_2, textField, 363, 50)                                    \
  X(Other_info_amount_2, centsField, 414)                                     \
  X(Other_info_code_3, textField, 418, 50)                                    \
  X(Other_info_amount_3, centsField, 469)                                     \
  X(Other_info_code_4, textField, 473, 50)                                    \
  X(Other_info_amount_4, centsField, 524)                                     \
  X(Other_info_code_5, textField, 528, 50)                                    \
  X(Other_info_amount_5, centsField, 579)                                     \
  X(Other_info_code_6, textField, 583, 50)                                    \
  X(Other_info_amount_6, centsField, 634)                                     \
  X(Payroll_reference, textField, 638, 20)                                    \
  /* Added for the tax years after 2000; zero in older files: not entered. */ \
  X(Employee_CPP2, centsField, 659)                                           \
  X(Employee_QPP2, centsField, 663)                                           \
  X(Employee_PPIP_premium, centsField, 667)                                   \
  X(PPIP_insurable_earnings, centsField, 671)                                 \
  X(Dental_benefits_code, byteField, 675)                                     \
  X(PPIP_Exempt, flagField, 676)                                              \
  X(Report_type, byteField, 677)                                              \
  X(Employee_number, textField, 678, 20)

class T4Record : public Record768 {
 public:
  QUILLET_T4_FIELDS(QUILLET_DECLARE_FIELD)

  T4Record() = default;
  // The bytes of `record`, read as a T4 record.
  explicit T4Record(const Record768& record) : Record768(record) {}

  static constexpr int OtherInfoCount = 6;
  static constexpr std::array<Field, OtherInfoCount> Other_info_code = {
      Other_info_code_1, Other_info_code_2, Other_info_code_3,
      Other_info_code_4, Other_info_code_5, Other_info_code_6};
  static constexpr std::array<Field, OtherInfoCount> Other_info_amount = {
      Other_info_amount_1, Other_info_amount_2, Other_info_amount_3,
      Other_info_amount_4, Other_info_amount_5, Other_info_amount_6};

  // Every field, the common prefix first, in layout order.
  static std::span<const Field> layout();

  // All zero but Record_type 128 and the reserved texts and business number of `source`.
  static T4Record newFrom(const Record768& source);

  QString surname() const { return text(Employee_surname); }
  QString firstName() const { return text(Employee_first_name); }
  bool isVoid() const { return flag(VOID); }
  // The report type says the slip amends (1) or cancels (2) one filed before; 0 is original.
  bool isAmended() const { return byte(Report_type) == 1; }
  bool isCancelled() const { return byte(Report_type) == 2; }
  // "Surname, First (SIN 046 454 286)", as the import's and the filed returns' lists say.
  QString nameAndSin() const {
    return QStringLiteral("%1, %2 (SIN %3)").arg(surname(), firstName(), text(Employee_SIN));
  }
};

}  // namespace quillet
