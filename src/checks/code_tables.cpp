// Quillet — the code tables that the screens, checks and reports share.
#include "checks/code_tables.h"

#include <QHash>
#include <algorithm>
#include <array>

namespace quillet {

const QStringList& addressProvinceCodes() {
  static const QStringList codes = {
      "NL", "NS", "PE", "NB", "QC", "ON", "MB", "SK", "AB", "BC", "YT", "NT", "NU", "LB",
      "NF", "ZZ", "AL", "AK", "AZ", "AR", "CA", "CO", "CT", "DE", "DC", "FL", "GA", "HI",
      "ID", "IL", "IN", "IA", "KS", "KY", "LA", "ME", "MD", "MA", "MI", "MN", "MS", "MO",
      "MT", "NE", "NV", "NH", "NJ", "NM", "NY", "NC", "ND", "OH", "OK", "OR", "PA", "RI",
      "SC", "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY"};
  return codes;
}

const QStringList& employmentProvinceCodes() {
  static const QStringList codes = {"NL", "NS", "PE", "NB", "QC", "ON", "MB", "SK", "AB",
                                    "BC", "YT", "NT", "NU", "LB", "NF", "NN", "US", "ZZ"};
  return codes;
}

QString countryOfProvince(const QString& code) {
  // Canada's codes stand before ZZ in the list, the states after it.
  static const QHash<QString, QString> countries = [] {
    QHash<QString, QString> all;
    const qsizetype otherCountry = addressProvinceCodes().indexOf(QStringLiteral("ZZ"));
    for (qsizetype at = 0; at < addressProvinceCodes().size(); ++at) {
      if (at != otherCountry)
        all.insert(addressProvinceCodes().at(at), at < otherCountry ? "CAN" : "USA");
    }
    return all;
  }();
  return countries.value(code);
}

const QStringList& employeeCountryCodes() {
  static const QStringList codes = {"CAN", "USA", "   "};
  return codes;
}

const QStringList& employerCountryCodes() {
  static const QStringList codes = {"CAN", "USA"};
  return codes;
}

const QStringList& employmentCodeTexts() {
  static const QStringList texts = {"11 Placement Agency - self empl",
                                    "12 Driver: Taxi, other passenger", "13 Barber or Hairdresser",
                                    "14 Withdrawal from Salary Deferral"};
  return texts;
}

const QList<OtherInfoCode>& otherInfoCodes() {
  static const QList<OtherInfoCode> codes = {
      {"30 Housing Board Lodging", true},
      {"31 Special Work Site", false},
      {"32 Travel Prescribed Zone", true},
      {"33 Medical Travel", false},
      {"34 Psnl Use Co.Car", true},
      {"35 Reasnbl Km Allwnce", false},
      {"36 Low/No Interest Loan", true},
      {"37 Home Relocation Loan", false},
      {"38 Stock Option Benefit", true},
      {"39 Stock Opt/Share (110(1)(d))", false},
      {"40 Other Taxable", true},
      {"41 Stock Opt/Share (110(1)(d.1))", false},
      {"42 Employment Commission", true},
      {"70 Municipal Officer Expn.", false},
      {"71 Status Indian Employee", false},
      {"72 Sectn.122.3 Inc. (outside Canada)", false},
      {"73 Number days outside Canada", false},
      {"74 Pre-1990 past service (Contributor)", false},
      {"75 Pre-1990 past service (NOT Contributor)", false},
      {"76 Emergency Volunteer Deductn.", false},
  };
  return codes;
}

bool isOtherInfoCodeOfYear(int code, int year) {
  if (code >= 57 && code <= 60) return year == 2020;  // employment income in four 2020 periods
  if (code >= 90 && code <= 92) return year >= 2024;  // security options after 24 June 2024
  static const std::array added = {43, 53, 66, 67, 68, 69, 71, 77, 85, 86, 87, 88, 94, 95};
  if (std::find(added.begin(), added.end(), code) != added.end()) return true;
  return std::any_of(otherInfoCodes().begin(), otherInfoCodes().end(),
                     [code](const auto& known) { return known.text.left(2).toInt() == code; });
}

const QStringList& otherInfoOrdinals() {
  static const QStringList ordinals = {"1st.", "2nd.", "3rd.", "4th.", "5th.", "6th."};
  return ordinals;
}

bool CheckAddressProvince(const QString& code) {
  return code.size() >= 2 && addressProvinceCodes().contains(code.left(2));
}

bool CheckEmploymentProvince(const QString& code) {
  return code.size() >= 2 && employmentProvinceCodes().contains(code.left(2));
}

QString capitalisedCode(QString code) {
  for (QChar& c : code) {
    if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - u'a' + u'A');
  }
  return code;
}

bool isTaxableBenefitCode(const QString& codeText) {
  if (codeText.size() < 2) return false;
  const QString box = codeText.left(2);
  for (const OtherInfoCode& code : otherInfoCodes()) {
    if (code.taxableBenefit && code.text.startsWith(box)) return true;
  }
  return false;
}

std::optional<uint8_t> dentalBenefitsCode(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return 0;
  const int code = trimmed.left(1).toInt();
  if (code < 1 || code > 5 || (trimmed.size() > 1 && trimmed.at(1) != u' ')) {
    return std::nullopt;
  }
  return uint8_t(code);
}

QString dentalBenefitsCodes() {
  return QStringLiteral(
      "The dental benefits code (box 45) is 1 to 5: 1 not eligible for any dental care, 2 payee "
      "only, 3 payee, spouse and dependent children, 4 payee and spouse, 5 payee and dependent "
      "children.");
}

}  // namespace quillet
