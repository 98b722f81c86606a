// Quillet — the code tables that the screens, checks and reports share.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace quillet {

// 67 codes in the order of the drop-down lists: the Canadian provinces and territories
// (their old codes LB and NF last), ZZ for any other country, then the United States.
const QStringList& addressProvinceCodes();
// 18 codes in the order of the entry screen's list: today's, the old LB, NF and NN, then
// US and ZZ.
const QStringList& employmentProvinceCodes();
// "CAN" for a code of Canada's, "USA" for a state's; empty for ZZ or any other text.
QString countryOfProvince(const QString& code);
const QStringList& employeeCountryCodes();  // "CAN", "USA" and three blanks
const QStringList& employerCountryCodes();  // "CAN" and "USA"
// Box 29's list texts, whose first two characters are the code.
const QStringList& employmentCodeTexts();

struct OtherInfoCode {
  QString text;         // as stored, its first two characters the box number
  bool taxableBenefit;  // the amount is part of employment income
};
const QList<OtherInfoCode>& otherInfoCodes();

// An "other information" code that a slip of `year` (after 2000) may carry.
bool isOtherInfoCodeOfYear(int code, int year);

// The ordinals naming the six other information entries in messages: "1st." ...
const QStringList& otherInfoOrdinals();

// True when the first two characters of `code` are one of the codes, exactly.
bool CheckAddressProvince(const QString& code);
bool CheckEmploymentProvince(const QString& code);

// The code with its letters a to z in capitals; every other character as it was.
QString capitalisedCode(QString code);

// True when an other information code text names a taxable benefit box.
bool isTaxableBenefitCode(const QString& codeText);

// Box 45, employer-offered dental benefits: the code 1 to 5 a text holds, 0 for an empty
// one, nothing when it holds anything else (the user is then told dentalBenefitsCodes()).
std::optional<uint8_t> dentalBenefitsCode(const QString& text);
QString dentalBenefitsCodes();

}  // namespace quillet
