// Quillet widget tests — a window shown as a user meets it, what it shows, and what it shows
// cut off at its present size.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <optional>

namespace quillet::test {

// Shows `window` and makes it the active one; whether it became active.
inline bool showActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  return QTest::qWaitForWindowActive(&window);
}

// Leaves a control with Tab, as a user does.
inline void tabOut(QWidget* control) {
  control->setFocus();
  QTest::keyClick(control, Qt::Key_Tab);
  QCoreApplication::processEvents();
}

// Replaces a control's text by typing (Delete over the selection), staying in it.
inline void typeOver(QWidget* control, const QString& text) {
  control->setFocus();
  if (auto* e = qobject_cast<QLineEdit*>(control)) e->selectAll();
  if (auto* c = qobject_cast<QComboBox*>(control)) c->lineEdit()->selectAll();
  QTest::keyClick(control, Qt::Key_Delete);
  QTest::keyClicks(control, text);
}

// Replaces a control's text by typing, then leaves it with Tab.
inline void typeAndTab(QWidget* control, const QString& text) {
  typeOver(control, text);
  tabOut(control);
}

// Runs `answer` on the next modal dialog of type D once it is up.
template <class D>
void whenShown(std::function<void(D*)> answer) {
  QTimer::singleShot(0, [answer] {
    if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()))
      answer(dialog);
    else
      QFAIL("the dialog did not come up");
  });
}

// The texts of the visible labels (each line) and filled edits of `window` that do not
// fit the width they are given: none, when everything shows whole.
inline QStringList textsCutOff(const QWidget& window) {
  QStringList cut;
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->isVisibleTo(&window) || label->pixmap().isNull() == false) continue;
    for (const QString& line : label->text().split(u'\n'))
      if (label->contentsRect().width() < label->fontMetrics().horizontalAdvance(line)) cut << line;
  }
  for (const QLineEdit* edit : window.findChildren<QLineEdit*>()) {
    // The frame and the text margins of the style take a few pixels at each side.
    constexpr int Margins = 8;
    if (edit->isVisibleTo(&window) &&
        edit->width() - Margins < edit->fontMetrics().horizontalAdvance(edit->text()))
      cut << edit->text();
  }
  return cut;
}

// The name of a control of this program's own; empty for one without a name or Qt's own parts.
inline QString nameOf(const QWidget* w) {
  return w->objectName().startsWith(QLatin1String("qt_")) ? QString() : w->objectName();
}

// Where `layout` or a layout within it places `widget`: nothing when none does; " @row,column"
// in a grid, the rows and columns it spans when more than one, and the grid's gaps between
// columns and rows; else " #" and its place in its row or column, stretches counted, " of" the
// places there are (a stretch or a gap taken away shows), and its own stretch.
inline std::optional<QString> placeIn(const QLayout* layout, const QWidget* widget) {
  if (!layout) return std::nullopt;
  if (const auto* g = qobject_cast<const QGridLayout*>(layout); g && g->indexOf(widget) >= 0) {
    int row = 0, column = 0, rows = 0, columns = 0;
    g->getItemPosition(g->indexOf(widget), &row, &column, &rows, &columns);
    return QStringLiteral(" @%1,%2").arg(row).arg(column) +
           (rows * columns > 1 ? QStringLiteral("+%1x%2").arg(rows).arg(columns) : QString()) +
           QStringLiteral(" gaps %1,%2").arg(g->horizontalSpacing()).arg(g->verticalSpacing());
  }
  const auto* box = qobject_cast<const QBoxLayout*>(layout);
  for (int i = 0; i < layout->count(); ++i) {
    if (layout->itemAt(i)->widget() == widget)
      return QStringLiteral(" #%1 of %2").arg(i).arg(layout->count()) +
             (box && box->stretch(i) ? QStringLiteral(" (stretch %1)").arg(box->stretch(i)) : "");
    if (auto place = placeIn(layout->itemAt(i)->layout(), widget)) return place;
  }
  return std::nullopt;
}

// The named controls of `window` that no layout places: they would keep their place and
// size whatever the window's size, font or language; and the groups shown over each other.
inline QStringList outsideLayouts(const QWidget& window) {
  QStringList loose;
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    if (nameOf(w).isEmpty() || w->isWindow() || !w->parentWidget()) continue;
    if (!placeIn(w->parentWidget()->layout(), w)) loose << w->objectName();
  }
  const QList<QGroupBox*> groups = window.findChildren<QGroupBox*>();
  for (const QGroupBox* a : groups)
    for (const QGroupBox* b : groups)
      if (a < b && a->parent() == b->parent() && a->geometry().intersects(b->geometry()))
        loose << a->title() + " over " + b->title();
  return loose;
}

// The name and title (a file's name alone) of `window` and whether its font is bold, then every
// named control, caption and group in it, a line each: its text or value (if it shows one; a menu's
// items), a checkbox's or radio button's mark, and whether it is disabled, hidden, the default
// button or has the focus; an edit's most characters, how many it fits and its hint, a label that
// wraps, a font, style or tip of its own, a wheel that moves the focus, the tag of its field's
// check, a tool bar that moves; its place in its layout. Then the order Tab goes through the named
// controls.
inline QString controlsOf(const QWidget& window) {
  QString all = window.objectName() + " [" + window.windowTitle().section(u'/', -1) + "]" +
                (window.font().bold() ? " (bold)\n" : "\n");
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    QString value;
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
      value = e->text();
    else if (const auto* s = qobject_cast<const QSpinBox*>(w))
      value = QString::number(s->value());
    else if (const auto* c = qobject_cast<const QComboBox*>(w))
      value = c->currentText();
    else if (const auto* b = qobject_cast<const QAbstractButton*>(w))
      value = b->text() + (!b->isCheckable() ? "" : b->isChecked() ? " [x]" : " [ ]");
    else if (const auto* l = qobject_cast<const QLabel*>(w))
      value = l->text();
    else if (const auto* g = qobject_cast<const QGroupBox*>(w))
      value = g->title();
    else if (const auto* t = qobject_cast<const QPlainTextEdit*>(w))
      value = t->toPlainText() + (t->tabChangesFocus() ? " (Tab moves on)" : "") +
              (t->lineWrapMode() == QPlainTextEdit::NoWrap ? " (no wrap)" : "");
    else if (const auto* m = qobject_cast<const QMenu*>(w))
      for (const QAction* a : m->actions())
        value +=
            (a->isSeparator() ? "-" : a->text() + (a->isEnabled() ? "" : " (disabled)")) + "; ";
    const QString name = nameOf(w);
    if (name.isEmpty() &&
        ((!w->inherits("QLabel") && !w->inherits("QGroupBox")) || value.isEmpty()))
      continue;
    all += (name.isEmpty() ? QStringLiteral("(caption)") : name) + ": " + value;
    if (!w->isEnabled()) all += QStringLiteral(" (disabled)");
    if (!w->isVisibleTo(&window)) all += QStringLiteral(" (hidden)");
    if (const auto* p = qobject_cast<const QPushButton*>(w); p && p->isDefault())
      all += QStringLiteral(" (default)");
    if (w->hasFocus()) all += QStringLiteral(" (focus)");
    const auto* list = qobject_cast<const QComboBox*>(w);
    if (const auto* e = list ? list->lineEdit() : qobject_cast<const QLineEdit*>(w);
        e && e->maxLength() != 32767)
      all += QStringLiteral(" (max %1)").arg(e->maxLength());
    if (const QFontMetrics m(w->font()); qobject_cast<const QLineEdit*>(w) && w->minimumWidth())
      all +=
          QStringLiteral(" (fits %1)").arg((w->minimumWidth() - m.height()) / m.averageCharWidth());
    if (const auto* e = qobject_cast<const QLineEdit*>(w); e && !e->placeholderText().isEmpty())
      all += " (hint: " + e->placeholderText() + ")";
    if (const auto* l = qobject_cast<const QLabel*>(w); l && l->wordWrap()) all += " (wraps)";
    if (const QFont f = w->font(); f != window.font())
      all += QStringLiteral(" (%1 pt%2)").arg(f.pointSize()).arg(f.bold() ? " bold" : "");
    if (!w->styleSheet().isEmpty()) all += " {" + w->styleSheet() + u'}';
    if (!w->toolTip().isEmpty()) all += " (tip: " + w->toolTip() + u')';
    if (w->focusPolicy() == Qt::WheelFocus) all += QStringLiteral(" (wheel)");
    if (w->property("Tag").isValid()) all += " tag " + w->property("Tag").toString();
    if (const auto* t = qobject_cast<const QToolBar*>(w); t && t->isMovable()) all += " (movable)";
    if (w->parentWidget()) all += placeIn(w->parentWidget()->layout(), w).value_or(QString());
    all += u'\n';
  }
  QStringList order;
  for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain())
    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(&window))
      order << nameOf(w);
  order.removeAll(QString());  // the unnamed and Qt's own parts
  return all + "tab order: " + order.join(QStringLiteral(", ")) + u'\n';
}

}  // namespace quillet::test
