// Quillet — the batch tool's Ui: messages to standard error, answers from flags.
#pragma once

#include <QTextStream>
#include <functional>

#include "efile/efile_ui.h"
#include "payroll_import/payroll_ui.h"
#include "reports/print_surface.h"

namespace quillet::cli {

// What the command's flags answer in place of the desktop program's dialogs. A dialog
// without an answer is cancelled.
struct CliAnswers {
  Answer question = Answer::No;
  std::function<std::unique_ptr<PrintSurface>(const QString& documentTitle)> printer;
  std::function<bool(T4PrintSetUp&)> t4SetUp;
  std::function<bool(SummarySetUp&)> summarySetUp;
  std::function<bool(PlainPaperSetUp&)> plainPaperSetUp;
  std::optional<int> labelStyle;
  PayrollSetUp payrollSetUp;
};

class StreamUi final : public EfileUi, public PayrollUi {
 public:
  explicit StreamUi(QTextStream& err, CliAnswers answers = {})
      : m_err(err), m_answers(std::move(answers)) {}

  void showMessage(const QString& text, const QString& = {}) override { m_err << text << Qt::endl; }
  Answer ask(const QString& text, QuestionKind, const QString& = {},
             QuestionIcon = QuestionIcon::Question) override {
    m_err << text << Qt::endl;
    return m_answers.question;
  }
  // The batch tool's commands name their files and open no screen.
  QString chooseFileToOpen(const FileDialogRequest&) override { return {}; }
  QString chooseFileToSave(const FileDialogRequest&) override { return {}; }
  QString chooseFolder(const QString&) override { return {}; }
  std::unique_ptr<PrintSurface> startPrintJob(const QString& documentTitle,
                                              FontChoice = FontChoice::Ask) override {
    return m_answers.printer ? m_answers.printer(documentTitle) : nullptr;
  }
  std::unique_ptr<PrintSurface> startPreview(const QString&,
                                             FontChoice = FontChoice::Ask) override {
    return nullptr;
  }
  // The batch tool has no viewer: it goes on as after Ignore or OK.
  ViewerResult showReport(const ViewerReport&, ViewerButtons buttons) override {
    return buttons == ViewerButtons::OkOnly ? ViewerResult::Ok : ViewerResult::Ignore;
  }
  bool editT4PrintSetUp(T4PrintSetUp& setUp) override {
    return m_answers.t4SetUp && m_answers.t4SetUp(setUp);
  }
  bool editSummarySetUp(SummarySetUp& setUp) override {
    return m_answers.summarySetUp && m_answers.summarySetUp(setUp);
  }
  bool editPlainPaperSetUp(PlainPaperSetUp& setUp) override {
    return m_answers.plainPaperSetUp && m_answers.plainPaperSetUp(setUp);
  }
  // The batch tool takes the transmitter and the return's choices from its options.
  bool editTransmitter(Transmitter&) override { return false; }
  bool editXmlExport(XmlExportChoices&) override { return false; }
  std::optional<int> chooseLabelStyle() override { return m_answers.labelStyle; }
  void askPayrollSetUp(PayrollSetUp& answers) override { answers = m_answers.payrollSetUp; }
  void showBusy(const QString&) override {}
  void hideBusy() override {}
  bool progress(const QString&, int, int) override { return true; }

 private:
  QTextStream& m_err;
  CliAnswers m_answers;
};

}  // namespace quillet::cli
