// Quillet — the T4 or T4A slip drawn whole on plain paper, for the tax year of the file.
#include "reports/plain_slip.h"

#include <QRegularExpression>
#include <QStringList>
#include <array>
#include <iterator>
#include <span>
#include <utility>

#include "core/numeric_text.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"

namespace quillet {
namespace {

using T = T4Record;
using A = T4ARecord;
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

// The other information of a T4 (its code's first two characters; six pairs) and of a T4A
// (its code of three digits; twelve pairs).
template <int K>
QString otherCode(const SlipSource& s) {
  if (s.record.isT4A()) {
    const int code = s.record.u16(A::Other_info_code[K]);
    return s.record.int32(A::Other_info_amount[K]) == 0 || code == 0
               ? QString()
               : QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
  }
  if constexpr (K < T4Record::OtherInfoCount) {
    return s.record.int32(T::Other_info_amount[K]) == 0
               ? QString()
               : s.record.text(T::Other_info_code[K]).left(2).trimmed();
  }
  return {};
}

template <int K>
QString otherAmount(const SlipSource& s) {
  if (s.record.isT4A()) return formAmount(s.record.int32(A::Other_info_amount[K]));
  if constexpr (K < T4Record::OtherInfoCount)
    return formAmount(s.record.int32(T::Other_info_amount[K]));
  return {};
}

QString employerName(const SlipSource& s) {
  const E& e = s.employer;
  return joined({e.text(E::S_Employer_name_line_1), e.text(E::S_Employer_name_line_2),
                 e.text(E::S_Employer_name_line_3)});
}

// The surname in capitals, as the box asks, then the first name and the initial; the
// address under them.
QString employeeName(const SlipSource& s) {
  const SlipRecord& r = s.record;
  const QString country = r.text(T::Employee_country_code).trimmed().toUpper();
  return joined({r.text(T::Employee_surname).trimmed().toUpper() + QStringLiteral(", ") +
                     r.text(T::Employee_first_name).trimmed() + QStringLiteral(" ") +
                     r.text(T::Employee_secondinitial),
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
QString spacedSin(const QString& typed) {
  const QString digits = digitsOf(typed);
  return digits.size() == 9 ? digits.left(3) + u' ' + digits.mid(3, 3) + u' ' + digits.mid(6)
                            : typed.trimmed();
}
QString sin(const SlipSource& s) { return spacedSin(s.record.text(T::Employee_SIN)); }
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

// The T4A's boxes: the recipient is a person (name and SIN) or a business (its name lines
// and business number).
QString recipientSin(const SlipSource& s) {
  return s.record.flag(A::Recipient_is_business) ? QString()
                                                 : spacedSin(s.record.text(A::Recipient_SIN));
}
QString recipientBn(const SlipSource& s) { return s.record.text(A::Recipient_BN).toUpper(); }
QString recipientNumber(const SlipSource& s) { return s.record.text(A::Recipient_number); }
QString payerDental(const SlipSource& s) {
  const int code = s.record.byte(A::Dental_benefits_code);
  return code == 0 ? QString() : QString::number(code);
}
QString planNumber(const SlipSource& s) { return s.record.text(A::RPP_or_DPSP_number).trimmed(); }
QString recipientName(const SlipSource& s) {
  const SlipRecord& r = s.record;
  const QString country = r.text(A::Recipient_country_code).trimmed().toUpper();
  const QString name =
      r.flag(A::Recipient_is_business)
          ? joined({r.text(A::Business_name_line_1), r.text(A::Business_name_line_2)})
          : r.text(A::Recipient_surname).trimmed().toUpper() + QStringLiteral(", ") +
                r.text(A::Recipient_first_name).trimmed() + QStringLiteral(" ") +
                r.text(A::Recipient_initial);
  return joined({name, r.text(A::Recipient_address_line_1), r.text(A::Recipient_address_line_2),
                 placeLine(r.text(A::Recipient_city), r.text(A::Recipient_province_code),
                           r.text(A::Recipient_postal_code)),
                 country == QLatin1String("CAN") ? QString() : country});
}

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

// The other information's pairs, code and amount, `perRow` a row from `top`.
struct PairGeometry {
  int perRow, top, pairWidth, codeWidth, amountWidth, rowStep;
};
using SlipValue = QString (*)(const SlipSource&);
template <std::size_t... K>
constexpr std::array<std::pair<SlipValue, SlipValue>, sizeof...(K)> pairValues(
    std::index_sequence<K...>) {
  return {std::pair<SlipValue, SlipValue>{otherCode<K>, otherAmount<K>}...};
}
constexpr auto PairValues = pairValues(std::make_index_sequence<T4ARecord::OtherInfoCount>());

template <int Count>
constexpr std::array<SlipBox, 2 * Count> otherBoxes(PairGeometry g) {
  std::array<SlipBox, 2 * Count> boxes{};
  for (int k = 0; k < Count; ++k) {
    const int x = (k % g.perRow) * g.pairWidth, y = g.top + (k / g.perRow) * g.rowStep;
    boxes[std::size_t(2 * k)] = {
        "", "Box – Case", {x, y, g.codeWidth, BoxHeight}, C, PairValues[std::size_t(k)].first};
    boxes[std::size_t(2 * k + 1)] = {"",
                                     "Amount – Montant",
                                     {x + g.codeWidth, y, g.amountWidth, BoxHeight},
                                     R,
                                     PairValues[std::size_t(k)].second};
  }
  return boxes;
}
constexpr auto OtherBoxes = otherBoxes<T4Record::OtherInfoCount>(
    {3, OtherTop, PairWidth, CodeWidth, AmountWidth, BoxHeight + 5});

// The T4A: the payer's and the recipient's boxes on the left, the amounts on the right, twelve
// pairs of other information across the foot, four a row.
constexpr int T4AOtherTitle = 340;
const SlipBox T4AFixedBoxes[] = {
    {"", "Year\nAnnée", {380, 14, 110, 42}, C, year},
    {"", "Payer's name\nNom du payeur", {0, Top, 360, 60}, L, employerName},
    {"061",
     "Payer's program account number\nNuméro de compte de programme du payeur",
     {0, 124, 235, BoxHeight},
     L,
     businessNumber},
    {"012",
     "Social insurance number\nNuméro d'assurance sociale",
     {0, 163, 175, BoxHeight},
     L,
     recipientSin},
    {"013",
     "Recipient's account number\nNuméro de compte du bénéficiaire",
     {180, 163, 180, BoxHeight},
     L,
     recipientBn},
    {"014",
     "Recipient's number\nNuméro du bénéficiaire",
     {0, 202, 175, BoxHeight},
     L,
     recipientNumber},
    {"015",
     "Payer-offered dental benefits\nPrestations dentaires offertes par le payeur",
     {180, 202, 180, BoxHeight},
     C,
     payerDental,
     FirstDentalYear},
    {"",
     "Recipient's name and address – Nom et adresse du bénéficiaire\nLast name (in capital "
     "letters), first name, initial – Nom de famille (en lettres moulées), prénom, initiale",
     {0, 241, 360, 95},
     L,
     recipientName},
    {"",
     "Pension plan registration number\nNuméro d'agrément du régime de pension",
     {ColumnA, Top + 3 * RowStep, AmountWidth, BoxHeight},
     L,
     planNumber},
};
const AmountBox T4AAmountRows[][2] = {
    {{"016", "Pension or superannuation\nPrestations de retraite ou autres pensions", R,
      amountOf<A::Pension_or_superannuation>},
     {"022", "Income tax deducted\nImpôt sur le revenu retenu", R,
      amountOf<A::Income_tax_deducted>}},
    {{"018", "Lump-sum payments\nPaiements forfaitaires", R, amountOf<A::Lump_sum_payments>},
     {"020", "Self-employed commissions\nCommissions d'un emploi autonome", R,
      amountOf<A::Self_employed_commissions>}},
    {{"024", "Annuities\nRentes", R, amountOf<A::Annuities>},
     {"048", "Fees for services\nHonoraires ou autres sommes pour services rendus", R,
      amountOf<A::Fees_for_services>}},
};
constexpr auto T4AOtherBoxes =
    otherBoxes<T4ARecord::OtherInfoCount>({4, T4AOtherTitle + 14, 187, 52, 132, BoxHeight + 2});

// What differs between the two slips: the boxes, the words, the copies' names.
struct SlipLayout {
  const char* title;
  const char* englishName;
  const char* frenchName;
  std::span<const SlipBox> fixed;
  std::span<const AmountBox[2]> rows;
  std::span<const SlipBox> other;
  int otherTitle;
  const char* holdersCopy;  // the employee's, the recipient's
  const char* payersCopy;   // the employer's, the payer's
};
const SlipLayout T4Layout = {"T4",
                             "Statement of Remuneration Paid",
                             "État de la rémunération payée",
                             FixedBoxes,
                             AmountRows,
                             OtherBoxes,
                             OtherTitle,
                             "Employee's copy – Copie de l'employé",
                             "Employer's copy – Copie de l'employeur"};
const SlipLayout T4ALayout = {"T4A",
                              "Statement of Pension, Retirement, Annuity, and Other Income",
                              "État du revenu de pension, de retraite, de rente ou d'autres "
                              "sources",
                              T4AFixedBoxes,
                              T4AAmountRows,
                              T4AOtherBoxes,
                              T4AOtherTitle,
                              "Recipient's copy – Copie du bénéficiaire",
                              "Payer's copy – Copie du payeur"};
const SlipLayout& layoutOf(SlipKind kind) { return kind == SlipKind::T4 ? T4Layout : T4ALayout; }

QString copyName(const SlipLayout& layout, SlipCopy copy) {
  switch (copy) {
    case SlipCopy::Employee:
      return QString::fromUtf8(layout.holdersCopy);
    case SlipCopy::Employer:
      return QString::fromUtf8(layout.payersCopy);
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

std::vector<SlipBox> slipBoxes(int year, SlipKind kind) {
  const SlipLayout& layout = layoutOf(kind);
  std::vector<SlipBox> boxes;
  for (const SlipBox& box : layout.fixed) {
    if (year >= box.fromYear) boxes.push_back(box);
  }
  int y = Top;
  for (const auto& row : layout.rows) {
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
  boxes.insert(boxes.end(), layout.other.begin(), layout.other.end());
  return boxes;
}

void drawSlip(FormCanvas& canvas, const SlipSource& source) {
  canvas.text({0, 0, 370, 12}, QStringLiteral("Canada Revenue Agency – Agence du revenu du Canada"),
              8, L);
  canvas.text({380, 0, 370, 12},
              QStringLiteral("Protected B when completed – Protégé B une fois rempli"), 8, R, true);
  const SlipKind kind = source.record.isT4A() ? SlipKind::T4A : SlipKind::T4;
  const SlipLayout& layout = layoutOf(kind);
  canvas.text({0, 14, 70, 42}, QLatin1String(layout.title), 34, L, true);
  canvas.text({72, 16, 305, 17}, QString::fromUtf8(layout.englishName), 13, L, true);
  canvas.text({72, 34, 305, 16}, QString::fromUtf8(layout.frenchName), 12, L, true);
  // A slip that amends or cancels one filed before says so at its top, where CRA's slip
  // takes its report type.
  if (const uint8_t type = source.record.reportType(); type == 1 || type == 2) {
    canvas.text({495, 14, 255, 20},
                type == 1 ? QStringLiteral("AMENDED") : QStringLiteral("CANCELLED"), 14, R, true);
  }
  canvas.text({495, 38, 255, 14}, copyName(layout, source.copy), 9, R);
  canvas.text(
      {0, layout.otherTitle, 750, 12},
      QStringLiteral("Other information (see over) – Autres renseignements (voir au verso)"), 9, L,
      true);
  for (const SlipBox& box : slipBoxes(source.employer.u16(E::S_Taxation_year), kind)) {
    // The employee's copies leave the payroll account number out: its box is shaded.
    if (box.value == businessNumber && source.copy == SlipCopy::Employee) canvas.fill(box.rect);
    canvas.box(box.rect, QString::fromLatin1(box.number), QString::fromUtf8(box.caption),
               box.value(source), box.align);
  }
}

}  // namespace quillet
