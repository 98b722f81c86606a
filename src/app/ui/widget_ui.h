// Quillet — the desktop program's Ui: message boxes titled "Quillet", the printer and
// font dialogs, the busy box.
#pragma once

#include <memory>

#include "app/ui.h"

class QWidget;

namespace quillet {

class TFormReportIsPrinting;

class WidgetUi final : public Ui {
 public:
  // Boxes are centred on `owner`, or on the screen while there is none.
  explicit WidgetUi(QWidget* owner = nullptr);
  ~WidgetUi() override;
  void setOwner(QWidget* owner) { m_owner = owner; }

  void showMessage(const QString& text) override;
  Answer ask(const QString& text, QuestionKind kind) override;
  std::unique_ptr<PrintSurface> startPrintJob(const QString& documentTitle) override;
  void showBusy(const QString& reportName) override;
  void hideBusy() override;

 private:
  QWidget* m_owner;
  std::unique_ptr<TFormReportIsPrinting> m_busy;
};

}  // namespace quillet
