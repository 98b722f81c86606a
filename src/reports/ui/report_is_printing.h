// Quillet — the busy box shown while a report prints.
#pragma once

#include <QDialog>

class QLabel;

namespace quillet {

class TFormReportIsPrinting : public QDialog {
  Q_OBJECT

 public:
  TFormReportIsPrinting(const QString& reportName, QWidget* owner);

  QLabel* LabelReportName;
};

}  // namespace quillet
