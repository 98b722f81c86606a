// Quillet — the code tables that the screens, checks and reports share.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace quillet {

// 65 codes in the order of the drop-down lists: the Canadian provinces and territories
// (0 to 12), ZZ for any other country (13), then the United States (14 to 64).
const QStringList& addressProvinceCodes();
// 16 codes in the order of the entry screen's list.
const QStringList& employmentProvinceCodes();
const QStringList& employeeCountryCodes();  // "CAN", "USA" and three blanks
const QStringList& employerCountryCodes();  // "CAN" and "USA"
// Box 29's list texts, whose first two characters are the code.
const QStringList& employmentCodeTexts();

struct OtherInfoCode {
  QString text;         // as stored, its first two characters the box number
  bool taxableBenefit;  // the amount is part of employment income
};
const QList<OtherInfoCode>& otherInfoCodes();

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
