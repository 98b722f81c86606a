// Quillet — the check of a T4 file against CRA's rules before its XML return is written:
// every value is checked as the return would carry it, so that no return the program
// writes is one CRA's validation rejects.
#include <QList>
#include <algorithm>
#include <utility>

#include "checks/code_tables.h"
#include "checks/revcan_validity.h"
#include "checks/t4_record_checks.h"
#include "checks/t4a_codes.h"
#include "checks/t4a_record_checks.h"
#include "core/numeric_text.h"
#include "data/open_t4_file.h"
#include "data/t4a_record.h"
#include "efile/return_values.h"
#include "efile/t4_xml.h"
#include "reports/t4_totals.h"
#include "reports/t4a_totals.h"

namespace quillet {
namespace {

using T = T4Record;
using E = EmployerRecord;

// XML cannot carry the control characters (and the writer would drop them).
bool hasControlCharacter(const QString& text) {
  return std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c.category() == QChar::Other_Control; });
}

// The most an amount of `digits` digits before the point holds, in cents.
int64_t largest(int digits) {
  int64_t cents = 100;
  while (digits-- > 0) cents *= 10;
  return cents - 1;
}

// Checks one record's values as the return carries them; each problem a line that names
// the field and says how to mend it, after `who`.
class Checker {
 public:
  Checker(QStringList& errors, QString who) : m_errors(errors), m_who(std::move(who)) {}

  void error(const QString& text) { m_errors << m_who + text; }

  void texts(const Record768& r, std::initializer_list<std::pair<Field, const char*>> fields) {
    for (const auto& [field, name] : fields) {
      if (hasControlCharacter(r.text(field)))
        error(QStringLiteral("the %1 has a control character: retype it").arg(QLatin1String(name)));
    }
  }

  void address(const cra::Address& a) {
    if (!a.postalCode.isEmpty() && !cra::matches(a.postalCode, "[A-Za-z0-9 \\-]{1,10}"))
      error(QStringLiteral("the postal code %1 has a character CRA does not take: letters, digits "
                           "and hyphens only")
                .arg(a.postalCode));
    if (!a.province.isEmpty() && !cra::isCraAddressProvince(a.province))
      error(QStringLiteral("the address's province %1 is not a code CRA takes: choose one from "
                           "the list")
                .arg(a.province));
    if (!a.country.isEmpty() && !cra::matches(a.country, "\\p{L}{3}"))
      error(QStringLiteral("the address's country %1 is not a 3-letter code such as CAN or USA")
                .arg(a.country));
  }

  void phone(const QString& area, const QString& number, const QString& extension) {
    if (!cra::matches(area.trimmed(), "\\d{3}"))
      error(QStringLiteral("the contact's area code is not 3 digits"));
    if (!cra::matches(cra::phone(number), "\\d{3}-\\d{4}"))
      error(QStringLiteral("the contact's phone number is not NNN-NNNN"));
    const QString ext = extension.trimmed();
    if (!ext.isEmpty() && !cra::matches(ext, "\\d{1,7}"))
      error(QStringLiteral("the contact's extension is not digits: correct it or leave it empty"));
    else if (!ext.isEmpty() && cra::matches(ext, "0+"))
      error(QStringLiteral("the contact's extension is all zeros: leave it empty"));
  }

 private:
  QStringList& m_errors;
  QString m_who;
};

void checkEmployer(const EmployerRecord& e, QStringList& errors, SlipKind kind) {
  Checker check(errors,
                kind == SlipKind::T4 ? QStringLiteral("Employer: ") : QStringLiteral("Payer: "));
  const QString bn = cra::programAccount(e.text(E::RevCan_account_number));
  if (bn.isEmpty())
    check.error(QStringLiteral("the business number is not 9 digits, RP and 4 digits"));
  else if (!RevCanValidityCheck(bn.left(9)))
    check.error(
        QStringLiteral("the business number fails its check digit: correct it on the "
                       "employer screen"));
  if (e.text(E::S_Employer_name_line_1).trimmed().isEmpty())
    check.error(
        QStringLiteral("name line 1 is empty: enter the employer's name on its first line"));
  check.texts(e, {{E::S_Employer_name_line_1, "name line 1"},
                  {E::S_Employer_name_line_2, "name line 2"},
                  {E::S_Employer_name_line_3, "name line 3"},
                  {E::S_Employer_address_line_1, "address line 1"},
                  {E::S_Employer_address_line_2, "address line 2"},
                  {E::S_Employer_city, "city"},
                  {E::S_Contact_name, "contact's name"}});
  check.address(cra::employerAddress(e));
  if (e.text(E::S_Contact_name).trimmed().isEmpty())
    check.error(QStringLiteral("the contact's name is missing: enter the person CRA may call"));
  check.phone(e.text(E::S_Contact_area_code), e.text(E::S_Contact_phone_number),
              e.text(E::S_Contact_extension));
  for (const auto& [field, ordinal] :
       {std::pair{E::S_Proprietor_SIN_1, "1st"}, std::pair{E::S_Proprietor_SIN_2, "2nd"}}) {
    const QString sin = e.text(field).trimmed();
    if (sin.isEmpty()) continue;
    if (digitsOf(sin) == QLatin1String("000000000"))
      check.error(QStringLiteral("the %1 proprietor's SIN is all zeros: leave it empty")
                      .arg(QLatin1String(ordinal)));
    else if (!RevCanValidityCheck(sin))
      check.error(QStringLiteral("the %1 proprietor's SIN is not 9 digits or fails its check "
                                 "digit: correct it or leave it empty")
                      .arg(QLatin1String(ordinal)));
  }
  if (e.text(E::S_Proprietor_SIN_1).trimmed().isEmpty() &&
      !e.text(E::S_Proprietor_SIN_2).trimmed().isEmpty())
    check.error(
        QStringLiteral("the 2nd proprietor's SIN is given without the 1st: enter it as "
                       "the 1st"));
  if (const int year = e.u16(E::S_Taxation_year); year < 1966 || year > 2099)
    check.error(QStringLiteral("the tax year %1 is not one CRA takes").arg(year));
}

void checkSlip(T4Record r, const EmployerRecord& e, const QString& bn, XmlFindings& findings) {
  const QString who =
      QStringLiteral("%1 %2 (SIN %3): ").arg(r.firstName(), r.surname(), r.text(T::Employee_SIN));
  Checker check(findings.errors, who);
  const int year = e.u16(E::S_Taxation_year);
  if (r.surname().trimmed().isEmpty()) check.error(QStringLiteral("the surname is missing"));
  const QString sin = digitsOf(r.text(T::Employee_SIN));
  if (sin.isEmpty()) {
    check.error(QStringLiteral("the SIN is missing"));
  } else if (!RevCanValidityCheck(sin)) {
    check.error(QStringLiteral("the SIN fails its check digit"));
  }
  if (const QString initial = cra::initialOf(r); !initial.isEmpty() && !initial.at(0).isLetter())
    check.error(QStringLiteral("the initial %1 is not a letter: correct it or leave it empty")
                    .arg(initial));
  check.texts(r, {{T::Employee_surname, "surname"},
                  {T::Employee_first_name, "first name"},
                  {T::Employee_address_line_1, "address line 1"},
                  {T::Employee_address_line_2, "address line 2"},
                  {T::Employee_city, "city"},
                  {T::Employee_number, "employee number"}});
  check.address(cra::employeeAddress(r));
  if (!cra::employmentProvince(r.text(T::Province_of_employment_code)))
    check.error(QStringLiteral("the province of employment has no CRA code"));
  const QString slipBn = cra::programAccount(r.text(T::RevCan_account_number));
  if (slipBn.isEmpty() || slipBn != bn)
    check.error(
        QStringLiteral("the business number differs from the employer's or is not in the RP form"));
  if (!cra::reportTypeOf(r))
    check.error(QStringLiteral("the report type %1 is not original, amended or cancelled: choose "
                               "one on the entry screen")
                    .arg(r.byte(T::Report_type)));
  for (const cra::AmountElement& a : cra::amountElements()) {
    const int64_t cents = cra::slipAmount(r, a, e);
    const QString box = QStringLiteral("box %1 (%2)").arg(a.box, a.element);
    if (cents < 0) check.error(box + QStringLiteral(" is negative: CRA takes no negative amounts"));
    if (cents <= largest(a.digits)) continue;
    QString text = box + QStringLiteral(" is %1, more than CRA's schema holds (at most %2)")
                             .arg(cra::amount(cents), cra::amount(largest(a.digits)));
    if (&a.field == &T::PPIP_insurable_earnings && cents <= e.int32(E::PPIP_max_earnings))
      text += QStringLiteral(", though the year's QPIP maximum allows it: enter %1")
                  .arg(cra::amount(largest(a.digits)));
    check.error(text);
  }
  QList<int> codes;
  for (int k = 0; k < T::OtherInfoCount; ++k) {
    const int32_t cents = r.int32(T::Other_info_amount[k]);
    if (cents == 0) continue;
    if (cents < 0) check.error(QStringLiteral("other information %1 is negative").arg(k + 1));
    const int other = cra::otherInfoCode(r, k);
    if (!cra::otherInfoElement(other)) {
      check.error(QStringLiteral("other information code %1 has no element in CRA's return")
                      .arg(r.text(T::Other_info_code[k]).left(2)));
    } else if (year > 2000 && !isOtherInfoCodeOfYear(other, year)) {
      check.error(QStringLiteral("other information code %1 is not a code of the %2 tax year")
                      .arg(other)
                      .arg(year));
    } else if (codes.contains(other)) {
      check.error(QStringLiteral("other information code %1 is given twice").arg(other));
    } else if (other == cra::DaysOutsideCanada && cents > 0 &&
               (cents % 100 != 0 || cents / 100 > 366)) {
      check.error(QStringLiteral("other information code 73 (days outside Canada) is %1: enter a "
                                 "whole number of days from 1 to 366")
                      .arg(cra::amount(cents)));
    } else if (cents > largest(7)) {
      check.error(QStringLiteral("other information code %1 is %2, more than CRA's schema holds "
                                 "(at most 9999999.99)")
                      .arg(other)
                      .arg(cra::amount(cents)));
    }
    codes << other;
  }
  if (!r.text(T::Employment_code).trimmed().isEmpty() && cra::employmentCode(r) == 0)
    check.error(QStringLiteral("the employment code is not 11 to 17"));
  // What CRA's rules of a modern year refuse, worded as the record checks word it; what its
  // review after filing would flag, as warnings.
  if (year > 2000) {
    CraFindings found;
    QStringList lines;
    CheckT4Record(r, e, lines, &found);
    for (const QString& rule : found.rules) check.error(rule);
    for (const QString& review : found.review) findings.warnings << who + review;
  }
}

// An original return holds original slips alone; an amendment amended or cancelled ones.
void checkReturnOfSlips(int count, const QList<uint8_t>& reportTypes,
                        const XmlReturnOptions& options, SlipKind kind, XmlFindings& findings) {
  if (count == 0)
    findings.errors << QStringLiteral(
                           "Summary: every %1 record is VOID: a return holds at least one slip")
                           .arg(slipName(kind));
  else if (reportTypes.size() > 1)
    findings.errors << QStringLiteral(
        "Summary: the slips are of more than one report type (original, amended, cancelled); "
        "CRA takes each kind in a return of its own");
  else if (options.amended && reportTypes == QList<uint8_t>{0})
    findings.errors << QStringLiteral(
        "Summary: the return is marked amended, but its slips are originals; an amendment "
        "holds only amended or cancelled slips");
}

// A T4A slip's values as the return carries them.
void checkT4ASlip(const T4ARecord& r, int year, const QString& bn, XmlFindings& findings) {
  using A = T4ARecord;
  const QString who = QStringLiteral("%1: ").arg(r.nameAndNumber());
  Checker check(findings.errors, who);
  const QString recipientBn = r.text(A::Recipient_BN).trimmed().toUpper();
  const bool hasBn = !recipientBn.isEmpty();
  if (r.isBusiness()) {
    if (r.text(A::Business_name_line_1).trimmed().isEmpty())
      check.error(QStringLiteral("the business's name is missing"));
    if (!r.isEmpty(A::Recipient_surname) || !r.isEmpty(A::Recipient_first_name) ||
        !r.isEmpty(A::Recipient_SIN))
      check.error(QStringLiteral(
          "a business recipient has a person's name or SIN: a slip is for one or the other"));
    if (!hasBn) check.error(QStringLiteral("the business number is missing"));
  } else {
    if (r.text(A::Recipient_surname).trimmed().isEmpty())
      check.error(QStringLiteral("the surname is missing"));
    if (!r.isEmpty(A::Business_name_line_1) || !r.isEmpty(A::Business_name_line_2))
      check.error(
          QStringLiteral("a person recipient has a business name: a slip is for one or the other"));
    const QString sin = digitsOf(r.text(A::Recipient_SIN));
    if (sin.isEmpty()) {
      check.error(QStringLiteral("the SIN is missing"));
    } else if (!RevCanValidityCheck(sin)) {
      check.error(QStringLiteral("the SIN fails its check digit"));
    }
    const QString initial = r.text(A::Recipient_initial).trimmed();
    if (!initial.isEmpty() && !initial.at(0).isLetter())
      check.error(QStringLiteral("the initial %1 is not a letter: correct it or leave it empty")
                      .arg(initial));
  }
  if (hasBn && !cra::matches(recipientBn, "\\d{9}\\p{L}{2}\\d{4}"))
    check.error(QStringLiteral("the recipient's business number %1 is not 9 digits, 2 letters "
                               "and 4 digits")
                    .arg(recipientBn));
  else if (hasBn && !RevCanValidityCheck(recipientBn.left(9)))
    check.error(QStringLiteral("the recipient's business number fails its check digit"));
  check.texts(r, {{A::Recipient_surname, "surname"},
                  {A::Recipient_first_name, "first name"},
                  {A::Business_name_line_1, "name line 1"},
                  {A::Business_name_line_2, "name line 2"},
                  {A::Recipient_address_line_1, "address line 1"},
                  {A::Recipient_address_line_2, "address line 2"},
                  {A::Recipient_city, "city"},
                  {A::Recipient_number, "recipient number"}});
  check.address(cra::recipientAddress(r));
  const QString slipBn = cra::programAccount(r.text(A::RevCan_account_number));
  if (slipBn.isEmpty() || slipBn != bn)
    check.error(
        QStringLiteral("the business number differs from the payer's or is not in the RP form"));
  if (!cra::reportTypeOf(r))
    check.error(QStringLiteral("the report type %1 is not original, amended or cancelled")
                    .arg(r.byte(A::Report_type)));
  const QString rpp = r.text(A::RPP_or_DPSP_number).trimmed();
  if (!rpp.isEmpty() && !cra::matches(rpp, "\\d{1,7}"))
    check.error(QStringLiteral("the RPP or DPSP registration number is not 1 to 7 digits"));
  const int dental = r.byte(A::Dental_benefits_code);
  if (dental > 5)
    check.error(QStringLiteral("box 015 (dental benefits) is %1, not 1 to 5").arg(dental));
  else if (year >= 2023 && dental == 0 && r.int32(A::Pension_or_superannuation) != 0)
    check.error(QStringLiteral("box 015 (dental benefits) is required with box 016 from 2023"));
  bool anyAmount = false;
  for (const cra::T4AAmountElement& a : cra::t4aAmountElements()) {
    const int64_t cents = r.int32(a.field);
    const QString box = QStringLiteral("box %1 (%2)")
                            .arg(a.box, 3, 10, QLatin1Char('0'))
                            .arg(QLatin1String(a.element));
    if (cents < 0) check.error(box + QStringLiteral(" is negative: CRA takes no negative amounts"));
    if (cents > largest(cra::T4ASlipDigits))
      check.error(box +
                  QStringLiteral(" is %1, more than CRA's schema holds").arg(cra::amount(cents)));
    anyAmount = anyAmount || cents != 0;
  }
  QList<int> codes;
  for (int k = 0; k < A::OtherInfoCount; ++k) {
    const int code = r.u16(A::Other_info_code[k]);
    const int64_t cents = r.int32(A::Other_info_amount[k]);  // negated below
    const QString number = QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
    if (code == 0) {
      if (cents != 0) check.error(QStringLiteral("other information %1 has no code").arg(k + 1));
      continue;
    }
    anyAmount = anyAmount || cents != 0;
    if (!t4aOtherInfoCode(code, year))
      check.error(QStringLiteral("other information code %1 is not a code of the %2 T4A slip")
                      .arg(number)
                      .arg(year));
    else if (cents < 0 && code != NegativeAllowedCode)
      check.error(QStringLiteral("other information code %1 is negative: only code 037 may be")
                      .arg(number));
    else if (codes.contains(code))
      check.error(QStringLiteral("other information code %1 is given twice").arg(number));
    else if (cents > largest(cra::T4ASlipDigits) || -cents > largest(cra::T4ASlipDigits))
      check.error(
          QStringLiteral("other information code %1 is more than CRA's schema holds").arg(number));
    codes << code;
  }
  if (!anyAmount) check.error(QStringLiteral("the slip has no amount"));
  if (needsNoSlip(r))
    findings.warnings << who + QStringLiteral(
                                   "paid $500.00 or less with no income tax deducted: no slip "
                                   "is needed");
}

XmlFindings checkForT4AXml(OpenT4FileState& state, const XmlReturnOptions& options) {
  XmlFindings findings;
  EmployerRecord payer;
  readEmployerRecord(state, payer);
  checkEmployer(payer, findings.errors, SlipKind::T4A);
  const QString bn = cra::programAccount(payer.text(E::RevCan_account_number));
  const int year = payer.u16(E::S_Taxation_year);
  QList<uint8_t> reportTypes;
  T4ATotals totals;
  options.slips.forEach(state, [&](int64_t, const SlipRecord& slip) {
    const T4ARecord r(slip);
    checkT4ASlip(r, year, bn, findings);
    if (!reportTypes.contains(slip.reportType())) reportTypes << slip.reportType();
    addToTotals(totals, r);
  });
  checkReturnOfSlips(totals.count, reportTypes, options, SlipKind::T4A, findings);
  for (const cra::SummaryAmount& total : cra::summaryAmounts(totals)) {
    if (total.cents > largest(total.digits) || -total.cents > largest(total.digits))
      findings.errors << QStringLiteral(
                             "Summary: the total %1 is %2, more than CRA's schema holds (at most "
                             "%3)")
                             .arg(QLatin1String(total.element), cra::signedAmount(total.cents),
                                  cra::amount(largest(total.digits)));
  }
  return findings;
}

}  // namespace

XmlFindings checkForXml(OpenT4FileState& state, const XmlReturnOptions& options) {
  if (state.slipKind() == SlipKind::T4A) return checkForT4AXml(state, options);
  XmlFindings findings;
  QList<uint8_t> reportTypes;
  TotalsRun run;
  readEmployerRecord(state, run.employer);
  checkEmployer(run.employer, findings.errors, SlipKind::T4);
  const QString bn = cra::programAccount(run.employer.text(E::RevCan_account_number));
  options.slips.forEach(state, [&](int64_t, const SlipRecord& slip) {
    const T4Record r(slip);
    checkSlip(r, run.employer, bn, findings);
    if (!reportTypes.contains(r.byte(T::Report_type))) reportTypes << r.byte(T::Report_type);
    addToTotals(run.totals, r, run.employer.u16(E::S_Taxation_year));
  });
  finishTotals(run);
  checkReturnOfSlips(run.totals.count, reportTypes, options, SlipKind::T4, findings);
  for (const cra::SummaryAmount& total : cra::summaryAmounts(run.totals)) {
    if (total.cents > largest(total.digits))
      findings.errors << QStringLiteral(
                             "Summary: the total %1 is %2, more than CRA's schema holds (at most "
                             "%3)")
                             .arg(QLatin1String(total.element), cra::amount(total.cents),
                                  cra::amount(largest(total.digits)));
  }
  return findings;
}

}  // namespace quillet
