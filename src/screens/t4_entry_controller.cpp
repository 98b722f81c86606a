// Quillet — the T4 entry screen without its window: the working record, the check of
// each field as it is left, the save step and the moves through the index.
#include "screens/t4_entry_controller.h"

#include "checks/code_tables.h"
#include "checks/revcan_validity.h"
#include "checks/t4_record_checks.h"
#include "core/numeric_text.h"

namespace quillet {
namespace {

using T = T4Record;
using C = T4EntryController;

// The field of each Tag, from 1.
const Field& fieldOf(int tag) {
  static const Field fields[] = {T::VOID,
                                 T::Employment_income,
                                 T::Income_tax_deducted,
                                 T::Province_of_employment_code,
                                 T::Employee_CPP,
                                 T::EI_insurable_earnings,
                                 T::Employee_SIN,
                                 T::CPP_OR_Quebec_Pension_Exempt,
                                 T::EI_Exempt,
                                 T::Employment_code,
                                 T::Employee_QPP,
                                 T::CPP_OR_Quebec_PensionEarn,
                                 T::Employee_EI_premium,
                                 T::Union_dues,
                                 T::RPP_contributions,
                                 T::Charitable_donations,
                                 T::Pension_adjustment,
                                 T::RPP_or_deferred_PlanNumbr,
                                 T::Employee_surname,
                                 T::Employee_first_name,
                                 T::Employee_secondinitial,
                                 T::Employee_address_line_1,
                                 T::Employee_address_line_2,
                                 T::Employee_city,
                                 T::Employee_province_code,
                                 T::Employee_country_code,
                                 T::Employee_postal_code,
                                 T::Other_info_code_1,
                                 T::Other_info_amount_1,
                                 T::Other_info_code_2,
                                 T::Other_info_amount_2,
                                 T::Other_info_code_3,
                                 T::Other_info_amount_3,
                                 T::Other_info_code_4,
                                 T::Other_info_amount_4,
                                 T::Other_info_code_5,
                                 T::Other_info_amount_5,
                                 T::Other_info_code_6,
                                 T::Other_info_amount_6,
                                 T::Employee_CPP2,
                                 T::Employee_QPP2,
                                 T::Employee_PPIP_premium,
                                 T::PPIP_insurable_earnings,
                                 T::Dental_benefits_code,
                                 T::PPIP_Exempt,
                                 T::Report_type,
                                 T::Employee_number};
  return fields[tag - C::FirstTag];
}

const QString SinCaption = QStringLiteral("Error in Social Insurance Number");
const QString Paragraph = QStringLiteral("\r\r");

}  // namespace

void T4EntryController::open() {
  m_notesShown = false;
  SlipEntryController::open();
}

QString T4EntryController::fieldText(int tag) const { return textOf(fieldOf(tag)); }

FieldOutcome T4EntryController::leaveField(int tag, const QString& text) {
  const Field& field = fieldOf(tag);
  if (field.kind == FieldKind::Flag) {
    m_working.setFlag(field, text == QLatin1String("1"));
    return {};
  }
  if (field.kind == FieldKind::Cents) {
    int32_t cents;  // set when the text is an amount
    // An insurable or pensionable box left empty is offered box 14 up to the year's maximum.
    if (const auto proposed = proposedEarnings(m_working, m_employer, field);
        proposed && TrimControlText(text).isEmpty()) {
      m_working.setInt32(field, *proposed);
      FieldOutcome outcome;
      outcome.newText = CentsToStr(*proposed);
      return outcome;
    }
    if (EnteredCents(text, cents)) {
      m_working.setInt32(field, cents);
      return {};
    }
    ShowInvalidAmount(m_ui);
    FieldOutcome refused = FieldOutcome::refused();
    refused.markModified = true;
    return refused;
  }
  switch (tag) {
    case Dental:
      return leaveDental(text);
    case ReportType:
      return leaveReportType(field, text);
    case ProvinceOfEmployment:
    case Province:
      return leaveProvince(tag, text);
    case Sin:
      return leaveSin(text);
    case EmploymentCode:
      return leaveCode(tag, text);
    case PostCode: {
      FieldOutcome outcome;
      outcome.newText = TrimControlText(text.toUpper());
      m_working.setText(field, *outcome.newText);
      return outcome;
    }
    case Surname:
    case FirstName:
    case Addr1:
    case City: {
      FieldOutcome outcome;
      outcome.newText = TrimControlText(text);
      if (outcome.newText->isEmpty()) {
        m_ui.showMessage(
            QStringLiteral("Employee has to have a proper name and address entry.  You cannot "
                           "leave this item blank."));
        outcome.focusBack = true;
        // The names ask again each time they are left empty; the address and city once.
        outcome.markModified = tag == Surname || tag == FirstName;
        return outcome;
      }
      m_working.setText(field, *outcome.newText);
      return outcome;
    }
    default:
      if (tag >= OtherCode1 && tag <= OtherAmount6) return leaveCode(tag, text);
      // The free texts: registration number, initial, second address line, country.
      FieldOutcome outcome;
      outcome.newText = TrimControlText(text);
      m_working.setText(field, *outcome.newText);
      return outcome;
  }
}

FieldOutcome T4EntryController::leaveCode(int tag, const QString& text) {
  if (IsBlankOrNumbered(text)) {
    m_working.setText(fieldOf(tag), text);
    return {};
  }
  m_ui.showMessage(
      tag == EmploymentCode
          ? QStringLiteral(
                "Employment code has to be either blank or the first two characters must form a "
                "numeric code. Select from choices in drop down list")
          : QStringLiteral(
                "In the Other Information area at the bottom of the T4 the Box items have to be "
                "either blank (no corresponding dollar entry) or the first two characters must "
                "form "
                "a numeric Box number (if a corresponding dollar amount will be entered)."));
  return FieldOutcome::refused();
}

FieldOutcome T4EntryController::leaveProvince(int tag, const QString& text) {
  const bool ofEmployment = tag == ProvinceOfEmployment;
  const QStringList& codes = ofEmployment ? employmentProvinceCodes() : addressProvinceCodes();
  FieldOutcome outcome;
  outcome.newText = TrimControlText(text);
  if (outcome.newText->size() == 2) outcome.newText = outcome.newText->toUpper();
  if (outcome.newText->size() != 2 || !codes.contains(*outcome.newText)) {
    m_ui.showMessage(
        ofEmployment
            ? QStringLiteral(
                  "Province of employment cannot be blank or invalid.  Select from choices in drop "
                  "down list.  If not employed in Canada, select US for USA or ZZ for other "
                  "countries.")
            : QStringLiteral(
                  "Province code in employee address cannot be blank or invalid. Select from "
                  "choices "
                  "in drop down list.  If not living in Canada or the USA select ZZ for other "
                  "countries."));
    outcome.focusBack = true;
    return outcome;
  }
  m_working.setText(fieldOf(tag), *outcome.newText);
  // ZZ keeps whatever country was there.
  if (const QString country = countryOfProvince(*outcome.newText);
      !ofEmployment && !country.isEmpty()) {
    outcome.country = country;
    m_working.setText(T::Employee_country_code, country);
  }
  return outcome;
}

FieldOutcome T4EntryController::leaveSin(const QString& text) {
  FieldOutcome outcome;
  outcome.newText = TrimControlText(text);
  const QString& entry = *outcome.newText;
  if (RevCanValidityCheck(entry)) {
    m_working.setText(T::Employee_SIN, entry);
    return outcome;
  }
  m_ui.showMessage(
      QStringLiteral(
          "Social Insurance Number (SIN) failed the Revenue Canada verification check.  Be sure it "
          "consists of 9 numeric digits. Verify with your source document to ensure you have not "
          "made a keying error. YOUR SIN ENTRY WAS: ") +
          entry + Paragraph +
          QStringLiteral(
              "If the SIN has exactly 9 numeric digits and you did not make any keying errors then "
              "somebody gave you the wrong number. Using the correct number is important for "
              "future "
              "pension benefits etc. so you should make a best effort to correct it. If you cannot "
              "fix "
              "it now you should make a note to do it later so it is not forgotten.") +
          Paragraph +
          QStringLiteral("Click OK to read what Revenue Canada's position is on this, then you can "
                         "decide whether "
                         "or not to fix it now."),
      SinCaption);
  const Answer fixNow = m_ui.ask(
      QStringLiteral(
          "The following text is from Revenue Canada's booklet T4028(E) Rev. 98 (1998 Computer "
          "Specifications for Data Filed on Magnetic Media T4, T4A, and T4A-NR):") +
          Paragraph +
          QStringLiteral(
              "\"Invalid or missing social insurance numbers cause processing delays.\"") +
          Paragraph +
          QStringLiteral(
              "\"If the SIN provided by the individual does not pass the verification check, the "
              "preparer should confirm the SIN with the employer who received the original number. "
              "If "
              "you are unable to obtain the correct number for the individual, please do NOT leave "
              "the "
              "SIN field on the information slip blank. Instead, report the SIN that was provided, "
              "even "
              "if it is not a valid number. Frequently, even an incorrect number will enable us to "
              "find "
              "a match so that we can correct the record and ensure the individual receives proper "
              "credit for the deductions.\"") +
          Paragraph + QStringLiteral("So, do you want to FIX IT NOW ?"),
      QuestionKind::YesNo, SinCaption);
  if (fixNow == Answer::No) {
    m_working.setText(T::Employee_SIN, entry);
    outcome.markUnchanged = true;
  }
  outcome.focusBack = true;
  return outcome;
}

bool T4EntryController::checkWorking(QStringList& report) {
  if (!m_notesShown) ReconciliationNotes(report);
  const qsizetype before = report.size();
  CheckT4Record(m_working, m_employer, report);
  if (report.size() - before <= 2) return false;
  m_notesShown = true;
  return true;
}

QString T4EntryController::saveKey() const {
  return m_working.surname().toUpper() + QStringLiteral(", *") + m_working.firstName();
}

FieldOutcome T4EntryController::leaveDental(const QString& text) {
  const std::optional<uint8_t> code = dentalBenefitsCode(TrimControlText(text));
  if (!code) {
    m_ui.showMessage(dentalBenefitsCodes());
    return FieldOutcome::refused();
  }
  m_working.setByte(T::Dental_benefits_code, *code);
  return {};
}

T4Record T4EntryController::newRecord(const Record768& prefix) const {
  // Box 45 starts as the employer's usual answer.
  T4Record record = T4Record::newFrom(prefix);
  record.setByte(T::Dental_benefits_code, m_employer.byte(EmployerRecord::Dental_benefits_code));
  return record;
}

}  // namespace quillet
