// Quillet tests — the check of a T4 file against CRA's rules before its XML is written,
// and the transmitter's entries.
#include "efile/t4_xml.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "efile/schema_check.h"
#include "golden.h"
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
    openFile(t4FileBytes(employer, {record}));
    const XmlFindings findings = checkForXml(state);
    state.CloseT4File();
    return findings;
  }
};

// The pre-flight findings of each rule of the return, recorded: a surname, a SIN and its
// check digit, a province of employment with a CRA code, the employer's business number in
// the RP form, amounts neither negative nor too long, other information codes with an
// element and not twice, an employment code of 11 to 17; and box 45 missing in 2023, a
// warning that does not stop the export. Then other information under CRA's element names,
// a code from each part of the table.
TEST_F(XmlCheckTest, eachRuleOfTheReturn) {
  const auto smith = [](std::initializer_list<FieldChange> changes) {
    return with(with(goodT4("Smith", "John"), {{T::Dental_benefits_code, 1}}), changes);
  };
  const auto other = [&smith](const char* code1, const char* code2) {
    return smith({{T::Other_info_code_1, code1},
                  {T::Other_info_amount_1, 100},
                  {T::Other_info_code_2, code2},
                  {T::Other_info_amount_2, 100}});
  };
  const struct {
    const char* what;
    T4Record record;
    int year = 2025;
  } cases[] = {
      // clang-format off
      {"correct", smith({})},
      {"no surname", smith({{T::Employee_surname, ""}})},
      {"no SIN", smith({{T::Employee_SIN, ""}})},
      {"bad SIN", smith({{T::Employee_SIN, "046454287"}})},
      {"no province of employment", smith({{T::Province_of_employment_code, ""}})},
      {"another business number", smith({{T::RevCan_account_number, "046454286RP0001"}})},
      {"a negative amount", smith({{T::Union_dues, -1}})},
      {"too many digits", smith({{T::Employee_CPP, 1000000}})},
      {"a code without an element", other("30 Housing", "99 Unknown")},
      {"a code twice", other("30 Housing", "30 Housing")},
      {"employment code 18", smith({{T::Employment_code, "18"}})},
      {"no box 45 in 2023", smith({{T::Dental_benefits_code, 0}}), 2023},
      // clang-format on
  };
  QString all;
  for (const auto& c : cases) {
    const XmlFindings f = checked(c.record, c.year);
    all += QStringLiteral("== %1\n").arg(QLatin1String(c.what)) +
           (f.errors + f.warnings).join(u'\n') + u'\n';
  }
  expectGolden("xml_findings", all);

  const char* const codes[] = {"30", "42", "53", "66", "87", "95"};
  T4Record r = goodT4("Smith", "John");
  for (int k = 0; k < T::OtherInfoCount; ++k)
    change(r, {{T::Other_info_code[k], codes[k]}, {T::Other_info_amount[k], 1000 + k}});
  EmployerRecord employer = goodEmployer();
  applyRates(employer, *ratesOf(2025));
  r.copyPrefixFrom(employer);
  openFile(t4FileBytes(employer, {r}));
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  writeT4Xml(state, Transmitter{}, {}, out);
  QString elements;
  for (const QString& line : QString::fromUtf8(out.data()).split(u'\n'))
    if (line.contains(".0")) elements += line.trimmed() + u'\n';
  expectGolden("xml_other_information", elements);
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
  const auto problems = [&file](std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [key, value] : values) file.setValue(key, value);
    return Transmitter::from(file).problems();
  };
  expectGolden("transmitter_problems", problems({{"SignIn", "RAC"},
                                                 {"Account", "12345"},
                                                 {"ContactArea", "61"},
                                                 {"ContactPhone", "555-01"},
                                                 {"ContactExtension", "x12"},
                                                 {"ContactEmail", "pat"},
                                                 {"Language", "D"}})
                                           .join(u'\n'));
  for (const char* account : {"123456782", "123456782RP0001", "T12345678", "NRA123456"}) {
    EXPECT_EQ(problems({{"Account", account},
                        {"SignIn", "MyBA"},
                        {"ContactName", "Pat"},
                        {"ContactArea", "613"},
                        {"ContactPhone", "5550100"},
                        {"ContactExtension", ""},
                        {"ContactEmail", "pat@example.ca"},
                        {"Language", "f"}}),
              QStringList())
        << account;
  }
}

}  // namespace
