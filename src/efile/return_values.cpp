// Quillet — the values of a T4 return as CRA's XML carries them.
#include "efile/return_values.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <utility>

#include "checks/code_tables.h"
#include "core/numeric_text.h"
#include "data/t4a_record.h"
#include "reports/t4_totals.h"
#include "reports/t4a_totals.h"

namespace quillet::cra {
namespace {

using T = T4Record;
using E = EmployerRecord;

const AmountElement AmountElements[] = {
    {"14", T::Employment_income, "empt_incamt", 8, false},
    {"16", T::Employee_CPP, "cpp_cntrb_amt", 4, false},
    {"16A", T::Employee_CPP2, "cppe_cntrb_amt", 4, false},
    {"17", T::Employee_QPP, "qpp_cntrb_amt", 4, false},
    {"17A", T::Employee_QPP2, "qppe_cntrb_amt", 4, false},
    {"18", T::Employee_EI_premium, "empe_eip_amt", 4, false},
    {"20", T::RPP_contributions, "rpp_cntrb_amt", 5, false},
    {"22", T::Income_tax_deducted, "itx_ddct_amt", 8, false},
    {"24", T::EI_insurable_earnings, "ei_insu_ern_amt", 5, true},
    {"26", T::CPP_OR_Quebec_PensionEarn, "cpp_qpp_ern_amt", 7, true},
    {"44", T::Union_dues, "unn_dues_amt", 7, false},
    {"46", T::Charitable_donations, "chrty_dons_amt", 7, false},
    {"52", T::Pension_adjustment, "padj_amt", 5, false},
    {"55", T::Employee_PPIP_premium, "prov_pip_amt", 4, false},
    {"56", T::PPIP_insurable_earnings, "prov_insu_ern_amt", 5, false},
};

// CRA's codes of Canada's provinces and territories (today's and the old ones it still
// takes) and of the United States and its territories.
const QStringList& craCanadianCodes() {
  static const QStringList codes = {"ON", "NS", "PE", "NB", "QC", "MB", "MA",
                                    "SK", "SA", "AB", "AL", "BC", "NT", "YT",
                                    "NL", "NF", "LB", "PQ", "QU", "NU", "NN"};
  return codes;
}
const QStringList& craStates() {
  static const QStringList codes = {
      "US", "NV", "AK", "NH", "AZ", "NJ", "AR", "NM", "CA", "NY", "CO", "NC", "CT", "ND", "DE",
      "OH", "DC", "OK", "FL", "OR", "GA", "PA", "HI", "RI", "ID", "SC", "IL", "SD", "IN", "TN",
      "IA", "TX", "KS", "UT", "KY", "VT", "LA", "VA", "ME", "WA", "MD", "WV", "WI", "MI", "WY",
      "MN", "MS", "MO", "MT", "NE", "PR", "AS", "FM", "GU", "MH", "MP", "PW", "VI"};
  return codes;
}

Address addressOf(const Record768& r, const std::array<Field, 6>& fields) {
  Address a;
  a.line1 = r.text(fields[0]).trimmed();
  a.line2 = r.text(fields[1]).trimmed();
  a.city = r.text(fields[2]).trimmed();
  a.province = todaysProvinceCode(r.text(fields[3]).trimmed().toUpper().left(2));
  a.country = r.text(fields[4]).trimmed().toUpper();
  if (a.country.isEmpty()) a.country = countryOfProvince(a.province);
  if (a.country != QLatin1String("CAN") && a.country != QLatin1String("USA") &&
      !a.province.isEmpty())
    a.province = QStringLiteral("ZZ");
  a.postalCode = r.text(fields[5]).toUpper().remove(u' ');
  return a;
}

}  // namespace

bool matches(const QString& text, const char* pattern) {
  // Compiled once: the check before export matches every slip's values.
  thread_local QHash<const char*, QRegularExpression> compiled;
  auto found = compiled.find(pattern);
  if (found == compiled.end())
    found = compiled.insert(
        pattern, QRegularExpression(QStringLiteral("^(?:%1)$").arg(QLatin1String(pattern))));
  return found->match(text).hasMatch();
}

// The field holds 15 characters: a number with a blank in it cannot be one.
QString programAccount(const QString& number) {
  const QString bn = number.toUpper();
  return matches(bn, "\\d{9}RP\\d{4}") ? bn : QString();
}

QString amount(int64_t cents) {
  return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString phone(const QString& text) {
  const QString digits = digitsOf(text);
  return digits.size() == 7 ? digits.left(3) + u'-' + digits.mid(3) : text.trimmed();
}

QString todaysProvinceCode(const QString& code) {
  const QString upper = code.toUpper();
  if (upper == QLatin1String("LB") || upper == QLatin1String("NF")) return QStringLiteral("NL");
  if (upper == QLatin1String("NN")) return QStringLiteral("NU");
  if (upper == QLatin1String("PQ")) return QStringLiteral("QC");
  return upper;
}

std::optional<QString> employmentProvince(const QString& code) {
  const QString today = todaysProvinceCode(code);
  static const QStringList cra = {"AB", "BC", "MB", "NB", "NL", "NS", "NT", "NU",
                                  "ON", "PE", "QC", "SK", "YT", "US", "ZZ"};
  if (cra.contains(today)) return today;
  return std::nullopt;
}

bool isCraAddressProvince(const QString& code) {
  return code == QLatin1String("ZZ") || craCanadianCodes().contains(code) ||
         craStates().contains(code);
}

std::span<const AmountElement> amountElements() { return AmountElements; }

const char* otherInfoElement(int code) {
  static const std::pair<int, const char*> elements[] = {
      {30, "hm_brd_lodg_amt"},
      {31, "spcl_wrk_site_amt"},
      {32, "prscb_zn_trvl_amt"},
      {33, "med_trvl_amt"},
      {34, "prsnl_vhcl_amt"},
      {35, "rsn_per_km_amt"},
      {36, "low_int_loan_amt"},
      {37, "empe_hm_loan_amt"},
      {38, "sob_a00_feb_amt"},
      {39, "sod_d_a00_feb_amt"},
      {40, "oth_tx_ben_amt"},
      {41, "sod_d1_a00_feb_amt"},
      {42, "empt_cmsn_amt"},
      {43, "cfppa_amt"},
      {53, "dfr_sob_amt"},
      {57, "empt_inc_amt_covid_prd1"},
      {58, "empt_inc_amt_covid_prd2"},
      {59, "empt_inc_amt_covid_prd3"},
      {60, "empt_inc_amt_covid_prd4"},
      {66, "elg_rtir_amt"},
      {67, "nelg_rtir_amt"},
      {68, "indn_elg_rtir_amt"},
      {69, "indn_nelg_rtir_amt"},
      {70, "mun_ofcr_examt"},
      {71, "indn_empe_amt"},
      {72, "oc_incamt"},
      {73, "oc_dy_cnt"},
      {74, "pr_90_cntrbr_amt"},
      {75, "pr_90_ncntrbr_amt"},
      {77, "cmpn_rpay_empr_amt"},
      {78, "fish_gro_ern_amt"},
      {79, "fish_net_ptnr_amt"},
      {80, "fish_shr_prsn_amt"},
      {81, "plcmt_emp_agcy_amt"},
      {82, "drvr_taxis_oth_amt"},
      {83, "brbr_hrdrssr_amt"},
      {84, "pub_trnst_pass_amt"},
      {85, "epaid_hlth_pln_amt"},
      {86, "stok_opt_csh_out_eamt"},
      {87, "vlntr_emergencyworker_xmpt_amt"},
      {88, "indn_txmpt_sei_amt"},
      {90, "sob_after_jun2024_amt"},
      {91, "sod_d_after_jun2024_amt"},
      {92, "sod_d1_after_jun2024_amt"},
      {94, "indn_xmpt_rpp_amt"},
      {95, "indn_xmpt_unn_amt"},
  };
  for (const auto& [number, element] : elements) {
    if (number == code) return element;
  }
  return nullptr;
}

int otherInfoCode(const T4Record& r, int pair) {
  return r.text(T::Other_info_code[pair]).left(2).toInt();
}

int employmentCode(const T4Record& r) {
  const int code = r.text(T::Employment_code).left(2).toInt();
  return code >= 11 && code <= 17 ? code : 0;
}

QString initialOf(const T4Record& r) { return r.text(T::Employee_secondinitial).trimmed(); }

QString sinOf(const T4Record& r) {
  const QString sin = digitsOf(r.text(T::Employee_SIN));
  return sin.size() == 9 ? sin : QStringLiteral("000000000");
}

const char* reportTypeOf(const SlipRecord& r) {
  static const char* const types[] = {"O", "A", "C"};
  const int type = r.reportType();
  return type < 3 ? types[type] : nullptr;
}

int64_t slipAmount(const T4Record& r, const AmountElement& box, const EmployerRecord& e) {
  const int32_t cents = r.int32(box.field);
  if (e.u16(E::S_Taxation_year) > 2000 || cents != 0) return cents;
  const int64_t income = std::max(r.int32(T::Employment_income), 0);
  if (&box.field == &T::EI_insurable_earnings && !r.flag(T::EI_Exempt))
    return std::min<int64_t>(income, e.int32(E::EI_max_earnings));
  if (&box.field == &T::CPP_OR_Quebec_PensionEarn && !r.flag(T::CPP_OR_Quebec_Pension_Exempt))
    return std::min<int64_t>(income, e.int32(E::CPP_max_earnings));
  return cents;
}

bool Address::isEmpty() const {
  return line1.isEmpty() && line2.isEmpty() && city.isEmpty() && province.isEmpty() &&
         country.isEmpty() && postalCode.isEmpty();
}

Address employeeAddress(const T4Record& r) {
  return addressOf(r,
                   {T::Employee_address_line_1, T::Employee_address_line_2, T::Employee_city,
                    T::Employee_province_code, T::Employee_country_code, T::Employee_postal_code});
}

Address employerAddress(const EmployerRecord& e) {
  return addressOf(
      e, {E::S_Employer_address_line_1, E::S_Employer_address_line_2, E::S_Employer_city,
          E::S_Employer_province_code, E::S_Employer_country_code, E::S_Employer_postal_code});
}

std::vector<SummaryAmount> summaryAmounts(const T4Totals& t) {
  return {{"tot_empt_incamt", 11, t.employmentIncome},
          {"tot_empe_cpp_amt", 9, t.employeeCpp},
          {"tot_empe_cppe_amt", 9, t.employeeSecondCpp},
          {"tot_empe_eip_amt", 9, t.employeeEi},
          {"tot_rpp_cntrb_amt", 9, t.rpp},
          {"tot_itx_ddct_amt", 11, t.incomeTax},
          {"tot_padj_amt", 11, t.pensionAdjustment},
          {"tot_empr_cpp_amt", 9, t.employeeCpp},
          {"tot_empr_cppe_amt", 9, t.employeeSecondCpp},
          {"tot_empr_eip_amt", 9, t.employerEi}};
}

QString signedAmount(int64_t cents) {
  return cents < 0 ? QLatin1Char('-') + amount(-cents) : amount(cents);
}

std::span<const T4AAmountElement> t4aAmountElements() {
  using A = T4ARecord;
  static const T4AAmountElement elements[] = {
      {16, A::Pension_or_superannuation, "pens_spran_amt"},
      {18, A::Lump_sum_payments, "lsp_amt"},
      {20, A::Self_employed_commissions, "self_empl_cmsn_amt"},
      {22, A::Income_tax_deducted, "itx_ddct_amt"},
      {24, A::Annuities, "annty_amt"},
      {48, A::Fees_for_services, "fee_or_oth_srvc_amt"},
  };
  return elements;
}

Address recipientAddress(const T4ARecord& r) {
  using A = T4ARecord;
  return addressOf(
      r, {A::Recipient_address_line_1, A::Recipient_address_line_2, A::Recipient_city,
          A::Recipient_province_code, A::Recipient_country_code, A::Recipient_postal_code});
}

std::vector<SummaryAmount> summaryAmounts(const T4ATotals& t) {
  return {{"tot_pens_spran_amt", 13, t.pension},
          {"tot_lsp_amt", 13, t.lumpSums},
          {"tot_self_cmsn_amt", 13, t.commissions},
          {"tot_ptrng_aloc_amt", 13, t.patronage},
          {"tot_past_srvc_amt", 13, t.pastService},
          {"tot_annty_incamt", 13, t.annuities},
          {"totr_incamt", 13, t.otherIncome},
          {"tot_itx_dedn_amt", 11, t.incomeTax},
          {"tot_padj_amt", 13, t.pensionAdjustment},
          {"tot_resp_aip_amt", 13, t.respIncome},
          {"tot_resp_amt", 13, t.respAssistance},
          {"rpt_tot_fee_srvc_amt", 13, t.fees},
          {"rpt_tot_oth_info_amt", 13, t.otherInformation, true}};
}

QString proprietorSin(const EmployerRecord& e, int which) {
  return digitsOf(e.text(which == 1 ? E::S_Proprietor_SIN_1 : E::S_Proprietor_SIN_2));
}

}  // namespace quillet::cra
