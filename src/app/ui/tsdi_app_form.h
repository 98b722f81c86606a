// Quillet — the main window: menus, speed buttons, the long-hint line.
#pragma once

#include <QMainWindow>
#include <functional>

#include "app/main_commands.h"

class QLabel;

namespace quillet {

class TSDIAppForm : public QMainWindow {
  Q_OBJECT

 public:
  // `arguments`: the command line, handled on the first activation. `startUp` runs on
  // every activation (the settings start-up).
  TSDIAppForm(OpenT4FileState& state, AppUi& ui, const Clock& clock, const SettingsStore& settings,
              QStringList arguments, std::function<void()> startUp = {}, QWidget* parent = nullptr,
              const QString& programDir = {});

  MainCommands& commands() { return m_commands; }

  // What happens each time the window becomes active.
  void FormActivate();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void buildSpeedButtons();
  void buildPanels();
  // Runs a command, then shows the open file in the caption.
  void run(void (MainCommands::*command)());
  // Runs a command of the Wagebook menu (none: only the marks), then shows its marks and the
  // open file in the caption.
  void runPayroll(void (PayrollMenu::*command)());
  void showAbout();
  // The menus offer what the open file's kind of slips allows, and say which kind.
  void offerWhatTheFileAllows();

  MainCommands m_commands;
  QStringList m_arguments;
  std::function<void()> m_startUp;
  bool m_activated = false;
  QLabel* LabelLongerHint = nullptr;
};

}  // namespace quillet
