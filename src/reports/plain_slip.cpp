// Quillet — the T4 slip drawn whole on plain paper, for the tax year of the file.
#include "reports/plain_slip.h"

#include <QRegularExpression>
#include <QStringList>
#include <iterator>

#include "core/numeric_text.h"

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

QString employerName(const SlipSource& s) {
  const E& e = s.employer;
  return joined({e.text(E::S_Employer_name_line_1), e.text(E::S_Employer_name_line_2),
                 e.text(E::S_Employer_name_line_3)});
}

// The surname in capitals, as the box asks, then the first name and the initial; the
// address under them.
QString employeeName(const SlipSource& s) {
  const T& r = s.record;
  const QString country = r.text(T::Employee_country_code).trimmed().toUpper();
  return joined({r.surname().trimmed().toUpper() + QStringLiteral(", ") + r.firstName().trimmed() +
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

// "123 456 789" however it was typed; anything but nine digits as it stands.
QString sin(const SlipSource& s) {
  const QString typed = s.record.text(T::Employee_SIN);
  const QString digits = digitsOf(typed);
  return digits.size() == 9 ? digits.left(3) + u' ' + digits.mid(3, 3) + u' ' + digits.mid(6)
                            : typed.trimmed();
}
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
QString none(const SlipSource&) { return {}; }

constexpr FormAlign L = FormAlign::Left, R = FormAlign::Right, C = FormAlign::Centre;

// The employer's and employee's boxes on the left; the amounts in two columns on the
// right, a pair a row in CRA's order, a row the year's slip does not have taking no room;
// other information across the foot.
constexpr int BoxHeight = 35, RowStep = 38, Top = 60;
constexpr int ColumnA = 370, ColumnB = 563, AmountWidth = 187;
constexpr int OtherTitle = 366, OtherTop = 380, CodeWidth = 60, PairWidth = 250;

const SlipBox FixedBoxes[] = {
    {"", "Year\nAnnée", {380, 14, 110, 42}, C, year},
    {"", "Employer's name\nNom de l'employeur", {0, Top, 360, 72}, L, employerName},
    {"54",
     "Employer's account number\nNuméro de compte de l'employeur",
     {0, 136, 235, BoxHeight},
     L,
     businessNumber},
    {"10", "Province of employment\nProvince d'emploi", {240, 136, 120, BoxHeight}, C, province},
    {"12", "Social insurance number\nNuméro d'assurance sociale", {0, 175, 130, 45}, L, sin},
    {"28", "Exempt – Exemption", {135, 175, 150, 45}, C, none},
    {"",
     "CPP/QPP\nRPC/RRQ",
     {135, 185, 50, BoxHeight},
     C,
     exemptMark<T::CPP_OR_Quebec_Pension_Exempt>},
    {"", "EI\nAE", {185, 185, 50, BoxHeight}, C, exemptMark<T::EI_Exempt>},
    {"", "PPIP\nRPAP", {235, 185, 50, BoxHeight}, C, exemptMark<T::PPIP_Exempt>, FirstPpipYear},
    {"29", "Employment code\nCode d'emploi", {290, 175, 70, 45}, C, employmentCode},
    {"45",
     "Employer-offered dental benefits\nPrestations dentaires offertes par l'employeur",
     {0, 224, 360, BoxHeight},
     C,
     dental,
     FirstDentalYear},
    {"",
     "Employee's name and address – Nom et adresse de l'employé\nLast name (in capital letters) – "
     "Nom de famille (en lettres moulées)   First name – Prénom   Initial – Initiale",
     {0, 263, 360, 100},
     L,
     employeeName},
};

// The amount boxes of a row, left and right.
struct AmountBox {
  const char* number;
  const char* caption;
  FormAlign align;
  QString (*value)(const SlipSource&);
  int fromYear = 0;
};
const AmountBox AmountRows[][2] = {
    {{"14", "Employment income\nRevenus d'emploi", R, amountOf<T::Employment_income>},
     {"22", "Income tax deducted\nImpôt sur le revenu retenu", R,
      amountOf<T::Income_tax_deducted>}},
    {{"16", "Employee's CPP contributions\nCotisations de l'employé au RPC", R,
      amountOf<T::Employee_CPP>},
     {"17", "Employee's QPP contributions\nCotisations de l'employé au RRQ", R,
      amountOf<T::Employee_QPP>}},
    {{"16A", "Employee's second CPP contributions\nDeuxièmes cotisations de l'employé au RPC", R,
      amountOf<T::Employee_CPP2>, FirstCpp2Year},
     {"17A", "Employee's second QPP contributions\nDeuxièmes cotisations de l'employé au RRQ", R,
      amountOf<T::Employee_QPP2>, FirstCpp2Year}},
    {{"24", "EI insurable earnings\nGains assurables d'AE", R, amountOf<T::EI_insurable_earnings>},
     {"26", "CPP/QPP pensionable earnings\nGains ouvrant droit à pension – RPC/RRQ", R,
      amountOf<T::CPP_OR_Quebec_PensionEarn>}},
    {{"18", "Employee's EI premiums\nCotisations de l'employé à l'AE", R,
      amountOf<T::Employee_EI_premium>},
     {"44", "Union dues\nCotisations syndicales", R, amountOf<T::Union_dues>}},
    {{"20", "RPP contributions\nCotisations à un RPA", R, amountOf<T::RPP_contributions>},
     {"46", "Charitable donations\nDons de bienfaisance", R, amountOf<T::Charitable_donations>}},
    {{"52", "Pension adjustment\nFacteur d'équivalence", R, amountOf<T::Pension_adjustment>},
     {"50", "RPP or DPSP registration number\nN° d'agrément d'un RPA ou d'un RPDB", L,
      registration}},
    {{"55", "Employee's PPIP premiums\nCotisations de l'employé au RPAP", R,
      amountOf<T::Employee_PPIP_premium>, FirstPpipYear},
     {"56", "PPIP insurable earnings\nGains assurables du RPAP", R,
      amountOf<T::PPIP_insurable_earnings>, FirstPpipYear}},
};

template <int K>
constexpr SlipBox otherPair(bool amount) {
  const int x = (K % 3) * PairWidth, y = OtherTop + (K / 3) * (BoxHeight + 5);
  return amount ? SlipBox{"",
                          "Amount – Montant",
                          {x + CodeWidth, y, AmountWidth, BoxHeight},
                          R,
                          otherAmount<K>}
                : SlipBox{"", "Box – Case", {x, y, CodeWidth, BoxHeight}, C, otherCode<K>};
}
const SlipBox OtherBoxes[] = {otherPair<0>(false), otherPair<0>(true),  otherPair<1>(false),
                              otherPair<1>(true),  otherPair<2>(false), otherPair<2>(true),
                              otherPair<3>(false), otherPair<3>(true),  otherPair<4>(false),
                              otherPair<4>(true),  otherPair<5>(false), otherPair<5>(true)};

QString copyName(SlipCopy copy) {
  switch (copy) {
    case SlipCopy::Employee:
      return QStringLiteral("Employee's copy – Copie de l'employé");
    case SlipCopy::Employer:
      return QStringLiteral("Employer's copy – Copie de l'employeur");
    case SlipCopy::Cra:
      return QStringLiteral(
          "Copy for the Canada Revenue Agency – Copie pour l'Agence du revenu du Canada");
  }
  return {};
}

}  // namespace

QString employerNameAndAddress(const EmployerRecord& e) {
  return joined({e.text(E::S_Employer_name_line_1), e.text(E::S_Employer_name_line_2),
                 e.text(E::S_Employer_name_line_3), e.text(E::S_Employer_address_line_1),
                 e.text(E::S_Employer_address_line_2),
                 placeLine(e.text(E::S_Employer_city), e.text(E::S_Employer_province_code),
                           e.text(E::S_Employer_postal_code))});
}

std::vector<SlipBox> slipBoxes(int year) {
  std::vector<SlipBox> boxes;
  for (const SlipBox& box : FixedBoxes) {
    if (year >= box.fromYear) boxes.push_back(box);
  }
  int y = Top;
  for (const auto& row : AmountRows) {
    if (year < row[0].fromYear) continue;
    for (const int side : {0, 1}) {
      const AmountBox& a = row[side];
      boxes.push_back({a.number,
                       a.caption,
                       {side == 0 ? ColumnA : ColumnB, y, AmountWidth, BoxHeight},
                       a.align,
                       a.value,
                       a.fromYear});
    }
    y += RowStep;
  }
  boxes.insert(boxes.end(), std::begin(OtherBoxes), std::end(OtherBoxes));
  return boxes;
}

void drawSlip(FormCanvas& canvas, const SlipSource& source) {
  canvas.text({0, 0, 370, 12}, QStringLiteral("Canada Revenue Agency – Agence du revenu du Canada"),
              8, L);
  canvas.text({380, 0, 370, 12},
              QStringLiteral("Protected B when completed – Protégé B une fois rempli"), 8, R, true);
  canvas.text({0, 14, 70, 42}, QStringLiteral("T4"), 34, L, true);
  canvas.text({72, 16, 305, 17}, QStringLiteral("Statement of Remuneration Paid"), 13, L, true);
  canvas.text({72, 34, 305, 16}, QStringLiteral("État de la rémunération payée"), 12, L, true);
  // A slip that amends or cancels one filed before says so at its top, where CRA's slip
  // takes its report type.
  if (source.record.isAmended() || source.record.isCancelled()) {
    canvas.text({495, 14, 255, 20},
                source.record.isAmended() ? QStringLiteral("AMENDED") : QStringLiteral("CANCELLED"),
                14, R, true);
  }
  canvas.text({495, 38, 255, 14}, copyName(source.copy), 9, R);
  canvas.text(
      {0, OtherTitle, 750, 12},
      QStringLiteral("Other information (see over) – Autres renseignements (voir au verso)"), 9, L,
      true);
  for (const SlipBox& box : slipBoxes(source.employer.u16(E::S_Taxation_year))) {
    // The employee's copies leave the payroll account number out: its box is shaded.
    if (box.value == businessNumber && source.copy == SlipCopy::Employee) canvas.fill(box.rect);
    canvas.box(box.rect, QString::fromLatin1(box.number), QString::fromUtf8(box.caption),
               box.value(source), box.align);
  }
}

}  // namespace quillet
