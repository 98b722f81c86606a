// Quillet — the T4A return as CRA's XML for Internet File Transfer.
#include "efile/t4a_xml.h"

#include <utility>

#include "checks/t4a_codes.h"
#include "core/numeric_text.h"
#include "data/open_t4_file.h"
#include "data/t4a_record.h"
#include "efile/return_values.h"
#include "efile/return_xml.h"
#include "reports/t4a_totals.h"

namespace quillet {
namespace {

using A = T4ARecord;
using E = EmployerRecord;

// The recipient's number as the return carries it: a business's as it is (upper case); a
// person without one is written as nine zeros, RT and four zeros.
QString recipientBn(const T4ARecord& r) {
  const QString bn = r.text(A::Recipient_BN).trimmed().toUpper();
  return bn.isEmpty() && !r.isBusiness() ? QStringLiteral("000000000RT0000") : bn;
}

void writeSlip(ReturnXml& x, const T4ARecord& r, const QString& bn, int year) {
  QXmlStreamWriter& w = x.w;
  w.writeStartElement(QStringLiteral("T4ASlip"));
  if (!r.isBusiness()) {
    w.writeStartElement(QStringLiteral("RCPNT_NM"));
    w.writeTextElement(QStringLiteral("snm"), r.text(A::Recipient_surname).trimmed());
    x.optional("gvn_nm", r.text(A::Recipient_first_name));
    x.optional("init", r.text(A::Recipient_initial));
    w.writeEndElement();
  }
  // A business recipient's SIN is nine zeros.
  w.writeTextElement(QStringLiteral("sin"), r.isBusiness() ? QStringLiteral("000000000")
                                                           : digitsOf(r.text(A::Recipient_SIN)));
  w.writeTextElement(QStringLiteral("rcpnt_bn"), recipientBn(r));
  if (r.isBusiness()) {
    w.writeStartElement(QStringLiteral("RCPNT_CORP_NM"));
    w.writeTextElement(QStringLiteral("l1_nm"), r.text(A::Business_name_line_1).trimmed());
    x.optional("l2_nm", r.text(A::Business_name_line_2));
    w.writeEndElement();
  }
  x.address("RCPNT_ADDR", cra::recipientAddress(r));
  x.optional("rcpnt_nbr", r.text(A::Recipient_number));
  w.writeTextElement(QStringLiteral("bn"), bn);
  if (const int dental = r.byte(A::Dental_benefits_code); dental >= 1 && dental <= 5)
    w.writeTextElement(QStringLiteral("payr_dntl_ben_rpt_cd"), QString::number(dental));
  x.optional("ppln_dpsp_rgst_nbr", digitsOf(r.text(A::RPP_or_DPSP_number)));
  const char* type = cra::reportTypeOf(r);
  w.writeTextElement(QStringLiteral("rpt_tcd"), QLatin1String(type ? type : "C"));
  bool open = false;
  for (const cra::T4AAmountElement& a : cra::t4aAmountElements()) {
    const int32_t cents = r.int32(a.field);
    if (cents <= 0) continue;
    if (!std::exchange(open, true)) w.writeStartElement(QStringLiteral("T4A_AMT"));
    w.writeTextElement(QLatin1String(a.element), cra::amount(cents));
  }
  if (std::exchange(open, false)) w.writeEndElement();
  for (int i = 0; i < A::OtherInfoCount; ++i) {
    const int code = r.u16(A::Other_info_code[i]);
    const int32_t cents = r.int32(A::Other_info_amount[i]);
    const T4AOtherInfoCode* known = t4aOtherInfoCode(code, year);
    // Only code 037 may be negative; a zero is left out, as is what the check refuses.
    if (!known || cents == 0 || (cents < 0 && code != NegativeAllowedCode)) continue;
    if (!std::exchange(open, true)) w.writeStartElement(QStringLiteral("OTH_INFO"));
    w.writeTextElement(QLatin1String(known->element), cra::signedAmount(cents));
  }
  if (open) w.writeEndElement();
  w.writeEndElement();
}

void writeSummary(ReturnXml& x, const E& payer, const T4ATotals& t, bool amended,
                  const QString& note, const QString& bn) {
  QXmlStreamWriter& w = x.w;
  w.writeStartElement(QStringLiteral("T4ASummary"));
  x.summaryHead(payer, bn, t.count, amended, note, "PAYR_NM", "PAYR_ADDR");
  bool totals = false;
  for (const cra::SummaryAmount& total : cra::summaryAmounts(t)) {
    if (total.cents == 0 || (total.cents < 0 && !total.mayBeNegative)) continue;
    if (!std::exchange(totals, true)) w.writeStartElement(QStringLiteral("T4A_TAMT"));
    w.writeTextElement(QLatin1String(total.element), cra::signedAmount(total.cents));
  }
  if (totals) w.writeEndElement();
  w.writeEndElement();
}

}  // namespace

XmlWritten writeT4AXml(OpenT4FileState& state, const Transmitter& transmitter,
                       const XmlReturnOptions& options, QIODevice& out) {
  EmployerRecord payer;
  readEmployerRecord(state, payer);
  const QString bn = cra::programAccount(payer.text(E::RevCan_account_number));
  const int year = payer.u16(E::S_Taxation_year);
  ReturnXml x(out);
  x.begin(transmitter, options.submissionRef, "T4A");
  T4ATotals totals;
  bool amended = options.amended;
  options.slips.forEach(state, [&](int64_t, const SlipRecord& slip) {
    const T4ARecord r(slip);
    writeSlip(x, r, bn, year);
    addToTotals(totals, r);
    amended = amended || r.byte(A::Report_type) != 0;
  });
  writeSummary(x, payer, totals, amended, options.amendmentNote, bn);
  const bool complete = x.end();
  XmlWritten written;
  written.slips = totals.count;
  written.boxTotals = {{QStringLiteral("016"), totals.pension},
                       {QStringLiteral("020"), totals.commissions},
                       {QStringLiteral("048"), totals.fees},
                       {QStringLiteral("022"), totals.incomeTax}};
  written.amended = amended;
  written.complete = complete;
  written.kind = SlipKind::T4A;
  return written;
}

}  // namespace quillet
