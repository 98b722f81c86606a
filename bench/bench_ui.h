// Quillet benchmarks — a Ui that says nothing, answers No, and prints where it is told.
#pragma once

#include <functional>
#include <utility>

#include "app/app_ui.h"
#include "reports/print_surface.h"

namespace quillet::bench {

class BenchUi final : public AppUi {
 public:
  using Printer = std::function<std::unique_ptr<PrintSurface>(const QString& documentTitle)>;

  // The T4 print set-up dialog is answered once, without a line-up; nothing else opens.
  explicit BenchUi(Printer printer = {}) : m_printer(std::move(printer)) {}

  void showMessage(const QString&, const QString& = {}) override {}
  Answer ask(const QString&, QuestionKind, const QString& = {},
             QuestionIcon = QuestionIcon::Question) override {
    return Answer::No;
  }
  QString chooseFileToOpen(const FileDialogRequest&) override { return {}; }
  QString chooseFileToSave(const FileDialogRequest&) override { return {}; }
  QString chooseFolder(const QString&) override { return {}; }
  void editEmployerRecord(OpenT4FileState&) override {}
  void editT4Records(OpenT4FileState&) override {}
  void showEmployeeIndex(OpenT4FileState&) override {}
  std::unique_ptr<PrintSurface> startPrintJob(const QString& title,
                                              FontChoice = FontChoice::Ask) override {
    return m_printer ? m_printer(title) : nullptr;
  }
  std::unique_ptr<PrintSurface> startPreview(const QString&,
                                             FontChoice = FontChoice::Ask) override {
    return nullptr;
  }
  ViewerResult showReport(const ViewerReport&, ViewerButtons) override { return ViewerResult::Ok; }
  bool editT4PrintSetUp(T4PrintSetUp& setUp) override {
    setUp.lineUp = false;
    return !std::exchange(m_answered, true);
  }
  bool editSummarySetUp(SummarySetUp&) override { return false; }
  bool editPlainPaperSetUp(PlainPaperSetUp&) override { return false; }
  bool editTransmitter(Transmitter&) override { return false; }
  bool editXmlExport(XmlExportChoices&) override { return false; }
  std::optional<int> chooseLabelStyle() override { return std::nullopt; }
  void askPayrollSetUp(PayrollSetUp&) override {}
  void showBusy(const QString&) override {}
  void hideBusy() override {}
  bool progress(const QString&, int, int) override { return true; }

 private:
  Printer m_printer;
  bool m_answered = false;
};

}  // namespace quillet::bench
