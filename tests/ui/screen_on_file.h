// Quillet widget tests — a screen on a T4 file of the test's own, typed into as a user does.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/clock.h"
#include "data/open_t4_file.h"
#include "layout_check.h"
#include "scripted_ui.h"
#include "test_files.h"

namespace quillet::test {

// The screen `Form` on `bytes` written to ACME.T4E, shown and active, on scripted dialogs.
template <class Form>
struct ScreenOnFile {
  explicit ScreenOnFile(const QByteArray& bytes) {
    state.setT4FileName(folder.write("ACME.T4E", bytes));
    if (!state.OpenT4File()) qFatal("cannot open the test file");
    if constexpr (std::is_constructible_v<Form, OpenT4FileState&, ScriptedUi&, const Clock&>)
      screen = std::make_unique<Form>(state, ui, clock);
    else
      screen = std::make_unique<Form>(state, ui);
    screen->show();
    QApplication::setActiveWindow(screen.get());
  }

  QLineEdit* edit(const char* name) { return screen->template findChild<QLineEdit*>(name); }
  QComboBox* combo(const char* name) { return screen->template findChild<QComboBox*>(name); }
  QPushButton* button(const char* name) { return screen->template findChild<QPushButton*>(name); }
  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
  bool focused(QWidget* control) { return QApplication::focusWidget() == control; }

  TempFolder folder;
  OpenT4FileState state;
  ScriptedUi ui;
  FixedClock clock{QDateTime(QDate(2000, 9, 1), QTime(8, 0))};
  std::unique_ptr<Form> screen;
};

}  // namespace quillet::test
