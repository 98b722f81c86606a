// Quillet tests — outputs compared with the ones recorded under tests/golden.
#pragma once

#include <QString>
#include <functional>

namespace quillet::test {

// tests/golden/<name>.txt
QString goldenPath(const QString& name);

// Compares `actual`, with `folder` written as <folder>, with tests/golden/<name>.txt.
// QUILLET_UPDATE_GOLDEN=1 records it anew (only when a change is meant to alter it).
void expectGolden(const QString& name, QString actual, const QString& folder = {});

// A table kept with its outcomes in tests/golden/<name>.txt: each line "== case" is a row,
// followed by what `outcome` gives for it. A row is added by writing its line into the file
// and recording anew.
void expectRecordedTable(const QString& name, const std::function<QString(const QString&)>& outcome,
                         const QString& folder = {});

// The UTF-16 code units of `text` in hex, each followed by a blank: a recorded outcome that
// shows every character, the invisible and the unpaired too.
inline QString codeUnits(const QString& text) {
  QString units;
  for (const QChar c : text) units += QStringLiteral("%1 ").arg(c.unicode(), 4, 16, QChar(u'0'));
  return units;
}

}  // namespace quillet::test
