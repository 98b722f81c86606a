// Quillet tests — the check of a T4 file against CRA's rules before its XML is written,
// and the transmitter's entries.
#include "efile/t4_xml.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "efile/schema_check.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;

class XmlCheckTest : public OpenFileTest {
 protected:
  XmlFindings checked(const T4Record& record, int year = 2025) {
    EmployerRecord employer = goodEmployer();
    applyRates(employer, *ratesOf(year));
    T4Record r = record;
    r.setByte(T::Dental_benefits_code, year >= 2023 ? 1 : 0);
    openFile(t4FileBytes(employer, {r}));
    const XmlFindings findings = checkForXml(state);
    state.CloseT4File();
    return findings;
  }
};

const QString Who = QStringLiteral("John Smith (SIN 046454286): ");

TEST_F(XmlCheckTest, eachRuleOfTheReturn) {
  struct Case {
    const char* what;
    std::function<void(T4Record&)> change;
    QString error;
  };
  const auto other = [](const char* code1, const char* code2) {
    return [=](T4Record& r) {
      r.setText(T::Other_info_code_1, QString::fromLatin1(code1));
      r.setInt32(T::Other_info_amount_1, 100);
      r.setText(T::Other_info_code_2, QString::fromLatin1(code2));
      r.setInt32(T::Other_info_amount_2, 100);
    };
  };
  const Case cases[] = {
      // clang-format off
      {"correct", [](T4Record&) {}, {}},
      {"no surname", [](T4Record& r) { r.setText(T::Employee_surname, {}); }, "John  (SIN 046454286): the surname is missing"},
      {"no SIN", [](T4Record& r) { r.setText(T::Employee_SIN, {}); }, "John Smith (SIN ): the SIN is missing"},
      {"bad SIN", [](T4Record& r) { r.setText(T::Employee_SIN, "046454287"); }, "John Smith (SIN 046454287): the SIN fails its check digit"},
      {"no province of employment", [](T4Record& r) { r.setText(T::Province_of_employment_code, {}); }, Who + "the province of employment has no CRA code"},
      {"another business number", [](T4Record& r) { r.setText(T::RevCan_account_number, "046454286RP0001"); }, "John Smith (SIN 046454286): the business number differs from the employer's or is not in the RP form"},
      {"a negative amount", [](T4Record& r) { r.setInt32(T::Union_dues, -1); }, Who + "the amount of unn_dues_amt is negative"},
      {"too many digits", [](T4Record& r) { r.setInt32(T::Employee_CPP, 1000000); }, Who + "the amount of cpp_cntrb_amt has more digits than CRA takes"},
      {"a code without an element", other("30 Housing", "99 Unknown"), Who + "other information code 99 has no element in CRA's return"},
      {"a code twice", other("30 Housing", "30 Housing"), Who + "other information code 30 is given twice"},
      {"employment code 18", [](T4Record& r) { r.setText(T::Employment_code, "18"); }, Who + "the employment code is not 11 to 17"},
      // clang-format on
  };
  for (const Case& c : cases) {
    T4Record record = goodT4("Smith", "John");
    c.change(record);
    const XmlFindings findings = checked(record);
    EXPECT_EQ(findings.errors, c.error.isEmpty() ? QStringList() : QStringList{c.error}) << c.what;
  }
}

TEST_F(XmlCheckTest, warningsDoNotStopTheExport) {
  T4Record noDental = goodT4("Smith", "John");
  EmployerRecord employer = goodEmployer();
  applyRates(employer, *ratesOf(2023));
  noDental.copyPrefixFrom(employer);
  openFile(t4FileBytes(employer, {noDental}));
  EXPECT_EQ(checkForXml(state).warnings, QStringList{Who + "box 45 (dental benefits) is missing"});
}

// Other information by CRA's element names, a code from each part of the table.
TEST_F(XmlCheckTest, otherInformationUnderCraElementNames) {
  const std::pair<const char*, const char*> codes[] = {{"30", "hm_brd_lodg_amt"},
                                                       {"42", "empt_cmsn_amt"},
                                                       {"53", "dfr_sob_amt"},
                                                       {"66", "elg_rtir_amt"},
                                                       {"87", "vlntr_emergencyworker_xmpt_amt"},
                                                       {"95", "indn_xmpt_unn_amt"}};
  EmployerRecord employer = goodEmployer();
  applyRates(employer, *ratesOf(2025));
  T4Record r = goodT4("Smith", "John");
  r.copyPrefixFrom(employer);
  for (int k = 0; k < T::OtherInfoCount; ++k) {
    r.setText(T::Other_info_code[k], QString::fromLatin1(codes[k].first));
    r.setInt32(T::Other_info_amount[k], 1000 + k);
  }
  openFile(t4FileBytes(employer, {r}));
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  writeT4Xml(state, Transmitter{}, {}, out);
  for (int k = 0; k < T::OtherInfoCount; ++k) {
    const QByteArray element = codes[k].second;
    EXPECT_TRUE(out.data().contains("<" + element + ">10.0" + QByteArray::number(k) + "</"))
        << codes[k].first;
  }
}

// A schema that cannot be read is told with libxml2's own reasons, line by line.
TEST(SchemaCheck, aBrokenSchemaIsToldWithItsReasons) {
  QTemporaryDir folder;
  QFile schema(folder.filePath("T619_T4.xsd"));
  ASSERT_TRUE(schema.open(QIODevice::WriteOnly));
  schema.write(
      "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">\n"
      "<xs:element name=\"Submission\" type=\"NoSuchType\"/>\n</xs:schema>\n");
  schema.close();
  const QStringList problems = schemaProblems(QFile::encodeName(schema.fileName()), folder.path());
  ASSERT_GE(problems.size(), 2);
  EXPECT_TRUE(problems.first().startsWith("Cannot read the schema "));
  EXPECT_TRUE(problems.at(1).startsWith("line 2")) << problems.at(1).toStdString();
}

TEST(Transmitter, everyEntryIsChecked) {
  QTemporaryDir folder;
  QSettings file(folder.filePath("tx.ini"), QSettings::IniFormat);
  file.beginGroup("Transmitter");
  file.setValue("SignIn", "RAC");
  file.setValue("Account", "12345");
  file.setValue("ContactArea", "61");
  file.setValue("ContactPhone", "555-01");
  file.setValue("ContactExtension", "x12");
  file.setValue("ContactEmail", "pat");
  file.setValue("Language", "D");
  EXPECT_EQ(
      Transmitter::from(file).problems(),
      (QStringList{
          "The transmitter's account number is missing or not a CRA number",
          "Represent a Client needs the RepID (1 to 7 letters and digits)",
          "The contact's name is missing", "The contact's area code is not 3 digits",
          "The contact's phone number is not NNN-NNNN", "The contact's extension is not digits",
          "The contact's e-mail address is missing or malformed", "The language is E or F"}));
  for (const char* account : {"123456782", "123456782RP0001", "T12345678", "NRA123456"}) {
    file.setValue("Account", account);
    file.setValue("SignIn", "MyBA");
    file.setValue("ContactName", "Pat");
    file.setValue("ContactArea", "613");
    file.setValue("ContactPhone", "5550100");
    file.setValue("ContactExtension", "");
    file.setValue("ContactEmail", "pat@example.ca");
    file.setValue("Language", "f");
    EXPECT_EQ(Transmitter::from(file).problems(), QStringList()) << account;
  }
}

}  // namespace
