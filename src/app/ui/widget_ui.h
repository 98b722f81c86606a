// Quillet — the desktop program's Ui: message boxes titled "Quillet", the printer and
// font dialogs, the busy box.
#pragma once

#include <QFont>
#include <QPageLayout>
#include <memory>
#include <optional>

#include "app/app_ui.h"

class QPrinter;
class QWidget;

class QProgressDialog;

namespace quillet {

class Clock;
class TFormReportIsPrinting;

class WidgetUi final : public AppUi {
 public:
  // Boxes are centred on `owner`, or on the screen while there is none; `clock` dates
  // what the report viewer prints.
  explicit WidgetUi(const Clock& clock, QWidget* owner = nullptr);
  ~WidgetUi() override;
  void setOwner(QWidget* owner) { m_owner = owner; }

  void showMessage(const QString& text, const QString& caption = {}) override;
  void showEmployeeIndex(OpenT4FileState& state) override;
  Answer ask(const QString& text, QuestionKind kind, const QString& caption = {},
             QuestionIcon icon = QuestionIcon::Question) override;
  QString chooseFileToOpen(const FileDialogRequest& request) override;
  QString chooseFileToSave(const FileDialogRequest& request) override;
  QString chooseFolder(const QString& title) override;
  void editEmployerRecord(OpenT4FileState& state) override;
  void editT4Records(OpenT4FileState& state) override;
  // The folder the file dialogs start in: the program's, then the last one used.
  void setDialogFolder(const QString& folder) { m_folder = folder; }
  std::unique_ptr<PrintSurface> startPrintJob(const QString& documentTitle,
                                              FontChoice = FontChoice::Ask) override;
  std::unique_ptr<PrintSurface> startPreview(const QString& documentTitle,
                                             FontChoice = FontChoice::Ask) override;
  ViewerResult showReport(const ViewerReport& report, ViewerButtons buttons) override;
  bool editT4PrintSetUp(T4PrintSetUp& setUp) override;
  bool editSummarySetUp(SummarySetUp& setUp) override;
  bool editPlainPaperSetUp(PlainPaperSetUp& setUp) override;
  bool editTransmitter(Transmitter& transmitter) override;
  bool editXmlExport(XmlExportChoices& choices) override;
  std::optional<int> chooseLabelStyle() override;
  void askPayrollSetUp(PayrollSetUp& answers) override;
  void showBusy(const QString& reportName) override;
  void hideBusy() override;
  bool progress(const QString& what, int done, int total) override;

 private:
  // A printer on the last printer and paper of the session, or on Letter paper.
  std::unique_ptr<QPrinter> newPrinter(const QString& documentTitle) const;

  const Clock& m_clock;
  QString m_printerName;  // the session's last choices
  std::optional<QPageLayout> m_pageLayout;
  std::optional<QFont> m_font;
  QString m_folder;
  QWidget* m_owner;
  std::optional<QFont> chooseFont(const QString& documentTitle, FontChoice choice);

  std::unique_ptr<TFormReportIsPrinting> m_busy;
  std::unique_ptr<QProgressDialog> m_progress;
};

}  // namespace quillet
