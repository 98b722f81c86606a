// Quillet — comma-separated values (RFC 4180): lines written, records read.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillet {

// One record: fields quoted when they hold the separator, a quote or a line break, the
// line ended by CR LF.
QString csvLine(const QStringList& fields, QChar separator = u',');

// The records of a text one at a time. Fields may be quoted ("" is a quote inside) and
// then hold separators and line breaks; a record ends at CR LF, LF or the end.
class CsvReader {
 public:
  static constexpr int MaxFields = 1000;
  static constexpr int MaxRecordLength = 64 * 1024;

  // The separator is the header's: a tab or a semicolon when its first line has more of
  // them than of the others (outside quotes), otherwise a comma.
  explicit CsvReader(const QString& text);

  QChar separator() const { return m_separator; }
  // The next record into `fields`; false at the end, or on an error (then error() says
  // what, naming the line).
  bool next(QStringList& fields);
  // The line the last record began on, from 1.
  int line() const { return m_line; }
  const QString& error() const { return m_error; }

 private:
  bool fail(const QString& what);

  const QString& m_text;
  qsizetype m_at = 0;
  int m_nextLine = 1;
  int m_line = 0;
  QChar m_separator;
  QString m_error;
};

}  // namespace quillet
