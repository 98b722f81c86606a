// Quillet widget tests — what a window shows cut off at its present size.
#pragma once

#include <QLabel>
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

}  // namespace quillet::test
