// Quillet tests — reading what the trace printer wrote.
#include "trace.h"

namespace quillet::test {

QList<TracedText> parseTrace(const QStringList& lines) {
  QList<TracedText> texts;
  for (const QString& line : lines) {
    const QStringList parts = line.split(u'\t');
    if (parts.size() != 5) continue;
    texts.append({parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3], parts[4]});
  }
  return texts;
}

int tracedPages(const QStringList& lines) {
  for (const QString& line : lines)
    if (line.startsWith(QStringLiteral("end\t"))) return line.mid(4).toInt();
  return 0;
}

}  // namespace quillet::test
