// Quillet — the busy box shown while a report prints.
#include "reports/ui/report_is_printing.h"

#include <QLabel>
#include <QVBoxLayout>

#include "reports/ui/dialog_parts.h"

namespace quillet {

TFormReportIsPrinting::TFormReportIsPrinting(const QString& reportName, QWidget* owner)
    : QDialog(owner) {
  setObjectName(QStringLiteral("TFormReportIsPrinting"));
  setWindowTitle(QStringLiteral("Quillet is Printing a Report"));
  useBoldInterfaceFont(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Printing Report:"), this), 0, Qt::AlignHCenter);
  LabelReportName = new QLabel(reportName, this);
  LabelReportName->setObjectName(QStringLiteral("LabelReportName"));
  layout->addWidget(LabelReportName, 0, Qt::AlignHCenter);
  layout->addWidget(new QLabel(QStringLiteral("Please WAIT for this box to disappear."), this), 0,
                    Qt::AlignHCenter);
}

}  // namespace quillet
