// Quillet — the T4 return as CRA's XML for Internet File Transfer.
#include "efile/t4_xml.h"

#include <QXmlStreamWriter>
#include <algorithm>
#include <utility>

#include "core/numeric_text.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "efile/return_values.h"
#include "efile/return_xml.h"
#include "reports/t4_totals.h"

namespace quillet {
namespace {

using T = T4Record;
using E = EmployerRecord;

class ReturnWriter {
 public:
  ReturnWriter(QIODevice& out, const E& employer) : x(out), w(x.w), e(employer) {}

  // A T4 record's fields are no wider than CRA's elements: nothing is cut.
  void slip(const T4Record& r, const QString& bn) {
    w.writeStartElement(QStringLiteral("T4Slip"));
    w.writeStartElement(QStringLiteral("EMPE_NM"));
    w.writeTextElement(QStringLiteral("snm"), r.surname().trimmed());
    optional("gvn_nm", r.firstName().trimmed());
    optional("init", cra::initialOf(r));
    w.writeEndElement();
    x.address("EMPE_ADDR", cra::employeeAddress(r));
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

  void summary(const T4Totals& t, const XmlReturnOptions& options, const QString& bn) {
    w.writeStartElement(QStringLiteral("T4Summary"));
    x.summaryHead(e, bn, t.count, options.amended, options.amendmentNote, "EMPR_NM", "EMPR_ADDR");
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

  void optional(const char* element, const QString& value) { x.optional(element, value); }

  ReturnXml x;
  QXmlStreamWriter& w;
  const E& e;
};

}  // namespace

XmlWritten writeT4Xml(OpenT4FileState& state, const Transmitter& transmitter,
                      const XmlReturnOptions& options, QIODevice& out) {
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  const QString bn = cra::programAccount(employer.text(E::RevCan_account_number));
  ReturnWriter writer(out, employer);
  XmlReturnOptions summaryOptions = options;
  writer.x.begin(transmitter, options.submissionRef, "T4");
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
  const bool complete = writer.x.end();
  return {run.totals.count,
          {{QStringLiteral("14"), run.totals.employmentIncome},
           {QStringLiteral("22"), run.totals.incomeTax}},
          summaryOptions.amended,
          complete};
}

}  // namespace quillet
