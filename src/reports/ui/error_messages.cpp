// Quillet — the report viewer: lines to read, print, and answer.
#include "reports/ui/error_messages.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/error_report.h"
#include "reports/ui/dialog_parts.h"

namespace quillet {

TFormErrorMessages::TFormErrorMessages(const ViewerReport& report, ViewerButtons buttons,
                                       PrintUi& ui, const Clock& clock, QWidget* owner)
    : QDialog(owner),
      ReportTitle(report.reportTitle),
      HeadingLine1(report.headingLine1),
      HeadingLine2(report.headingLine2),
      m_ui(ui),
      m_clock(clock) {
  setObjectName(QStringLiteral("TFormErrorMessages"));
  setWindowTitle(report.caption);
  resize(615, 373);
  useBoldInterfaceFont(this);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setPlainText(report.lines.join(u'\n'));

  const auto button = [this](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
  };
  BitBtnPrint = button("BitBtnPrint", QStringLiteral("Print"));
  BitBtnFixError = button("BitBtnFixError", QStringLiteral("Fix Error"));
  BitBtnIgnore = button("BitBtnIgnore", QStringLiteral("Ignore"));
  BitBtnOK = button("BitBtnOK", QStringLiteral("OK"));

  const bool display = buttons == ViewerButtons::OkOnly;
  BitBtnFixError->setVisible(!display);
  BitBtnFixError->setEnabled(!display);
  BitBtnIgnore->setVisible(!display);
  BitBtnIgnore->setEnabled(!display);
  BitBtnOK->setVisible(display);
  BitBtnOK->setEnabled(display);
  (display ? BitBtnOK : BitBtnFixError)->setDefault(true);

  auto* row = new QHBoxLayout;
  row->addWidget(BitBtnPrint);
  row->addStretch();
  row->addWidget(BitBtnFixError);
  row->addWidget(BitBtnIgnore);
  row->addWidget(BitBtnOK);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  layout->addLayout(row);

  connect(BitBtnPrint, &QPushButton::clicked, this, &TFormErrorMessages::BitBtnPrintClick);
  connect(BitBtnFixError, &QPushButton::clicked, this,
          [this] { closeWith(ViewerResult::FixError); });
  connect(BitBtnIgnore, &QPushButton::clicked, this, [this] { closeWith(ViewerResult::Ignore); });
  connect(BitBtnOK, &QPushButton::clicked, this, [this] { closeWith(ViewerResult::Ok); });
}

void TFormErrorMessages::closeWith(ViewerResult result) {
  m_result = result;
  accept();
}

void TFormErrorMessages::BitBtnPrintClick() {
  printViewerReport(
      {ReportTitle, HeadingLine1, HeadingLine2, Memo1->toPlainText().split(u'\n'), {}}, m_ui,
      m_clock);
}

}  // namespace quillet
