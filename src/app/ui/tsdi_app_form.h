// Quillet — the main window.
#pragma once

#include <QMainWindow>

namespace quillet {

class OpenT4FileState;
class Ui;

class TSDIAppForm : public QMainWindow {
  Q_OBJECT

 public:
  TSDIAppForm(OpenT4FileState& state, Ui& ui, QWidget* parent = nullptr);

  // Opens the .T4E file that the command line names, if any.
  void handleCommandLine(const QStringList& args);

 private:
  void showFileInCaption();

  OpenT4FileState& m_state;
  Ui& m_ui;
};

}  // namespace quillet
