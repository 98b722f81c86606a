// Quillet — the values of a T4 return as CRA's XML carries them. The writer writes them
// and the check before export checks them, so what is checked is what is written.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "data/employer_record.h"
#include "data/slip_record.h"
#include "data/t4_record.h"

namespace quillet {
class T4ARecord;
struct T4ATotals;
struct T4Totals;
}  // namespace quillet

namespace quillet::cra {

// True when the whole of `text` matches `pattern`.
bool matches(const QString& text, const char* pattern);

// The business number as CRA takes it: 9 digits, RP, 4 digits; empty when it is not.
QString programAccount(const QString& number);

// "1234.56": two decimals, no sign.
QString amount(int64_t cents);

// NNN-NNNN from seven digits; anything else as it stands.
QString phone(const QString& text);

// A province code as CRA's lists have it: Newfoundland and Labrador, Nunavut and Quebec
// under today's codes (LB, NF and NL as NL; NN as NU; PQ as QC).
QString todaysProvinceCode(const QString& code);

// Box 10 as CRA's code; nothing for a code CRA does not take.
std::optional<QString> employmentProvince(const QString& code);

// The address provinces and states CRA takes.
bool isCraAddressProvince(const QString& code);

// A T4_AMT element: the box, its field, the element, the most digits before the point.
struct AmountElement {
  const char* box;
  const Field& field;
  const char* element;
  int digits;
  bool always;  // written as 0.00 too
};
std::span<const AmountElement> amountElements();

// The OTH_INFO element of an other-information code; null when CRA has none.
const char* otherInfoElement(int code);
// An "other information" pair's code number, 0 when it has none.
int otherInfoCode(const T4Record& record, int pair);
// Code 73 counts days outside Canada: its amount is a whole number of days.
constexpr int DaysOutsideCanada = 73;

// Box 29 as a number 11-17; 0 when there is none or another.
int employmentCode(const T4Record& record);

// The initial, the SIN and the report type of a slip as the return carries them.
QString initialOf(const T4Record& record);
QString sinOf(const T4Record& record);               // 000000000 when it is not 9 digits
const char* reportTypeOf(const SlipRecord& record);  // null beyond original, amended, cancelled

// A box as the slip reports it: on the 1999 and 2000 returns an empty box 24 or 26 means
// all of the employment income up to the year's maximum (none when exempt); from 2001
// what is stored is what is filed.
int64_t slipAmount(const T4Record& record, const AmountElement& box,
                   const EmployerRecord& employer);

// An address as the return carries it.
struct Address {
  QString line1, line2, city, province, country, postalCode;
  bool isEmpty() const;
};
Address employeeAddress(const T4Record& record);
Address employerAddress(const EmployerRecord& employer);

// A total of the Summary's T4_TAMT: the element, the most digits before the point, the
// amount. CRA's Summary counts CPP alone: QPP, QPP2 and PPIP go to Revenu Québec.
struct SummaryAmount {
  const char* element;
  int digits;
  int64_t cents;
  bool mayBeNegative = false;  // the T4A's box 101, which code 037 can make negative
};
std::vector<SummaryAmount> summaryAmounts(const T4Totals& totals);

// "-150.00": an amount that may be negative (a T4A's code 037 and its Summary's box 101).
QString signedAmount(int64_t cents);

// A T4A_AMT element: the box, its field, the element.
struct T4AAmountElement {
  int box;
  const Field& field;
  const char* element;
};
std::span<const T4AAmountElement> t4aAmountElements();
// The most digits before the point of a T4A slip's amounts.
constexpr int T4ASlipDigits = 9;

// A recipient's address as the return carries it.
Address recipientAddress(const T4ARecord& record);

// The T4A Summary's T4A_TAMT, in the schema's order; box 101 (rpt_tot_oth_info_amt) may be
// negative.
std::vector<SummaryAmount> summaryAmounts(const T4ATotals& totals);

// A proprietor's SIN as the Summary carries it: the digits of the field.
QString proprietorSin(const EmployerRecord& employer, int which);

}  // namespace quillet::cra
