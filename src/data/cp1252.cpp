// Quillet — Windows-1252 text, the character set of every text field on disk.
#include "data/cp1252.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace quillet {
namespace {

// 0x80..0x9F; the five holes map to the C1 control of the same value.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeOne(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  const auto found = std::find(kHighTable.begin(), kHighTable.end(), c);
  return found == kHighTable.end() ? '?' : static_cast<char>(0x80 + (found - kHighTable.begin()));
}

}  // namespace

QString decodeCp1252(std::span<const uint8_t> bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (uint8_t b : bytes) {
    *out++ = QChar(b >= 0x80 && b < 0xA0 ? kHighTable[b - 0x80] : char16_t{b});
  }
  return text;
}

QByteArray encodeCp1252(const QString& text) {
  QByteArray bytes;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      ++i;
      bytes.append('?');
      continue;
    }
    bytes.append(encodeOne(c.unicode()));
  }
  return bytes;
}

namespace {

// The line of the first character of `text` that `bad` finds; 0 when none is.
template <class Bad>
int firstBadLine(const QString& text, Bad bad) {
  int line = 1;
  for (const QChar c : text) {
    if (bad(c)) return line;
    line += c == u'\n';
  }
  return 0;
}

bool replaced(QChar c) { return c == QChar::ReplacementCharacter; }

}  // namespace

QString decodeText(const QByteArray& bytes, const QString& document, QString& error) {
  const auto refuse = [&](int line, const char* encoding) {
    error = QStringLiteral("Line %1: the text is not %2, as the rest of the %3 is")
                .arg(line)
                .arg(QLatin1String(encoding), document);
    return QString();
  };
  // A byte-order mark says the encoding; without one, UTF-8 unless the bytes are not.
  if (const auto marked = QStringConverter::encodingForData(bytes)) {
    QStringDecoder decoder(*marked, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (text.startsWith(QChar::ByteOrderMark)) text.remove(0, 1);
    if (decoder.hasError())
      return refuse(firstBadLine(text, replaced), QStringConverter::nameForEncoding(*marked));
    return text;
  }
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  // Letters of UTF-8 beside bytes that are not: a file of two encodings.
  if (firstBadLine(text, [](QChar c) { return c.unicode() > 0x7F && !replaced(c); }) > 0)
    return refuse(firstBadLine(text, replaced), "UTF-8");
  const QString windows = decodeCp1252(
      {reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
  // The five bytes Windows-1252 leaves undefined come back as C1 controls.
  static constexpr QStringView undefined = u"\u0081\u008D\u008F\u0090\u009D";
  if (const int line = firstBadLine(windows, [](QChar c) { return undefined.contains(c); }))
    return refuse(line, "Windows-1252");
  return windows;
}

}  // namespace quillet
