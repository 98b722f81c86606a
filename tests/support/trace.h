// Quillet tests — reading what the trace printer wrote.
#pragma once

#include <QList>
#include <QStringList>
#include <ostream>

namespace quillet::test {

struct TracedText {
  int page = 0;
  int x = 0;
  int y = 0;
  QString style;
  QString text;

  bool operator==(const TracedText&) const = default;
};

inline void PrintTo(const TracedText& t, std::ostream* os) {
  *os << "{page " << t.page << ", x " << t.x << ", y " << t.y << ", " << t.style.toStdString()
      << ", \"" << t.text.toStdString() << "\"}";
}

// The text outputs of one job's trace (its "end" line and any title line left out).
QList<TracedText> parseTrace(const QStringList& lines);

// The number of pages that the trace's "end" line gives; 0 when there is none.
int tracedPages(const QStringList& lines);

}  // namespace quillet::test
