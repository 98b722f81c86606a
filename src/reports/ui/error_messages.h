// Quillet — the report viewer: lines to read, print, and answer.
#pragma once

#include <QDialog>

#include "core/viewer_report.h"

class QPlainTextEdit;
class QPushButton;

namespace quillet {

class Clock;
class PrintUi;

class TFormErrorMessages : public QDialog {
  Q_OBJECT

 public:
  // `ui` and `clock` serve the Print button.
  TFormErrorMessages(const ViewerReport& report, ViewerButtons buttons, PrintUi& ui,
                     const Clock& clock, QWidget* owner = nullptr);

  // What the user chose, once the dialog has closed.
  ViewerResult result() const { return m_result; }

  QPlainTextEdit* Memo1;
  QPushButton* BitBtnPrint;
  QPushButton* BitBtnFixError;
  QPushButton* BitBtnIgnore;
  QPushButton* BitBtnOK;

  QString ReportTitle;
  QString HeadingLine1;
  QString HeadingLine2;

 private:
  void BitBtnPrintClick();
  void closeWith(ViewerResult result);

  PrintUi& m_ui;
  const Clock& m_clock;
  ViewerResult m_result = ViewerResult::Closed;
};

}  // namespace quillet
