// Quillet tests — the checks of one T4 record.
#include "checks/t4_record_checks.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;

// The lines a record adds after its two header lines.
QStringList findingsOf(T4Record record) {
  QStringList lines;
  CheckT4Record(record, goodEmployer(), lines);
  EXPECT_GE(lines.size(), 2);
  return lines.mid(2);
}

T4Record smith(std::initializer_list<FieldChange> changes) {
  return with(goodT4("Smith", "John", "A"), changes);
}

// The findings of every kind of record, recorded with the changes each makes to a good one.
// 20000.00 of earnings with the 1999 rates expect CPP of 577.50 to 697.64 and EI of 510.00;
// each case moves one figure across the edge of its range, or leaves out what the checks ask
// for.
TEST(CheckT4Record, findingsOfEachKindOfRecord) {
  expectRecordedTable("t4_record_findings", [](const QString& line) {
    T4Record record = smith({});
    change(record, T::layout(), line.section(QStringLiteral(" | "), 1));
    return findingsOf(record).join(u'\n') + u'\n';
  });
}

TEST(CheckT4Record, headerVoidAndCapitals) {
  QStringList lines{"kept"};
  T4Record record = smith({{T::Employee_SIN, "046 454 286"},
                           {T::Employee_province_code, "on"},
                           {T::Province_of_employment_code, "us"}});
  CheckT4Record(record, goodEmployer(), lines);
  EXPECT_EQ(lines,
            QStringList({"kept", "  ", "Validation Report for SIN 046 454 286  John Smith"}));
  EXPECT_EQ(record.text(T::Employee_province_code), "ON") << "two-letter codes capitalised";
  EXPECT_EQ(record.text(T::Province_of_employment_code), "US");
  record.setText(T::Employee_province_code, "ontario");
  CheckT4Record(record, goodEmployer(), lines);
  EXPECT_EQ(record.text(T::Employee_province_code), "ontario") << "longer texts are left alone";

  lines.clear();
  T4Record empty;  // every check would fire
  empty.setFlag(T::VOID, true);
  CheckT4Record(empty, goodEmployer(), lines);
  EXPECT_TRUE(lines.isEmpty()) << "a VOID record adds nothing";
}

}  // namespace
