// Quillet tests — what the T4A return's pre-flight refuses, slip by slip and in its Summary.
#include <gtest/gtest.h>

#include "efile/t4_xml.h"
#include "golden.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using A = T4ARecord;

class T4APreflightTest : public OpenFileTest {
 protected:
  T4APreflightTest() { payer.setU16(EmployerRecord::S_Taxation_year, 2025); }

  // The errors and warnings of the return of `slips`, a line each.
  QString findingsOf(const std::vector<T4ARecord>& slips) {
    openFile(t4aFileBytes(payer, slips));
    const XmlFindings findings = checkForXml(state, {});
    state.CloseT4File();
    return (findings.errors + findings.warnings).join(u'\n') + u'\n';
  }

  EmployerRecord payer = goodEmployer();
};

// Each row changes a good recipient of 2025; its outcome what the pre-flight says of the
// return of that one slip: each box and code across the edge of what CRA's schema holds,
// the person or business, the numbers' forms.
TEST_F(T4APreflightTest, whatEachSlipIsRefusedFor) {
  expectRecordedTable("t4a_xml_findings", [this](const QString& row) {
    T4ARecord slip = goodT4A();
    change(slip, A::layout(), row.section(QStringLiteral(" | "), 1));
    return findingsOf({slip});
  });
}

// Box 022's total holds 11 digits: 4,656 slips of the most a record holds in box 022 are
// taken, one slip more is refused. (A slip's amounts, 9 digits, hold any a record holds.)
TEST_F(T4APreflightTest, theTaxTotalAtItsMostDigits) {
  const T4ARecord taxed = with(goodT4A(), {{A::Income_tax_deducted, int64_t(INT32_MAX)}});
  EXPECT_EQ(findingsOf(std::vector<T4ARecord>(4656, taxed)), "\n");
  EXPECT_EQ(findingsOf(std::vector<T4ARecord>(4657, taxed)),
            "Summary: the total tot_itx_dedn_amt is 100008313440.79, more than CRA's schema "
            "holds (at most 99999999999.99)\n");
}

}  // namespace
