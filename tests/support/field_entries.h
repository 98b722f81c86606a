// Quillet tests — entries typed into a screen's fields, and what came of each.
#pragma once

#include <QString>
#include <initializer_list>
#include <utility>

#include "screens/field_outcome.h"

namespace quillet::test {

// Leaves each field with its text, in order, and writes what came of it, a line each:
// the tag, the text, then "refused", "modified", "unchanged", "refresh", "shows=…" and
// "country=…" for what the outcome asks of the screen.
template <class Screen>
QString leaveEach(Screen& screen, std::initializer_list<std::pair<int, const char*>> entries) {
  QString all;
  for (const auto& [tag, text] : entries) {
    const FieldOutcome o = screen.leaveField(tag, QString::fromUtf8(text));
    all += QStringLiteral("%1 \"%2\" ->").arg(tag).arg(QString::fromUtf8(text));
    if (o.focusBack) all += QStringLiteral(" refused");
    if (o.markModified) all += QStringLiteral(" modified");
    if (o.markUnchanged) all += QStringLiteral(" unchanged");
    if (o.refreshAll) all += QStringLiteral(" refresh");
    if (o.newText) all += QStringLiteral(" shows=\"%1\"").arg(*o.newText);
    if (o.country) all += QStringLiteral(" country=%1").arg(*o.country);
    all += u'\n';
  }
  return all;
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
