// Quillet tests — the checks of one T4A record.
#include "checks/t4a_record_checks.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// The findings of every kind of T4A record (none of a VOID one), recorded with the changes
// each makes to a good one, and after "||" the payer's tax year (2025 when none is given).
// Each case moves one figure across the edge of its range (the $500 of a slip not needed,
// box 015 from 2023, the years of a code), or leaves out or doubles what the checks ask for.
TEST(CheckT4ARecord, findingsOfEachKindOfRecord) {
  expectRecordedTable("t4a_record_findings", [](const QString& line) {
    const QString row = line.section(QStringLiteral(" | "), 1);
    const QString year = row.section(QStringLiteral(" || "), 1);
    EmployerRecord payer = goodEmployer();
    payer.setU16(EmployerRecord::S_Taxation_year, year.isEmpty() ? 2025 : year.toUShort());
    T4ARecord record = goodT4A();
    change(record, T4ARecord::layout(), row.section(QStringLiteral(" || "), 0, 0));
    QStringList lines;
    CheckT4ARecord(record, payer, lines);
    return lines.join(u'\n') + u'\n';
  });
}

}  // namespace
