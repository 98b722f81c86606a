// Quillet tests — Qt strings in GoogleTest failure messages, as text.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& lines, std::ostream* os) {
  *os << "{\n";
  for (const QString& line : lines) *os << "  \"" << line.toStdString() << "\"\n";
  *os << "}";
}
