// Quillet — the checks of one T4 record against the year's rates.
#include "checks/t4_record_checks.h"

#include <algorithm>
#include <array>

#include "app/numeric_text.h"
#include "checks/code_tables.h"
#include "checks/revcan_validity.h"
#include "data/employer_record.h"
#include "data/t4_record.h"

namespace quillet {
namespace {

const QString Blank = QStringLiteral("  ");

// Capitalises a code in place and returns it.
QString capitalised(T4Record& record, const Field& field) {
  const QString code = capitalisedCode(record.text(field));
  record.setText(field, code);
  return code;
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool hasTwoLeadingDigits(const QString& text) {
  return text.size() >= 2 && isDigit(text.at(0)) && isDigit(text.at(1));
}

class T4Checker {
 public:
  T4Checker(T4Record& record, const EmployerRecord& employer, QStringList& findings)
      : r(record), e(employer), out(findings) {}

  void run() {
    if (r.isVoid()) return;
    out << Blank
        << QStringLiteral("Validation Report for SIN ") + r.text(T4Record::Employee_SIN) + Blank +
               r.firstName() + QLatin1Char(' ') + r.surname();
    checkSmallEarnings();
    checkNameAndAddress();
    checkSin();
    checkCodes();
    checkIncome();
    checkCppQpp();
    checkEi();
    checkOtherInfoCodes();
    checkNegatives();
  }

 private:
  void add(const QString& line) { out << Blank << line; }
  void add(const QString& line1, const QString& line2) { out << Blank << line1 << line2; }
  int32_t cents(const Field& f) const { return r.int32(f); }

  void checkSmallEarnings() {
    if (cents(T4Record::Employment_income) < 50000 && cents(T4Record::Income_tax_deducted) == 0 &&
        cents(T4Record::Employee_CPP) == 0 && cents(T4Record::Employee_QPP) == 0 &&
        cents(T4Record::Employee_EI_premium) == 0) {
      add(QStringLiteral("If no group term life taxable benefits, then you can VOID this T4 as"),
          QStringLiteral("earnings below $500.00 and no CPP/EI/Income Tax deductions."));
    }
  }

  void checkNameAndAddress() {
    const bool noSurname = r.isEmpty(T4Record::Employee_surname);
    const bool noFirstName = r.isEmpty(T4Record::Employee_first_name);
    if (noSurname && noFirstName) {
      add(QStringLiteral("Employee has no name"));
    } else if (noSurname || noFirstName) {
      add(QStringLiteral("Part of employee name is missing"));
    }

    if (r.isEmpty(T4Record::Employee_address_line_1) &&
        r.isEmpty(T4Record::Employee_address_line_2)) {
      add(QStringLiteral("Employee has no street address"));
    } else if (r.isEmpty(T4Record::Employee_address_line_1)) {
      add(QStringLiteral("A good place to start Employee street address is on line 1"));
    }

    if (r.isEmpty(T4Record::Employee_city)) {
      add(QStringLiteral("Employee has no city or town in the address"));
    }

    const int provinceLength = r.textLength(T4Record::Employee_province_code);
    if (provinceLength < 2) {
      add(QStringLiteral("Employee has no Province or State in the address"));
    } else if (provinceLength == 2 &&
               !CheckAddressProvince(capitalised(r, T4Record::Employee_province_code))) {
      add(QStringLiteral(
          "Address Province or State code is invalid, select from the drop down list"));
    }

    if (r.isEmpty(T4Record::Employee_postal_code)) {
      add(QStringLiteral("Employee has no postal or zip code in the address"));
    }
  }

  void checkSin() {
    if (r.isEmpty(T4Record::Employee_SIN)) {
      add(QStringLiteral("Employee has no Social Insurance Number"));
      return;
    }
    int32_t code = 0;
    if (RevCanValidityCheck(r.text(T4Record::Employee_SIN), code)) return;
    add(code == RevCanNotNineDigits
            ? QStringLiteral("Employee Social Insurance Number does not contain 9 numeric digits")
            : QStringLiteral(
                  "Employee Social Insurance Number failed Revenue Canada validity check"));
  }

  void checkCodes() {
    if (r.textLength(T4Record::Province_of_employment_code) < 2) {
      add(QStringLiteral("Employee has no Province of Employment code"));
    } else if (!CheckEmploymentProvince(capitalised(r, T4Record::Province_of_employment_code))) {
      add(QStringLiteral("Province of Employment code is invalid, select from the drop down list"));
    }

    const QString employmentCode = r.text(T4Record::Employment_code);
    if (!employmentCode.isEmpty() && !hasTwoLeadingDigits(employmentCode)) {
      add(QStringLiteral("Employment code is invalid"));
    }
  }

  void checkIncome() {
    const int32_t income = cents(T4Record::Employment_income);
    if (income == 0) {
      add(QStringLiteral("Employment income is zero"));
      return;
    }
    int64_t benefits = 0;  // six amounts can pass the 32-bit range
    for (int i = 0; i < T4Record::OtherInfoCount; ++i) {
      const int32_t amount = cents(T4Record::Other_info_amount[i]);
      if (amount != 0 && isTaxableBenefitCode(r.text(T4Record::Other_info_code[i]))) {
        benefits += amount;
      }
    }
    if (income < benefits) add(QStringLiteral("Employment income is less than taxable benefits."));
  }

  void checkCppQpp() {
    const int32_t cpp = cents(T4Record::Employee_CPP);
    const int32_t qpp = cents(T4Record::Employee_QPP);
    const int32_t pensionable = cents(T4Record::CPP_OR_Quebec_PensionEarn);
    const bool exempt = r.flag(T4Record::CPP_OR_Quebec_Pension_Exempt);
    if (cpp == 0 && qpp == 0 && pensionable == 0 && exempt) return;

    if (exempt) {
      add(QStringLiteral(
          "Employee is marked Exempt from CPP but has entries that indicate otherwise"));
    }
    if (cpp != 0 && qpp != 0) {
      add(QStringLiteral("T4 is for one Province, you should not have entries in BOTH CPP and"),
          QStringLiteral("QPP contributions. QPP is Quebec only."));
    }
    const int64_t contributions = int64_t{cpp} + qpp;
    const int64_t maxPremium = e.int32(EmployerRecord::CPP_max_premium);
    if (contributions > maxPremium) {
      add(QStringLiteral("CPP or QPP premium is greater than the ") +
          CentsToStr(int32_t(maxPremium)) + QStringLiteral(" maximum for the year"));
    }
    expectCpp(pensionable != 0 ? pensionable : cents(T4Record::Employment_income), contributions);
  }

  void expectCpp(int64_t earnings, int64_t contributions) {
    if (earnings <= 0) {
      if (contributions != 0) {
        add(QStringLiteral(
            "CPP or QPP contributions entered but no income to base calculation on."));
      }
      return;
    }
    const int32_t maxPremium = e.int32(EmployerRecord::CPP_max_premium);
    if (earnings >= e.int32(EmployerRecord::CPP_max_earnings)) {
      if (int64_t{maxPremium} - 500 > contributions) {
        add(QStringLiteral("CPP or QPP contributions are less than the ") + CentsToStr(maxPremium) +
                QStringLiteral(" maximum for the year,"),
            QStringLiteral("but earnings indicate the maximum might be due."));
      }
      return;
    }
    const double exemption = e.int32(EmployerRecord::CPP_basic_exemption);
    const double rate = e.int32(EmployerRecord::CPP_rate);
    const double yearBase = double(earnings) - exemption;       // 52 weeks worked
    const double weekBase = double(earnings) - exemption / 52;  // one week worked
    const double low = yearBase < 0.01 ? 0 : (yearBase / 100) * rate / 1000000;
    const double high = weekBase < 0.01 ? 0 : (weekBase / 100) * rate / 1000000;
    const double c = double(contributions) / 100;

    QString verdict;
    if (low - 5.00 > c) {
      verdict = QStringLiteral("LOWER");
    } else if (high + 1.00 < c) {
      verdict = QStringLiteral("HIGHER");
    } else {
      return;
    }
    out << Blank
        << QString::asprintf("Based on %.2f earnings was expecting CPP or QPP contributions in",
                             double(earnings) / 100)
        << QString::asprintf("range %.2f (if 52 weeks worked) to %.2f (if only 1 week worked).",
                             low, high)
        << QString::asprintf("Employee CPP or QPP contributions at %.2f is %s than expected.", c,
                             qPrintable(verdict));
  }

  void checkEi() {
    const int32_t premium = cents(T4Record::Employee_EI_premium);
    const int32_t insurable = cents(T4Record::EI_insurable_earnings);
    const bool exempt = r.flag(T4Record::EI_Exempt);
    if (premium == 0 && insurable == 0 && exempt) return;

    if (exempt) {
      add(QStringLiteral(
          "Employee is marked Exempt from EI but has entries that indicate otherwise"));
    }
    const int32_t maxPremium = e.int32(EmployerRecord::EI_max_premium);
    if (premium > maxPremium) {
      add(QStringLiteral("EI premium is greater than the ") + CentsToStr(maxPremium) +
          QStringLiteral(" maximum for the year"));
    }
    expectEi(insurable != 0 ? insurable : cents(T4Record::Employment_income), premium);
  }

  void expectEi(int64_t earnings, int64_t premium) {
    if (earnings <= 0) {
      if (premium != 0)
        add(QStringLiteral("EI premiums entered but no income to base calculation on."));
      return;
    }
    const int32_t maxPremium = e.int32(EmployerRecord::EI_max_premium);
    if (earnings >= e.int32(EmployerRecord::EI_max_earnings)) {
      if (int64_t{maxPremium} - 500 > premium) {
        add(QStringLiteral("EI premiums are less than the ") + CentsToStr(maxPremium) +
                QStringLiteral(" maximum for the year,"),
            QStringLiteral("but earnings indicate the maximum might be due."));
      }
      return;
    }
    const double base = double(earnings);
    const double expected =
        base < 0.01 ? 0 : (base / 100) * e.int32(EmployerRecord::EI_rate) / 1000000;
    const double p = double(premium) / 100;

    QString verdict;
    if (expected - 5.00 > p) {
      verdict = QStringLiteral("LOWER");
    } else if (expected + 5.00 < p) {
      verdict = QStringLiteral("HIGHER");
    } else {
      return;
    }
    out << Blank
        << QString::asprintf("Based on %.2f earnings was expecting EI premiums of %.2f", base / 100,
                             expected)
        << QString::asprintf("Employee EI premiums at %.2f is %s than expected.", p,
                             qPrintable(verdict));
  }

  void checkOtherInfoCodes() {
    for (int i = 0; i < T4Record::OtherInfoCount; ++i) {
      if (cents(T4Record::Other_info_amount[i]) == 0) continue;
      const QString code = r.text(T4Record::Other_info_code[i]);
      if (code.size() < 3 || !hasTwoLeadingDigits(code)) {
        add(QStringLiteral("Invalid box number code for %1 \"Other Information\" item")
                .arg(otherInfoOrdinals().at(i)));
      }
    }
  }

  void checkNegatives() {
    static constexpr std::array<Field, 11> boxes = {
        T4Record::Employment_income,   T4Record::Income_tax_deducted,
        T4Record::Employee_CPP,        T4Record::EI_insurable_earnings,
        T4Record::Employee_QPP,        T4Record::CPP_OR_Quebec_PensionEarn,
        T4Record::Employee_EI_premium, T4Record::Union_dues,
        T4Record::RPP_contributions,   T4Record::Charitable_donations,
        T4Record::Pension_adjustment};
    const auto negative = [this](const Field& f) { return cents(f) < 0; };
    if (std::any_of(boxes.begin(), boxes.end(), negative) ||
        std::any_of(T4Record::Other_info_amount.begin(), T4Record::Other_info_amount.end(),
                    negative)) {
      add(QStringLiteral(
          "One or more numeric field is negative. Revenue Canada cannot process negatives."));
    }
  }

  T4Record& r;
  const EmployerRecord& e;
  QStringList& out;
};

}  // namespace

void CheckT4Record(T4Record& record, const EmployerRecord& employer, QStringList& findings) {
  T4Checker(record, employer, findings).run();
}

void ReconciliationNotes(QStringList& findings) {
  findings
      << QStringLiteral("The following are items you may want to re-check before printing.  If any")
      << QStringLiteral("CPP/QPP or EI discrepancies are reported here then check your records")
      << QStringLiteral("carefully.  If a calculation error has occurred then fixing the T4 might")
      << QStringLiteral("avoid receiving a PIER statement from Revenue Canada.") << Blank
      << QStringLiteral("Note that the overall total of (CPP or QPP) + EI + Income Tax + Company")
      << QStringLiteral("contributions to (CPP or QPP) + EI from all the T4's is balanced against")
      << QStringLiteral("the total of all your PD7A remittances to Revenue Canada during the year.")
      << QStringLiteral("The difference is payable on filing the T4's.") << Blank
      << QStringLiteral("The T4 is also an official record of the employee's actual pay and")
      << QStringLiteral(
             "government deductions. If your original deductions calculations were wrong")
      << QStringLiteral(
             "and you change the T4 then an adjustment to the employee's net (take home)")
      << QStringLiteral("pay for the same tax year as the T4 is also due.  Do not make any such")
      << QStringLiteral("adjustment in the current tax year's payroll if it is not the same year.")
      << QStringLiteral(
             "T4's are usually done in January or February and relate to the prior year.")
      << Blank
      << QStringLiteral("To fix the T4 or not is a personal decision and generally depends on the")
      << QStringLiteral("size of the calculation error.") << Blank;
}

}  // namespace quillet
