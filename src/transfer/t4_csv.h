// Quillet — the T4 or T4A records of a file as a spreadsheet (CSV), and a spreadsheet's
// rows taken into a file. The columns are those of the file's kind of slip.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/file_result.h"
#include "core/viewer_report.h"
#include "data/t4_record.h"

namespace quillet {

class OpenT4FileState;
class Ui;

// The header: "Record_ID", the column that names each record of the file (its employer's
// business number and its place: "123456782-3"), then one column per field of the T4
// record after the common prefix, named as the record's layout names it ("VOID",
// "Employment_income", …).
QStringList t4CsvColumns(SlipKind kind = SlipKind::T4);

// Every T4 record of the open file, VOID ones included, in index order: UTF-8 with a
// byte-order mark, the header, then one row a record (amounts with two decimals, ticks
// as 1 or 0). False when a record could not be read or the device took less than given.
bool writeT4Csv(OpenT4FileState& state, QIODevice& out);

// The same into the file `path`, which takes the place of any old one only when written
// whole: "Cannot create file …" or "Cannot write file …", or empty when it was written.
QString writeT4CsvFile(OpenT4FileState& state, const QString& path);

// One row of a spreadsheet, as the import would take it.
struct CsvRow {
  enum class Kind { Add, Update, Unchanged, Refused };
  int line = 0;
  Kind kind = Kind::Refused;
  QString reason;         // of a refusal
  Record768 record;       // what is written: a T4 or a T4A record, as the file holds
  int64_t position = -1;  // an update: the place of the record the row names
  Record768 stored;       // an update: that record as the file has it
};

struct CsvImportPlan {
  QString error;  // the file as a whole cannot be taken (the line is named)
  std::vector<CsvRow> rows;
  int count(CsvRow::Kind kind) const;
  // True when a row adds or updates a record.
  bool changes() const { return count(CsvRow::Kind::Add) + count(CsvRow::Kind::Update) > 0; }
};

// Reads the spreadsheet's rows against the open file: columns by their header's names
// (the export's, case, blanks and underscores ignored, or box numbers as "Box 14" or
// "14"; a T4A's "Box 048", "048" or "48"), each value through the entry screen's rules. A
// row names the record it updates by its Record_ID, or without one by its SIN (a T4A's
// business recipient: its business number); any other is added. A cell as that record
// has it is kept as it is (never refused), and a row of such cells is unchanged. Nothing
// is written.
// `step(done, total)` is told of the lines read; false from it stops the reading ("The
// import was stopped.").
using ImportStep = std::function<bool(int done, int total)>;
CsvImportPlan planT4CsvImport(OpenT4FileState& state, const QByteArray& spreadsheet,
                              const ImportStep& step = {});

// "Line 2: add Smith, John (SIN 046454286)", "Line 5: refused: …", "Line 6: unchanged …",
// one line a row; an update's line is followed by one line for each field it changes,
// old and new value.
ViewerReport importReport(const CsvImportPlan& plan, const QString& csvName,
                          SlipKind kind = SlipKind::T4);

// Writes every row that is not refused: the file is made anew beside itself, with the
// updated records in their places and the added ones at its end, then put in its place
// and opened again, so that either all rows are in it or none.
// `step` is told of the records written; false from it drops the new file (nothing is
// imported).
FileStatus applyT4CsvImport(OpenT4FileState& state, const CsvImportPlan& plan,
                            const ImportStep& step = {});

// The error report's checks of the rows taken in, as the report lists them; empty when
// they found nothing.
QStringList checksOfImported(OpenT4FileState& state, const CsvImportPlan& plan);

// File → "Export T4s to a spreadsheet…".
void exportT4Spreadsheet(OpenT4FileState& state, Ui& ui);
// File → "Import T4s from a spreadsheet…": the rows in the report viewer, the question,
// the import, then the checks of the imported records.
void importT4Spreadsheet(OpenT4FileState& state, Ui& ui);

}  // namespace quillet
