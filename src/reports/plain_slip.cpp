// Quillet — the T4 slip drawn whole on plain paper, for the tax year of the file.
#include "reports/plain_slip.h"

#include <QRegularExpression>
#include <QStringList>

namespace quillet {
namespace {

using T = T4Record;
using E = EmployerRecord;

constexpr int FirstPpipYear = 2006, FirstDentalYear = 2023, FirstCpp2Year = 2024;

QString joined(const QStringList& lines) {
  QStringList kept;
  for (const QString& line : lines) {
    if (!line.trimmed().isEmpty()) kept << line.trimmed();
  }
  return kept.join(u'\n');
}

QString placeLine(const QString& city, const QString& province, const QString& postalCode) {
  return QStringList{city.trimmed(), province.trimmed(), postalCode.trimmed()}
      .filter(QRegularExpression(QStringLiteral("\\S")))
      .join(QStringLiteral("  "));
}

template <const Field& F>
QString amountOf(const SlipSource& s) {
  return formAmount(s.record.int32(F));
}

template <const Field& F>
QString exemptMark(const SlipSource& s) {
  return s.record.flag(F) ? QStringLiteral("X") : QString();
}

template <int K>
QString otherCode(const SlipSource& s) {
  return s.record.int32(T::Other_info_amount[K]) == 0
             ? QString()
             : s.record.text(T::Other_info_code[K]).left(2).trimmed();
}

template <int K>
QString otherAmount(const SlipSource& s) {
  return formAmount(s.record.int32(T::Other_info_amount[K]));
}

QString employerName(const SlipSource& s) { return employerNameAndAddress(s.employer); }

QString employeeName(const SlipSource& s) {
  const T& r = s.record;
  const QString country = r.text(T::Employee_country_code).trimmed().toUpper();
  return joined({r.surname().trimmed() + QStringLiteral(", ") + r.firstName().trimmed() +
                     QStringLiteral(" ") + r.text(T::Employee_secondinitial),
                 r.text(T::Employee_address_line_1), r.text(T::Employee_address_line_2),
                 placeLine(r.text(T::Employee_city), r.text(T::Employee_province_code),
                           r.text(T::Employee_postal_code)),
                 country == QLatin1String("CAN") ? QString() : country});
}

QString year(const SlipSource& s) { return QString::number(s.employer.u16(E::S_Taxation_year)); }

QString businessNumber(const SlipSource& s) {
  return s.copy == SlipCopy::Employee ? QString() : s.record.text(T::RevCan_account_number);
}

QString sin(const SlipSource& s) { return s.record.text(T::Employee_SIN); }
QString province(const SlipSource& s) {
  return s.record.text(T::Province_of_employment_code).toUpper();
}
QString employmentCode(const SlipSource& s) {
  return s.record.text(T::Employment_code).left(2).trimmed();
}
QString registration(const SlipSource& s) {
  return s.record.text(T::RPP_or_deferred_PlanNumbr).trimmed();
}
QString dental(const SlipSource& s) {
  const int code = s.record.byte(T::Dental_benefits_code);
  return code == 0 ? QString() : QString::number(code);
}

constexpr FormAlign L = FormAlign::Left, R = FormAlign::Right, C = FormAlign::Centre;

// Amount boxes: two columns of eight, right of the employer's and employee's boxes.
constexpr int ColumnA = 370, ColumnB = 565, AmountWidth = 185, Row0 = 45, RowStep = 41,
              BoxHeight = 37;
constexpr FormRect amountBox(int column, int row) {
  return {column, Row0 + row * RowStep, AmountWidth, BoxHeight};
}

// Other information: three pairs a row, two rows.
constexpr int OtherTop = 388, CodeWidth = 60, PairWidth = 250;
constexpr FormRect codeBox(int k) {
  return {(k % 3) * PairWidth, OtherTop + (k / 3) * (BoxHeight + 4), CodeWidth, BoxHeight};
}
constexpr FormRect otherAmountBox(int k) {
  return {(k % 3) * PairWidth + CodeWidth, OtherTop + (k / 3) * (BoxHeight + 4), AmountWidth,
          BoxHeight};
}

const SlipBox AllBoxes[] = {
    {"", "Year", {600, 0, 150, 40}, 0, C, year},
    {"", "Employer's name and address", {0, 45, 360, 85}, 0, L, employerName},
    {"54", "Employer's account number", {0, 135, 200, BoxHeight}, 0, L, businessNumber},
    {"10", "Province", {205, 135, 70, BoxHeight}, 0, C, province},
    {"29", "Employment code", {280, 135, 80, BoxHeight}, 0, C, employmentCode},
    {"12", "Social insurance number", {0, 176, 150, BoxHeight}, 0, L, sin},
    {"28", "CPP/QPP", {155, 176, 50, BoxHeight}, 0, C, exemptMark<T::CPP_OR_Quebec_Pension_Exempt>},
    {"", "EI", {205, 176, 50, BoxHeight}, 0, C, exemptMark<T::EI_Exempt>},
    {"", "PPIP", {255, 176, 50, BoxHeight}, FirstPpipYear, C, exemptMark<T::PPIP_Exempt>},
    {"45", "Dental", {310, 176, 50, BoxHeight}, FirstDentalYear, C, dental},
    {"", "Employee's name and address", {0, 217, 360, 152}, 0, L, employeeName},
    {"14", "Employment income", amountBox(ColumnA, 0), 0, R, amountOf<T::Employment_income>},
    {"16", "Employee's CPP contributions", amountBox(ColumnA, 1), 0, R, amountOf<T::Employee_CPP>},
    {"16A", "Employee's second CPP contributions", amountBox(ColumnA, 2), FirstCpp2Year, R,
     amountOf<T::Employee_CPP2>},
    {"17", "Employee's QPP contributions", amountBox(ColumnA, 3), 0, R, amountOf<T::Employee_QPP>},
    {"17A", "Employee's second QPP contributions", amountBox(ColumnA, 4), FirstCpp2Year, R,
     amountOf<T::Employee_QPP2>},
    {"18", "Employee's EI premiums", amountBox(ColumnA, 5), 0, R, amountOf<T::Employee_EI_premium>},
    {"20", "RPP contributions", amountBox(ColumnA, 6), 0, R, amountOf<T::RPP_contributions>},
    {"50", "RPP or DPSP registration number", amountBox(ColumnA, 7), 0, L, registration},
    {"22", "Income tax deducted", amountBox(ColumnB, 0), 0, R, amountOf<T::Income_tax_deducted>},
    {"24", "EI insurable earnings", amountBox(ColumnB, 1), 0, R,
     amountOf<T::EI_insurable_earnings>},
    {"26", "CPP/QPP pensionable earnings", amountBox(ColumnB, 2), 0, R,
     amountOf<T::CPP_OR_Quebec_PensionEarn>},
    {"44", "Union dues", amountBox(ColumnB, 3), 0, R, amountOf<T::Union_dues>},
    {"46", "Charitable donations", amountBox(ColumnB, 4), 0, R, amountOf<T::Charitable_donations>},
    {"52", "Pension adjustment", amountBox(ColumnB, 5), 0, R, amountOf<T::Pension_adjustment>},
    {"55", "Employee's PPIP premiums", amountBox(ColumnB, 6), FirstPpipYear, R,
     amountOf<T::Employee_PPIP_premium>},
    {"56", "PPIP insurable earnings", amountBox(ColumnB, 7), FirstPpipYear, R,
     amountOf<T::PPIP_insurable_earnings>},
    {"", "Box", codeBox(0), 0, C, otherCode<0>},
    {"", "Amount", otherAmountBox(0), 0, R, otherAmount<0>},
    {"", "Box", codeBox(1), 0, C, otherCode<1>},
    {"", "Amount", otherAmountBox(1), 0, R, otherAmount<1>},
    {"", "Box", codeBox(2), 0, C, otherCode<2>},
    {"", "Amount", otherAmountBox(2), 0, R, otherAmount<2>},
    {"", "Box", codeBox(3), 0, C, otherCode<3>},
    {"", "Amount", otherAmountBox(3), 0, R, otherAmount<3>},
    {"", "Box", codeBox(4), 0, C, otherCode<4>},
    {"", "Amount", otherAmountBox(4), 0, R, otherAmount<4>},
    {"", "Box", codeBox(5), 0, C, otherCode<5>},
    {"", "Amount", otherAmountBox(5), 0, R, otherAmount<5>},
};

QString copyName(SlipCopy copy) {
  switch (copy) {
    case SlipCopy::Employee:
      return QStringLiteral("Employee's copy");
    case SlipCopy::Employer:
      return QStringLiteral("Employer's copy");
    case SlipCopy::Cra:
      return QStringLiteral("Copy for the Canada Revenue Agency");
  }
  return {};
}

}  // namespace

QString employerNameAndAddress(const EmployerRecord& e) {
  return joined({e.text(E::S_Employer_name_line_1), e.text(E::S_Employer_name_line_2),
                 e.text(E::S_Employer_address_line_1), e.text(E::S_Employer_address_line_2),
                 placeLine(e.text(E::S_Employer_city), e.text(E::S_Employer_province_code),
                           e.text(E::S_Employer_postal_code))});
}

std::vector<SlipBox> slipBoxes(int year) {
  std::vector<SlipBox> boxes;
  for (const SlipBox& box : AllBoxes) {
    if (year >= box.fromYear) boxes.push_back(box);
  }
  return boxes;
}

void drawSlip(FormCanvas& canvas, const SlipSource& source) {
  canvas.text({0, 0, 80, 40}, QStringLiteral("T4"), 36, FormAlign::Left, true);
  canvas.text({80, 0, 500, 20}, QStringLiteral("Statement of Remuneration Paid"), 16,
              FormAlign::Left, true);
  canvas.text({80, 22, 500, 14}, copyName(source.copy), 11, FormAlign::Left);
  // A slip that amends or cancels one filed before says so at its top, beside the year.
  if (source.record.isAmended() || source.record.isCancelled()) {
    canvas.text({380, 0, 210, 20},
                source.record.isAmended() ? QStringLiteral("AMENDED") : QStringLiteral("CANCELLED"),
                14, FormAlign::Right, true);
  }
  canvas.text({0, OtherTop - 14, 500, 12}, QStringLiteral("Other information"), 9, FormAlign::Left,
              true);
  for (const SlipBox& box : slipBoxes(source.employer.u16(E::S_Taxation_year))) {
    // The employee's copies leave the payroll account number out: its box is shaded.
    if (box.value == businessNumber && source.copy == SlipCopy::Employee) canvas.fill(box.rect);
    canvas.box(box.rect, QString::fromLatin1(box.number), QString::fromLatin1(box.caption),
               box.value(source), box.align);
  }
}

}  // namespace quillet
