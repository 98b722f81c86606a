// Quillet tests — reading what the trace printer wrote.
#pragma once

#include <QList>
#include <QStringList>

namespace quillet::test {

struct TracedText {
  int page = 0;
  int x = 0;
  int y = 0;
  QString style;
  QString text;
};

// The text outputs of one job's trace (its "end" line and any title line left out).
QList<TracedText> parseTrace(const QStringList& lines);

// The number of pages that the trace's "end" line gives; 0 when there is none.
int tracedPages(const QStringList& lines);

}  // namespace quillet::test
