// Quillet — quillet-cli dump: the whole file as one JSON document.
#include "cli/commands.h"
#include "data/employer_record.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"

namespace quillet::cli {
namespace {

QString jsonString(const QString& text) {
  QString json = QStringLiteral("\"");
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'"':
        json += QStringLiteral("\\\"");
        break;
      case u'\\':
        json += QStringLiteral("\\\\");
        break;
      case u'\n':
        json += QStringLiteral("\\n");
        break;
      case u'\r':
        json += QStringLiteral("\\r");
        break;
      case u'\t':
        json += QStringLiteral("\\t");
        break;
      default:
        if (c.unicode() < 0x20) {
          json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
          json += c;
        }
    }
  }
  return json + QLatin1Char('"');
}

QString fieldValue(std::span<const uint8_t> record, const Field& field) {
  switch (field.kind) {
    case FieldKind::Text:
      return jsonString(fields::text(record, field));
    case FieldKind::Cents:
    case FieldKind::Fix4:
      return QString::number(fields::int32(record, field));
    case FieldKind::U16:
      return QString::number(fields::u16(record, field));
    case FieldKind::Flag:
    case FieldKind::Byte:
      return QString::number(fields::byte(record, field));
  }
  return {};
}

QString recordObject(int64_t position, std::span<const uint8_t> record,
                     std::span<const Field> layout) {
  QString json = QStringLiteral("{\"position\": %1").arg(position);
  for (const Field& field : layout) {
    json += QStringLiteral(", \"%1\": ")
                .arg(QLatin1String(field.name.data(), qsizetype(field.name.size())));
    json += fieldValue(record, field);
  }
  return json + QLatin1Char('}');
}

}  // namespace

int runDump(const Invocation& invocation, const Clock&, Io io) {
  const auto opened = openForInspection(invocation.positionals.at(0), io, std::nullopt);
  if (!opened) return ExitUsage;
  OpenT4FileState& state = *opened;
  TAlphaInxFileStream& file = state.T4File();
  const int64_t size = file.size();
  QTextStream& out = io.out;

  const auto slot = [&](int64_t position, std::span<const Field> layout) {
    if (size < position + Record768::Size || !state.readSlot(position))
      return QStringLiteral("null");
    return recordObject(position, state.sharedRecord().bytes(), layout);
  };
  const SlipKind kind = state.slipKind();
  out << "{\"size\": " << size << ",\n"
      << " \"header\": " << slot(HeaderPosition, HeaderRecord::layout(kind)) << ",\n"
      << " \"employer\": " << slot(EmployerPosition, EmployerRecord::layout()) << ",\n"
      << " \"" << slipName(kind).toLower() << "\": [";

  const std::span<const Field> slipLayout =
      kind == SlipKind::T4 ? T4Record::layout() : T4ARecord::layout();
  const char* separator = "\n  ";
  file.forEachRecord(FirstT4Position, [&](int64_t position, std::span<const uint8_t> record) {
    out << separator << recordObject(position, record, slipLayout);
    separator = ",\n  ";
  });
  out << "],\n \"index\": [";
  for (int i = 0; i < file.Count(); ++i) out << (i == 0 ? "" : ", ") << jsonString(file.key(i));
  out << "],\n \"trailing_bytes\": " << size % Record768::Size << "}\n";
  return ExitOk;
}

}  // namespace quillet::cli
