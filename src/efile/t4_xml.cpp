// Quillet — the T4 return as CRA's XML for Internet File Transfer.
#include "efile/t4_xml.h"

#include <QRegularExpression>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "checks/code_tables.h"
#include "checks/revcan_validity.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "reports/t4_totals.h"

namespace quillet {
namespace {

using T = T4Record;
using E = EmployerRecord;

bool matches(const QString& text, const char* pattern) {
  return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QLatin1String(pattern)))
      .match(text)
      .hasMatch();
}

QString digitsOf(const QString& text) {
  QString digits;
  for (const QChar c : text) {
    if (c.isDigit()) digits += c;
  }
  return digits;
}

// The business number as CRA takes it: 9 digits, RP, 4 digits; empty when it is not.
QString programAccount(const QString& number) {
  QString bn = number.toUpper();
  bn.remove(u' ');
  return matches(bn, "\\d{9}RP\\d{4}") ? bn : QString();
}

// "1234.56": two decimals, no sign.
QString amount(int64_t cents) {
  return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

// Box 10 as CRA's code: Newfoundland and Labrador and Nunavut under today's codes.
std::optional<QString> employmentProvince(const QString& code) {
  const QString upper = code.toUpper();
  if (upper == QLatin1String("LB") || upper == QLatin1String("NF")) return QStringLiteral("NL");
  if (upper == QLatin1String("NN")) return QStringLiteral("NU");
  static const QStringList cra = {"AB", "BC", "MB", "NB", "NL", "NS", "NT", "NU",
                                  "ON", "PE", "QC", "SK", "YT", "US", "ZZ"};
  if (cra.contains(upper)) return upper;
  return std::nullopt;
}

// The T4_AMT elements, in order: box field, element, digits before the point.
struct AmountElement {
  const Field& field;
  const char* element;
  int digits;
  bool always;  // written as 0.00 too
};
const AmountElement AmountElements[] = {
    {T::Employment_income, "empt_incamt", 8, false},
    {T::Employee_CPP, "cpp_cntrb_amt", 4, false},
    {T::Employee_CPP2, "cppe_cntrb_amt", 4, false},
    {T::Employee_QPP, "qpp_cntrb_amt", 4, false},
    {T::Employee_QPP2, "qppe_cntrb_amt", 4, false},
    {T::Employee_EI_premium, "empe_eip_amt", 4, false},
    {T::RPP_contributions, "rpp_cntrb_amt", 5, false},
    {T::Income_tax_deducted, "itx_ddct_amt", 8, false},
    {T::EI_insurable_earnings, "ei_insu_ern_amt", 5, true},
    {T::CPP_OR_Quebec_PensionEarn, "cpp_qpp_ern_amt", 7, true},
    {T::Union_dues, "unn_dues_amt", 7, false},
    {T::Charitable_donations, "chrty_dons_amt", 7, false},
    {T::Pension_adjustment, "padj_amt", 5, false},
    {T::Employee_PPIP_premium, "prov_pip_amt", 4, false},
    {T::PPIP_insurable_earnings, "prov_insu_ern_amt", 5, false},
};

// The OTH_INFO element of each code.
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

// An "other information" pair: its code number, 0 when it has none.
int otherInfoCode(const T4Record& r, int i) {
  bool number = false;
  const int code = r.text(T::Other_info_code[i]).left(2).toInt(&number);
  return number ? code : 0;
}

// Box 29 as a number 11-17; 0 when there is none or another.
int employmentCode(const T4Record& r) {
  const int code = r.text(T::Employment_code).left(2).toInt();
  return code >= 11 && code <= 17 ? code : 0;
}

QString postalCode(const QString& text) { return text.toUpper().remove(u' '); }

// NNN-NNNN from seven digits.
QString phone(const QString& text) {
  const QString digits = digitsOf(text);
  return digits.size() == 7 ? digits.left(3) + u'-' + digits.mid(3) : text;
}

class ReturnWriter {
 public:
  ReturnWriter(QIODevice& out, const E& employer) : w(&out), e(employer) {
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
  }

  void optional(const char* element, const QString& value) {
    if (!value.trimmed().isEmpty()) w.writeTextElement(QLatin1String(element), value.trimmed());
  }

  void transmittal(const Transmitter& t, const XmlReturnOptions& options) {
    w.writeStartElement(QStringLiteral("T619"));
    optional("sbmt_ref_id", options.submissionRef);
    w.writeStartElement(QStringLiteral("TransmitterAccountNumber"));
    const QString account = t.account.toUpper().remove(u' ');
    const char* kind = matches(account, "\\d{9}")                 ? "bn9"
                       : matches(account, "\\d{9}[A-Z]{2}\\d{4}") ? "bn15"
                       : matches(account, "[A-Z]\\d{8}")          ? "trust"
                                                                  : "nr4";
    w.writeTextElement(QLatin1String(kind), account);
    w.writeEndElement();
    if (t.signIn == Transmitter::SignIn::RAC) {
      w.writeStartElement(QStringLiteral("TransmitterRepID"));
      w.writeTextElement(QStringLiteral("RepID"), t.repId.trimmed());
      w.writeEndElement();
    }
    w.writeTextElement(QStringLiteral("summ_cnt"), QStringLiteral("1"));
    w.writeTextElement(QStringLiteral("lang_cd"), QString(t.language));
    if (!t.name.trimmed().isEmpty()) {
      w.writeStartElement(QStringLiteral("TransmitterName"));
      w.writeTextElement(QStringLiteral("l1_nm"), t.name.trimmed().left(35));
      w.writeEndElement();
    }
    w.writeTextElement(QStringLiteral("TransmitterCountryCode"), QStringLiteral("CAN"));
    w.writeStartElement(QStringLiteral("CNTC"));
    w.writeTextElement(QStringLiteral("cntc_nm"), t.contactName.trimmed().left(35));
    w.writeTextElement(QStringLiteral("cntc_area_cd"), t.contactArea.trimmed());
    w.writeTextElement(QStringLiteral("cntc_phn_nbr"), phone(t.contactPhone));
    optional("cntc_extn_nbr", t.contactExtension);
    w.writeTextElement(QStringLiteral("cntc_email_area"), t.contactEmail.trimmed().left(60));
    w.writeEndElement();
    w.writeEndElement();
  }

  void slip(const T4Record& r, const QString& bn) {
    w.writeStartElement(QStringLiteral("T4Slip"));
    w.writeStartElement(QStringLiteral("EMPE_NM"));
    w.writeTextElement(QStringLiteral("snm"), r.surname().trimmed().left(20));
    optional("gvn_nm", r.firstName().trimmed().left(12));
    optional("init", r.text(T::Employee_secondinitial).trimmed().left(1));
    w.writeEndElement();
    address("EMPE_ADDR", r,
            {T::Employee_address_line_1, T::Employee_address_line_2, T::Employee_city,
             T::Employee_province_code, T::Employee_country_code, T::Employee_postal_code});
    const QString sin = digitsOf(r.text(T::Employee_SIN));
    w.writeTextElement(QStringLiteral("sin"), sin.size() == 9 ? sin : QStringLiteral("000000000"));
    optional("empe_nbr", r.text(T::Employee_number).left(20));
    w.writeTextElement(QStringLiteral("bn"), bn);
    optional("rpp_dpsp_rgst_nbr", digitsOf(r.text(T::RPP_or_deferred_PlanNumbr)).left(7));
    w.writeTextElement(QStringLiteral("cpp_qpp_xmpt_cd"),
                       r.flag(T::CPP_OR_Quebec_Pension_Exempt) ? "1" : "0");
    w.writeTextElement(QStringLiteral("ei_xmpt_cd"), r.flag(T::EI_Exempt) ? "1" : "0");
    if (r.flag(T::PPIP_Exempt)) w.writeTextElement(QStringLiteral("prov_pip_xmpt_cd"), "1");
    if (const int code = employmentCode(r)) {
      w.writeTextElement(QStringLiteral("empt_cd"), QString::number(code));
    }
    static const char* const types[] = {"O", "A", "C"};
    w.writeTextElement(QStringLiteral("rpt_tcd"),
                       QLatin1String(types[std::min<int>(r.byte(T::Report_type), 2)]));
    w.writeTextElement(QStringLiteral("empt_prov_cd"),
                       employmentProvince(r.text(T::Province_of_employment_code)).value_or("ZZ"));
    if (const int dental = r.byte(T::Dental_benefits_code); dental >= 1 && dental <= 5) {
      w.writeTextElement(QStringLiteral("empr_dntl_ben_rpt_cd"), QString::number(dental));
    }
    w.writeStartElement(QStringLiteral("T4_AMT"));
    for (const AmountElement& a : AmountElements) {
      const int64_t cents = slipAmount(r, a.field);
      if (cents > 0 || a.always) {
        w.writeTextElement(QLatin1String(a.element), amount(std::max<int64_t>(cents, 0)));
      }
    }
    w.writeEndElement();
    bool otherInfo = false;
    for (int i = 0; i < T::OtherInfoCount; ++i) {
      const int32_t cents = r.int32(T::Other_info_amount[i]);
      const char* element = otherInfoElement(otherInfoCode(r, i));
      if (cents <= 0 || !element) continue;
      if (!std::exchange(otherInfo, true)) w.writeStartElement(QStringLiteral("OTH_INFO"));
      w.writeTextElement(QLatin1String(element),
                         otherInfoCode(r, i) == 73 ? QString::number(cents / 100) : amount(cents));
    }
    if (otherInfo) w.writeEndElement();
    w.writeEndElement();
  }

  // A box as the slip reports it. An empty box 24 or 26 means, in this program, all of the
  // employment income up to the year's maximum (none when exempt); CRA wants the figure.
  int64_t slipAmount(const T4Record& r, const Field& field) const {
    const int32_t cents = r.int32(field);
    const int64_t income = std::max(r.int32(T::Employment_income), 0);
    if (&field == &T::EI_insurable_earnings && cents == 0 && !r.flag(T::EI_Exempt))
      return std::min<int64_t>(income, e.int32(E::EI_max_earnings));
    if (&field == &T::CPP_OR_Quebec_PensionEarn && cents == 0 &&
        !r.flag(T::CPP_OR_Quebec_Pension_Exempt))
      return std::min<int64_t>(income, e.int32(E::CPP_max_earnings));
    return cents;
  }

  void address(const char* element, const Record768& r, std::array<Field, 6> fields) {
    QString province = r.text(fields[3]).trimmed().toUpper().left(2);
    QString country = r.text(fields[4]).trimmed().toUpper();
    if (country.isEmpty()) {
      // The province's list tells the country: Canada's codes, ZZ, then the states.
      constexpr qsizetype OtherCountry = 13;
      const qsizetype at = addressProvinceCodes().indexOf(province);
      if (at >= 0 && at != OtherCountry)
        country = at < OtherCountry ? QStringLiteral("CAN") : QStringLiteral("USA");
    }
    if (country != QLatin1String("CAN") && country != QLatin1String("USA")) {
      province = QStringLiteral("ZZ");
    }
    w.writeStartElement(QLatin1String(element));
    optional("addr_l1_txt", r.text(fields[0]).left(30));
    optional("addr_l2_txt", r.text(fields[1]).left(30));
    optional("cty_nm", r.text(fields[2]).left(28));
    optional("prov_cd", province);
    optional("cntry_cd", country.left(3));
    optional("pstl_cd", postalCode(r.text(fields[5])).left(10));
    w.writeEndElement();
  }

  void summary(const T4Totals& t, const XmlReturnOptions& options, const QString& bn) {
    w.writeStartElement(QStringLiteral("T4Summary"));
    w.writeTextElement(QStringLiteral("bn"), bn);
    w.writeStartElement(QStringLiteral("EMPR_NM"));
    w.writeTextElement(QStringLiteral("l1_nm"), e.text(E::S_Employer_name_line_1).trimmed());
    optional("l2_nm", e.text(E::S_Employer_name_line_2));
    optional("l3_nm", e.text(E::S_Employer_name_line_3));
    w.writeEndElement();
    address("EMPR_ADDR", e,
            {E::S_Employer_address_line_1, E::S_Employer_address_line_2, E::S_Employer_city,
             E::S_Employer_province_code, E::S_Employer_country_code, E::S_Employer_postal_code});
    w.writeStartElement(QStringLiteral("CNTC"));
    w.writeTextElement(QStringLiteral("cntc_nm"), e.text(E::S_Contact_name).trimmed());
    w.writeTextElement(QStringLiteral("cntc_area_cd"), e.text(E::S_Contact_area_code).trimmed());
    w.writeTextElement(QStringLiteral("cntc_phn_nbr"), phone(e.text(E::S_Contact_phone_number)));
    optional("cntc_extn_nbr", e.text(E::S_Contact_extension));
    w.writeEndElement();
    w.writeTextElement(QStringLiteral("tx_yr"), QString::number(e.u16(E::S_Taxation_year)));
    w.writeTextElement(QStringLiteral("slp_cnt"), QString::number(t.count));
    const QString sin1 = digitsOf(e.text(E::S_Proprietor_SIN_1));
    const QString sin2 = digitsOf(e.text(E::S_Proprietor_SIN_2));
    if (sin1.size() == 9 || (sin2.size() == 9 && sin2 != QLatin1String("000000000"))) {
      w.writeStartElement(QStringLiteral("PPRTR_SIN"));
      if (sin1.size() == 9) w.writeTextElement(QStringLiteral("pprtr_1_sin"), sin1);
      if (sin2.size() == 9 && sin2 != QLatin1String("000000000"))
        w.writeTextElement(QStringLiteral("pprtr_2_sin"), sin2);
      w.writeEndElement();
    }
    w.writeTextElement(QStringLiteral("rpt_tcd"), options.amended ? "A" : "O");
    optional("fileramendmentnote", options.amendmentNote.left(2000));
    w.writeStartElement(QStringLiteral("T4_TAMT"));
    const std::pair<const char*, int64_t> totals[] = {{"tot_empt_incamt", t.employmentIncome},
                                                      {"tot_empe_cpp_amt", m_employeeCpp},
                                                      {"tot_empe_cppe_amt", m_employeeCpp2},
                                                      {"tot_empe_eip_amt", t.employeeEi},
                                                      {"tot_rpp_cntrb_amt", t.rpp},
                                                      {"tot_itx_ddct_amt", t.incomeTax},
                                                      {"tot_padj_amt", t.pensionAdjustment},
                                                      {"tot_empr_cpp_amt", m_employeeCpp},
                                                      {"tot_empr_cppe_amt", m_employeeCpp2},
                                                      {"tot_empr_eip_amt", t.employerEi}};
    for (const auto& [element, cents] : totals) {
      if (cents > 0) w.writeTextElement(QLatin1String(element), amount(cents));
    }
    w.writeEndElement();
    w.writeEndElement();
  }

  // CPP and CPP2 alone: QPP is not in the XML.
  void countPensions(const T4Record& r) {
    m_employeeCpp += std::max(r.int32(T::Employee_CPP), 0);
    m_employeeCpp2 += std::max(r.int32(T::Employee_CPP2), 0);
  }

  QXmlStreamWriter w;
  const E& e;
  int64_t m_employeeCpp = 0;
  int64_t m_employeeCpp2 = 0;
};

const char* const SignInKeys[] = {"MyBA", "WAC", "RAC"};

// The settings' key of each entry, in the order of Transmitter::Entry.
const std::array<const char*, 9> EntryKeys = {"Account",          "RepID",        "Name",
                                              "ContactName",      "ContactArea",  "ContactPhone",
                                              "ContactExtension", "ContactEmail", "Language"};

}  // namespace

QString& Transmitter::text(Entry entry) {
  switch (entry) {
    case Entry::Account:
      return account;
    case Entry::RepId:
      return repId;
    case Entry::Name:
      return name;
    case Entry::ContactName:
      return contactName;
    case Entry::ContactArea:
      return contactArea;
    case Entry::ContactPhone:
      return contactPhone;
    case Entry::ContactExtension:
      return contactExtension;
    case Entry::ContactEmail:
      return contactEmail;
    case Entry::Language:
      break;
  }
  Q_UNREACHABLE();
}

Transmitter Transmitter::from(QSettings& s) {
  Transmitter t;
  const QString signIn = s.value(QStringLiteral("SignIn")).toString().toUpper();
  for (int i = 0; i < 3; ++i) {
    if (signIn == QString::fromLatin1(SignInKeys[i]).toUpper()) t.signIn = SignIn(i);
  }
  for (int i = 0; i < int(Entry::Language); ++i)
    t.text(Entry(i)) = s.value(QLatin1String(EntryKeys[i])).toString();
  const QString language = s.value(QStringLiteral("Language"), QStringLiteral("E")).toString();
  t.language = language.isEmpty() ? u'E' : language.at(0).toUpper();
  return t;
}

void Transmitter::store(QSettings& s) const {
  s.setValue(QStringLiteral("SignIn"), QLatin1String(SignInKeys[int(signIn)]));
  for (int i = 0; i < int(Entry::Language); ++i)
    s.setValue(QLatin1String(EntryKeys[i]), text(Entry(i)).trimmed());
  s.setValue(QStringLiteral("Language"), QString(language));
}

void Transmitter::startFrom(const EmployerRecord& employer) {
  const std::pair<QString*, QString> offered[] = {
      {&account, employer.text(E::RevCan_account_number).remove(u' ')},
      {&name, employer.text(E::S_Employer_name_line_1)},
      {&contactName, employer.text(E::S_Contact_name)},
      {&contactArea, employer.text(E::S_Contact_area_code)},
      {&contactPhone, phone(employer.text(E::S_Contact_phone_number))},
      {&contactExtension, employer.text(E::S_Contact_extension)},
      {&contactEmail, employer.text(E::S_Contact_email)}};
  for (const auto& [entry, text] : offered) {
    if (entry->trimmed().isEmpty()) *entry = text.trimmed();
  }
}

QString Transmitter::problemOf(Entry entry) const {
  const auto fails = [](const QString& text, const char* pattern) {
    return !matches(text.trimmed(), pattern);
  };
  switch (entry) {
    case Entry::Account:
      if (fails(account.toUpper().remove(u' '),
                "\\d{9}|\\d{9}[A-Z]{2}\\d{4}|[A-Z]\\d{8}|[A-Z]{3}\\d{6}"))
        return QStringLiteral("The transmitter's account number is missing or not a CRA number");
      break;
    case Entry::RepId:
      if (signIn == SignIn::RAC && fails(repId, "[A-Za-z0-9]{1,7}"))
        return QStringLiteral("Represent a Client needs the RepID (1 to 7 letters and digits)");
      break;
    case Entry::Name:
      if (name.trimmed().size() > 35)
        return QStringLiteral("The transmitter's name is longer than 35 characters");
      break;
    case Entry::ContactName:
      if (contactName.trimmed().isEmpty()) return QStringLiteral("The contact's name is missing");
      if (contactName.trimmed().size() > 35)
        return QStringLiteral("The contact's name is longer than 35 characters");
      break;
    case Entry::ContactArea:
      if (fails(contactArea, "\\d{3}"))
        return QStringLiteral("The contact's area code is not 3 digits");
      break;
    case Entry::ContactPhone:
      if (fails(phone(contactPhone), "\\d{3}-\\d{4}"))
        return QStringLiteral("The contact's phone number is not NNN-NNNN");
      break;
    case Entry::ContactExtension:
      if (!contactExtension.trimmed().isEmpty() && fails(contactExtension, "\\d{1,5}"))
        return QStringLiteral("The contact's extension is not digits");
      break;
    case Entry::ContactEmail:
      if (fails(contactEmail, "[^@\\s]+@[^@\\s]+\\.[^@\\s]+") || contactEmail.trimmed().size() > 60)
        return QStringLiteral("The contact's e-mail address is missing or malformed");
      break;
    case Entry::Language:
      if (language != u'E' && language != u'F') return QStringLiteral("The language is E or F");
      break;
  }
  return {};
}

QStringList Transmitter::problems() const {
  QStringList found;
  for (int i = 0; i <= int(Entry::Language); ++i) {
    if (const QString problem = problemOf(Entry(i)); !problem.isEmpty()) found << problem;
  }
  return found;
}

XmlFindings checkForXml(OpenT4FileState& state) {
  XmlFindings findings;
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  const QString bn = programAccount(employer.text(E::RevCan_account_number));
  if (bn.isEmpty()) {
    findings.errors << QStringLiteral(
        "Employer: the business number is not 9 digits, RP and 4 digits");
  }
  const int year = employer.u16(E::S_Taxation_year);
  TAlphaInxFileStream& file = state.T4File();
  T4Record r;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(r.bytes(), i) != Record768::Size || r.isVoid()) continue;
    const QString who =
        QStringLiteral("%1 %2 (SIN %3): ").arg(r.firstName(), r.surname(), r.text(T::Employee_SIN));
    const auto error = [&](const QString& text) { findings.errors << who + text; };
    const auto warning = [&](const QString& text) { findings.warnings << who + text; };
    if (r.surname().trimmed().isEmpty()) error(QStringLiteral("the surname is missing"));
    const QString sin = digitsOf(r.text(T::Employee_SIN));
    int32_t code = 0;
    if (sin.isEmpty()) {
      error(QStringLiteral("the SIN is missing"));
    } else if (!RevCanValidityCheck(sin, code)) {
      error(QStringLiteral("the SIN fails its check digit"));
    }
    if (!employmentProvince(r.text(T::Province_of_employment_code)))
      error(QStringLiteral("the province of employment has no CRA code"));
    const QString slipBn = programAccount(r.text(T::RevCan_account_number));
    if (slipBn.isEmpty() || slipBn != bn)
      error(
          QStringLiteral("the business number differs from the employer's or is not in the "
                         "RP form"));
    for (const AmountElement& a : AmountElements) {
      const int32_t cents = r.int32(a.field);
      if (cents < 0) error(QStringLiteral("the amount of %1 is negative").arg(a.element));
      if (cents / 100 >= static_cast<int64_t>(std::pow(10, a.digits)))
        error(QStringLiteral("the amount of %1 has more digits than CRA takes").arg(a.element));
    }
    QList<int> codes;
    for (int k = 0; k < T::OtherInfoCount; ++k) {
      const int32_t cents = r.int32(T::Other_info_amount[k]);
      if (cents == 0) continue;
      if (cents < 0) error(QStringLiteral("other information %1 is negative").arg(k + 1));
      const int other = otherInfoCode(r, k);
      if (!otherInfoElement(other)) {
        error(QStringLiteral("other information code %1 has no element in CRA's return")
                  .arg(r.text(T::Other_info_code[k]).left(2)));
      } else if (codes.contains(other)) {
        error(QStringLiteral("other information code %1 is given twice").arg(other));
      }
      codes << other;
    }
    if (!r.text(T::Employment_code).trimmed().isEmpty() && employmentCode(r) == 0)
      error(QStringLiteral("the employment code is not 11 to 17"));
    // (The names and addresses of the record are no longer than CRA's: nothing is cut.)
    if (year >= 2023 && r.byte(T::Dental_benefits_code) == 0)
      warning(QStringLiteral("box 45 (dental benefits) is missing"));
  }
  return findings;
}

XmlWritten writeT4Xml(OpenT4FileState& state, const Transmitter& transmitter,
                      const XmlReturnOptions& options, QIODevice& out) {
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  const QString bn = programAccount(employer.text(E::RevCan_account_number));
  ReturnWriter writer(out, employer);
  QXmlStreamWriter& w = writer.w;
  w.writeStartDocument();
  w.writeStartElement(QStringLiteral("Submission"));
  w.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                   QStringLiteral("xsi"));
  XmlReturnOptions summaryOptions = options;
  writer.transmittal(transmitter, options);
  w.writeStartElement(QStringLiteral("Return"));
  w.writeStartElement(QStringLiteral("T4"));
  TotalsRun run;
  run.employer = employer;
  TAlphaInxFileStream& file = state.T4File();
  T4Record r;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(r.bytes(), i) != Record768::Size || r.isVoid()) continue;
    writer.slip(r, bn);
    writer.countPensions(r);
    addToTotals(run.totals, r, employer.u16(E::S_Taxation_year));
    summaryOptions.amended = summaryOptions.amended || r.byte(T::Report_type) != 0;
  }
  finishTotals(run);
  writer.summary(run.totals, summaryOptions, bn);
  w.writeEndElement();  // T4
  w.writeEndElement();  // Return
  w.writeEndElement();  // Submission
  w.writeEndDocument();
  return {run.totals.count, run.totals.employmentIncome, run.totals.incomeTax};
}

}  // namespace quillet
