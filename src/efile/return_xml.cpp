// Quillet — what the T4 and the T4A returns share in CRA's XML.
#include "efile/return_xml.h"

namespace quillet {

using E = EmployerRecord;

ReturnXml::ReturnXml(QIODevice& out) : w(&out) {
  w.setAutoFormatting(true);
  w.setAutoFormattingIndent(2);
}

void ReturnXml::optional(const char* element, const QString& value) {
  if (!value.trimmed().isEmpty()) w.writeTextElement(QLatin1String(element), value.trimmed());
}

void ReturnXml::begin(const Transmitter& t, const QString& submissionRef,
                      const char* returnElement) {
  w.writeStartDocument();
  w.writeStartElement(QStringLiteral("Submission"));
  w.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                   QStringLiteral("xsi"));
  w.writeStartElement(QStringLiteral("T619"));
  optional("sbmt_ref_id", submissionRef);
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
  w.writeStartElement(QStringLiteral("Return"));
  w.writeStartElement(QLatin1String(returnElement));
}

bool ReturnXml::end() {
  w.writeEndDocument();  // closes the return, Return and Submission
  return !w.hasError();
}

void ReturnXml::address(const char* element, const cra::Address& a) {
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

void ReturnXml::summaryHead(const EmployerRecord& e, const QString& bn, int slips, bool amended,
                            const QString& note, const char* nameElement,
                            const char* addressElement) {
  w.writeTextElement(QStringLiteral("bn"), bn);
  w.writeStartElement(QLatin1String(nameElement));
  w.writeTextElement(QStringLiteral("l1_nm"), e.text(E::S_Employer_name_line_1).trimmed());
  optional("l2_nm", e.text(E::S_Employer_name_line_2));
  optional("l3_nm", e.text(E::S_Employer_name_line_3));
  w.writeEndElement();
  address(addressElement, cra::employerAddress(e));
  w.writeStartElement(QStringLiteral("CNTC"));
  w.writeTextElement(QStringLiteral("cntc_nm"), e.text(E::S_Contact_name).trimmed());
  w.writeTextElement(QStringLiteral("cntc_area_cd"), e.text(E::S_Contact_area_code).trimmed());
  w.writeTextElement(QStringLiteral("cntc_phn_nbr"), cra::phone(e.text(E::S_Contact_phone_number)));
  optional("cntc_extn_nbr", e.text(E::S_Contact_extension));
  w.writeEndElement();
  w.writeTextElement(QStringLiteral("tx_yr"), QString::number(e.u16(E::S_Taxation_year)));
  w.writeTextElement(QStringLiteral("slp_cnt"), QString::number(slips));
  const QString sin1 = cra::proprietorSin(e, 1);
  const QString sin2 = cra::proprietorSin(e, 2);
  if (sin1.size() == 9) {
    w.writeStartElement(QStringLiteral("PPRTR_SIN"));
    w.writeTextElement(QStringLiteral("pprtr_1_sin"), sin1);
    if (sin2.size() == 9 && sin2 != QLatin1String("000000000"))
      w.writeTextElement(QStringLiteral("pprtr_2_sin"), sin2);
    w.writeEndElement();
  }
  w.writeTextElement(QStringLiteral("rpt_tcd"), amended ? "A" : "O");
  optional("fileramendmentnote", note.left(2000));
}

}  // namespace quillet
