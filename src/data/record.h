// Quillet — a 768-byte record image and the fields read and written in it.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace quillet {

enum class FieldKind : uint8_t {
  Text,   // a length byte and `width` characters
  Cents,  // signed 32-bit count of cents
  Fix4,   // signed 32-bit value times 10000
  Flag,   // one byte, 0 or 1
  U16,    // unsigned 16-bit
  Byte,   // unsigned 8-bit
};

// One field of a record layout. All integers are little-endian and may start at any
// offset, so fields are read and written byte by byte.
struct Field {
  std::string_view name;
  int offset;
  FieldKind kind;
  int width;  // characters of a text field; bytes of any other

  constexpr int size() const { return kind == FieldKind::Text ? width + 1 : width; }
};

constexpr Field textField(std::string_view name, int offset, int width) {
  return {name, offset, FieldKind::Text, width};
}
constexpr Field centsField(std::string_view name, int offset) {
  return {name, offset, FieldKind::Cents, 4};
}
constexpr Field fix4Field(std::string_view name, int offset) {
  return {name, offset, FieldKind::Fix4, 4};
}
constexpr Field flagField(std::string_view name, int offset) {
  return {name, offset, FieldKind::Flag, 1};
}
constexpr Field u16Field(std::string_view name, int offset) {
  return {name, offset, FieldKind::U16, 2};
}
constexpr Field byteField(std::string_view name, int offset) {
  return {name, offset, FieldKind::Byte, 1};
}

// A field's name as the spreadsheets' columns and the lists of changes name it.
inline QString fieldName(const Field& f) {
  return QString::fromLatin1(f.name.data(), qsizetype(f.name.size()));
}

// Field access on any record image: the payroll product's records share it.
namespace fields {
// The first min(length byte, width) characters, decoded from Windows-1252.
QString text(std::span<const uint8_t> record, const Field& field);
// Stores at most `width` characters and sets the length byte; the bytes after the new
// text keep what they held.
void setText(std::span<uint8_t> record, const Field& field, const QString& value);
int textLength(std::span<const uint8_t> record, const Field& field);
int32_t int32(std::span<const uint8_t> record, const Field& field);
void setInt32(std::span<uint8_t> record, const Field& field, int32_t value);
uint16_t u16(std::span<const uint8_t> record, const Field& field);
void setU16(std::span<uint8_t> record, const Field& field, uint16_t value);
uint8_t byte(std::span<const uint8_t> record, const Field& field);
void setByte(std::span<uint8_t> record, const Field& field, uint8_t value);
}  // namespace fields

// The common 29-byte prefix of the three record kinds of a T4 file.
#define QUILLET_COMMON_FIELDS(X)              \
  X(Reserved_1, textField, 0, 2)              \
  X(Reserved_2, textField, 3, 6)              \
  X(Reserved_3, textField, 10, 1)             \
  X(RevCan_account_number, textField, 12, 15) \
  X(Record_type, byteField, 28)

#define QUILLET_DECLARE_FIELD(name, make, ...) \
  static constexpr Field name = make(#name, __VA_ARGS__);
#define QUILLET_LIST_FIELD(name, ...) name,

enum RecordType : uint8_t {
  HeaderRecordType = 16,
  EmployerRecordType = 64,
  T4RecordType = 128,
  T4ARecordType = 132,
};

// The slips a file holds: T4s (a .T4E file) or T4As (a .T4A file), never both.
enum class SlipKind { T4, T4A };

// "T4" or "T4A".
inline QString slipName(SlipKind kind) {
  return kind == SlipKind::T4 ? QStringLiteral("T4") : QStringLiteral("T4A");
}
// The file's extension: "T4E" or "T4A".
inline QString slipFileSuffix(SlipKind kind) {
  return kind == SlipKind::T4 ? QStringLiteral("T4E") : QStringLiteral("T4A");
}
// Whom the slips are for: "employees" or "recipients".
inline QString slipHolders(SlipKind kind) {
  return kind == SlipKind::T4 ? QStringLiteral("employees") : QStringLiteral("recipients");
}

class Record768 {
 public:
  static constexpr int Size = 768;
  using Bytes = std::array<uint8_t, Size>;

  Record768() { m_bytes.fill(0); }

  QUILLET_COMMON_FIELDS(QUILLET_DECLARE_FIELD)

  Bytes& bytes() { return m_bytes; }
  const Bytes& bytes() const { return m_bytes; }
  void clear() { m_bytes.fill(0); }

  QString text(const Field& f) const { return fields::text(m_bytes, f); }
  void setText(const Field& f, const QString& v) { fields::setText(m_bytes, f, v); }
  int textLength(const Field& f) const { return fields::textLength(m_bytes, f); }
  bool isEmpty(const Field& f) const { return textLength(f) == 0; }
  int32_t int32(const Field& f) const { return fields::int32(m_bytes, f); }
  void setInt32(const Field& f, int32_t v) { fields::setInt32(m_bytes, f, v); }
  bool flag(const Field& f) const { return fields::byte(m_bytes, f) != 0; }
  void setFlag(const Field& f, bool v) { fields::setByte(m_bytes, f, v ? 1 : 0); }
  uint16_t u16(const Field& f) const { return fields::u16(m_bytes, f); }
  void setU16(const Field& f, uint16_t v) { fields::setU16(m_bytes, f, v); }
  uint8_t byte(const Field& f) const { return fields::byte(m_bytes, f); }
  void setByte(const Field& f, uint8_t v) { fields::setByte(m_bytes, f, v); }

  uint8_t recordType() const { return byte(Record_type); }

  // A field's value as the spreadsheets and the lists of changes show it: a text as it
  // stands, an amount as 1234.56, a tick as 1 or 0, a number as it is.
  QString valueText(const Field& f) const;

  // Reserved_1 to RevCan_account_number, as a new T4 record or header takes them over.
  void copyPrefixFrom(const Record768& source);

  bool operator==(const Record768& other) const = default;

 private:
  Bytes m_bytes;
};

// The file header record: the common prefix, and in a T4A file the record type of its
// slips (zero in a T4 file, as in every file made before there were T4A files).
class HeaderRecord : public Record768 {
 public:
  static constexpr Field Slip_type = byteField("Slip_type", 29);

  static std::span<const Field> layout(SlipKind kind = SlipKind::T4);
  // All zero but the business number of `employer`, Record_type 16 and the slips' type.
  static HeaderRecord forEmployer(const Record768& employer, SlipKind kind = SlipKind::T4);
  SlipKind slipKind() const {
    return byte(Slip_type) == T4ARecordType ? SlipKind::T4A : SlipKind::T4;
  }
};

// The slots of a T4 or T4A file: header, employer (payer) record, then the slips.
inline constexpr int64_t HeaderPosition = 0;
inline constexpr int64_t EmployerPosition = Record768::Size;
inline constexpr int64_t FirstT4Position = 2 * Record768::Size;

}  // namespace quillet
