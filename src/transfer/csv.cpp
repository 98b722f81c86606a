// Quillet — comma-separated values (RFC 4180): lines written, records read.
#include "transfer/csv.h"

#include <QStringDecoder>
#include <algorithm>

#include "data/cp1252.h"

namespace quillet {

QString csvLine(const QStringList& fields, QChar separator) {
  QString line;
  for (qsizetype i = 0; i < fields.size(); ++i) {
    if (i > 0) line += separator;
    const QString& field = fields.at(i);
    if (field.contains(separator) || field.contains(u'"') || field.contains(u'\n') ||
        field.contains(u'\r')) {
      line += u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"';
    } else {
      line += field;
    }
  }
  return line + QStringLiteral("\r\n");
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

QString decodeSpreadsheet(const QByteArray& bytes, QString& error) {
  const auto refuse = [&error](int line, const char* encoding) {
    error = QStringLiteral("Line %1: the text is not %2, as the rest of the spreadsheet is")
                .arg(line)
                .arg(QLatin1String(encoding));
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
  if (const int line =
          firstBadLine(windows, [](QChar c) { return c.unicode() >= 0x80 && c.unicode() <= 0x9F; }))
    return refuse(line, "Windows-1252");
  return windows;
}

CsvReader::CsvReader(const QString& text) : m_text(text) {
  int commas = 0, semicolons = 0, tabs = 0;
  bool quoted = false;
  for (const QChar c : text) {
    if (c == u'"') quoted = !quoted;
    if (quoted) continue;
    if (c == u'\n' || c == u'\r') break;
    commas += c == u',';
    semicolons += c == u';';
    tabs += c == u'\t';
  }
  m_separator = tabs > std::max(commas, semicolons) ? u'\t' : semicolons > commas ? u';' : u',';
}

bool CsvReader::fail(const QString& what) {
  m_error = QStringLiteral("Line %1: %2").arg(m_line).arg(what);
  m_at = m_text.size();
  return false;
}

bool CsvReader::next(QStringList& fields) {
  fields.clear();
  if (m_at >= m_text.size()) return false;
  m_line = m_nextLine;
  const qsizetype start = m_at;
  QString field;
  bool quoted = false;     // inside quotes
  bool wasQuoted = false;  // the field began with a quote
  while (m_at < m_text.size()) {
    const QChar c = m_text.at(m_at++);
    if (m_at - start > MaxRecordLength)
      return fail(QStringLiteral("the line is longer than %1 characters").arg(MaxRecordLength));
    if (quoted) {
      if (c == u'"') {
        if (m_at < m_text.size() && m_text.at(m_at) == u'"') {
          field += u'"';
          ++m_at;
        } else {
          quoted = false;
        }
      } else {
        if (c == u'\n') ++m_nextLine;
        field += c;
      }
      continue;
    }
    if (c == u'"' && field.isEmpty() && !wasQuoted) {
      quoted = wasQuoted = true;
    } else if (c == m_separator) {
      fields << field;
      field.clear();
      wasQuoted = false;
      if (fields.size() >= MaxFields)
        return fail(QStringLiteral("more than %1 columns").arg(MaxFields));
    } else if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && m_at < m_text.size() && m_text.at(m_at) == u'\n') ++m_at;
      ++m_nextLine;
      break;
    } else {
      field += c;
    }
  }
  if (quoted) return fail(QStringLiteral("a quoted field is not closed"));
  fields << field;
  return true;
}

}  // namespace quillet
