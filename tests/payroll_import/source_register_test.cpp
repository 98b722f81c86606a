// Quillet tests — the T4 Source Register on the trace printer.
#include "payroll_import/source_register.h"

#include <gtest/gtest.h>

#include "core/clock.h"
#include "golden.h"
#include "payroll_files.h"
#include "payroll_import/payroll_records.h"
#include "scripted_ui.h"
#include "test_files.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// The registers of every layout, recorded: one employee with the heading, the file's time,
// the configuration's labels (rows 45 and 85), rows 2 to 16 printed empty, an amount row
// empty everywhere left out, a blank line between rows 85 and 86, and totals equal to the
// one employee; blocks of four columns with the grand total after the last (3, 4 and 5
// employees); a full block continuing on a page with the heading again, and one whose new page
// begins on the last row of a group (that row is not counted on the new page, so no blank line
// follows it); employees in name order; and a year-end file that cannot be opened, which prints
// nothing.
TEST(SourceRegister, everyLayout) {
  TempFolder folder;
  ScriptedUi ui;
  const FixedClock clock{QDateTime(QDate(2001, 1, 12), QTime(10, 30))};
  ConfigRecord config = configRecord();
  config.setText(textField("label", 734, 13), "Car Allowance");
  config.setText(textField("label", 734 + 14 * 17, 13), "Parking");
  QString all;
  for (int file = 1; file <= 7; ++file) {
    const QString path =
        folder.write("WGBT4.DTA", fixtureFile(QStringLiteral("REGISTER%1.DTA").arg(file)));
    setModified(path, QDateTime(QDate(2000, 1, 7), QTime(16, 5)));
    EXPECT_EQ(PrintSourceRegister(ui, clock, path, config), PrintOutcome::Printed);
    all += ui.printJobs().last().join(u'\n') + "\n---\n";
  }
  EXPECT_EQ(PrintSourceRegister(ui, clock, folder.path("none.DTA"), config),
            PrintOutcome::NotStarted);
  EXPECT_EQ(ui.printJobs().size(), 7);
  expectGolden("source_registers", all + ui.transcript(), folder.path({}));
}

}  // namespace
