// Quillet — the T4A entry screen without its window.
#include "screens/t4a_entry_controller.h"

#include "checks/code_tables.h"
#include "checks/revcan_validity.h"
#include "checks/t4a_codes.h"
#include "checks/t4a_record_checks.h"
#include "core/numeric_text.h"
#include "data/open_t4_file.h"

namespace quillet {
namespace {

using A = T4ARecord;
using C = T4AEntryController;

// The field of each Tag, from 1.
const Field& fieldOf(int tag) {
  static const Field fields[] = {A::VOID,
                                 A::Recipient_is_business,
                                 A::Recipient_surname,
                                 A::Recipient_first_name,
                                 A::Recipient_initial,
                                 A::Business_name_line_1,
                                 A::Business_name_line_2,
                                 A::Recipient_address_line_1,
                                 A::Recipient_address_line_2,
                                 A::Recipient_city,
                                 A::Recipient_province_code,
                                 A::Recipient_country_code,
                                 A::Recipient_postal_code,
                                 A::Recipient_SIN,
                                 A::Recipient_BN,
                                 A::Recipient_number,
                                 A::Pension_or_superannuation,
                                 A::Lump_sum_payments,
                                 A::Self_employed_commissions,
                                 A::Income_tax_deducted,
                                 A::Annuities,
                                 A::Fees_for_services,
                                 A::Dental_benefits_code,
                                 A::RPP_or_DPSP_number,
                                 A::Report_type};
  if (tag >= C::OtherCode1) {
    const auto pair = std::size_t((tag - C::OtherCode1) / 2);
    return (tag - C::OtherCode1) % 2 == 0 ? A::Other_info_code[pair] : A::Other_info_amount[pair];
  }
  return fields[tag - C::FirstTag];
}

QString codeText(int code) { return QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0')); }

}  // namespace

QStringList T4AEntryController::otherInfoTexts(int year) {
  QStringList texts = {QString()};
  for (const T4AOtherInfoCode& code : t4aOtherInfoCodes()) {
    if (code.firstYear <= year && year <= code.lastYear)
      texts << codeText(code.code) + u' ' + QLatin1String(code.meaning);
  }
  return texts;
}

QString T4AEntryController::fieldText(int tag) const {
  const Field& field = fieldOf(tag);
  if (field.kind != FieldKind::U16) return textOf(field);
  // An other-information code of the year as its list has it; any other as its number.
  const int code = m_working.u16(field);
  if (code == 0) return {};
  const T4AOtherInfoCode* known = t4aOtherInfoCode(code, year());
  return known ? codeText(code) + u' ' + QLatin1String(known->meaning) : codeText(code);
}

FieldOutcome T4AEntryController::leaveField(int tag, const QString& text) {
  const Field& field = fieldOf(tag);
  if (field.kind == FieldKind::Flag) {
    m_working.setFlag(field, text == QLatin1String("1"));
    return {};
  }
  if (field.kind == FieldKind::Cents) return leaveAmount(tag, text);
  if (field.kind == FieldKind::U16) return leaveOtherCode(tag, text);
  switch (tag) {
    case Dental: {
      const std::optional<uint8_t> code = dentalBenefitsCode(TrimControlText(text));
      if (!code) {
        m_ui.showMessage(dentalBenefitsCodes());
        return FieldOutcome::refused();
      }
      m_working.setByte(field, *code);
      return {};
    }
    case ReportType:
      return leaveReportType(field, text);
    case Province:
      return leaveProvince(text);
    case Sin:
    case RecipientBn:
      return leaveNumber(tag, text);
    default: {
      FieldOutcome outcome;
      outcome.newText = TrimControlText(tag == PostCode ? text.toUpper() : text);
      m_working.setText(field, *outcome.newText);
      return outcome;
    }
  }
}

FieldOutcome T4AEntryController::leaveAmount(int tag, const QString& text) {
  const QString entry = TrimControlText(text);
  // Only an advanced life deferred annuity purchase (code 037) may be negative.
  const bool negative = entry.startsWith(u'-');
  int32_t cents;  // set when the text is an amount
  if (!EnteredCents(negative ? entry.mid(1) : entry, cents)) {
    ShowInvalidAmount(m_ui);
    FieldOutcome refused = FieldOutcome::refused();
    refused.markModified = true;
    return refused;
  }
  if (negative && cents != 0 &&
      (tag < OtherCode1 || m_working.u16(fieldOf(tag - 1)) != NegativeAllowedCode)) {
    m_ui.showMessage(QStringLiteral(
        "Only the other information of code 037 (advanced life deferred annuity purchase) may "
        "be negative.  Enter the amount without its minus sign, or choose code 037."));
    FieldOutcome refused = FieldOutcome::refused();
    refused.markModified = true;
    return refused;
  }
  m_working.setInt32(fieldOf(tag), negative ? -cents : cents);
  return {};
}

FieldOutcome T4AEntryController::leaveOtherCode(int tag, const QString& text) {
  const QString entry = TrimControlText(text);
  bool ok = entry.isEmpty();
  const int code = ok ? 0 : entry.section(u' ', 0, 0).toInt(&ok);
  if (!ok || (code != 0 && !t4aOtherInfoCode(code, year()))) {
    m_ui.showMessage(QStringLiteral("The other information's box has to be blank or a code of "
                                    "the %1 T4A slip.  Select from choices in drop down list.")
                         .arg(year()));
    return FieldOutcome::refused();
  }
  m_working.setU16(fieldOf(tag), uint16_t(code));
  FieldOutcome outcome;
  outcome.newText = fieldText(tag);
  return outcome;
}

FieldOutcome T4AEntryController::leaveProvince(const QString& text) {
  FieldOutcome outcome;
  outcome.newText = TrimControlText(text).toUpper();
  // Left blank the address is incomplete, which the checks tell; a code must be one of the
  // list's.
  if (!outcome.newText->isEmpty() && !addressProvinceCodes().contains(*outcome.newText)) {
    m_ui.showMessage(QStringLiteral(
        "Province code in the recipient's address is invalid. Select from choices in drop down "
        "list.  If not living in Canada or the USA select ZZ for other countries."));
    outcome.focusBack = true;
    return outcome;
  }
  m_working.setText(A::Recipient_province_code, *outcome.newText);
  if (const QString country = countryOfProvince(*outcome.newText); !country.isEmpty()) {
    outcome.country = country;
    m_working.setText(A::Recipient_country_code, country);
  }
  return outcome;
}

FieldOutcome T4AEntryController::leaveNumber(int tag, const QString& text) {
  FieldOutcome outcome;
  const QString entry = TrimControlText(text).toUpper();
  outcome.newText = entry;
  const bool sin = tag == Sin;
  // Blank is a business's SIN or a person's business number; anything else must pass its
  // check, and a business number have its form.
  const bool good =
      entry.isEmpty() ||
      (sin ? RevCanValidityCheck(entry)
           : entry.size() == 15 && digitsOf(entry).size() == 13 && entry.at(9).isLetter() &&
                 entry.at(10).isLetter() && RevCanValidityCheck(entry.left(9)));
  if (!good) {
    m_ui.showMessage(sin ? QStringLiteral("The recipient's Social Insurance Number (SIN) failed "
                                          "the Revenue Canada verification check.  Be sure it "
                                          "consists of 9 numeric digits.")
                         : QStringLiteral("The recipient's business number is 9 digits that pass "
                                          "their check, 2 letters and 4 digits, such as "
                                          "123456789RT0001."));
    outcome.focusBack = true;
    return outcome;
  }
  m_working.setText(fieldOf(tag), entry);
  return outcome;
}

bool T4AEntryController::addNew() {
  if (!SlipEntryController::addNew()) return false;
  // A new record counts as unchanged until something is typed: left untouched, it is
  // neither checked nor offered for saving.
  m_state.sharedRecord() = m_working;
  return true;
}

bool T4AEntryController::checkWorking(QStringList& report) {
  if (isNew() && m_working.bytes() == m_state.sharedRecord().bytes()) return false;
  T4ARecord record = m_working;
  CheckT4ARecord(record, m_employer, report);
  return report.size() > 2;
}

T4ARecord T4AEntryController::newRecord(const Record768& prefix) const {
  return T4ARecord::newFrom(prefix);
}

QString T4AEntryController::saveKey() const {
  return indexKey(IndexKind::T4Record, m_working.bytes());
}

}  // namespace quillet
