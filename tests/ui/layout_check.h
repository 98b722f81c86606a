// Quillet widget tests — what a window shows cut off at its present size.
#pragma once

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QStringList>

namespace quillet::test {

// The texts of the visible labels (each line) and filled edits of `window` that do not
// fit the width they are given: none, when everything shows whole.
inline QStringList textsCutOff(const QWidget& window) {
  QStringList cut;
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->isVisibleTo(&window) || label->pixmap().isNull() == false) continue;
    for (const QString& line : label->text().split(u'\n')) {
      if (label->contentsRect().width() < label->fontMetrics().horizontalAdvance(line)) cut << line;
    }
  }
  for (const QLineEdit* edit : window.findChildren<QLineEdit*>()) {
    // The frame and the text margins of the style take a few pixels at each side.
    constexpr int Margins = 8;
    if (edit->isVisibleTo(&window) &&
        edit->width() - Margins < edit->fontMetrics().horizontalAdvance(edit->text())) {
      cut << edit->text();
    }
  }
  return cut;
}

// Whether `layout` or a layout within it holds `widget`.
inline bool holds(const QLayout* layout, const QWidget* widget) {
  if (!layout) return false;
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == widget || holds(item->layout(), widget)) return true;
  }
  return false;
}

// The named controls of `window` that no layout places: they would keep their place and
// size whatever the window's size, font or language.
inline QStringList outsideLayouts(const QWidget& window) {
  QStringList loose;
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) ||
        w->isWindow() || !w->parentWidget())
      continue;
    if (!holds(w->parentWidget()->layout(), w)) loose << w->objectName();
  }
  return loose;
}

}  // namespace quillet::test
