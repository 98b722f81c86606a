// Quillet — what was filed from a T4 file: each return written for filing, its slips as
// they were sent, kept beside the T4 file.
#include "efile/filed_state.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>

#include "data/open_t4_file.h"
#include "platform/file_names.h"
#include "platform/file_replacement.h"
#include "platform/shared_file.h"

namespace quillet {
namespace {

constexpr char DateFormat[] = "yyyy-MM-dd HH:mm";

QJsonObject toJson(const FiledReturn& filed) {
  QJsonArray slips;
  for (const FiledReturn::Slip& slip : filed.slips) {
    const QByteArray bytes(reinterpret_cast<const char*>(slip.record.bytes().data()),
                           Record768::Size);
    slips.append(QJsonObject{{QStringLiteral("position"), qint64(slip.position)},
                             {QStringLiteral("record"), QString::fromLatin1(bytes.toBase64())}});
  }
  return {{QStringLiteral("reference"), filed.reference},
          {QStringLiteral("report_type"), QString(filed.reportType)},
          {QStringLiteral("written"), filed.written.toString(QLatin1String(DateFormat))},
          {QStringLiteral("slips"), slips}};
}

std::optional<FiledReturn> fromJson(const QJsonObject& object) {
  FiledReturn filed;
  filed.reference = object.value(QStringLiteral("reference")).toString();
  const QString type = object.value(QStringLiteral("report_type")).toString();
  filed.reportType = type.isEmpty() ? QChar() : type.at(0);
  filed.written = QDateTime::fromString(object.value(QStringLiteral("written")).toString(),
                                        QLatin1String(DateFormat));
  for (const QJsonValue& value : object.value(QStringLiteral("slips")).toArray()) {
    const QByteArray bytes = QByteArray::fromBase64(
        value.toObject().value(QStringLiteral("record")).toString().toLatin1());
    if (bytes.size() != Record768::Size) return std::nullopt;
    FiledReturn::Slip slip;
    slip.position = value.toObject().value(QStringLiteral("position")).toInteger();
    std::copy(bytes.begin(), bytes.end(), slip.record.bytes().begin());
    filed.slips.push_back(slip);
  }
  if (filed.reference.isEmpty() || filed.reportType.isNull() || !filed.written.isValid())
    return std::nullopt;
  return filed;
}

}  // namespace

QString filedStatePath(const QString& t4Path) { return t4Path + QStringLiteral(".filed"); }

FileResult<FiledState> readFiledState(const QString& t4Path) {
  const QString path = filedStatePath(t4Path);
  if (!platform::pathFacts(path).exists) return FiledState{};
  const auto bytes = platform::readWholeFile(path);
  if (!bytes) return bytes.error();
  const QJsonDocument document = QJsonDocument::fromJson(*bytes);
  FiledState state;
  for (const QJsonValue& value : document.object().value(QStringLiteral("returns")).toArray()) {
    const std::optional<FiledReturn> filed = fromJson(value.toObject());
    if (!filed) return FileError{QStringLiteral("%1 is damaged").arg(path)};
    state.returns.push_back(*filed);
  }
  if (!document.isObject()) return FileError{QStringLiteral("%1 is damaged").arg(path)};
  return state;
}

FileStatus recordFiledReturn(OpenT4FileState& state, const QString& reference, QChar reportType,
                             const QDateTime& written) {
  auto filed = readFiledState(state.T4FileName());
  if (!filed) return filed.error();
  FiledReturn added{reference, reportType, written, {}};
  TAlphaInxFileStream& file = state.T4File();
  T4Record record;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(record.bytes(), i) != Record768::Size || record.isVoid()) continue;
    added.slips.push_back({file.position(i), record});
  }
  filed->returns.push_back(added);
  QJsonArray returns;
  for (const FiledReturn& r : filed->returns) returns.append(toJson(r));
  const QByteArray bytes = QJsonDocument(QJsonObject{{QStringLiteral("returns"), returns}})
                               .toJson(QJsonDocument::Compact);

  const QString path = filedStatePath(state.T4FileName());
  const FileError failed{platform::cannotWriteMessage(path)};
  auto replacement = platform::FileReplacement::beginOutput(path);
  if (!replacement) return replacement.error();
  if (replacement->file().writeAt(0, {reinterpret_cast<const uint8_t*>(bytes.constData()),
                                      std::size_t(bytes.size())}) != bytes.size())
    return failed;
  if (!replacement->commit()) return failed;
  return {};
}

QStringList filedHistory(OpenT4FileState& state, const FiledState& filed) {
  if (filed.returns.empty())
    return {QStringLiteral("Nothing was filed from %1.").arg(state.T4FileName())};
  QStringList lines;
  std::map<int64_t, const T4Record*> latest;  // each record's slip as last filed
  for (const FiledReturn& r : filed.returns) {
    lines << QStringLiteral("%1  %2  %3  %4 slip(s)")
                 .arg(r.reference, QString(r.reportType),
                      r.written.toString(QLatin1String(DateFormat)))
                 .arg(r.slips.size());
    for (const FiledReturn::Slip& slip : r.slips) {
      lines << QStringLiteral("    ") + slip.record.nameAndSin();
      latest[slip.position] = &slip.record;
    }
  }
  lines << QStringLiteral("Since then:");
  const qsizetype before = lines.size();
  TAlphaInxFileStream& file = state.T4File();
  T4Record now;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(now.bytes(), i) != Record768::Size) continue;
    const auto found = latest.find(file.position(i));
    if (found == latest.end()) {
      if (!now.isVoid()) lines << QStringLiteral("    added ") + now.nameAndSin();
    } else if (now.isVoid()) {
      lines << QStringLiteral("    voided ") + found->second->nameAndSin();
    } else if (now.bytes() != found->second->bytes()) {
      QStringList fields;
      for (const Field& f : T4Record::layout()) {
        const bool differs = f.kind == FieldKind::Text
                                 ? now.text(f) != found->second->text(f)
                                 : !std::equal(now.bytes().begin() + f.offset,
                                               now.bytes().begin() + f.offset + f.size(),
                                               found->second->bytes().begin() + f.offset);
        if (f.offset >= T4Record::VOID.offset && differs)
          fields << QString::fromLatin1(f.name.data(), qsizetype(f.name.size()));
      }
      lines << QStringLiteral("    changed ") + now.nameAndSin() + QStringLiteral(": ") +
                   fields.join(QStringLiteral(", "));
    }
  }
  if (lines.size() == before) lines << QStringLiteral("    nothing");
  return lines;
}

}  // namespace quillet
