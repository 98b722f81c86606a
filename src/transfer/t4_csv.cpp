// Quillet — the T4 or T4A records of a file as a spreadsheet (CSV), and a spreadsheet's
// rows taken into a file.
#include "transfer/t4_csv.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <optional>

#include "checks/code_tables.h"
#include "checks/revcan_validity.h"
#include "checks/t4_record_checks.h"
#include "checks/t4a_record_checks.h"
#include "core/numeric_text.h"
#include "core/ui.h"
#include "data/cp1252.h"
#include "data/file_safety.h"
#include "data/open_t4_file.h"
#include "data/slip_record.h"
#include "data/t4a_record.h"
#include "platform/file_replacement.h"
#include "platform/replacing_device.h"
#include "platform/shared_file.h"
#include "screens/t4_entry_controller.h"
#include "transfer/csv.h"

namespace quillet {
namespace {

using T = T4Record;
using A = T4ARecord;

// The fields after the common prefix, in layout order.
std::vector<Field> columnFields(SlipKind kind) {
  const std::span<const Field> layout = kind == SlipKind::T4 ? T::layout() : A::layout();
  std::vector<Field> fields;
  for (const Field& f : layout) {
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

// A header's name as it is compared: no case, blanks or underscores, "Box 14" as "14",
// "Box 048" and "048" as "48".
QString normalised(const QString& name) {
  QString key = name.toLower();
  key.remove(u' ').remove(u'_');
  if (key.startsWith(QLatin1String("box")) && key.size() > 3) key.remove(0, 3);
  while (key.size() > 1 && key.startsWith(u'0') && key.at(1).isDigit()) key.remove(0, 1);
  return key;
}

// The slip's box numbers and the fields that hold them.
const QHash<QString, QString>& boxFields(SlipKind kind) {
  static const QHash<QString, QString> t4aBoxes = {{"12", "Recipient_SIN"},
                                                   {"13", "Recipient_BN"},
                                                   {"14", "Recipient_number"},
                                                   {"15", "Dental_benefits_code"},
                                                   {"16", "Pension_or_superannuation"},
                                                   {"18", "Lump_sum_payments"},
                                                   {"20", "Self_employed_commissions"},
                                                   {"22", "Income_tax_deducted"},
                                                   {"24", "Annuities"},
                                                   {"48", "Fees_for_services"}};
  if (kind == SlipKind::T4A) return t4aBoxes;
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

QString exportValue(const Record768& r, const Field& f) {
  if (f.kind == FieldKind::U16 && r.u16(f) == 0) return {};  // no T4A code
  const QString value = r.valueText(f);
  return f.kind == FieldKind::Text && looksLikeFormula(value) ? u'\'' + value : value;
}

std::optional<bool> tick(const QString& text) {
  const QString t = text.trimmed().toLower();
  if (t.isEmpty() || t == u"0" || t == u"n" || t == u"no" || t == u"false") return false;
  if (t == u"1" || t == u"x" || t == u"y" || t == u"yes" || t == u"true") return true;
  return std::nullopt;
}

bool sameField(const Field& a, const Field& b) { return a.offset == b.offset && a.name == b.name; }

// The number that tells a slip's holder apart: the SIN's digits, or a business recipient's
// number.
QString numberKey(const QString& sin, const QString& bn) {
  const QString digits = digitsOf(sin);
  return digits.isEmpty() ? bn.trimmed().toUpper() : digits;
}

// Takes one value into `r` by the entry screen's rules; the reason when it is refused.
QString take(Record768& r, const Field& f, const QString& text) {
  const QString value = TrimControlText(text);
  switch (f.kind) {
    case FieldKind::Flag:
      if (const auto ticked = tick(value)) {
        r.setFlag(f, *ticked);
        return {};
      }
      return QStringLiteral("%1 is not 1 or 0").arg(fieldName(f));
    case FieldKind::Cents: {
      // A T4A's other information may be negative (the checks say that only code 037 may).
      const bool negative = value.startsWith(u'-') && r.recordType() == T4ARecordType &&
                            f.name.starts_with("Other_info_amount");
      int32_t cents;  // set when the text is an amount
      if (!EnteredCents(negative ? value.mid(1) : value, cents))
        return QStringLiteral("%1 is not an amount").arg(fieldName(f));
      r.setInt32(f, negative ? -cents : cents);
      return {};
    }
    case FieldKind::Byte: {
      int number = -1;
      if (sameField(f, T::Report_type) || sameField(f, A::Report_type)) {
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
        if (!ok || number < 0 || number > 5)
          return sameField(f, A::Dental_benefits_code) ? QStringLiteral("box 015 is not 1 to 5")
                                                       : QStringLiteral("box 45 is not 1 to 5");
      }
      r.setByte(f, uint8_t(number));
      return {};
    }
    case FieldKind::U16: {
      // An other-information code of the T4A: blank or 0 for none.
      bool ok = value.isEmpty();
      const int code = ok ? 0 : value.toInt(&ok);
      if (!ok || code < 0 || code > 999)
        return QStringLiteral("%1 is not a code of three digits").arg(fieldName(f));
      r.setU16(f, uint16_t(code));
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
  if (sameField(f, T::Employee_SIN) || (sameField(f, A::Recipient_SIN) && !cell.isEmpty())) {
    if (!RevCanValidityCheck(cell)) return QStringLiteral("the SIN fails its check");
  } else if (sameField(f, A::Recipient_BN) && !cell.isEmpty()) {
    stored = cell.toUpper();
    if (!RevCanValidityCheck(cell.left(9)))
      return QStringLiteral("the business number fails its check");
  } else if (sameField(f, A::Recipient_province_code)) {
    // A recipient's address may be incomplete: the checks tell what is missing.
    stored = cell.toUpper();
    if (!stored.isEmpty() && !addressProvinceCodes().contains(stored))
      return QStringLiteral("the recipient's province is not a province code");
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
  } else if (sameField(f, T::Employee_postal_code) || sameField(f, A::Recipient_postal_code)) {
    stored = cell.toUpper();
  }
  r.setText(f, stored);
  return {};
}

// What the entry screen will not leave blank.
QString missing(const Record768& r, SlipKind kind) {
  if (kind == SlipKind::T4A) {
    const bool business = r.flag(A::Recipient_is_business);
    if (r.isEmpty(business ? A::Business_name_line_1 : A::Recipient_surname))
      return business ? QStringLiteral("the business name is missing")
                      : QStringLiteral("the surname is missing");
    return {};
  }
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
    const auto proposed = proposedEarnings(T4Record(row.record), employer, box);
    if (empty && proposed) row.record.setInt32(box, *proposed);
  }
}

}  // namespace

QStringList t4CsvColumns(SlipKind kind) {
  QStringList names = {fieldName(RecordIdColumn)};
  for (const Field& f : columnFields(kind)) names << fieldName(f);
  return names;
}

bool writeT4Csv(OpenT4FileState& state, QIODevice& out) {
  const SlipKind kind = state.slipKind();
  const std::vector<Field> fields = columnFields(kind);
  const auto put = [&out](const QString& line) {
    const QByteArray bytes = line.toUtf8();
    return out.write(bytes) == bytes.size();
  };
  if (!put(QChar(0xFEFF) + csvLine(t4CsvColumns(kind)))) return false;
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  TAlphaInxFileStream& file = state.T4File();
  Record768 r;
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
  const SlipKind kind = state.slipKind();
  if (state.T4File().size() < FirstT4Position) {
    plan.error = QStringLiteral(
                     "The %1 file has no company information yet: set it up before importing "
                     "%1s.")
                     .arg(slipName(kind));
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
  for (const Field& f : columnFields(kind)) byName.insert(normalised(fieldName(f)), f);
  for (auto it = boxFields(kind).begin(); it != boxFields(kind).end(); ++it)
    byName.insert(it.key(), byName.value(normalised(it.value())));
  std::vector<Field> columns;
  QSet<int> taken;
  byName.insert(normalised(fieldName(RecordIdColumn)), RecordIdColumn);
  for (const QString& heading : header) {
    const auto found = byName.constFind(normalised(heading));
    if (found == byName.constEnd()) {
      plan.error = QStringLiteral("Line 1: the column \"%1\" is not a field of the %2 record")
                       .arg(heading.left(40), slipName(kind));
      return plan;
    }
    if (taken.contains(found->offset)) {
      plan.error = QStringLiteral("Line 1: the column \"%1\" is there twice").arg(heading);
      return plan;
    }
    taken.insert(found->offset);
    columns.push_back(*found);
  }
  if (kind == SlipKind::T4 && !taken.contains(T::Employee_surname.offset)) {
    plan.error = QStringLiteral("Line 1: the column Employee_surname (the surname) is missing");
    return plan;
  }
  if (kind == SlipKind::T4A && !taken.contains(A::Recipient_surname.offset) &&
      !taken.contains(A::Business_name_line_1.offset)) {
    plan.error = QStringLiteral(
        "Line 1: the columns Recipient_surname and Business_name_line_1 (the name) are both "
        "missing");
    return plan;
  }
  // The columns that tell a slip's holder apart: its SIN, and a T4A's business number.
  const bool t4 = kind == SlipKind::T4;
  const Field sinField = t4 ? T::Employee_SIN : A::Recipient_SIN;
  const auto keyOf = [&](const Record768& r) {
    return numberKey(r.text(sinField), t4 ? QString() : r.text(A::Recipient_BN));
  };

  EmployerRecord employer;
  readEmployerRecord(state, employer);
  TAlphaInxFileStream& file = state.T4File();
  // SIN (or BN) → the place of its record (one not VOID first)
  QHash<QString, int64_t> inFile;
  Record768 stored;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(stored.bytes(), i) != Record768::Size) continue;
    const QString key = keyOf(stored);
    if (!key.isEmpty() && (!inFile.contains(key) || !stored.flag(T::VOID)))
      inFile.insert(key, file.position(i));
  }
  QHash<QString, int> seen;  // SIN → the line that had it
  const auto columnOf = [&columns](const Field& field) {
    return std::find_if(columns.begin(), columns.end(),
                        [&field](const Field& f) { return sameField(f, field); }) -
           columns.begin();
  };
  const qsizetype sinColumn = columnOf(sinField);
  const qsizetype bnColumn = t4 ? -1 : columnOf(A::Recipient_BN);
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
    const QString key = numberKey(fields.value(sinColumn), fields.value(bnColumn));
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
      row.reason =
          QStringLiteral("the same %1 as line %2")
              .arg(digitsOf(fields.value(sinColumn)).isEmpty() ? QStringLiteral("business number")
                                                               : QStringLiteral("SIN"))
              .arg(*first);
    } else {
      row.position = byId;
      if (const auto bySin = inFile.constFind(key);
          !namedById && !key.isEmpty() && bySin != inFile.constEnd())
        row.position = *bySin;
      if (row.position >= 0) {
        if (file.readAt(row.position, row.stored.bytes()) != Record768::Size)
          row.reason = QStringLiteral("the record it names cannot be read");
        row.record = row.stored;
        // A record named by its ID whose name and number both differ is another one's: the
        // spreadsheet was not made from this file.
        const Field name = kind == SlipKind::T4                        ? T::Employee_surname
                           : row.stored.flag(A::Recipient_is_business) ? A::Business_name_line_1
                                                                       : A::Recipient_surname;
        if (namedById && keyOf(row.stored) != key &&
            row.stored.text(name).compare(TrimControlText(fields.value(columnOf(name))),
                                          Qt::CaseInsensitive) != 0)
          row.reason =
              QStringLiteral("the record %1 is of %2, not of this row")
                  .arg(id, kind == SlipKind::T4 ? row.stored.text(T::Employee_surname) + ", " +
                                                      row.stored.text(T::Employee_first_name)
                                                : T4ARecord(row.stored).name());
      } else if (row.reason.isEmpty() && kind == SlipKind::T4A) {
        row.record = T4ARecord::newFrom(employer);
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
      if (kind == SlipKind::T4) proposeEarnings(row, columns, fields, employer);
      if (row.reason.isEmpty() && row.position >= 0 && row.record == row.stored) {
        row.kind = CsvRow::Kind::Unchanged;
      } else if (row.reason.isEmpty()) {
        row.reason = missing(row.record, kind);
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

ViewerReport importReport(const CsvImportPlan& plan, const QString& csvName, SlipKind kind) {
  ViewerReport report;
  report.reportTitle = QStringLiteral("%1 Spreadsheet Import").arg(slipName(kind));
  report.caption = report.reportTitle;
  report.headingLine1 = QStringLiteral("Import of ") + csvName;
  report.headingLine2 = QStringLiteral("%1 to add, %2 to update, %3 unchanged, %4 refused")
                            .arg(plan.count(CsvRow::Kind::Add))
                            .arg(plan.count(CsvRow::Kind::Update))
                            .arg(plan.count(CsvRow::Kind::Unchanged))
                            .arg(plan.count(CsvRow::Kind::Refused));
  for (const CsvRow& row : plan.rows) {
    const QString who = SlipRecord(row.record).holder();
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
        for (const Field& f : columnFields(kind)) {
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
  QHash<int64_t, const Record768*> updates;
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
    QStringList lines;
    if (state.slipKind() == SlipKind::T4A) {
      T4ARecord record(row.record);
      CheckT4ARecord(record, employer, lines);
    } else {
      auto record = T4Record(row.record);
      CheckT4Record(record, employer, lines);
    }
    if (lines.size() > 2) findings << lines;
  }
  return findings;
}

void exportT4Spreadsheet(OpenT4FileState& state, Ui& ui) {
  const QString slips = slipName(state.slipKind());
  const QString path = ui.chooseFileToSave(
      {QStringLiteral("Export %1s to a spreadsheet").arg(slips),
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
  ui.showMessage(QStringLiteral("%1 %2 records were written to %3.")
                     .arg(state.T4File().Count())
                     .arg(slips, path));
}

void importT4Spreadsheet(OpenT4FileState& state, Ui& ui) {
  const SlipKind kind = state.slipKind();
  const QString slips = slipName(kind);
  const QString path = ui.chooseFileToOpen(
      {QStringLiteral("Import %1s from a spreadsheet").arg(slips),
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
  ui.showReport(importReport(plan, path, kind), ViewerButtons::OkOnly);
  if (plan.count(CsvRow::Kind::Refused) > 0) {
    ui.showMessage(QStringLiteral(
        "Nothing was imported: correct the refused rows in the spreadsheet, then import again."));
    return;
  }
  if (!plan.changes()) {
    ui.showMessage(
        QStringLiteral("Nothing to import: every row is as the %1 file has it.").arg(slips));
    return;
  }
  QString question = QStringLiteral("Import %1 rows: add %2 %3 records and update %4?")
                         .arg(plan.rows.size())
                         .arg(plan.count(CsvRow::Kind::Add))
                         .arg(slips)
                         .arg(plan.count(CsvRow::Kind::Update));
  if (const QString note = platform::otherNamesNote(state.T4FileName()); !note.isEmpty())
    question += QStringLiteral("\n\n") + note;
  if (ui.ask(question, QuestionKind::YesNo) != Answer::Yes) return;
  const FileStatus written = applyT4CsvImport(
      state, plan, step(kind == SlipKind::T4 ? "T4 records written" : "T4A records written"));
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
  checks.headingLine1 = QStringLiteral("Checks of the imported %1 records").arg(slips);
  checks.lines = findings;
  ui.showReport(checks, ViewerButtons::OkOnly);
}

}  // namespace quillet
