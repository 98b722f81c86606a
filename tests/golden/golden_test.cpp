// Quillet tests — the batch tool's outputs for files of tax years 1999 and 2000, compared
// with the outputs recorded in tests/golden: what a later change must leave as it is.
// QUILLET_UPDATE_GOLDEN=1 records them anew (only when a change is meant to alter them).
#include "golden.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "cli/cli.h"
#include "payroll_files.h"
#include "payroll_import/payroll_records.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// Runs each command line of the recorded table in `folder` (written <folder>) at a fixed
// time, and records its exit status, its streams and the whole of the trace or the XML
// return it wrote.
void expectRecordedRuns(const QString& table, const TempFolder& folder) {
  expectRecordedTable(
      table,
      [&folder](const QString& line) {
        const QString written[] = {folder.path("trace.txt"), folder.path("out.xml")};
        for (const QString& file : written) QFile::remove(file);
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        const int status =
            cli::run(QProcess::splitCommand(QString(line).replace("<folder>", folder.path({}))) +
                         QStringList{"--now", "2001-02-03 04:05"},
                     outStream, errStream);
        outStream.flush();
        errStream.flush();
        QString all =
            QStringLiteral("exit %1\n--- stdout\n%2--- stderr\n%3").arg(status).arg(out, err);
        for (const QString& file : written) {
          if (QFile::exists(file))
            all +=
                "--- " + QFileInfo(file).fileName() + "\n" + QString::fromUtf8(readWholeFile(file));
        }
        return all;
      },
      folder.path({}));
}

// Files of every kind (tests/fixtures), a year-end file of every kind of employee and its
// configuration, and what every command makes of them: the checks, the totals, every
// printout on the trace printer and on plain paper, the conversion and CRA's XML return.
TEST(Golden, everyOutputOfFilesOfEveryKind) {
  TempFolder folder;
  writeT4Fixtures(folder);
  folder.write("tx.ini",
               "[Transmitter]\nSignIn=RAC\nAccount=123456782RP0001\nRepID=AB12345\nName=Pat Doe "
               "Bookkeeping\nContactName=Pat Doe\nContactArea=613\nContactPhone=555-0100\n"
               "ContactExtension=12\nContactEmail=pat@example.ca\nLanguage=E\n");
  using Y = YearEndRecord;
  QByteArray yearEnd;
  const struct {
    const char* surname;
    const char* province;
    const char* postCode;
    double income;
  } staff[] = {{"Adams", "ONT", "K7L 1A1", 30000},
               {"Bouchard", "PQ", "H2X 1Y4", 45000},
               {"Carter", "OTHER", "90210", 52000},
               {"Dupont", "AUTRE", "K1A 0B1", 12000},
               {"Evans", "NWT", "X1A 2P3", 99999}};
  for (const auto& s : staff) {
    yearEnd += quillet::test::yearEnd({{Y::Surname, s.surname},
                                       {Y::FirstName, "Lee"},
                                       {Y::Sin, "046 454 286"},
                                       {Y::ProvinceOfEmployment, s.province},
                                       {Y::PostCode, s.postCode}},
                                      {{56, s.income},
                                       {59, s.income / 5},
                                       {60, s.income / 30},
                                       {61, s.income / 45},
                                       {89, s.income - 1000},
                                       {90, s.income - 2000},
                                       {49, 250},
                                       {42, 1000},
                                       {62, 800},
                                       {64, 50},
                                       {66, 120}});
  }
  folder.write("CO1.CNF", configBytes());
  const QString dta = folder.write("WGBT4.DTA", yearEnd);
  {
    QFile file(dta);  // the register prints the file's time
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime(QDate(2000, 12, 29), QTime(17, 5)),
                     QFileDevice::FileModificationTime);
  }
  for (const char* table :
       {"t4_file_1999", "t4_file_2000", "conversion", "xml_1999", "xml_2025", "xml_2025_amended",
        "plain_slips_employee", "plain_slips_employer", "plain_slips_cra", "plain_summary"})
    expectRecordedRuns(table, folder);
}

}  // namespace

// Printing needs fonts, and so an application.
int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
