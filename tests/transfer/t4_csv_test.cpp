// Quillet tests — spreadsheets read in: column forms, rows refused and files refused, the
// all-or-nothing write; the desktop's export, import and next year's file.
#include "transfer/t4_csv.h"

#include "data/cp1252.h"
#include "fault_injection.h"
#include "golden.h"
#include "open_file_test.h"
#include "transfer/next_year.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;

class T4CsvTest : public OpenFileTest {
 protected:
  CsvImportPlan plan(const QByteArray& csv) { return planT4CsvImport(state, csv); }
  // The spreadsheet of a recorded row: after " | ", "\n" and "\r" its line ends, <BOM> a
  // byte-order mark and <DEL> that control; in Windows-1252 when the row's name begins so.
  static QByteArray csvOf(const QString& row) {
    const QString text = row.section(QStringLiteral(" | "), 1)
                             .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
                             .replace(QStringLiteral("\\r"), QStringLiteral("\r"))
                             .replace(QStringLiteral("<BOM>"), QChar(0xFEFF))
                             .replace(QStringLiteral("<DEL>"), QChar(0x7F));
    return row.startsWith(u"Windows-1252") ? encodeCp1252(text) : text.toUtf8();
  }
  // A spreadsheet of the header and rows given, the minimum columns first.
  static QByteArray sheet(const QString& extraHeader, const QStringList& extraValues,
                          const QString& sin = QStringLiteral("046454286")) {
    const QString header = QStringLiteral(
        "Employee_surname,Employee_first_name,Employee_address_line_1,Employee_city,"
        "Employee_province_code,Employee_SIN,Province_of_employment_code");
    const QString row = QStringLiteral("Smith,John,1 Elm,Ottawa,ON,%1,ON").arg(sin);
    return (header + (extraHeader.isEmpty() ? "" : "," + extraHeader) + "\n" + row +
            (extraValues.isEmpty() ? "" : "," + extraValues.join(u',')) + "\n")
        .toUtf8();
  }
};

// A spreadsheet of one row in every form of its columns (the export's names, any case and
// blanks, box numbers), comma or semicolon, with a byte-order mark or in Windows-1252, and
// every kind of line end: each updates the record of its SIN, the rest of the record kept.
TEST_F(T4CsvTest, columnFormsSeparatorsAndEncodings) {
  expectRecordedTable("csv_column_forms", [this](const QString& row) {
    openFile(fixtureFile("SHEET1.T4E"));  // SIN 046454286
    const CsvImportPlan p = plan(csvOf(row));
    state.CloseT4File();
    if (!p.error.isEmpty() || p.rows.size() != 1u) return "refused: " + p.error + u'\n';
    const Record768& r = p.rows[0].record;
    return QStringLiteral("%1 %2: box 14 %3, employee number %4\n")
        .arg(p.rows[0].kind == CsvRow::Kind::Update ? "update" : "not an update",
             r.text(T::Employee_surname), r.valueText(T::Employment_income),
             r.text(T::Employee_number));
  });
}

// What the import makes of every kind of spreadsheet, recorded: each reason a row is refused
// for, and each reason a spreadsheet cannot be taken at all, with its line (10,000 columns and
// a line of 1 MB made here). The file is left as it was.
TEST_F(T4CsvTest, whatIsRefusedAndWhy) {
  const QByteArray bytes = fixtureFile("SHEET.T4E");
  openFile(bytes);
  QByteArray manyColumns = "Employee_surname";
  for (int i = 0; i < 10000; ++i) manyColumns += ",x";
  expectRecordedTable("csv_refusals", [&](const QString& row) {
    const CsvImportPlan p =
        plan(row == u"10,000 columns"   ? manyColumns
             : row == u"a line of 1 MB" ? "Employee_surname\n" + QByteArray(1 << 20, 'a') + "\n"
                                        : csvOf(row));
    return (p.error.isEmpty() ? importReport(p, "x.csv").lines.join(u'\n') : p.error) + u'\n';
  });
  EXPECT_EQ(readWholeFile(state.T4FileName()), bytes);
}

// A file of more records than a block of the write holds.
TEST_F(T4CsvTest, aFailedWriteLeavesTheFileAsItWas) {
  const QByteArray many = t4FileBytes(std::nullopt, {goodT4("Many", "M")}).repeated(1400);
  const QByteArray bytes = fixtureFile("SHEET.T4E") + many;
  openFile(bytes);
  const CsvImportPlan p = plan(sheet("Employment_income", {"99.99"}, "193456787"));
  ASSERT_EQ(p.count(CsvRow::Kind::Update), 1);
  {
    const FaultyDisk disk(folder.path({}), 1, Fault::Full);
    EXPECT_FALSE(applyT4CsvImport(state, p));
  }
  EXPECT_EQ(readWholeFile(state.T4FileName()), bytes);
  ASSERT_TRUE(applyT4CsvImport(state, p)) << "once the disk takes it";
  EXPECT_EQ(state.T4File().Count(), 1403);
  EXPECT_TRUE(readWholeFile(state.T4FileName()).endsWith(many));
}

// Two imports at once: the one that opened the file just before the other replaced it locks
// the file the other made, not the deleted one, and both rows are kept.
TEST_F(T4CsvTest, twoImportsAtOnceKeepBothRows) {
  state.setT4FileName(folder.write("ACME.T4E", fixtureFile("SHEET0.T4E")));
  beforeNextLock([this] {
    OpenT4FileState other;
    other.setT4FileName(state.T4FileName());
    ASSERT_TRUE(other.OpenT4File());
    ASSERT_TRUE(applyT4CsvImport(other, planT4CsvImport(other, sheet({}, {}, "046454286"))));
  });
  ASSERT_TRUE(state.OpenT4File());
  ASSERT_TRUE(applyT4CsvImport(state, plan(sheet({}, {}, "193456787"))));
  state.OpenT4File();
  EXPECT_EQ(state.T4File().Count(), 2);
}

TEST_F(T4CsvTest, theDesktopShowsTheRowsAsksThenImportsAndChecks) {
  openFile(fixtureFile("SHEET0.T4E"));
  const QString good = folder.write("good.csv", sheet("Employment_income", {"50000"}));
  const QString bad = folder.write("bad.csv", sheet("EI_Exempt", {"maybe"}));
  ui.expectFileChoice(bad);
  ui.expectReport(ViewerResult::Ok);
  importT4Spreadsheet(state, ui);
  EXPECT_EQ(state.T4File().Count(), 0);

  ui.expectFileChoice(good);
  ui.expectReport(ViewerResult::Ok);
  ui.expectQuestion(Answer::Yes);
  ui.expectReport(ViewerResult::Ok);  // the checks: no CPP or EI deducted from 50,000.00
  importT4Spreadsheet(state, ui);
  EXPECT_EQ(state.T4File().Count(), 1);
  ui.expectFileChoice(good);  // again: the row is as the file has it, and nothing is asked
  ui.expectReport(ViewerResult::Ok);
  importT4Spreadsheet(state, ui);
  ui.expectFileChoice(folder.path("none.csv"));  // told it cannot be read, nothing imported
  importT4Spreadsheet(state, ui);
  ui.expectFileChoice(folder.write(
      "clean.csv",
      sheet("Employee_postal_code,Dental_benefits_code,VOID", {"K1A 0B2", "1", "1"}, "193456787")));
  ui.expectReport(ViewerResult::Ok);
  ui.expectQuestion(Answer::Yes);
  importT4Spreadsheet(state, ui);
  EXPECT_EQ(state.T4File().Count(), 2);
  expectGolden("csv_import_desktop", ui.transcript(), folder.path({}));
}

// Cancel in the progress window, while the rows are read or while the file is written:
// nothing is imported, and the user is told.
TEST_F(T4CsvTest, theDesktopImportStopsCleanlyOnCancel) {
  const QByteArray bytes = fixtureFile("SHEET.T4E");
  openFile(bytes);
  const QString rows = folder.write("rows.csv", sheet("Employment_income", {"5"}, "273645184"));
  for (const int cancelAt : {2, 3}) {  // the first line read; the fourth record written
    ScriptedUi stopped;
    stopped.expectFileChoice(rows);
    if (cancelAt == 3) {
      stopped.expectReport(ViewerResult::Ok);
      stopped.expectQuestion(Answer::Yes);
    }
    stopped.cancelProgressAt(cancelAt);
    importT4Spreadsheet(state, stopped);
    EXPECT_EQ(stopped.messages(), QStringList{"The import was stopped.\nNothing was imported."});
    EXPECT_EQ(readWholeFile(state.T4FileName()), bytes);
  }
}

TEST_F(T4CsvTest, theDesktopExportSaysWhereAndWhenItFailed) {
  openFile(fixtureFile("SHEET.T4E"));
  const QString out = folder.path("out.csv");
  ui.expectFileChoice(out);
  {
    const FaultyDisk disk(folder.path({}), 1, Fault::Full);
    exportT4Spreadsheet(state, ui);
  }
  EXPECT_TRUE(ui.fileDialogs().last().allowNew)
      << "a file there is confirmed before it is replaced";
  ui.expectFileChoice(out);
  exportT4Spreadsheet(state, ui);
  // The open file itself, under a link: refused, and left as it was.
  const QByteArray before = readWholeFile(state.T4FileName());
  ASSERT_TRUE(QFile::link(state.T4FileName(), folder.path("link.csv")));
  ui.expectFileChoice(folder.path("link.csv"));
  exportT4Spreadsheet(state, ui);
  EXPECT_EQ(readWholeFile(state.T4FileName()), before);
  // Cut short under the run by another program: a failure, and the last export stands.
  ASSERT_TRUE(QFile::resize(state.T4FileName(), 1536 + 768));
  ui.expectFileChoice(out);
  exportT4Spreadsheet(state, ui);
  expectGolden("csv_export_desktop", ui.transcript(), folder.path({}));
  EXPECT_TRUE(readWholeFile(out).startsWith("\xEF\xBB\xBFRecord_ID,VOID,"));
}

// Next year's name proposed; the open file's own name and a folder that does not exist refused.
TEST_F(T4CsvTest, theDesktopProposesNextYearsNameAndKeepsTheOpenFile) {
  openFile(fixtureFile("SHEET.T4E"));
  const QString next = folder.path("ACME-2026.T4E");
  ui.expectFileChoice(state.T4FileName());
  ui.expectFileChoice(folder.path("missing/NEXT.T4E"));
  ui.expectFileChoice(next);
  for (int refused = 0; refused < 2; ++refused) EXPECT_EQ(startNextYearFile(state, ui), "");
  EXPECT_EQ(startNextYearFile(state, ui), next);
  expectGolden("next_year_desktop", ui.transcript(), folder.path({}));
}

}  // namespace
