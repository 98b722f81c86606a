// Quillet — a 768-byte record image and the fields read and written in it.
#include "data/record.h"

#include <QtGlobal>
#include <algorithm>

#include "core/numeric_text.h"
#include "data/cp1252.h"

namespace quillet::fields {
namespace {

std::span<const uint8_t> at(std::span<const uint8_t> record, const Field& field) {
  Q_ASSERT(field.offset >= 0 && field.offset + field.size() <= int(record.size()));
  return record.subspan(static_cast<std::size_t>(field.offset),
                        static_cast<std::size_t>(field.size()));
}

std::span<uint8_t> at(std::span<uint8_t> record, const Field& field) {
  Q_ASSERT(field.offset >= 0 && field.offset + field.size() <= int(record.size()));
  return record.subspan(static_cast<std::size_t>(field.offset),
                        static_cast<std::size_t>(field.size()));
}

}  // namespace

int textLength(std::span<const uint8_t> record, const Field& field) {
  Q_ASSERT(field.kind == FieldKind::Text);
  return std::min<int>(at(record, field)[0], field.width);
}

QString text(std::span<const uint8_t> record, const Field& field) {
  const auto bytes = at(record, field);
  return decodeCp1252(bytes.subspan(1, static_cast<std::size_t>(textLength(record, field))));
}

void setText(std::span<uint8_t> record, const Field& field, const QString& value) {
  Q_ASSERT(field.kind == FieldKind::Text);
  const QByteArray encoded = encodeCp1252(value).left(field.width);
  auto bytes = at(record, field);
  bytes[0] = static_cast<uint8_t>(encoded.size());
  std::copy(encoded.begin(), encoded.end(), bytes.begin() + 1);
}

int32_t int32(std::span<const uint8_t> record, const Field& field) {
  Q_ASSERT(field.kind == FieldKind::Cents || field.kind == FieldKind::Fix4);
  const auto b = at(record, field);
  const uint32_t u =
      uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
  return static_cast<int32_t>(u);
}

void setInt32(std::span<uint8_t> record, const Field& field, int32_t value) {
  Q_ASSERT(field.kind == FieldKind::Cents || field.kind == FieldKind::Fix4);
  auto b = at(record, field);
  const auto u = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(i)] = static_cast<uint8_t>(u >> (8 * i));
}

uint16_t u16(std::span<const uint8_t> record, const Field& field) {
  Q_ASSERT(field.kind == FieldKind::U16);
  const auto b = at(record, field);
  return static_cast<uint16_t>(b[0] | b[1] << 8);
}

void setU16(std::span<uint8_t> record, const Field& field, uint16_t value) {
  Q_ASSERT(field.kind == FieldKind::U16);
  auto b = at(record, field);
  b[0] = static_cast<uint8_t>(value);
  b[1] = static_cast<uint8_t>(value >> 8);
}

uint8_t byte(std::span<const uint8_t> record, const Field& field) {
  Q_ASSERT(field.kind == FieldKind::Byte || field.kind == FieldKind::Flag);
  return at(record, field)[0];
}

void setByte(std::span<uint8_t> record, const Field& field, uint8_t value) {
  Q_ASSERT(field.kind == FieldKind::Byte || field.kind == FieldKind::Flag);
  at(record, field)[0] = value;
}

}  // namespace quillet::fields

namespace quillet {

void Record768::copyPrefixFrom(const Record768& source) {
  const int end = RevCan_account_number.offset + RevCan_account_number.size();
  std::copy_n(source.m_bytes.begin(), end, m_bytes.begin());
}

std::span<const Field> HeaderRecord::layout(SlipKind kind) {
  static constexpr Field all[] = {QUILLET_COMMON_FIELDS(QUILLET_LIST_FIELD) Slip_type};
  return std::span<const Field>(all).first(std::size(all) - (kind == SlipKind::T4 ? 1 : 0));
}

HeaderRecord HeaderRecord::forEmployer(const Record768& employer, SlipKind kind) {
  HeaderRecord header;
  header.setText(RevCan_account_number, employer.text(RevCan_account_number));
  header.setByte(Record_type, HeaderRecordType);
  if (kind == SlipKind::T4A) header.setByte(Slip_type, T4ARecordType);
  return header;
}

QString Record768::valueText(const Field& f) const {
  switch (f.kind) {
    case FieldKind::Text:
      return text(f);
    case FieldKind::Cents:
      return CentsToStr(int32(f));
    case FieldKind::Flag:
      return flag(f) ? QStringLiteral("1") : QStringLiteral("0");
    case FieldKind::Byte:
      return QString::number(byte(f));
    case FieldKind::U16:
      return QString::number(u16(f));
    case FieldKind::Fix4:
      return Fix4ToStr(int32(f));
  }
  return {};
}

}  // namespace quillet
