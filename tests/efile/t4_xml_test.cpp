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

using XmlCheckTest = OpenFileTest;

// The pre-flight findings of each rule of the return, recorded with the year and the
// changes each makes to a good record: a surname, a SIN and its check digit, a province of
// employment with a CRA code, the employer's business number in the RP form, amounts
// neither negative nor too long, other information codes with an element and not twice, an
// employment code of 11 to 17; and box 45 missing in 2023, a warning that does not stop the
// export. (Other information under CRA's element names is in the batch tool's recorded
// returns.)
TEST_F(XmlCheckTest, eachRuleOfTheReturn) {
  expectRecordedTable("xml_findings", [this](const QString& line) {
    EmployerRecord employer = goodEmployer();
    applyRates(employer, *ratesOf(line.section(QStringLiteral(" | "), 1, 1).toInt()));
    T4Record record = with(goodT4("Smith", "John"), {{T::Dental_benefits_code, 1}});
    change(record, T::layout(), line.section(QStringLiteral(" | "), 2));
    openFile(t4FileBytes(employer, {record}));
    const XmlFindings f = checkForXml(state);
    state.CloseT4File();
    return (f.errors + f.warnings).join(u'\n') + u'\n';
  });
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
