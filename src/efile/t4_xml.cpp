// Quillet — the T4 return as CRA's XML for Internet File Transfer.
#include "efile/t4_xml.h"

#include <QXmlStreamWriter>
#include <algorithm>
#include <utility>

#include "core/numeric_text.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "efile/return_values.h"
#include "reports/t4_totals.h"

namespace quillet {
namespace {

using T = T4Record;
using E = EmployerRecord;

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
    const char* kind = cra::matches(account, "\\d{9}")                 ? "bn9"
                       : cra::matches(account, "\\d{9}[A-Z]{2}\\d{4}") ? "bn15"
                       : cra::matches(account, "[A-Z]\\d{8}")          ? "trust"
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
    w.writeTextElement(QStringLiteral("cntc_phn_nbr"), cra::phone(t.contactPhone));
    optional("cntc_extn_nbr", t.contactExtension);
    w.writeTextElement(QStringLiteral("cntc_email_area"), t.contactEmail.trimmed().left(60));
    w.writeEndElement();
    w.writeEndElement();
  }

  // A T4 record's fields are no wider than CRA's elements: nothing is cut.
  void slip(const T4Record& r, const QString& bn) {
    w.writeStartElement(QStringLiteral("T4Slip"));
    w.writeStartElement(QStringLiteral("EMPE_NM"));
    w.writeTextElement(QStringLiteral("snm"), r.surname().trimmed());
    optional("gvn_nm", r.firstName().trimmed());
    optional("init", cra::initialOf(r));
    w.writeEndElement();
    address("EMPE_ADDR", cra::employeeAddress(r));
    w.writeTextElement(QStringLiteral("sin"), cra::sinOf(r));
    optional("empe_nbr", r.text(T::Employee_number));
    w.writeTextElement(QStringLiteral("bn"), bn);
    optional("rpp_dpsp_rgst_nbr", digitsOf(r.text(T::RPP_or_deferred_PlanNumbr)));
    w.writeTextElement(QStringLiteral("cpp_qpp_xmpt_cd"),
                       r.flag(T::CPP_OR_Quebec_Pension_Exempt) ? "1" : "0");
    w.writeTextElement(QStringLiteral("ei_xmpt_cd"), r.flag(T::EI_Exempt) ? "1" : "0");
    if (r.flag(T::PPIP_Exempt)) w.writeTextElement(QStringLiteral("prov_pip_xmpt_cd"), "1");
    if (const int code = cra::employmentCode(r)) {
      w.writeTextElement(QStringLiteral("empt_cd"), QString::number(code));
    }
    const char* type = cra::reportTypeOf(r);
    w.writeTextElement(QStringLiteral("rpt_tcd"), QLatin1String(type ? type : "C"));
    w.writeTextElement(
        QStringLiteral("empt_prov_cd"),
        cra::employmentProvince(r.text(T::Province_of_employment_code)).value_or("ZZ"));
    if (const int dental = r.byte(T::Dental_benefits_code); dental >= 1 && dental <= 5) {
      w.writeTextElement(QStringLiteral("empr_dntl_ben_rpt_cd"), QString::number(dental));
    }
    w.writeStartElement(QStringLiteral("T4_AMT"));
    for (const cra::AmountElement& a : cra::amountElements()) {
      const int64_t cents = cra::slipAmount(r, a, e);
      if (cents > 0 || a.always) {
        w.writeTextElement(QLatin1String(a.element), cra::amount(std::max<int64_t>(cents, 0)));
      }
    }
    w.writeEndElement();
    bool otherInfo = false;
    for (int i = 0; i < T::OtherInfoCount; ++i) {
      const int32_t cents = r.int32(T::Other_info_amount[i]);
      const int code = cra::otherInfoCode(r, i);
      const char* element = cra::otherInfoElement(code);
      if (cents <= 0 || !element) continue;
      if (!std::exchange(otherInfo, true)) w.writeStartElement(QStringLiteral("OTH_INFO"));
      w.writeTextElement(QLatin1String(element), code == cra::DaysOutsideCanada
                                                     ? QString::number(cents / 100)
                                                     : cra::amount(cents));
    }
    if (otherInfo) w.writeEndElement();
    w.writeEndElement();
  }

  // An address group, left out when it would be empty.
  void address(const char* element, const cra::Address& a) {
    if (a.isEmpty()) return;
    w.writeStartElement(QLatin1String(element));
    optional("addr_l1_txt", a.line1);
    optional("addr_l2_txt", a.line2);
    optional("cty_nm", a.city);
    optional("prov_cd", a.province);
    optional("cntry_cd", a.country);
    optional("pstl_cd", a.postalCode);
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
    address("EMPR_ADDR", cra::employerAddress(e));
    w.writeStartElement(QStringLiteral("CNTC"));
    w.writeTextElement(QStringLiteral("cntc_nm"), e.text(E::S_Contact_name).trimmed());
    w.writeTextElement(QStringLiteral("cntc_area_cd"), e.text(E::S_Contact_area_code).trimmed());
    w.writeTextElement(QStringLiteral("cntc_phn_nbr"),
                       cra::phone(e.text(E::S_Contact_phone_number)));
    optional("cntc_extn_nbr", e.text(E::S_Contact_extension));
    w.writeEndElement();
    w.writeTextElement(QStringLiteral("tx_yr"), QString::number(e.u16(E::S_Taxation_year)));
    w.writeTextElement(QStringLiteral("slp_cnt"), QString::number(t.count));
    const QString sin1 = cra::proprietorSin(e, 1);
    const QString sin2 = cra::proprietorSin(e, 2);
    if (sin1.size() == 9) {
      w.writeStartElement(QStringLiteral("PPRTR_SIN"));
      w.writeTextElement(QStringLiteral("pprtr_1_sin"), sin1);
      if (sin2.size() == 9 && sin2 != QLatin1String("000000000"))
        w.writeTextElement(QStringLiteral("pprtr_2_sin"), sin2);
      w.writeEndElement();
    }
    w.writeTextElement(QStringLiteral("rpt_tcd"), options.amended ? "A" : "O");
    optional("fileramendmentnote", options.amendmentNote.left(2000));
    // CRA's Summary counts CPP alone: QPP, QPP2 and PPIP go to Revenu Québec.
    bool totals = false;
    for (const cra::SummaryAmount& total : cra::summaryAmounts(t)) {
      if (total.cents <= 0) continue;
      if (!std::exchange(totals, true)) w.writeStartElement(QStringLiteral("T4_TAMT"));
      w.writeTextElement(QLatin1String(total.element), cra::amount(total.cents));
    }
    if (totals) w.writeEndElement();
    w.writeEndElement();
  }

  QXmlStreamWriter w;
  const E& e;
};

}  // namespace

XmlWritten writeT4Xml(OpenT4FileState& state, const Transmitter& transmitter,
                      const XmlReturnOptions& options, QIODevice& out) {
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  const QString bn = cra::programAccount(employer.text(E::RevCan_account_number));
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
  options.slips.forEach(state, [&](int64_t, const SlipRecord& slip) {
    const T4Record r(slip);
    writer.slip(r, bn);
    addToTotals(run.totals, r, employer.u16(E::S_Taxation_year));
    summaryOptions.amended = summaryOptions.amended || r.byte(T::Report_type) != 0;
  });
  finishTotals(run);
  writer.summary(run.totals, summaryOptions, bn);
  w.writeEndDocument();  // closes T4, Return and Submission
  return {run.totals.count, run.totals.employmentIncome, run.totals.incomeTax,
          summaryOptions.amended, !w.hasError()};
}

}  // namespace quillet
