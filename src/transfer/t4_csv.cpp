// Quillet — the T4 records of a file as a spreadsheet (CSV), and a spreadsheet's rows
// taken into a file.
#include "transfer/t4_csv.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <optional>

#include "checks/code_tables.h"
#include "checks/revcan_validity.h"
#include "checks/t4_record_checks.h"
#include "core/numeric_text.h"
#include "core/ui.h"
#include "data/cp1252.h"
#include "data/file_safety.h"
#include "data/open_t4_file.h"
#include "platform/file_replacement.h"
#include "platform/replacing_device.h"
#include "platform/shared_file.h"
#include "screens/t4_entry_controller.h"
#include "transfer/csv.h"

namespace quillet {
namespace {

using T = T4Record;

// The fields after the common prefix, in layout order.
std::vector<Field> columnFields() {
  std::vector<Field> fields;
  for (const Field& f : T::layout()) {
    if (f.offset >= T::VOID.offset) fields.push_back(f);
  }
  return fields;
}

constexpr char StoppedImport[] = "The import was stopped.";

// The column that names each record of a file: the employer's business number (its first
// nine digits), the tax year and the record's place in the file, counted from 1. Records
// are never moved nor removed, so it names the same record while the file lives; the
// spreadsheet of another year's or another employer's file names none of its records.
constexpr Field RecordIdColumn = textField("Record_ID", -1, 0);

QString fileOfIds(const EmployerRecord& employer) {
  return QStringLiteral("%1-%2")
      .arg(employer.text(EmployerRecord::RevCan_account_number).left(9))
      .arg(employer.u16(EmployerRecord::S_Taxation_year));
}

QString recordId(const EmployerRecord& employer, int64_t position) {
  return QStringLiteral("%1-%2")
      .arg(fileOfIds(employer))
      .arg((position - FirstT4Position) / Record768::Size + 1);
}

// The place of the record an ID of this file names; -1 for an ID of another file or of
// no record here.
int64_t positionOfId(const QString& id, const EmployerRecord& employer, int64_t end) {
  if (id.section(u'-', 0, -2) != fileOfIds(employer)) return -1;
  const int64_t slot = id.section(u'-', -1).toLongLong();
  const int64_t position = FirstT4Position + (slot - 1) * Record768::Size;
  return slot >= 1 && position < end ? position : -1;
}

// A header's name as it is compared: no case, blanks or underscores, "Box 14" as "14".
QString normalised(const QString& name) {
  QString key = name.toLower();
  key.remove(u' ').remove(u'_');
  if (key.startsWith(QLatin1String("box")) && key.size() > 3) key.remove(0, 3);
  return key;
}

// The slip's box numbers and the fields that hold them.
const QHash<QString, QString>& boxFields() {
  static const QHash<QString, QString> boxes = {{"10", "Province_of_employment_code"},
                                                {"12", "Employee_SIN"},
                                                {"14", "Employment_income"},
                                                {"16", "Employee_CPP"},
                                                {"16a", "Employee_CPP2"},
                                                {"17", "Employee_QPP"},
                                                {"17a", "Employee_QPP2"},
                                                {"18", "Employee_EI_premium"},
                                                {"20", "RPP_contributions"},
                                                {"22", "Income_tax_deducted"},
                                                {"24", "EI_insurable_earnings"},
                                                {"26", "CPP_OR_Quebec_PensionEarn"},
                                                {"29", "Employment_code"},
                                                {"44", "Union_dues"},
                                                {"45", "Dental_benefits_code"},
                                                {"46", "Charitable_donations"},
                                                {"50", "RPP_or_deferred_PlanNumbr"},
                                                {"52", "Pension_adjustment"},
                                                {"55", "Employee_PPIP_premium"},
                                                {"56", "PPIP_insurable_earnings"}};
  return boxes;
}

// A text a spreadsheet would take for a formula (OWASP's CSV injection): one beginning,
// after any apostrophes, with =, +, -, @, a tab or a carriage return. It is exported with an
// apostrophe before it, which the import takes away again.
bool looksLikeFormula(const QString& text) {
  const auto first = std::find_if(text.begin(), text.end(), [](QChar c) { return c != u'\''; });
  return first != text.end() && QStringView(u"=+-@\t\r").contains(*first);
}

QString exportValue(const T4Record& r, const Field& f) {
  const QString value = r.valueText(f);
  return f.kind == FieldKind::Text && looksLikeFormula(value) ? u'\'' + value : value;
}

std::optional<bool> tick(const QString& text) {
  const QString t = text.trimmed().toLower();
  if (t.isEmpty() || t == u"0" || t == u"n" || t == u"no" || t == u"false") return false;
  if (t == u"1" || t == u"x" || t == u"y" || t == u"yes" || t == u"true") return true;
  return std::nullopt;
}

bool sameField(const Field& a, const Field& b) { return a.offset == b.offset; }

// Takes one value into `r` by the entry screen's rules; the reason when it is refused.
QString take(T4Record& r, const Field& f, const QString& text) {
  const QString value = TrimControlText(text);
  switch (f.kind) {
    case FieldKind::Flag:
      if (const auto ticked = tick(value)) {
        r.setFlag(f, *ticked);
        return {};
      }
      return QStringLiteral("%1 is not 1 or 0").arg(fieldName(f));
    case FieldKind::Cents: {
      int32_t cents;  // set when the text is an amount
      if (!EnteredCents(value, cents))
        return QStringLiteral("%1 is not an amount").arg(fieldName(f));
      r.setInt32(f, cents);
      return {};
    }
    case FieldKind::Byte: {
      int number = -1;
      if (sameField(f, T::Report_type)) {
        // 0, 1, 2, or the words; blank is an original.
        const QStringList words = {QStringLiteral("original"), QStringLiteral("amended"),
                                   QStringLiteral("cancelled")};
        for (int i = 0; i < 3; ++i) {
          if (value == QString::number(i) || value.compare(words[i], Qt::CaseInsensitive) == 0 ||
              value == T4EntryController::reportTypeTexts().value(i))
            number = i;
        }
        if (value.isEmpty()) number = 0;
        if (number < 0)
          return QStringLiteral("the report type is not original, amended or cancelled");
      } else {
        bool ok = value.isEmpty();
        number = ok ? 0 : value.toInt(&ok);
        if (!ok || number < 0 || number > 5) return QStringLiteral("box 45 is not 1 to 5");
      }
      r.setByte(f, uint8_t(number));
      return {};
    }
    case FieldKind::Text:
      break;
    default:
      return QStringLiteral("%1 cannot be imported").arg(fieldName(f));
  }
  const QString cell = value.startsWith(u'\'') && looksLikeFormula(value) ? value.mid(1) : value;
  QString stored = cell;
  if (cell.size() > f.width)
    return QStringLiteral("%1 is longer than %2 characters").arg(fieldName(f)).arg(f.width);
  if (sameField(f, T::Employee_SIN)) {
    if (!RevCanValidityCheck(cell)) return QStringLiteral("the SIN fails its check");
  } else if (sameField(f, T::Province_of_employment_code) ||
             sameField(f, T::Employee_province_code)) {
    stored = cell.toUpper();
    const bool ofEmployment = sameField(f, T::Province_of_employment_code);
    const qsizetype at =
        stored.size() == 2
            ? (ofEmployment ? employmentProvinceCodes() : addressProvinceCodes()).indexOf(stored)
            : -1;
    if (at < 0)
      return ofEmployment ? QStringLiteral("the province of employment is not a province code")
                          : QStringLiteral("the employee's province is not a province code");
  } else if (sameField(f, T::Employment_code) || f.name.starts_with("Other_info_code")) {
    if (!IsBlankOrNumbered(cell))
      return QStringLiteral("%1 is neither blank nor begins with a number").arg(fieldName(f));
  } else if (sameField(f, T::Employee_postal_code)) {
    stored = cell.toUpper();
  }
  r.setText(f, stored);
  return {};
}

// What the entry screen will not leave blank.
QString missing(const T4Record& r) {
  const std::pair<Field, const char*> required[] = {
      {T::Employee_surname, "the surname"},
      {T::Employee_first_name, "the first name"},
      {T::Employee_address_line_1, "the address"},
      {T::Employee_city, "the city"},
      {T::Employee_SIN, "the SIN"},
      {T::Province_of_employment_code, "the province of employment"},
      {T::Employee_province_code, "the employee's province"}};
  for (const auto& [field, what] : required) {
    if (r.isEmpty(field)) return QStringLiteral("%1 is missing").arg(QLatin1String(what));
  }
  return {};
}

// Boxes 24, 26 and 56 left empty (a blank cell; for a new record also no column) take
// what the entry screen proposes.
void proposeEarnings(CsvRow& row, const std::vector<Field>& columns, const QStringList& cells,
                     const EmployerRecord& employer) {
  for (const Field& box :
       {T::EI_insurable_earnings, T::CPP_OR_Quebec_PensionEarn, T::PPIP_insurable_earnings}) {
    const auto at = std::find_if(columns.begin(), columns.end(),
                                 [&box](const Field& f) { return sameField(f, box); });
    const bool empty = at == columns.end()
                           ? row.position < 0
                           : TrimControlText(cells.value(at - columns.begin())).isEmpty();
    const auto proposed = proposedEarnings(row.record, employer, box);
    if (empty && proposed) row.record.setInt32(box, *proposed);
  }
}

}  // namespace

QStringList t4CsvColumns() {
  QStringList names = {fieldName(RecordIdColumn)};
  for (const Field& f : columnFields()) names << fieldName(f);
  return names;
}

bool writeT4Csv(OpenT4FileState& state, QIODevice& out) {
  const std::vector<Field> fields = columnFields();
  const auto put = [&out](const QString& line) {
    const QByteArray bytes = line.toUtf8();
    return out.write(bytes) == bytes.size();
  };
  if (!put(QChar(0xFEFF) + csvLine(t4CsvColumns()))) return false;
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  TAlphaInxFileStream& file = state.T4File();
  T4Record r;
  QStringList values;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(r.bytes(), i) != Record768::Size) return false;
    values = QStringList{recordId(employer, file.position(i))};
    for (const Field& f : fields) values << exportValue(r, f);
    if (!put(csvLine(values))) return false;
  }
  return true;
}

QString writeT4CsvFile(OpenT4FileState& state, const QString& path) {
  const auto device = platform::ReplacingDevice::begin(path);
  if (!device) return platform::cannotCreateMessage(path);
  if (!writeT4Csv(state, *device) || !device->commit()) return platform::cannotWriteMessage(path);
  return {};
}

int CsvImportPlan::count(CsvRow::Kind kind) const {
  return int(
      std::count_if(rows.begin(), rows.end(), [kind](const CsvRow& r) { return r.kind == kind; }));
}

CsvImportPlan planT4CsvImport(OpenT4FileState& state, const QByteArray& spreadsheet,
                              const ImportStep& step) {
  CsvImportPlan plan;
  if (state.T4File().size() < FirstT4Position) {
    plan.error = QStringLiteral(
        "The T4 file has no company information yet: set it up before importing T4s.");
    return plan;
  }
  const QString text = decodeText(spreadsheet, QStringLiteral("spreadsheet"), plan.error);
  if (!plan.error.isEmpty()) return plan;
  if (text.trimmed().isEmpty()) {
    plan.error = QStringLiteral("Line 1: the spreadsheet is empty");
    return plan;
  }
  CsvReader reader(text);
  QStringList header;
  if (!reader.next(header)) {
    plan.error = reader.error();
    return plan;
  }
  // Each column's field.
  QHash<QString, Field> byName;
  for (const Field& f : columnFields()) byName.insert(normalised(fieldName(f)), f);
  for (auto it = boxFields().begin(); it != boxFields().end(); ++it)
    byName.insert(it.key(), byName.value(normalised(it.value())));
  std::vector<Field> columns;
  QSet<int> taken;
  byName.insert(normalised(fieldName(RecordIdColumn)), RecordIdColumn);
  for (const QString& heading : header) {
    const auto found = byName.constFind(normalised(heading));
    if (found == byName.constEnd()) {
      plan.error = QStringLiteral("Line 1: the column \"%1\" is not a field of the T4 record")
                       .arg(heading.left(40));
      return plan;
    }
    if (taken.contains(found->offset)) {
      plan.error = QStringLiteral("Line 1: the column \"%1\" is there twice").arg(heading);
      return plan;
    }
    taken.insert(found->offset);
    columns.push_back(*found);
  }
  if (!taken.contains(T::Employee_surname.offset)) {
    plan.error = QStringLiteral("Line 1: the column Employee_surname (the surname) is missing");
    return plan;
  }

  EmployerRecord employer;
  readEmployerRecord(state, employer);
  TAlphaInxFileStream& file = state.T4File();
  QHash<QString, int64_t> inFile;  // SIN → the place of its record (one not VOID first)
  T4Record stored;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(stored.bytes(), i) != Record768::Size) continue;
    const QString key = digitsOf(stored.text(T::Employee_SIN));
    if (!key.isEmpty() && (!inFile.contains(key) || !stored.isVoid()))
      inFile.insert(key, file.position(i));
  }
  QHash<QString, int> seen;  // SIN → the line that had it
  const auto columnOf = [&columns](const Field& field) {
    return std::find_if(columns.begin(), columns.end(),
                        [&field](const Field& f) { return sameField(f, field); }) -
           columns.begin();
  };
  const qsizetype sinColumn = columnOf(T::Employee_SIN);
  const qsizetype idColumn = columnOf(RecordIdColumn);
  const int64_t end = file.appendPosition();
  const int lines = int(text.count(u'\n')) + 1;
  QStringList fields;
  while (reader.next(fields)) {
    if (step && !step(reader.line(), lines)) {
      plan.error = QLatin1String(StoppedImport);
      return plan;
    }
    if (std::all_of(fields.begin(), fields.end(),
                    [](const QString& f) { return f.trimmed().isEmpty(); }))
      continue;
    CsvRow row;
    row.line = reader.line();
    const QString key = digitsOf(fields.value(sinColumn));
    // A row names its record by an ID of this file, or else by its SIN; any other row is
    // a new record.
    const QString id = fields.value(idColumn).trimmed();
    const int64_t byId = id.isEmpty() ? -1 : positionOfId(id, employer, end);
    const bool namedById = byId >= 0;
    if (fields.size() > qsizetype(columns.size())) {
      row.reason = QStringLiteral("it has more fields than the header");
    } else if (fields.size() < qsizetype(columns.size())) {
      row.reason = QStringLiteral("it has fewer fields than the header");
    } else if (const auto first = seen.constFind(key);
               !namedById && !key.isEmpty() && first != seen.constEnd()) {
      row.reason = QStringLiteral("the same SIN as line %1").arg(*first);
    } else {
      row.position = byId;
      if (const auto bySin = inFile.constFind(key);
          !namedById && !key.isEmpty() && bySin != inFile.constEnd())
        row.position = *bySin;
      if (row.position >= 0) {
        if (file.readAt(row.position, row.stored.bytes()) != Record768::Size)
          row.reason = QStringLiteral("the record it names cannot be read");
        row.record = row.stored;
        // A record named by its ID whose surname and SIN both differ is another employee's:
        // the spreadsheet was not made from this file.
        const qsizetype surname = columnOf(T::Employee_surname);
        if (namedById && digitsOf(row.stored.text(T::Employee_SIN)) != key &&
            row.stored.surname().compare(TrimControlText(fields.value(surname)),
                                         Qt::CaseInsensitive) != 0)
          row.reason = QStringLiteral("the record %1 is of %2, %3, not of this row")
                           .arg(id, row.stored.surname(), row.stored.firstName());
      } else if (row.reason.isEmpty()) {
        row.record = T4Record::newFrom(employer);
        row.record.setByte(T::Dental_benefits_code,
                           employer.byte(EmployerRecord::Dental_benefits_code));
      }
      // A cell as the record has it is no entry: it is kept, and never refused.
      for (std::size_t c = 0; c < columns.size() && row.reason.isEmpty(); ++c) {
        const QString& cell = fields.at(qsizetype(c));
        if (qsizetype(c) == idColumn ||
            (row.position >= 0 && cell == exportValue(row.stored, columns[c])))
          continue;
        row.reason = take(row.record, columns[c], cell);
      }
      proposeEarnings(row, columns, fields, employer);
      if (row.reason.isEmpty() && row.position >= 0 && row.record == row.stored) {
        row.kind = CsvRow::Kind::Unchanged;
      } else if (row.reason.isEmpty()) {
        row.reason = missing(row.record);
        if (row.reason.isEmpty())
          row.kind = row.position >= 0 ? CsvRow::Kind::Update : CsvRow::Kind::Add;
      }
      if (!key.isEmpty() && !namedById) seen.insert(key, row.line);
    }
    plan.rows.push_back(std::move(row));
  }
  if (!reader.error().isEmpty()) plan.error = reader.error();
  return plan;
}

ViewerReport importReport(const CsvImportPlan& plan, const QString& csvName) {
  ViewerReport report;
  report.reportTitle = QStringLiteral("T4 Spreadsheet Import");
  report.caption = report.reportTitle;
  report.headingLine1 = QStringLiteral("Import of ") + csvName;
  report.headingLine2 = QStringLiteral("%1 to add, %2 to update, %3 unchanged, %4 refused")
                            .arg(plan.count(CsvRow::Kind::Add))
                            .arg(plan.count(CsvRow::Kind::Update))
                            .arg(plan.count(CsvRow::Kind::Unchanged))
                            .arg(plan.count(CsvRow::Kind::Refused));
  for (const CsvRow& row : plan.rows) {
    const QString who = row.record.nameAndSin();
    const QString line = QStringLiteral("Line %1: ").arg(row.line);
    switch (row.kind) {
      case CsvRow::Kind::Add:
        report.lines << line + QStringLiteral("add ") + who;
        break;
      case CsvRow::Kind::Unchanged:
        report.lines << line + QStringLiteral("unchanged ") + who;
        break;
      case CsvRow::Kind::Refused:
        report.lines << line + QStringLiteral("refused: ") + row.reason;
        break;
      case CsvRow::Kind::Update:
        // Each field that changes, old and new value.
        report.lines << line + QStringLiteral("update ") + who;
        for (const Field& f : columnFields()) {
          const QString before = exportValue(row.stored, f), after = exportValue(row.record, f);
          if (before != after)
            report.lines << QStringLiteral("    %1: %2 \u2192 %3").arg(fieldName(f), before, after);
        }
        break;
    }
  }
  return report;
}

FileStatus applyT4CsvImport(OpenT4FileState& state, const CsvImportPlan& plan,
                            const ImportStep& step) {
  const QString& fileName = state.T4FileName();
  const FileError failed{fileErrorMessage(QStringLiteral("write"), fileName)};
  auto replacement = platform::FileReplacement::begin(fileName);
  if (!replacement) return replacement.error();
  TAlphaInxFileStream& file = state.T4File();
  QHash<int64_t, const T4Record*> updates;
  for (const CsvRow& row : plan.rows) {
    if (row.kind == CsvRow::Kind::Update) updates.insert(row.position, &row.record);
  }
  // Written in large blocks: the records of the file (the updated ones in their places),
  // then the added ones.
  QByteArray block;
  int64_t blockAt = 0;
  const auto put = [&](const Record768::Bytes& bytes) {
    block.append(reinterpret_cast<const char*>(bytes.data()), Record768::Size);
    if (block.size() < (1 << 20)) return true;
    const int64_t written = replacement->file().writeAt(
        blockAt, {reinterpret_cast<const uint8_t*>(block.constData()), std::size_t(block.size())});
    if (written != block.size()) return false;
    blockAt += block.size();
    block.clear();
    return true;
  };
  const int64_t end = std::max(file.appendPosition(), FirstT4Position);
  Record768 slot;
  const int records = int(end / Record768::Size) + plan.count(CsvRow::Kind::Add);
  for (int64_t position = 0; position < end; position += Record768::Size) {
    if (step && !step(int(position / Record768::Size), records))
      return FileError{QLatin1String(StoppedImport)};
    if (file.readAt(position, slot.bytes()) != Record768::Size)
      return FileError{fileErrorMessage(QStringLiteral("read"), fileName)};
    const auto updated = updates.constFind(position);
    if (!put(updated != updates.constEnd() ? (*updated)->bytes() : slot.bytes())) return failed;
  }
  for (const CsvRow& row : plan.rows) {
    if (row.kind == CsvRow::Kind::Add && !put(row.record.bytes())) return failed;
  }
  if (!block.isEmpty() &&
      replacement->file().writeAt(blockAt, {reinterpret_cast<const uint8_t*>(block.constData()),
                                            std::size_t(block.size())}) != block.size())
    return failed;
  auto committed = replacement->commit();
  if (!committed) return committed.error();
  state.OpenT4File(std::move(*committed));
  return {};
}

QStringList checksOfImported(OpenT4FileState& state, const CsvImportPlan& plan) {
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  QStringList findings;
  for (const CsvRow& row : plan.rows) {
    if (row.kind == CsvRow::Kind::Refused || row.kind == CsvRow::Kind::Unchanged) continue;
    T4Record record = row.record;
    QStringList lines;
    CheckT4Record(record, employer, lines);
    if (lines.size() > 2) findings << lines;
  }
  return findings;
}

void exportT4Spreadsheet(OpenT4FileState& state, Ui& ui) {
  const QString path = ui.chooseFileToSave(
      {QStringLiteral("Export T4s to a spreadsheet"),
       QStringLiteral("csv"),
       {QStringLiteral("Spreadsheet (CSV) files (*.csv)")},
       true,
       QFileInfo(state.T4FileName()).absolutePath(),
       QFileInfo(state.T4FileName()).completeBaseName() + QStringLiteral(".csv")});
  if (path.isEmpty()) return;
  if (const QString failure = writeT4CsvFile(state, path); !failure.isEmpty()) {
    ui.showMessage(failure);
    return;
  }
  ui.showMessage(
      QStringLiteral("%1 T4 records were written to %2.").arg(state.T4File().Count()).arg(path));
}

void importT4Spreadsheet(OpenT4FileState& state, Ui& ui) {
  const QString path = ui.chooseFileToOpen(
      {QStringLiteral("Import T4s from a spreadsheet"),
       QStringLiteral("csv"),
       {QStringLiteral("Spreadsheet (CSV) files (*.csv)"), QStringLiteral("Any files (*)")},
       false,
       {}});
  if (path.isEmpty()) return;
  const auto csv = platform::readWholeFile(path);
  if (!csv) {
    ui.showMessage(csv.error().message);
    return;
  }
  const auto step = [&ui](const char* what) {
    return
        [&ui, what](int done, int total) { return ui.progress(QLatin1String(what), done, total); };
  };
  const CsvImportPlan plan = planT4CsvImport(state, *csv, step("Spreadsheet lines read"));
  ui.progress({}, 1, 1);  // the reading's window closed
  if (!plan.error.isEmpty()) {
    ui.showMessage(plan.error + QStringLiteral("\nNothing was imported."));
    return;
  }
  ui.showReport(importReport(plan, path), ViewerButtons::OkOnly);
  if (plan.count(CsvRow::Kind::Refused) > 0) {
    ui.showMessage(QStringLiteral(
        "Nothing was imported: correct the refused rows in the spreadsheet, then import again."));
    return;
  }
  if (!plan.changes()) {
    ui.showMessage(QStringLiteral("Nothing to import: every row is as the T4 file has it."));
    return;
  }
  QString question = QStringLiteral("Import %1 rows: add %2 T4 records and update %3?")
                         .arg(plan.rows.size())
                         .arg(plan.count(CsvRow::Kind::Add))
                         .arg(plan.count(CsvRow::Kind::Update));
  if (const QString note = platform::otherNamesNote(state.T4FileName()); !note.isEmpty())
    question += QStringLiteral("\n\n") + note;
  if (ui.ask(question, QuestionKind::YesNo) != Answer::Yes) return;
  const FileStatus written = applyT4CsvImport(state, plan, step("T4 records written"));
  ui.progress({}, 1, 1);
  if (!written) {
    ui.showMessage(written.message() + QStringLiteral("\nNothing was imported."));
    return;
  }
  const QStringList findings = checksOfImported(state, plan);
  if (findings.isEmpty()) {
    ui.showMessage(QStringLiteral("The rows were imported; their checks found nothing."));
    return;
  }
  ViewerReport checks;
  checks.headingLine1 = QStringLiteral("Checks of the imported T4 records");
  checks.lines = findings;
  ui.showReport(checks, ViewerButtons::OkOnly);
}

}  // namespace quillet
