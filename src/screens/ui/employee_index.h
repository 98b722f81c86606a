// Quillet — the employee index: find and pick an employee by name or SIN, or look at the
// employer.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace quillet {

class EmployeeIndexModel;
class OpenT4FileState;
class ScreensUi;

class TFormT4Index : public QDialog {
  Q_OBJECT

 public:
  // Lists the open file's keys in index order; what is typed into the search field narrows
  // the list at once; a click (or Enter) picks a line and closes.
  TFormT4Index(OpenT4FileState& state, ScreensUi& ui, QWidget* owner = nullptr);

  QLineEdit* EditSearch;
  QLabel* LabelCount;
  QListView* ListBox1;
  QPushButton* BitBtnShowCoInfo;
  QPushButton* BitBtnCancel;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void search(const QString& typed);
  void pick(int row);

  OpenT4FileState& m_state;
  ScreensUi& m_ui;
  EmployeeIndexModel* m_model;
};

}  // namespace quillet
