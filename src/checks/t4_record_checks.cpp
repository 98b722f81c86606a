// Quillet — the checks of one T4 record against the year's rates.
#include "checks/t4_record_checks.h"

#include <algorithm>
#include <array>

#include "checks/code_tables.h"
#include "checks/revcan_validity.h"
#include "core/numeric_text.h"
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

using E = EmployerRecord;
using T = T4Record;

// "LOWER" or "HIGHER" than expected when `actual` lies outside [lowest, highest]; empty
// when it lies within.
QString verdictOf(double actual, double lowest, double highest) {
  if (lowest > actual) return QStringLiteral("LOWER");
  if (highest < actual) return QStringLiteral("HIGHER");
  return {};
}

class T4Checker {
 public:
  T4Checker(T4Record& record, const EmployerRecord& employer, QStringList& findings,
            CraFindings* craFindings)
      : r(record),
        e(employer),
        out(findings),
        cra(craFindings),
        year(employer.u16(E::S_Taxation_year)),
        modern(year > 2000),
        quebec(record.text(T::Province_of_employment_code).toUpper() == QLatin1String("QC")) {}

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
    checkSecondCppQpp();
    checkEi();
    checkPpip();
    checkDentalBenefits();
    checkOtherInfoCodes();
    checkNegatives();
    if (modern) checkModernSlip();
  }

  // What CRA would reject on paper: a SIN missing or failing its check, a negative amount.
  void paperRejections() {
    checkSin();
    checkNegatives();
  }

 private:
  void add(const QString& line) { out << Blank << line; }
  void add(const QString& line1, const QString& line2) { out << Blank << line1 << line2; }
  // A finding CRA refuses on a modern slip, or one its review after filing flags.
  void rule(const QString& line1, const QString& line2 = {}) {
    line2.isEmpty() ? add(line1) : add(line1, line2);
    if (cra && modern) cra->rules << (line1 + u' ' + line2).trimmed();
  }
  void review(const QString& line) {
    add(line);
    if (cra && modern) cra->review << line;
  }
  // Boxes 24, 26 and 56 as filed; on the 1999 and 2000 slips an empty one stood for box 14.
  int64_t earningsOf(const Field& box) const {
    return cents(box) != 0 || modern ? cents(box) : cents(T::Employment_income);
  }
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
    int32_t code;  // always set by the check
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
    } else if (year >= 2025 && !employmentCode.isEmpty() &&
               (employmentCode.left(2).toInt() < 11 || employmentCode.left(2).toInt() > 17)) {
      add(QStringLiteral("Employment code must be 11 to 17 from the 2025 tax year."));
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
      rule(QStringLiteral("T4 is for one Province, you should not have entries in BOTH CPP and"),
           QStringLiteral("QPP contributions. QPP is Quebec only."));
    }
    const int64_t contributions = int64_t{cpp} + qpp;
    const int64_t maxPremium = pensionMaxPremium();
    if (contributions > maxPremium) {
      add(QStringLiteral("CPP or QPP premium is greater than the ") +
          CentsToStr(int32_t(maxPremium)) + QStringLiteral(" maximum for the year"));
    }
    expectCpp(earningsOf(T::CPP_OR_Quebec_PensionEarn), contributions);
  }

  void expectCpp(int64_t earnings, int64_t contributions) {
    if (earnings <= 0) {
      if (contributions != 0) {
        add(modern ? QStringLiteral("CPP or QPP contributions entered but box 26 (pensionable "
                                    "earnings) is zero.")
                   : QStringLiteral(
                         "CPP or QPP contributions entered but no income to base calculation on."));
      }
      return;
    }
    const int32_t maxPremium = pensionMaxPremium();
    if (earnings >= e.int32(EmployerRecord::CPP_max_earnings)) {
      if (int64_t{maxPremium} - 500 > contributions) {
        add(QStringLiteral("CPP or QPP contributions are less than the ") + CentsToStr(maxPremium) +
                QStringLiteral(" maximum for the year,"),
            QStringLiteral("but earnings indicate the maximum might be due."));
      }
      return;
    }
    const double exemption = e.int32(EmployerRecord::CPP_basic_exemption);
    const double rate = pensionRate();
    const double yearBase = double(earnings) - exemption;       // 52 weeks worked
    const double weekBase = double(earnings) - exemption / 52;  // one week worked
    const double low = yearBase < 0.01 ? 0 : (yearBase / 100) * rate / 1000000;
    const double high = weekBase < 0.01 ? 0 : (weekBase / 100) * rate / 1000000;
    const double c = double(contributions) / 100;

    const QString verdict = verdictOf(c, low - 5.00, high + 1.00);
    if (verdict.isEmpty()) return;
    out << Blank
        << QString::asprintf("Based on %.2f earnings was expecting CPP or QPP contributions in",
                             double(earnings) / 100)
        << QString::asprintf("range %.2f (if 52 weeks worked) to %.2f (if only 1 week worked).",
                             low, high)
        << QString::asprintf("Employee CPP or QPP contributions at %.2f is %s than expected.", c,
                             qPrintable(verdict));
  }

  // Quebec employment is measured against the QPP figures where the employer record has
  // them (files of 2000 and before have none: the CPP figures then).
  bool qppFigures() const { return quebec && e.int32(E::QPP_rate) != 0; }
  int32_t pensionRate() const { return e.int32(qppFigures() ? E::QPP_rate : E::CPP_rate); }
  int32_t pensionMaxPremium() const {
    return e.int32(qppFigures() ? E::QPP_max_premium : E::CPP_max_premium);
  }

  // Box 16A (CPP2) outside Quebec, 17A (QPP2) in it, from 2024: 4 % of the pensionable
  // earnings between the two ceilings, up to the maximum.
  void checkSecondCppQpp() {
    const int32_t cpp2 = cents(T::Employee_CPP2);
    const int32_t qpp2 = cents(T::Employee_QPP2);
    if (year < 2024) {
      if (cpp2 != 0 || qpp2 != 0) {
        rule(QStringLiteral("Boxes 16A and 17A (second CPP or QPP contributions) are for the"),
             QStringLiteral("2024 tax year and later only."));
      }
      return;
    }
    if (quebec && cpp2 != 0) {
      rule(QStringLiteral("Quebec employment has second QPP contributions in box 17A, not in"),
           QStringLiteral("box 16A."));
    }
    if (!quebec && qpp2 != 0) {
      rule(QStringLiteral("Box 17A (second QPP contributions) is for Quebec employment only,"),
           QStringLiteral("second CPP contributions go in box 16A."));
    }
    const int64_t second = int64_t{cpp2} + qpp2;
    const int32_t maxPremium = e.int32(quebec ? E::QPP2_max_premium : E::CPP2_max_premium);
    if (maxPremium != 0 && second > maxPremium) {
      add(QStringLiteral("Second CPP or QPP contributions are greater than the ") +
          CentsToStr(maxPremium) + QStringLiteral(" maximum for the year"));
    }
    const int32_t ympe = e.int32(E::CPP_max_earnings);
    const int32_t yampe = e.int32(E::CPP2_max_earnings);
    const int32_t rate = e.int32(E::CPP2_rate);
    if (yampe <= ympe || rate == 0 || r.flag(T::CPP_OR_Quebec_Pension_Exempt)) return;
    const int64_t earnings = cents(T::CPP_OR_Quebec_PensionEarn);
    const double band = double(std::clamp<int64_t>(earnings - ympe, 0, int64_t{yampe} - ympe));
    const double expected = std::min((band / 100) * rate / 1000000, maxPremium / 100.0);
    const double c = double(second) / 100;
    const QString verdict = verdictOf(c, expected - 5.00, expected + 5.00);
    if (verdict.isEmpty()) return;
    out << Blank
        << QString::asprintf(
               "Based on %.2f earnings was expecting second CPP or QPP contributions of %.2f",
               double(earnings) / 100, expected)
        << QString::asprintf(
               "Employee second CPP or QPP contributions at %.2f is %s than expected.", c,
               qPrintable(verdict));
  }

  void checkEi() {
    // From 2006 Quebec employment has its own, lower EI rate.
    const bool quebecRate = quebec && e.int32(E::QC_EI_rate) != 0;
    checkPremium(QStringLiteral("EI"), T::EI_insurable_earnings, cents(T::Employee_EI_premium),
                 r.flag(T::EI_Exempt), e.int32(quebecRate ? E::QC_EI_rate : E::EI_rate),
                 e.int32(quebecRate ? E::QC_EI_max_premium : E::EI_max_premium),
                 e.int32(E::EI_max_earnings));
  }

  // Boxes 55 and 56, Quebec employment from 2006: the PPIP premium on the insurable
  // earnings (box 56, or box 14 when it is empty), up to the maximum.
  void checkPpip() {
    const int32_t premium = cents(T::Employee_PPIP_premium);
    const int32_t insurable = cents(T::PPIP_insurable_earnings);
    if (!quebec || year < 2006) {
      if (premium != 0 || insurable != 0) {
        rule(QStringLiteral("Boxes 55 and 56 (PPIP) are for Quebec employment from the 2006"),
             QStringLiteral("tax year on only."));
      }
      return;
    }
    if (e.int32(E::PPIP_rate) == 0) return;  // the employer record has no PPIP rates
    // No PPIP is owed on employment income under 2,000.00 in the year.
    if (premium == 0 && cents(T::Employment_income) < 200000) return;
    checkPremium(QStringLiteral("PPIP"), T::PPIP_insurable_earnings, premium,
                 r.flag(T::PPIP_Exempt), e.int32(E::PPIP_rate), e.int32(E::PPIP_max_premium),
                 e.int32(E::PPIP_max_earnings));
  }

  void checkDentalBenefits() {
    const int code = r.byte(T::Dental_benefits_code);
    if (year < 2023) {
      if (code != 0) {
        add(QStringLiteral("Box 45 (employer-offered dental benefits) is for the 2023 tax year"),
            QStringLiteral("and later only."));
      }
      return;
    }
    if (code == 0) {
      rule(QStringLiteral("Box 45 (employer-offered dental benefits) is missing, a code 1 to 5 is"),
           QStringLiteral("required from the 2023 tax year."));
    } else if (code > 5) {
      rule(QStringLiteral("Box 45 (employer-offered dental benefits) code %1 is invalid, it must"
                          " be 1 to 5.")
               .arg(code));
    }
  }

  // A premium against its rate on the insurable earnings of `box`: `label` is "EI" or
  // "PPIP".
  void checkPremium(const QString& label, const Field& box, int32_t premium, bool exempt,
                    int32_t rate, int32_t maxPremium, int32_t maxEarnings) {
    if (premium == 0 && cents(box) == 0 && exempt) return;

    if (exempt) {
      add(QStringLiteral("Employee is marked Exempt from %1 but has entries that indicate "
                         "otherwise")
              .arg(label));
    }
    if (premium > maxPremium) {
      add(QStringLiteral("%1 premium is greater than the ").arg(label) + CentsToStr(maxPremium) +
          QStringLiteral(" maximum for the year"));
    }
    expectPremium(label, box, premium, rate, maxPremium, maxEarnings);
  }

  void expectPremium(const QString& label, const Field& box, int64_t premium, int32_t rate,
                     int32_t maxPremium, int32_t maxEarnings) {
    const int64_t earnings = earningsOf(box);
    if (earnings <= 0) {
      if (premium == 0) return;
      if (modern)
        add(QStringLiteral("%1 premiums entered but box %2 (insurable earnings) is zero.")
                .arg(label, &box == &T::EI_insurable_earnings ? QStringLiteral("24")
                                                              : QStringLiteral("56")));
      else
        add(QStringLiteral("%1 premiums entered but no income to base calculation on.").arg(label));
      return;
    }
    if (earnings >= maxEarnings) {
      if (int64_t{maxPremium} - 500 > premium) {
        add(QStringLiteral("%1 premiums are less than the ").arg(label) + CentsToStr(maxPremium) +
                QStringLiteral(" maximum for the year,"),
            QStringLiteral("but earnings indicate the maximum might be due."));
      }
      return;
    }
    const double base = double(earnings);
    const double expected = base < 0.01 ? 0 : (base / 100) * rate / 1000000;
    const double p = double(premium) / 100;

    const QString verdict = verdictOf(p, expected - 5.00, expected + 5.00);
    if (verdict.isEmpty()) return;
    out << Blank
        << QString::asprintf("Based on %.2f earnings was expecting %s premiums of %.2f", base / 100,
                             qPrintable(label), expected)
        << QString::asprintf("Employee %s premiums at %.2f is %s than expected.", qPrintable(label),
                             p, qPrintable(verdict));
  }

  void checkOtherInfoCodes() {
    for (int i = 0; i < T4Record::OtherInfoCount; ++i) {
      if (cents(T4Record::Other_info_amount[i]) == 0) continue;
      const QString code = r.text(T4Record::Other_info_code[i]);
      if (code.size() < 3 || !hasTwoLeadingDigits(code)) {
        add(QStringLiteral("Invalid box number code for %1 \"Other Information\" item")
                .arg(otherInfoOrdinals().at(i)));
      } else if (modern && !isOtherInfoCodeOfYear(code.left(2).toInt(), year)) {
        add(QStringLiteral("Box number code %1 of the %2 \"Other Information\" item is not a"
                           " code of the %3 tax year")
                .arg(code.left(2), otherInfoOrdinals().at(i))
                .arg(year));
      }
    }
  }

  void checkNegatives() {
    const auto layout = T4Record::layout();
    if (std::any_of(layout.begin(), layout.end(), [this](const Field& f) {
          return f.kind == FieldKind::Cents && cents(f) < 0;
        })) {
      add(QStringLiteral(
          "One or more numeric field is negative. Revenue Canada cannot process negatives."));
    }
  }

  // What CRA's rules and review take from a slip of 2001 on: the plan of box 10 (CPP
  // outside Quebec, QPP in it), the year's ceilings of boxes 24, 26 and 56, an amount.
  void checkModernSlip() {
    if (quebec && cents(T::Employee_CPP) != 0) {
      rule(QStringLiteral("Quebec employment has QPP contributions in box 17, not CPP"),
           QStringLiteral("contributions in box 16."));
    }
    if (!quebec && cents(T::Employee_QPP) != 0) {
      rule(QStringLiteral("Box 17 (QPP contributions) is for Quebec employment only, CPP"),
           QStringLiteral("contributions go in box 16."));
    }
    const struct {
      const Field& box;
      const char* caption;
      int32_t ceiling;
    } ceilings[] = {
        {T::EI_insurable_earnings, "Box 24 (EI insurable earnings)", e.int32(E::EI_max_earnings)},
        {T::CPP_OR_Quebec_PensionEarn, "Box 26 (pensionable earnings)",
         e.int32(year >= 2024 ? E::CPP2_max_earnings : E::CPP_max_earnings)},
        {T::PPIP_insurable_earnings, "Box 56 (PPIP insurable earnings)",
         e.int32(E::PPIP_max_earnings)},
    };
    for (const auto& c : ceilings) {
      if (c.ceiling > 0 && cents(c.box) > c.ceiling)
        review(QLatin1String(c.caption) + QStringLiteral(" is greater than the ") +
               CentsToStr(c.ceiling) + QStringLiteral(" maximum for the year"));
    }
    const auto zero = [this](const Field& f) {
      return f.kind != FieldKind::Cents || cents(f) == 0;
    };
    if (std::all_of(T::layout().begin(), T::layout().end(), zero)) {
      rule(QStringLiteral("The T4 has no amount at all: VOID it, or enter its amounts."));
    }
  }

  T4Record& r;
  const EmployerRecord& e;
  QStringList& out;
  CraFindings* const cra;
  const int year;
  const bool modern;  // a slip of 2001 or later
  const bool quebec;
};

}  // namespace

void CheckT4Record(T4Record& record, const EmployerRecord& employer, QStringList& findings,
                   CraFindings* cra) {
  T4Checker(record, employer, findings, cra).run();
}

QStringList rejectedOnPaper(T4Record record, const EmployerRecord& employer) {
  QStringList findings;
  T4Checker(record, employer, findings, nullptr).paperRejections();
  findings.removeAll(Blank);
  return findings;
}

std::optional<int32_t> proposedEarnings(const T4Record& r, const EmployerRecord& e,
                                        const Field& box) {
  const int year = e.u16(E::S_Taxation_year);
  const bool quebec = r.text(T::Province_of_employment_code).toUpper() == QLatin1String("QC");
  const struct {
    const Field& box;
    bool exempt;
    int32_t ceiling;
  } boxes[] = {
      {T::EI_insurable_earnings, r.flag(T::EI_Exempt), e.int32(E::EI_max_earnings)},
      {T::CPP_OR_Quebec_PensionEarn, r.flag(T::CPP_OR_Quebec_Pension_Exempt),
       e.int32(year >= 2024 ? E::CPP2_max_earnings : E::CPP_max_earnings)},
      {T::PPIP_insurable_earnings, r.flag(T::PPIP_Exempt) || !quebec,
       e.int32(E::PPIP_max_earnings)},
  };
  for (const auto& b : boxes) {
    if (b.box.offset != box.offset || year <= 2000) continue;
    return b.exempt ? 0
                    : std::min(std::max(r.int32(T::Employment_income), 0), std::max(b.ceiling, 0));
  }
  return std::nullopt;
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
