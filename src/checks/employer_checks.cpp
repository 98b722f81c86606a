// Quillet — the checks of the employer record, and the default rates of a new one.
#include "checks/employer_checks.h"

#include <algorithm>

#include "checks/code_tables.h"
#include "checks/revcan_validity.h"
#include "checks/tax_years.h"
#include "core/clock.h"
#include "data/employer_record.h"

namespace quillet {
namespace {

using E = EmployerRecord;

class EmployerChecker {
 public:
  EmployerChecker(EmployerRecord& employer, QStringList& findings, SlipKind slips)
      : r(employer), out(findings), kind(slips) {}

  void run() {
    checkName();
    checkAddress();
    checkBusinessNumber();
    checkContact();
    checkProprietor(E::S_Proprietor_SIN_1, QStringLiteral("1st"));
    checkProprietor(E::S_Proprietor_SIN_2, QStringLiteral("2nd"));
    checkYearAndRates();
  }

 private:
  void add(const QString& line) { out << QStringLiteral("  ") << line; }
  bool empty(const Field& f) const { return r.isEmpty(f); }

  void checkName() {
    if (empty(E::S_Employer_name_line_1) && empty(E::S_Employer_name_line_2) &&
        empty(E::S_Employer_name_line_3)) {
      add(QStringLiteral("Company does not have a name"));
    } else if (empty(E::S_Employer_name_line_1)) {
      add(QStringLiteral("A good place to start the Company name is on name line 1"));
    }
  }

  void checkAddress() {
    if (empty(E::S_Employer_address_line_1) && empty(E::S_Employer_address_line_2)) {
      add(QStringLiteral("Company does not have a street address"));
    } else if (empty(E::S_Employer_address_line_1)) {
      add(QStringLiteral("A good place to start the Company street address is on address line 1"));
    }

    if (empty(E::S_Employer_city))
      add(QStringLiteral("Town or City is missing from Company address"));

    QString province = r.text(E::S_Employer_province_code);
    if (province.size() < 2) {
      add(QStringLiteral("Company has no Province or State in the address"));
    } else if (province.size() > 2) {
      add(QStringLiteral(
          "Revenue Canada prefer a 2 character Province or State code in the address"));
      out << QStringLiteral("(select from drop down list), but ") + province +
                 QStringLiteral(" will do if it is")
          << QStringLiteral("OK for the post office");
    } else {
      province = capitalisedCode(province);
      r.setText(E::S_Employer_province_code, province);
      if (!CheckAddressProvince(province)) {
        add(QStringLiteral(
            "Address Province or State code is invalid, select from the drop down list"));
      }
    }

    if (empty(E::S_Employer_postal_code)) {
      add(QStringLiteral("Company has no postal or zip code in the address"));
    }
  }

  void checkBusinessNumber() {
    if (empty(E::RevCan_account_number)) {
      add(QStringLiteral("Revenue Canada Business Number is missing"));
      return;
    }
    int32_t code;  // always set by the check
    if (RevCanValidityCheck(r.text(E::RevCan_account_number).left(11), code)) return;
    add(code == RevCanNotNineDigits
            ? QStringLiteral("Revenue Canada Business Number does not contain 9 numeric digits")
            : QStringLiteral(
                  "Revenue Canada Business Number failed Revenue Canada validity check"));
  }

  void checkContact() {
    const bool noName = empty(E::S_Contact_name);
    const bool noArea = empty(E::S_Contact_area_code);
    const bool noNumber = empty(E::S_Contact_phone_number);
    if (noName && noArea && noNumber) {
      add(QStringLiteral("There is no Contact information in case Revenue Canada have questions."));
      return;
    }
    if (noName) add(QStringLiteral("There is no Contact name"));
    if (noNumber) {
      add(QStringLiteral("There is no Contact phone number"));
    } else if (noArea) {
      add(QStringLiteral("There is no area code for the Contact phone number"));
    }
  }

  void checkProprietor(const Field& field, const QString& ordinal) {
    if (empty(field)) return;
    int32_t code;  // always set by the check
    if (RevCanValidityCheck(r.text(field), code)) return;
    add(ordinal +
        (code == RevCanNotNineDigits
             ? QStringLiteral(
                   " Proprietor's Social Insurance Number does not contain 9 numeric digits")
             : QStringLiteral(
                   " Proprietor's Social Insurance Number failed Revenue Canada validity check")));
  }

  void checkYearAndRates() {
    const int year = r.u16(E::S_Taxation_year);
    if (year < 1997 || year > 2100) {
      add(QStringLiteral("Tax Year is invalid or missing, ensure a 4 digit year is entered"));
    }
    // A T4A payer's rates take no part in its slips.
    if (kind == SlipKind::T4A) return;
    const auto anyZero = [this](std::initializer_list<Field> fields) {
      for (const Field& f : fields) {
        if (r.int32(f) == 0) return true;
      }
      return false;
    };
    if (anyZero({E::CPP_rate, E::CPP_max_premium, E::CPP_max_earnings, E::CPP_basic_exemption})) {
      add(QStringLiteral("One or more of the CPP or QPP rating entries are missing"));
    }
    if (anyZero({E::EI_rate, E::EI_max_premium, E::EI_max_earnings})) {
      add(QStringLiteral("One or more of the EI rating entries are missing"));
    }
    // The rates that later years added, for the years that have them.
    if (year >= 2001 && anyZero({E::QPP_rate, E::QPP_max_premium})) {
      add(QStringLiteral("One or more of the QPP rating entries are missing"));
    }
    if (year >= 2024 &&
        anyZero({E::CPP2_max_earnings, E::CPP2_rate, E::CPP2_max_premium, E::QPP2_max_premium})) {
      add(QStringLiteral("One or more of the CPP2 or QPP2 rating entries are missing"));
    }
    if (year >= 2006 && anyZero({E::QC_EI_rate, E::QC_EI_max_premium, E::PPIP_max_earnings,
                                 E::PPIP_rate, E::PPIP_employer_rate, E::PPIP_max_premium})) {
      add(QStringLiteral("One or more of the Quebec EI or PPIP rating entries are missing"));
    }
    const int32_t multiplier = r.int32(E::EI_employer_multiplier);
    if (multiplier < 1 || multiplier > 30000) {
      add(QStringLiteral(
          "Multiplier for Company EI from Employee EI is missing or invalid, usually 1.4"));
    }
  }

  EmployerRecord& r;
  QStringList& out;
  SlipKind kind;
};

}  // namespace

void CheckEmployerRecord(EmployerRecord& employer, QStringList& findings, SlipKind kind) {
  EmployerChecker(employer, findings, kind).run();
}

int defaultTaxYear(const QDate& today) {
  // T4s are made for the year that is ending from September on, else for the one before.
  const int year = today.month() >= 9 ? today.year() : today.year() - 1;
  return std::clamp(year, taxYears().front().year, taxYears().back().year);
}

void applyRates(EmployerRecord& employer, const TaxYearRates& rates) {
  // CPP2 and QPP2 are 4 % of the earnings between the two ceilings, from 2024.
  constexpr int32_t Cpp2Rate = 40000;
  employer.setU16(E::S_Taxation_year, uint16_t(rates.year));
  const std::pair<const Field&, int32_t> figures[] = {
      {E::CPP_rate, rates.cppRate},
      {E::CPP_max_premium, rates.cppMax},
      {E::CPP_max_earnings, rates.ympe},
      {E::CPP_basic_exemption, rates.basicExemption},
      {E::EI_rate, rates.eiRate},
      {E::EI_max_premium, rates.eiMax},
      {E::EI_max_earnings, rates.eiMaxInsurable},
      {E::CPP2_max_earnings, rates.yampe},
      {E::CPP2_rate, rates.yampe != 0 ? Cpp2Rate : 0},
      {E::CPP2_max_premium, rates.cpp2Max},
      {E::QPP_rate, rates.qppRate},
      {E::QPP_max_premium, rates.qppMax},
      {E::QPP2_max_premium, rates.qpp2Max},
      {E::QC_EI_rate, rates.quebecEiRate},
      {E::QC_EI_max_premium, rates.quebecEiMax},
      {E::PPIP_max_earnings, rates.qpipMaxInsurable},
      {E::PPIP_rate, rates.qpipEmployeeRate},
      {E::PPIP_employer_rate, rates.qpipEmployerRate},
      {E::PPIP_max_premium, rates.qpipEmployeeMax},
  };
  for (const auto& [field, value] : figures) employer.setInt32(field, value);
}

void SetDefaultRates(EmployerRecord& employer, const Clock& clock) {
  applyRates(employer, *ratesOf(defaultTaxYear(clock.now().date())));
}

EmployerRecord newEmployerRecord(const Clock& clock) {
  EmployerRecord employer;
  SetDefaultRates(employer, clock);
  employer.setInt32(E::EI_employer_multiplier, EmployerRecord::DefaultEIMultiplier);
  return employer;
}

}  // namespace quillet
