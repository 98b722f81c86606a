// Quillet — the checks of one T4A record.
#include "checks/t4a_record_checks.h"

#include <QSet>
#include <algorithm>

#include "checks/code_tables.h"
#include "checks/revcan_validity.h"
#include "checks/t4a_codes.h"
#include "core/numeric_text.h"
#include "data/employer_record.h"
#include "data/t4a_record.h"

namespace quillet {
namespace {

using A = T4ARecord;

class T4AChecker {
 public:
  T4AChecker(T4ARecord& record, const EmployerRecord& payer, QStringList& findings)
      : r(record), out(findings), year(payer.u16(EmployerRecord::S_Taxation_year)) {}

  // What CRA would reject on paper: the recipient's number, a negative amount.
  void paperRejections() {
    if (r.isBusiness()) {
      if (empty(A::Recipient_BN))
        add(QStringLiteral("Business recipient has no business number"));
      else
        checkNumber(r.text(A::Recipient_BN).left(9), QStringLiteral("Recipient business number"));
    } else if (empty(A::Recipient_SIN)) {
      add(QStringLiteral("Recipient has no Social Insurance Number"));
    } else {
      checkNumber(r.text(A::Recipient_SIN), QStringLiteral("Recipient Social Insurance Number"));
    }
    checkAmounts();
    for (int i = 0; i < A::OtherInfoCount; ++i) {
      const int code = r.u16(A::Other_info_code[i]);
      if (r.int32(A::Other_info_amount[i]) < 0 && code != NegativeAllowedCode)
        add(QStringLiteral("Other information code %1 is negative: only code 037 may be")
                .arg(code, 3, 10, QLatin1Char('0')));
    }
  }

  void run() {
    if (r.isVoid()) return;
    out << QStringLiteral("  ")
        << QStringLiteral("Validation Report for %1  %2")
               .arg(r.isBusiness() ? QStringLiteral("BN ") + r.text(A::Recipient_BN)
                                   : QStringLiteral("SIN ") + r.text(A::Recipient_SIN),
                    r.name());
    checkSmallPayment();
    r.isBusiness() ? checkBusiness() : checkPerson();
    checkAddress();
    checkDentalBenefits();
    checkAmounts();
    checkOtherInfo();
  }

 private:
  void add(const QString& line) { out << QStringLiteral("  ") << line; }
  bool empty(const Field& f) const { return r.isEmpty(f); }

  void checkSmallPayment() {
    if (needsNoSlip(r)) {
      add(QStringLiteral("Warning: paid $500.00 or less with no income tax deducted: no T4A"));
      out << QStringLiteral("slip is needed, and this one may be VOIDed.");
    }
  }

  // A number of nine digits that passes its check; `what` names it in the findings.
  void checkNumber(const QString& number, const QString& what) {
    int32_t code;  // always set by the check
    if (RevCanValidityCheck(number, code)) return;
    add(code == RevCanNotNineDigits ? what + QStringLiteral(" does not contain 9 numeric digits")
                                    : what + QStringLiteral(" failed its check digit"));
  }

  void checkPerson() {
    if (empty(A::Recipient_surname) && empty(A::Recipient_first_name)) {
      add(QStringLiteral("Recipient has no name"));
    } else if (empty(A::Recipient_surname) || empty(A::Recipient_first_name)) {
      add(QStringLiteral("Part of recipient name is missing"));
    }
    if (!empty(A::Business_name_line_1) || !empty(A::Business_name_line_2)) {
      add(QStringLiteral("A person recipient has a business name: a T4A is for a person or a"));
      out << QStringLiteral("business, never both.");
    }
    if (empty(A::Recipient_SIN)) {
      add(QStringLiteral("Recipient has no Social Insurance Number"));
    } else {
      checkNumber(r.text(A::Recipient_SIN), QStringLiteral("Recipient Social Insurance Number"));
    }
    if (!empty(A::Recipient_BN))
      checkNumber(r.text(A::Recipient_BN).left(9), QStringLiteral("Recipient business number"));
  }

  void checkBusiness() {
    if (empty(A::Business_name_line_1)) add(QStringLiteral("Business recipient has no name"));
    if (!empty(A::Recipient_surname) || !empty(A::Recipient_first_name) ||
        !empty(A::Recipient_SIN)) {
      add(QStringLiteral("A business recipient has a person's name or SIN: a T4A is for a person"));
      out << QStringLiteral("or a business, never both.");
    }
    const QString bn = r.text(A::Recipient_BN);
    if (bn.isEmpty()) {
      add(QStringLiteral("Business recipient has no business number"));
      return;
    }
    checkNumber(bn.left(9), QStringLiteral("Recipient business number"));
    if (digitsOf(bn).size() != 13 || bn.size() != 15 || !bn.at(9).isLetter() ||
        !bn.at(10).isLetter())
      add(QStringLiteral("Recipient business number is not of the form 123456789RT0001"));
  }

  void checkAddress() {
    if (empty(A::Recipient_address_line_1) && empty(A::Recipient_address_line_2)) {
      add(QStringLiteral("Recipient has no street address"));
    } else if (empty(A::Recipient_address_line_1)) {
      add(QStringLiteral("A good place to start Recipient street address is on line 1"));
    }
    if (empty(A::Recipient_city)) add(QStringLiteral("Recipient has no city or town"));
    if (r.textLength(A::Recipient_province_code) < 2) {
      add(QStringLiteral("Recipient has no Province or State in the address"));
    } else {
      const QString code = capitalisedCode(r.text(A::Recipient_province_code));
      r.setText(A::Recipient_province_code, code);
      if (!CheckAddressProvince(code))
        add(QStringLiteral(
            "Address Province or State code is invalid, select from the drop down list"));
    }
    if (empty(A::Recipient_postal_code))
      add(QStringLiteral("Recipient has no postal or zip code in the address"));
  }

  void checkDentalBenefits() {
    const int code = r.byte(A::Dental_benefits_code);
    if (code > 5) {
      add(QStringLiteral("Box 015 (dental benefits) is not 1 to 5"));
    } else if (year >= 2023 && code == 0 && r.int32(A::Pension_or_superannuation) != 0) {
      add(QStringLiteral("Box 015 (dental benefits) is required with an amount in box 016 from"));
      out << QStringLiteral("the 2023 tax year.");
    }
  }

  void checkAmounts() {
    for (const auto& box : A::AmountBoxes) {
      if (r.int32(box.field) < 0)
        add(QStringLiteral("Box %1 is negative").arg(box.box, 3, 10, QLatin1Char('0')));
    }
  }

  void checkOtherInfo() {
    QSet<int> seen;
    for (int i = 0; i < A::OtherInfoCount; ++i) {
      const int code = r.u16(A::Other_info_code[i]);
      const int32_t amount = r.int32(A::Other_info_amount[i]);
      const QString box = QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
      if (code == 0) {
        if (amount != 0) add(QStringLiteral("Other information amount %1 has no code").arg(i + 1));
        continue;
      }
      if (!t4aOtherInfoCode(code, year)) {
        add(QStringLiteral("Other information code %1 is not a code of the %2 T4A slip")
                .arg(box)
                .arg(year));
      } else if (amount < 0 && code != NegativeAllowedCode) {
        add(QStringLiteral("Other information code %1 is negative: only code 037 may be").arg(box));
      }
      if (seen.contains(code))
        add(QStringLiteral("Other information code %1 is there twice").arg(box));
      seen.insert(code);
    }
  }

  T4ARecord& r;
  QStringList& out;
  int year;
};

}  // namespace

QStringList rejectedOnPaper(T4ARecord record) {
  QStringList findings;
  T4AChecker(record, EmployerRecord(), findings).paperRejections();
  findings.removeAll(QStringLiteral("  "));
  return findings;
}

bool needsNoSlip(const T4ARecord& r) {
  // What was paid: a negative amount (code 037's) takes nothing off it.
  int64_t paid = 0;
  for (const auto& box : A::AmountBoxes)
    if (box.box != 22) paid += std::max(0, r.int32(box.field));
  for (const Field& f : A::Other_info_amount) paid += std::max(0, r.int32(f));
  return paid <= 50000 && r.int32(A::Income_tax_deducted) == 0;
}

void CheckT4ARecord(T4ARecord& record, const EmployerRecord& payer, QStringList& findings) {
  T4AChecker(record, payer, findings).run();
}

}  // namespace quillet
