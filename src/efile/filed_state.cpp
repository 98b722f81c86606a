// Quillet — what was filed from a T4 file: each return written for filing, its slips as
// they were sent, kept beside the T4 file.
#include "efile/filed_state.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "data/open_t4_file.h"
#include "efile/return_slips.h"
#include "efile/return_values.h"
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

QString lastFiling(const FiledState& filed) {
  if (filed.returns.empty()) return {};
  const FiledReturn& last = filed.returns.back();
  return QStringLiteral("on %1 under the reference %2")
      .arg(last.written.toString(QStringLiteral("yyyy-MM-dd")), last.reference);
}

const FiledReturn* filedUnder(const FiledState& filed, const QString& reference) {
  for (const FiledReturn& r : filed.returns) {
    if (r.reference.compare(reference, Qt::CaseInsensitive) == 0) return &r;
  }
  return nullptr;
}

FileStatus recordFiledReturn(OpenT4FileState& state, const ReturnSlips& slips,
                             const QString& reference, QChar reportType, const QDateTime& written) {
  const QString path = filedStatePath(state.T4FileName());
  auto replacement = platform::FileReplacement::beginOutput(path);
  if (!replacement) return replacement.error();
  auto filed = readFiledState(state.T4FileName());
  if (!filed) return filed.error();
  FiledReturn added{reference, reportType, written, {}};
  slips.forEach(state, [&added](int64_t position, const SlipRecord& slip) {
    added.slips.push_back({position, slip});
  });
  filed->returns.push_back(added);
  QJsonArray returns;
  for (const FiledReturn& r : filed->returns) returns.append(toJson(r));
  const QByteArray bytes = QJsonDocument(QJsonObject{{QStringLiteral("returns"), returns}})
                               .toJson(QJsonDocument::Compact);
  const FileError failed{platform::cannotWriteMessage(path)};
  if (replacement->file().writeAt(0, {reinterpret_cast<const uint8_t*>(bytes.constData()),
                                      std::size_t(bytes.size())}) != bytes.size())
    return failed;
  if (!replacement->commit()) return failed;
  return {};
}

FileStatus markReportTypes(OpenT4FileState& state, const ReturnSlips& slips) {
  TAlphaInxFileStream& file = state.T4File();
  SlipRecord record;
  for (const ReturnSlip& slip : slips.chosen) {
    if (file.readAt(slip.position, record.bytes()) != Record768::Size)
      return FileError{platform::cannotWriteMessage(state.T4FileName())};
    const uint8_t type = slip.sent.reportType();
    if (record.reportType() == type) continue;
    record.setReportType(type);
    if (file.writeAt(slip.position, record.bytes()) != Record768::Size)
      return FileError{platform::cannotWriteMessage(state.T4FileName())};
  }
  if (!slips.chosen.empty() && !file.sync())
    return FileError{platform::cannotWriteMessage(state.T4FileName())};
  return {};
}

QStringList filedHistory(OpenT4FileState& state, const FiledState& filed) {
  if (filed.returns.empty())
    return {QStringLiteral("Nothing was filed from %1.").arg(state.T4FileName())};
  QStringList lines;
  for (const FiledReturn& r : filed.returns) {
    lines << QStringLiteral("%1  %2  %3  %4 slip(s)")
                 .arg(r.reference, QString(r.reportType),
                      r.written.toString(QLatin1String(DateFormat)))
                 .arg(r.slips.size());
    for (const FiledReturn::Slip& slip : r.slips)
      lines << QStringLiteral("    %1 ").arg(QLatin1String(cra::reportTypeOf(slip.record))) +
                   slip.record.holder();
  }
  lines << QStringLiteral("Since then:");
  const SinceFiled since = sinceFiled(state, filed);
  for (const ReturnSlip& slip : since.added)
    lines << QStringLiteral("    added ") + slip.sent.holder();
  for (const ReturnSlip& slip : since.changed) {
    lines << QStringLiteral("    changed ") + slip.sent.holder();
    for (const QString& change : changedFields(*slip.filed, slip.sent))
      lines << QStringLiteral("        ") + change;
  }
  for (const ReturnSlip& slip : since.cancelled)
    lines << QStringLiteral("    to cancel ") + slip.sent.holder();
  if (since.added.empty() && since.changed.empty() && since.cancelled.empty())
    lines << QStringLiteral("    nothing");
  return lines;
}

}  // namespace quillet
