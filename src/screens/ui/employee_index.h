// Quillet — the employee index: pick an employee by name, or look at the employer.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace quillet {

class OpenT4FileState;
class Ui;

class TFormT4Index : public QDialog {
  Q_OBJECT

 public:
  // Lists the open file's keys in index order; a click picks a line and closes.
  TFormT4Index(OpenT4FileState& state, Ui& ui, QWidget* owner = nullptr);

  QListWidget* ListBox1;
  QPushButton* BitBtnShowCoInfo;
  QPushButton* BitBtnCancel;

 private:
  OpenT4FileState& m_state;
  Ui& m_ui;
};

}  // namespace quillet
