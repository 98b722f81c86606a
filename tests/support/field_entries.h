// Quillet tests — entries typed into a screen's fields, and what came of each.
#pragma once

#include <span>

#include "golden.h"
#include "screens/field_outcome.h"
#include "scripted_ui.h"
#include "test_files.h"

namespace quillet::test {

// The recorded table `name`, each row a field's tag and the text it is left with in quotes,
// run in order on `screen`: its outcome what came of it ("refused", "modified", "unchanged",
// "refresh", "shows=…" and "country=…" for what the screen is asked to do) and what the user
// was told. A row "(the record)" shows every field of the record the entries left.
template <class Screen>
void expectFieldsLeft(const QString& name, Screen& screen, const ScriptedUi& ui,
                      std::span<const Field> layout) {
  expectRecordedTable(name, [&](const QString& row) {
    if (row == QLatin1String("(the record)")) return fieldsOf(screen.working(), layout);
    const qsizetype before = ui.transcriptLines();
    const FieldOutcome o =
        screen.leaveField(row.section(u' ', 0, 0).toInt(), row.section(u'"', 1, -2));
    QString all = QStringLiteral("->");
    if (o.focusBack) all += QStringLiteral(" refused");
    if (o.markModified) all += QStringLiteral(" modified");
    if (o.markUnchanged) all += QStringLiteral(" unchanged");
    if (o.refreshAll) all += QStringLiteral(" refresh");
    if (o.newText) all += QStringLiteral(" shows=\"%1\"").arg(*o.newText);
    if (o.country) all += QStringLiteral(" country=%1").arg(*o.country);
    return all + u'\n' + ui.transcriptFrom(before);
  });
}

// What each field of the screen shows, "tag=text", a line each.
template <class Screen>
QString shownFields(const Screen& screen) {
  QString all;
  for (int tag = Screen::FirstTag; tag <= Screen::LastTag; ++tag)
    all += QStringLiteral("%1=%2\n").arg(tag).arg(screen.fieldText(tag));
  return all;
}

}  // namespace quillet::test
