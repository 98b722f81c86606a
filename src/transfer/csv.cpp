// Quillet — comma-separated values (RFC 4180): lines written, records read.
#include "transfer/csv.h"

#include <algorithm>

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
