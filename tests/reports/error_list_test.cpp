// Quillet tests — building the T4 Error Report's list.
#include "reports/error_list.h"

#include <gtest/gtest.h>

#include <QFile>

#include "checks/t4_record_checks.h"
#include "data/open_t4_file.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

QStringList notes() {
  QStringList lines;
  ReconciliationNotes(lines);
  return lines;
}

QStringList header(const QString& sin, const QString& name) {
  return {"  ", "Validation Report for SIN " + sin + "  " + name};
}

class ErrorListTest : public OpenFileTest {
 protected:
  ErrorList build(const QByteArray& bytes) {
    openFile(bytes);
    return buildErrorList(state, ui);
  }
};

TEST_F(ErrorListTest, aCleanFileHasTheNotesAndTheHeadersInIndexOrder) {
  T4Record voided = goodT4("Void", "Val");
  voided.setFlag(T4Record::VOID, true);
  const ErrorList list =
      build(t4FileBytes(goodEmployer(), {goodT4("Smith", "John"), voided, goodT4("Adams", "Ann")}));
  EXPECT_EQ(list.lines,
            notes() + header("046454286", "Ann Adams") + header("046454286", "John Smith"));
  EXPECT_FALSE(list.hasFindings);
  EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(ErrorListTest, employerFindingsComeFirstWithABlankLineAfterThem) {
  EmployerRecord employer = goodEmployer();
  employer.setText(EmployerRecord::S_Employer_city, {});
  T4Record voided = goodT4("Void", "Val");
  voided.setFlag(T4Record::VOID, true);
  const ErrorList list = build(t4FileBytes(employer, {voided}));
  EXPECT_EQ(list.lines,
            QStringList({"  ", "Town or City is missing from Company address", "  "}) + notes());
  EXPECT_TRUE(list.hasFindings);
}

TEST_F(ErrorListTest, theEmployerCopyCarriesTheRatesIntoTheT4Checks) {
  EmployerRecord employer = goodEmployer();
  employer.setInt32(EmployerRecord::EI_rate, 0);  // expected premium 0: 510.00 is HIGHER
  const ErrorList list = build(t4FileBytes(employer, {goodT4("Smith", "John")}));
  EXPECT_TRUE(list.lines.contains("Employee EI premiums at 510.00 is HIGHER than expected."));
}

TEST_F(ErrorListTest, anUnreadableEmployerRecordIsToldAndTheT4sAreStillChecked) {
  const ErrorList list = build(t4FileBytes(goodEmployer(), {}).left(1000));
  EXPECT_EQ(
      ui.messages(),
      QStringList{
          "File READ error when getting T4 Company Information, excluding from report. Click OK to "
          "see if T4 Employees are readable. When done, check disk with a disk utility."});
  EXPECT_EQ(
      list.lines,
      QStringList({"*** Company Information could not be read from the file ***",
                   "*** If printed, T4's will be missing Company Info. including Business",
                   "    Number. Exit program then try copying the file, you might be lucky ***",
                   "  "}) +
          notes());
  EXPECT_TRUE(list.hasFindings);
}

TEST_F(ErrorListTest, aFindingInAnyRecordCounts) {
  T4Record bad = goodT4("Brown", "Bo");
  bad.setText(T4Record::Employee_city, {});
  const ErrorList list = build(t4FileBytes(goodEmployer(), {goodT4("Adams", "Ann"), bad}));
  EXPECT_EQ(list.lines.mid(notes().size() + 4),
            QStringList({"  ", "Employee has no city or town in the address"}));
  EXPECT_TRUE(list.hasFindings);
}

TEST_F(ErrorListTest, aRecordThatCannotBeReadEndsTheList) {
  T4Record first = goodT4("Adams", "Ann");
  first.setText(T4Record::Employee_city, {});
  const QByteArray bytes = t4FileBytes(
      goodEmployer(), {first, goodT4("Brown", "Bo"), goodT4("Cole", "Cy"), goodT4("Dunn", "Di")});
  ASSERT_NO_FATAL_FAILURE(openFile(bytes));
  // The file loses its last two records after it was indexed.
  ASSERT_TRUE(QFile::resize(state.T4FileName(), 1536 + 2 * 768 + 10));

  const ErrorList list = buildErrorList(state, ui);
  EXPECT_EQ(
      ui.messages(),
      QStringList{"File READ error 3072 bytes from start of file when checking T4's for Error "
                  "Report. Report aborted at last T4. Check disk with a disk utility."});
  EXPECT_EQ(list.lines,
            notes() + header("046454286", "Ann Adams") +
                QStringList({"  ", "Employee has no city or town in the address"}) +
                header("046454286", "Bo Brown") +
                QStringList({"  ", "*** Report Aborted due to file read error at offset 3072***"}));
  EXPECT_TRUE(list.hasFindings);
}

}  // namespace
