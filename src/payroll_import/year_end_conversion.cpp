// Quillet — a new T4 file made from the payroll product's year-end file.
#include "payroll_import/year_end_conversion.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "checks/employer_checks.h"
#include "core/numeric_text.h"
#include "data/file_safety.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "payroll_import/payroll_records.h"
#include "payroll_import/payroll_ui.h"
#include "platform/file_names.h"
#include "platform/file_replacement.h"
#include "platform/shared_file.h"
#include "reports/print_dialogs.h"

namespace quillet {
namespace {

using T = T4Record;
using E = EmployerRecord;
using Y = YearEndRecord;

bool beginsWithDigit(const QString& text) {
  return !text.isEmpty() && text.at(0) >= u'0' && text.at(0) <= u'9';
}

bool fiveDigitZip(const QString& postCode) {
  if (postCode.size() <= 4) return false;
  return std::all_of(postCode.begin(), postCode.begin() + 5,
                     [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Dollars to cents, halves to the even cent; beyond the field's range, the nearest limit.
int32_t toCents(double dollars, bool& tooLarge) {
  const double cents = std::nearbyint(dollars * 100);
  if (cents > std::numeric_limits<int32_t>::max() || cents < std::numeric_limits<int32_t>::min()) {
    tooLarge = true;
    return cents > 0 ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(cents);
}

QString fileTime(const QDateTime& modified) {
  return QLocale::c().toString(modified, QStringLiteral("dddd, MMMM d, yyyy, 'at' hh:mm AP"));
}

}  // namespace

QString chosenBusinessNumber(const QString& a, const QString& b) {
  if (b.isEmpty()) return a;
  if (a.isEmpty() || beginsWithDigit(b)) return b;
  return beginsWithDigit(a) ? a : b;
}

EmployerLimits EmployerLimits::of(const EmployerRecord& e) {
  return {e.int32(E::CPP_rate) / 10000.0, e.int32(E::CPP_max_premium) / 100.0,
          e.int32(E::CPP_max_earnings) / 100.0, e.int32(E::EI_max_earnings) / 100.0};
}

EmployerRecord convertedEmployer(const ConfigRecord& config, const T4Record& prefix) {
  EmployerRecord e;
  e.copyPrefixFrom(prefix);
  e.setByte(E::Record_type, EmployerRecordType);
  const QString phone = config.text(ConfigRecord::Phone);
  const QString digits = digitsOf(phone);
  if (phone.size() >= 10) {
    e.setText(E::S_Contact_area_code, digits.left(3));
    e.setText(E::S_Contact_phone_number, digits.mid(3, 7));
  } else if (phone.size() >= 7) {
    e.setText(E::S_Contact_phone_number, digits.left(7));
  }
  const QString postCode = config.text(ConfigRecord::PostCode);
  e.setText(E::S_Employer_country_code,
            fiveDigitZip(postCode) ? QStringLiteral("USA") : QStringLiteral("CAN"));
  e.setText(E::S_Employer_name_line_1, config.text(ConfigRecord::CompanyName));
  e.setText(E::S_Employer_address_line_1, config.text(ConfigRecord::Street));
  e.setText(E::S_Employer_city, config.text(ConfigRecord::City));
  e.setText(E::S_Employer_province_code, config.text(ConfigRecord::Province));
  e.setText(E::S_Employer_postal_code, postCode);
  const double multiplier = config.eiMultiplier();
  e.setInt32(E::EI_employer_multiplier,
             multiplier >= 0.01 && multiplier <= 2.51
                 ? static_cast<int32_t>(std::nearbyint(multiplier * 10000))
                 : E::DefaultEIMultiplier);
  return e;
}

T4Record ConvertEmployee(const YearEndRecord& y, const T4Record& prefix,
                         const EmployerLimits& limits, const PayrollSetUp& answers,
                         bool& tooLarge) {
  T4Record r = T4Record::newFrom(prefix);
  const auto cents = [&tooLarge](double dollars) { return toCents(dollars, tooLarge); };
  const double income = y.amount(56);
  r.setInt32(T::Employment_income, cents(income));
  r.setInt32(T::Income_tax_deducted, cents(y.amount(59)));
  r.setText(T::Employee_country_code, QStringLiteral("CAN"));

  const QString code = y.text(Y::ProvinceOfEmployment);
  QString province = code.left(2);
  if (code == QLatin1String("PQ")) {
    province = QStringLiteral("QC");
  } else if (code == QLatin1String("ONT")) {
    province = QStringLiteral("ON");
  } else if (code == QLatin1String("NWT")) {
    province = QStringLiteral("NT");
  } else if (code == QLatin1String("OTHER") || code == QLatin1String("AUTRE")) {
    const bool american = fiveDigitZip(y.text(Y::PostCode));
    province = american ? QStringLiteral("US") : QStringLiteral("ZZ");
    if (american) r.setText(T::Employee_country_code, QStringLiteral("USA"));
  }
  r.setText(T::Province_of_employment_code, province);
  r.setText(T::Employee_SIN, digitsOf(y.text(Y::Sin)));

  const double contributions = y.amount(60);
  r.setInt32(province == QLatin1String("QC") ? T::Employee_QPP : T::Employee_CPP,
             cents(contributions));
  const double pensionable = y.amount(89);
  if (contributions >= 0.05 && contributions <= limits.cppMaxPremium - limits.cppRate &&
      pensionable < std::min(income, limits.cppMaxEarnings) - 100) {
    r.setInt32(T::CPP_OR_Quebec_PensionEarn, cents(pensionable));
  }
  r.setFlag(T::CPP_OR_Quebec_Pension_Exempt,
            y.flag(Y::CppExempt) && r.int32(T::CPP_OR_Quebec_PensionEarn) == 0 &&
                r.int32(T::Employee_CPP) == 0 && r.int32(T::Employee_QPP) == 0);

  r.setInt32(T::Employee_EI_premium, cents(y.amount(61)));
  const double insurable = std::min(y.amount(90), limits.eiMaxEarnings);
  if (std::fabs(income - insurable) >= 5.00 && insurable >= 0.05 &&
      insurable <= limits.eiMaxEarnings - 0.05) {
    r.setInt32(T::EI_insurable_earnings, cents(insurable));
  }
  r.setFlag(T::EI_Exempt, y.flag(Y::EiExempt) && r.int32(T::EI_insurable_earnings) == 0 &&
                              r.int32(T::Employee_EI_premium) == 0);

  if (answers.includeBox44) r.setInt32(T::Union_dues, cents(y.amount(66)));
  if (answers.includeBox20) r.setInt32(T::RPP_contributions, cents(y.amount(62)));
  r.setInt32(T::Charitable_donations, cents(y.amount(64) + y.amount(65)));
  r.setText(T::RPP_or_deferred_PlanNumbr, answers.registration);

  r.setText(T::Employee_surname, y.text(Y::Surname));
  r.setText(T::Employee_first_name, y.text(Y::FirstName));
  r.setText(T::Employee_address_line_1, y.text(Y::Street));
  r.setText(T::Employee_city, y.text(Y::Town));
  r.setText(T::Employee_province_code, y.text(Y::Province));
  r.setText(T::Employee_postal_code, y.text(Y::PostCode));

  // The other information pairs, each entry that applies taking the next free pair.
  int pair = 0;
  const auto add = [&](const char* text, double dollars) {
    r.setText(T::Other_info_code[pair], QLatin1String(text));
    r.setInt32(T::Other_info_amount[pair], cents(dollars));
    ++pair;
  };
  const struct {
    int k;
    const char* text;
  } benefits[] = {{49, "30 Housing Board Lodging"},
                  {50, "32 Travel Prescribed Zone"},
                  {51, "34 Psnl Use Co.Car"},
                  {52, "36 Low/No Interest Loan"}};
  double remainder = 0;
  for (int k = 49; k <= 55; ++k) remainder += y.amount(k);
  for (const auto& benefit : benefits) {
    const double amount = y.amount(benefit.k);
    if (amount == 0) continue;
    add(benefit.text, amount);
    remainder -= amount;
  }
  if (std::fabs(remainder) > 0.50) add("40 Other Taxable", remainder);
  if (y.amount(42) != 0) add("42 Employment Commission", y.amount(42));

  r.setText(T::Payroll_reference, y.text(Y::EmployeeNumber));
  return r;
}

ConversionOutcome ConvertYearEndFile(OpenT4FileState& state, PayrollUi& ui, const Clock& clock,
                                     const QString& yearEndPath, const ConfigRecord& config) {
  const QString t4Path = state.T4FileName();
  const platform::PathFacts old = platform::pathFacts(t4Path);
  if (old.exists && platform::pathFacts(yearEndPath).modified < old.modified) {
    const QString question =
        QStringLiteral("Overwrite T4 file ") + t4Path + QStringLiteral(" last") +
        QStringLiteral(" updated on ") + fileTime(old.modified) +
        QStringLiteral(" ?  Yes will replace it with older Wagebook data from ") +
        fileTime(platform::pathFacts(yearEndPath).modified) +
        QStringLiteral(" Click Yes if OK, or No to stop.");
    if (ui.ask(question, QuestionKind::YesNo, {}, QuestionIcon::Error) != Answer::Yes)
      return ConversionOutcome::Stopped;
  }

  auto yearEnd = platform::SharedFile::open(yearEndPath, platform::OpenMode::ReadOnly);
  if (!yearEnd) {
    ui.showMessage(
        QStringLiteral("Could not open file ") + yearEndPath +
        QStringLiteral(" Press Alt Tab repeatedly to check") +
        QStringLiteral(" if Wagebook is running - if it is then switch to that program, exit") +
        QStringLiteral(" that program, then Alt Tab back here to try file selection again"));
    return ConversionOutcome::Stopped;
  }

  // The T4 file is made from the year-end file: it never takes that file's place.
  if (yearEnd->isFile(t4Path)) {
    ui.showMessage(platform::cannotCreateMessage(t4Path));
    return ConversionOutcome::Stopped;
  }
  state.CloseT4File();
  // The old file stays whole, and locked against every other writer, until the new one
  // is complete on the disk and takes its place in one step.
  std::optional<platform::SharedFile> oldFile;
  if (old.exists) {
    auto locked = platform::SharedFile::open(t4Path, platform::OpenMode::ReadWriteDenyWrite);
    if (!locked) {
      ShowFileError(QStringLiteral("replace"), t4Path, ui);
      return ConversionOutcome::Stopped;
    }
    oldFile = std::move(*locked);
  }
  auto replacement = platform::FileReplacement::begin(t4Path);
  if (!replacement) {
    ui.showMessage(replacement.error().message);
    return ConversionOutcome::Stopped;
  }

  // Each record goes after the last one; the first that cannot be written whole ends the
  // conversion, and the new file is dropped.
  int64_t end = 0;
  const auto append = [&](const Record768& record) {
    state.sharedRecord() = record;
    const bool written =
        replacement->file().writeAt(end, state.sharedRecord().bytes()) == Record768::Size;
    if (!written) ShowFileError(QStringLiteral("write T4 to"), t4Path, ui);
    end += Record768::Size;
    return written;
  };
  T4Record prefix;
  prefix.setText(T::RevCan_account_number,
                 chosenBusinessNumber(config.text(ConfigRecord::BusinessNumberA),
                                      config.text(ConfigRecord::BusinessNumberB)));
  HeaderRecord header;
  header.copyPrefixFrom(prefix);
  header.setByte(HeaderRecord::Record_type, HeaderRecordType);
  if (!append(header)) return ConversionOutcome::Stopped;

  EmployerRecord employer = convertedEmployer(config, prefix);
  SetDefaultRates(employer, clock);
  const EmployerLimits limits = EmployerLimits::of(employer);
  if (!append(employer)) return ConversionOutcome::Stopped;
  PayrollSetUp answers;
  ui.askPayrollSetUp(answers);
  answers.registration = answers.registration.trimmed();  // box 50 takes 7 characters

  const int64_t size = yearEnd->size();
  int64_t position = 0;
  int employees = 0;
  QStringList tooLarge;
  std::array<uint8_t, YearEndRecord::Size> bytes{};
  const int total =
      int(std::min<int64_t>(size / YearEndRecord::Size, std::numeric_limits<int>::max()));
  Progress progress(ui, QStringLiteral("Employees converted"), total);
  while (position < size) {
    // Stopped, the new file is dropped and the old one stays as it was.
    if (!progress.step(employees)) {
      ui.showMessage(QStringLiteral("The conversion was stopped at employee %1 of %2: nothing "
                                    "was written, and %3 is as it was.")
                         .arg(employees + 1)
                         .arg(total)
                         .arg(t4Path));
      return ConversionOutcome::Stopped;
    }
    const int64_t got = yearEnd->readAt(position, bytes);
    if (got == 0) {
      ui.showMessage(
          QStringLiteral("Premature end of file on input ") + yearEndPath +
          QStringLiteral(" . Output file may be missing") +
          QStringLiteral(" employees.  If so, try this again.  If problem repeats scan the disk") +
          QStringLiteral(" for bad sectors then re-run Wagebook year end from backups."));
      break;
    }
    if (got < YearEndRecord::Size) {
      ui.showMessage(
          QStringLiteral("Partial record read on input ") + yearEndPath +
          QStringLiteral(" . Conversion stopped at last whole record. This") +
          QStringLiteral(" is most likely due to a disk error, though it is possible that this") +
          QStringLiteral(" file was wrongly renamed from a different type."));
      break;
    }
    position += got;
    const YearEndRecord employee(bytes);
    bool beyond = false;
    if (!append(ConvertEmployee(employee, prefix, limits, answers, beyond)))
      return ConversionOutcome::Stopped;
    if (beyond) tooLarge << employee.text(Y::FirstName) + u' ' + employee.text(Y::Surname);
    ++employees;
  }

  auto replaced = replacement->commit();
  if (!replaced) {
    ShowFileError(QStringLiteral("write T4 to"), t4Path, ui);
    return ConversionOutcome::Stopped;
  }
  state.OpenT4File(std::move(*replaced));
  ui.showMessage(QString::number(employees) +
                 QStringLiteral(" employees processed. Conversion from ") + yearEndPath +
                 QStringLiteral(" to ") + t4Path +
                 QStringLiteral(" is completed and the file is open for editing") +
                 QStringLiteral(" or printing (select main menu choices)."));
  if (!tooLarge.isEmpty()) {
    ui.showMessage(
        QStringLiteral(
            "Some year-end amounts were too large for a T4 box and were stored as the largest "
            "amount a box can hold (21474836.47, or -21474836.48 for a negative one). Check "
            "the T4's of: ") +
        tooLarge.join(QStringLiteral(", ")));
  }
  return ConversionOutcome::Completed;
}

}  // namespace quillet
