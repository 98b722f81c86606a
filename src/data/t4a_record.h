// Quillet — the T4A record: one recipient's slip, 768 bytes.
#pragma once

#include <array>

#include "data/record.h"

namespace quillet {

// A recipient is a person (surname, first name, initial, SIN) or a business (one or two
// name lines and its business number), never both. The boxes' numbers are on the right.
#define QUILLET_T4A_FIELDS(X)                            \
  X(VOID, flagField, 29)                                 \
  X(Recipient_is_business, flagField, 30)                \
  X(Recipient_SIN, textField, 31, 11)          /* 012 */ \
  X(Recipient_BN, textField, 43, 15)           /* 013 */ \
  X(Recipient_number, textField, 59, 20)       /* 014 */ \
  X(Pension_or_superannuation, centsField, 80) /* 016 */ \
  X(Lump_sum_payments, centsField, 84)         /* 018 */ \
  X(Self_employed_commissions, centsField, 88) /* 020 */ \
  X(Income_tax_deducted, centsField, 92)       /* 022 */ \
  X(Annuities, centsField, 96)                 /* 024 */ \
  X(Fees_for_services, centsField, 100)        /* 048 */ \
  X(Dental_benefits_code, byteField, 104)      /* 015 */ \
  X(Report_type, byteField, 105)                         \
  X(RPP_or_DPSP_number, textField, 106, 7)               \
  X(Recipient_surname, textField, 114, 20)               \
  X(Recipient_first_name, textField, 135, 12)            \
  X(Recipient_initial, textField, 148, 1)                \
  X(Business_name_line_1, textField, 150, 30)            \
  X(Business_name_line_2, textField, 181, 30)            \
  X(Recipient_address_line_1, textField, 212, 30)        \
  X(Recipient_address_line_2, textField, 243, 30)        \
  X(Recipient_city, textField, 274, 28)                  \
  X(Recipient_province_code, textField, 303, 2)          \
  X(Recipient_country_code, textField, 306, 3)           \
  X(Recipient_postal_code, textField, 310, 10)           \
  X(Other_info_code_1, u16Field, 321)                    \
  X(Other_info_amount_1, centsField, 323)                \
  X(Other_info_code_2, u16Field, 327)                    \
  X(Other_info_amount_2, centsField, 329)                \
  X(Other_info_code_3, u16Field, 333)                    \
  X(Other_info_amount_3, centsField, 335)                \
  X(Other_info_code_4, u16Field, 339)                    \
  X(Other_info_amount_4, centsField, 341)                \
  X(Other_info_code_5, u16Field, 345)                    \
  X(Other_info_amount_5, centsField, 347)                \
  X(Other_info_code_6, u16Field, 351)                    \
  X(Other_info_amount_6, centsField, 353)                \
  X(Other_info_code_7, u16Field, 357)                    \
  X(Other_info_amount_7, centsField, 359)                \
  X(Other_info_code_8, u16Field, 363)                    \
  X(Other_info_amount_8, centsField, 365)                \
  X(Other_info_code_9, u16Field, 369)                    \
  X(Other_info_amount_9, centsField, 371)                \
  X(Other_info_code_10, u16Field, 375)                   \
  X(Other_info_amount_10, centsField, 377)               \
  X(Other_info_code_11, u16Field, 381)                   \
  X(Other_info_amount_11, centsField, 383)               \
  X(Other_info_code_12, u16Field, 387)                   \
  X(Other_info_amount_12, centsField, 389)

class T4ARecord : public Record768 {
 public:
  QUILLET_T4A_FIELDS(QUILLET_DECLARE_FIELD)

  T4ARecord() = default;
  // The bytes of `record`, read as a T4A record.
  explicit T4ARecord(const Record768& record) : Record768(record) {}

  static constexpr int OtherInfoCount = 12;
  static constexpr std::array<Field, OtherInfoCount> Other_info_code = {
      Other_info_code_1, Other_info_code_2,  Other_info_code_3,  Other_info_code_4,
      Other_info_code_5, Other_info_code_6,  Other_info_code_7,  Other_info_code_8,
      Other_info_code_9, Other_info_code_10, Other_info_code_11, Other_info_code_12};
  static constexpr std::array<Field, OtherInfoCount> Other_info_amount = {
      Other_info_amount_1, Other_info_amount_2,  Other_info_amount_3,  Other_info_amount_4,
      Other_info_amount_5, Other_info_amount_6,  Other_info_amount_7,  Other_info_amount_8,
      Other_info_amount_9, Other_info_amount_10, Other_info_amount_11, Other_info_amount_12};

  // The named boxes that hold amounts, in the slip's order, each with its number.
  struct AmountBox {
    int box;
    Field field;
  };
  static constexpr std::array<AmountBox, 6> AmountBoxes = {{
      {16, Pension_or_superannuation},
      {18, Lump_sum_payments},
      {20, Self_employed_commissions},
      {22, Income_tax_deducted},
      {24, Annuities},
      {48, Fees_for_services},
  }};

  // Every field, the common prefix first, in layout order.
  static std::span<const Field> layout();

  // All zero but Record_type 132 and the reserved texts and business number of `source`.
  static T4ARecord newFrom(const Record768& source);

  bool isBusiness() const { return flag(Recipient_is_business); }
  bool isVoid() const { return flag(VOID); }
  // The report type says the slip amends (1) or cancels (2) one filed before; 0 is original.
  bool isAmended() const { return byte(Report_type) == 1; }
  bool isCancelled() const { return byte(Report_type) == 2; }
  // The recipient as the lists say it: "Surname, First" or the business's first name line.
  QString name() const;
  // "Surname, First (SIN 046 454 286)" or "Name (BN 123456789RT0001)".
  QString nameAndNumber() const;
};

}  // namespace quillet
