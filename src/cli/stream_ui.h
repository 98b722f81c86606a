// Quillet — the batch tool's Ui: messages to standard error, answers from flags.
#pragma once

#include <QTextStream>
#include <functional>

#include "app/ui.h"
#include "reports/print_surface.h"

namespace quillet::cli {

class StreamUi final : public Ui {
 public:
  using Printer = std::function<std::unique_ptr<PrintSurface>(const QString& documentTitle)>;

  // Every question is answered with `answer`, and every print job goes to `printer`
  // (none: nothing is printed); the command's flags decide both.
  explicit StreamUi(QTextStream& err, Answer answer = Answer::No, Printer printer = {})
      : m_err(err), m_answer(answer), m_printer(std::move(printer)) {}

  void showMessage(const QString& text) override { m_err << text << Qt::endl; }
  Answer ask(const QString& text, QuestionKind) override {
    m_err << text << Qt::endl;
    return m_answer;
  }
  std::unique_ptr<PrintSurface> startPrintJob(const QString& documentTitle) override {
    return m_printer ? m_printer(documentTitle) : nullptr;
  }
  void showBusy(const QString&) override {}
  void hideBusy() override {}

 private:
  QTextStream& m_err;
  Answer m_answer;
  Printer m_printer;
};

}  // namespace quillet::cli
