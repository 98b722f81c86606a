// Quillet — the employer information screen without its window: the working record,
// the action of each field as it is left, and closing with the save.
#include "screens/employer_screen_controller.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>

#include "checks/code_tables.h"
#include "checks/employer_checks.h"
#include "checks/revcan_validity.h"
#include "checks/tax_years.h"
#include "core/numeric_text.h"
#include "core/ui.h"
#include "core/viewer_report.h"
#include "data/file_safety.h"
#include "data/open_t4_file.h"
#include "platform/file_replacement.h"

namespace quillet {
namespace {

using E = EmployerRecord;
using C = EmployerScreenController;

// The field of each Tag, from 1.
const std::array<Field, C::LastTag> TagFields = {E::S_Employer_name_line_1,
                                                 E::S_Employer_name_line_2,
                                                 E::S_Employer_name_line_3,
                                                 E::S_Employer_address_line_1,
                                                 E::S_Employer_address_line_2,
                                                 E::S_Employer_city,
                                                 E::S_Employer_province_code,
                                                 E::S_Employer_country_code,
                                                 E::S_Employer_postal_code,
                                                 E::RevCan_account_number,
                                                 E::S_Contact_name,
                                                 E::S_Contact_area_code,
                                                 E::S_Contact_phone_number,
                                                 E::S_Contact_extension,
                                                 E::S_Proprietor_SIN_1,
                                                 E::S_Proprietor_SIN_2,
                                                 E::CPP_rate,
                                                 E::CPP_max_premium,
                                                 E::CPP_max_earnings,
                                                 E::CPP_basic_exemption,
                                                 E::EI_rate,
                                                 E::EI_max_premium,
                                                 E::EI_max_earnings,
                                                 E::S_Taxation_year,
                                                 E::S_New_hires_refund,
                                                 E::EI_employer_multiplier,
                                                 E::CPP2_max_earnings,
                                                 E::CPP2_rate,
                                                 E::CPP2_max_premium,
                                                 E::QPP_rate,
                                                 E::QPP_max_premium,
                                                 E::QPP2_max_premium,
                                                 E::QC_EI_rate,
                                                 E::QC_EI_max_premium,
                                                 E::PPIP_max_earnings,
                                                 E::PPIP_rate,
                                                 E::PPIP_employer_rate,
                                                 E::PPIP_max_premium,
                                                 E::Dental_benefits_code,
                                                 E::S_Contact_email};

const Field& fieldOf(int tag) { return TagFields.at(std::size_t(tag - 1)); }

const QString Paragraph = QStringLiteral("\r\r");

QString businessNumberBox(const QString& entry) {
  return QStringLiteral("Was expecting a Revenue Canada Business Number like 123456789RP0001") +
         QStringLiteral(" The first 9 digits should be numeric and are checked for validity with") +
         QStringLiteral(" a math formula.  Your entry failed the validity check.") + Paragraph +
         QStringLiteral("This number is important for reconciliation of the T4 totals with") +
         QStringLiteral(" the money you have already deposited when you filed all those PD7A") +
         QStringLiteral(" forms (Current Source Deductions Remittance Voucher) during the year.") +
         QStringLiteral(" This number will be printed on every T4 form in this file as well as") +
         QStringLiteral(" on the Summary form.") +
         QStringLiteral(" Verify with your source document to ensure you have not made a") +
         QStringLiteral(" keying error. YOUR ENTRY WAS: ") + entry + Paragraph +
         QStringLiteral("If you did not") +
         QStringLiteral(" make any keying errors then somebody gave you the wrong number.") +
         QStringLiteral(" You should make a best effort to correct it. If you cannot") +
         QStringLiteral(
             " fix it now you should make a note to do it later so it is not forgotten.") +
         Paragraph + QStringLiteral("So, do you want to FIX IT NOW ?");
}

QString sinBox(const QString& entry) {
  return QStringLiteral("Social Insurance Number (SIN) failed the Revenue Canada") +
         QStringLiteral(" verification check.  Be sure it consists of 9 numeric digits.") +
         QStringLiteral(" Verify with your source document to ensure you have not made a") +
         QStringLiteral(" keying error. YOUR SIN ENTRY WAS: ") + entry + Paragraph +
         QStringLiteral("If the SIN has exactly 9 numeric digits and you did not") +
         QStringLiteral(" make any keying errors then somebody gave you the wrong number.") +
         QStringLiteral(" You should make a best effort to correct it. If you cannot") +
         QStringLiteral(
             " fix it now you should make a note to do it later so it is not forgotten.") +
         Paragraph + QStringLiteral("So, do you want to FIX IT NOW ?");
}

bool isRate(int tag) { return fieldOf(tag).kind == FieldKind::Fix4; }

}  // namespace

EmployerScreenController::EmployerScreenController(OpenT4FileState& state, Ui& ui,
                                                   const Clock& clock)
    : m_state(state), m_ui(ui), m_clock(clock) {}

void EmployerScreenController::open() {
  m_working.clear();
  m_openingBusinessNumber.clear();
  if (m_state.T4File().size() >= FirstT4Position && readEmployerRecord(m_state, m_working)) {
    m_openingBusinessNumber = m_working.text(E::RevCan_account_number);
  } else {
    m_working = newEmployerRecord(m_clock);
  }
  m_original = m_working;
}

QString EmployerScreenController::fieldText(int tag) const {
  const Field& field = fieldOf(tag);
  switch (field.kind) {
    case FieldKind::Text:
      return m_working.text(field);
    case FieldKind::U16:
      return QString::number(m_working.u16(field));
    case FieldKind::Byte: {
      const int code = m_working.byte(field);
      return code == 0 ? QString() : QString::number(code);
    }
    default:
      return isRate(tag) ? Fix4ToStr(m_working.int32(field)) : CentsToStr(m_working.int32(field));
  }
}

FieldOutcome EmployerScreenController::leaveField(int tag, const QString& text) {
  switch (tag) {
    case Name1:
    case Addr1:
    case City: {
      const QString trimmed = TrimControlText(text);
      FieldOutcome outcome;
      if (trimmed != text) outcome.newText = trimmed;
      if (trimmed.isEmpty()) {
        m_ui.showMessage(
            QStringLiteral("Company should have a proper name and address entry.  You "
                           "cannot leave this item blank."));
        outcome.focusBack = true;
        return outcome;
      }
      m_working.setText(fieldOf(tag), trimmed);
      return outcome;
    }
    case Prov:
      return leaveProvince(text);
    case Country:
      m_working.setText(E::S_Employer_country_code, text.left(3));
      return {};
    case PostCode: {
      const QString upper = text.toUpper();
      m_working.setText(E::S_Employer_postal_code, TrimControlText(upper));
      FieldOutcome outcome;
      if (upper != text) outcome.newText = upper;
      return outcome;
    }
    case BusnNum:
      return leaveBusinessNumber(text);
    case Sin1:
      return leaveSin(E::S_Proprietor_SIN_1, text);
    case Sin2:
      return leaveSin(E::S_Proprietor_SIN_2, text);
    case DentalCode:
      return leaveDentalCode(text);
    case ContEmail:
      return leaveEmail(text);
    default:
      if (tag >= CppRate && tag <= PpipMaxPrem) return leaveNumber(tag, text);
      if (tag >= FirstTag && tag <= LastTag) m_working.setText(fieldOf(tag), text);
      return {};
  }
}

FieldOutcome EmployerScreenController::leaveNumber(int tag, const QString& text) {
  const Field& field = fieldOf(tag);
  bool converted = false;
  if (tag == TaxYr) {
    const QString trimmed = TrimControlText(text);
    const uint year = trimmed.isEmpty() ? 0 : trimmed.toUInt(&converted);
    converted = converted || trimmed.isEmpty();
    converted = converted && year <= 0xFFFF;
    if (converted && year != m_working.u16(field)) {
      m_working.setU16(field, static_cast<uint16_t>(year));
      return offerRatesOf(int(year));
    }
  } else {
    int32_t value = 0;
    converted = isRate(tag) ? StrToFix4(text, value) : StrToCents(text, value);
    if (converted) m_working.setInt32(field, value);
  }
  if (converted) return {};
  ShowInvalidAmount(m_ui);
  return FieldOutcome::refused();
}

// A tax year of the rates table, typed anew: its rates are offered.
FieldOutcome EmployerScreenController::offerRatesOf(int year) {
  const TaxYearRates* rates = ratesOf(year);
  if (!rates || m_ui.ask(QStringLiteral("Load the CPP/QPP, EI and PPIP rates of the %1 tax year "
                                        "into this screen? No keeps the rates as they are.")
                             .arg(year),
                         QuestionKind::YesNo) != Answer::Yes) {
    return {};
  }
  applyRates(m_working, *rates);
  FieldOutcome outcome;
  outcome.refreshAll = true;
  return outcome;
}

FieldOutcome EmployerScreenController::leaveDentalCode(const QString& text) {
  const std::optional<uint8_t> code = dentalBenefitsCode(TrimControlText(text));
  if (!code) {
    m_ui.showMessage(dentalBenefitsCodes());
    return FieldOutcome::refused();
  }
  m_working.setByte(E::Dental_benefits_code, *code);
  return {};
}

FieldOutcome EmployerScreenController::leaveEmail(const QString& text) {
  const QString trimmed = TrimControlText(text);
  // Something, an @, something, a dot, something: no more is asked of an address here.
  static const QRegularExpression address(QStringLiteral(R"(^[^@\s]+@[^@\s]+\.[^@\s]+$)"));
  if (!trimmed.isEmpty() && !address.match(trimmed).hasMatch()) {
    m_ui.showMessage(
        QStringLiteral("The contact's e-mail address should look like name@example.ca"));
    return FieldOutcome::refused();
  }
  m_working.setText(E::S_Contact_email, trimmed);
  FieldOutcome outcome;
  if (trimmed != text) outcome.newText = trimmed;
  return outcome;
}

FieldOutcome EmployerScreenController::leaveProvince(const QString& text) {
  const QString refused = QStringLiteral(
      "Province code in Company address should not be blank or invalid. Select from choices in "
      "drop down list.  If not located in Canada or the USA select ZZ for other countries.");
  const QString trimmed = TrimControlText(text);
  if (trimmed.size() != 2) {
    m_ui.showMessage(refused);
    return FieldOutcome::refused();
  }
  const QString code = capitalisedCode(trimmed);
  FieldOutcome outcome;
  outcome.newText = code;
  if (!addressProvinceCodes().contains(code)) {
    m_ui.showMessage(refused);
    outcome.focusBack = true;
    return outcome;
  }
  m_working.setText(E::S_Employer_province_code, code);
  // ZZ keeps whatever country was there.
  if (const QString country = countryOfProvince(code); !country.isEmpty()) {
    m_working.setText(E::S_Employer_country_code, country);
    outcome.country = country;
  }
  return outcome;
}

FieldOutcome EmployerScreenController::leaveBusinessNumber(const QString& text) {
  const QString trimmed = TrimControlText(text);
  if (RevCanValidityCheck(trimmed.left(9))) {
    m_working.setText(E::RevCan_account_number, trimmed);
    return {};
  }
  FieldOutcome outcome = FieldOutcome::refused();
  if (m_ui.ask(businessNumberBox(trimmed), QuestionKind::YesNo,
               QStringLiteral("Error in Business Number")) == Answer::No) {
    m_working.setText(E::RevCan_account_number, trimmed);
    outcome.markUnchanged = true;
  }
  return outcome;
}

FieldOutcome EmployerScreenController::leaveSin(const Field& field, const QString& text) {
  const QString trimmed = TrimControlText(text);
  if (trimmed.isEmpty() || RevCanValidityCheck(trimmed)) {
    m_working.setText(field, trimmed);
    return {};
  }
  FieldOutcome outcome = FieldOutcome::refused();
  if (m_ui.ask(sinBox(trimmed), QuestionKind::YesNo,
               QStringLiteral("Error in Social Insurance Number")) == Answer::No) {
    m_working.setText(field, trimmed);
    outcome.markUnchanged = true;
  }
  return outcome;
}

bool EmployerScreenController::closeQuery(bool okClicked) {
  QStringList findings;
  CheckEmployerRecord(m_working, findings, m_state.slipKind());
  if (!findings.isEmpty()) {
    ViewerReport report;
    report.lines = findings;
    if (m_ui.showReport(report, ViewerButtons::FixErrorOrIgnore) == ViewerResult::FixError)
      return false;
  }

  if (m_state.T4File().size() < FirstT4Position) {
    // A new file: its header record in front of the first employer record. Cancel still
    // closes the screen when this cannot be written (the failure has been told).
    m_state.sharedRecord() = HeaderRecord::forEmployer(m_working, m_state.slipKind());
    if (!m_state.writeSlot(HeaderPosition)) {
      ShowFileError(QStringLiteral("write"), m_state.T4FileName(), m_ui);
      return !okClicked;
    }
    return save() || !okClicked;
  }
  if (m_working == m_original) return true;
  if (!okClicked) {
    const Answer answer = m_ui.ask(
        QStringLiteral(
            "Cancel or Close was clicked but you had made changes. Yes here throws away "
            "those changes No saves them, or Cancel returns you to the input screen if you "
            "are not sure. So, throw away changes ?"),
        QuestionKind::YesNoCancel, QStringLiteral("Confirm"));
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::Yes) return true;
  }
  // A record that could not be saved stays on the screen, to be saved again or thrown away.
  return save();
}

bool EmployerScreenController::save() {
  if (!openFileStillAtItsPath(m_state, m_ui)) return false;
  m_working.setByte(E::Record_type, EmployerRecordType);
  if (m_working.text(E::RevCan_account_number) != m_openingBusinessNumber)
    return rewriteWithBusinessNumber();
  m_state.sharedRecord() = m_working;
  if (!m_state.writeSlot(EmployerPosition) || !m_state.T4File().sync()) {
    ShowFileError(QStringLiteral("write"), m_state.T4FileName(), m_ui);
    return false;
  }
  return true;
}

// Every record of the file takes the new business number, the employer record the whole
// working copy. The file is made anew beside the old one and put in its place in one
// step, so that it never holds old and new numbers mixed: a failure leaves it as it was.
bool EmployerScreenController::rewriteWithBusinessNumber() {
  TAlphaInxFileStream& file = m_state.T4File();
  Record768& buffer = m_state.sharedRecord();
  const QString number = m_working.text(E::RevCan_account_number);
  const int64_t size = std::max(file.size(), FirstT4Position);
  const auto failure = [this](const char* what, int64_t offset) {
    m_ui.showMessage(
        QStringLiteral("File %1 error ").arg(QLatin1String(what)) + QString::number(offset) +
        QStringLiteral(" bytes from start of file when updating all T4's for Business") +
        QStringLiteral(" Number change. Update aborted. Check disk with a disk utility."));
    return false;
  };
  if (const QString note = platform::otherNamesNote(m_state.T4FileName()); !note.isEmpty())
    m_ui.showMessage(note);
  auto replacement = platform::FileReplacement::begin(m_state.T4FileName());
  if (!replacement) {
    ShowFileError(QStringLiteral("write"), m_state.T4FileName(), m_ui);
    return false;
  }
  for (int64_t position = 0; position < size; position += Record768::Size) {
    if (position == EmployerPosition) {
      buffer = m_working;
    } else if (const int64_t got = file.readAt(position, buffer.bytes()); got != Record768::Size) {
      return failure("READ", position + got);
    }
    buffer.setText(E::RevCan_account_number, number);
    const int64_t written = replacement->file().writeAt(position, buffer.bytes());
    if (written != Record768::Size) return failure("WRITE", position + written);
  }
  auto replaced = replacement->commit();
  if (!replaced) {
    ShowFileError(QStringLiteral("write"), m_state.T4FileName(), m_ui);
    return false;
  }
  file.replaceFile(std::move(*replaced));
  return true;
}

}  // namespace quillet
