// Quillet tests — a Ui whose answers are scripted and whose messages are recorded.
#pragma once

#include <QStringList>
#include <deque>
#include <functional>

#include "core/ui.h"
#include "reports/trace_surface.h"

namespace quillet::test {

// Fails the running test (GoogleTest or Qt Test, whichever the test links).
void reportTestFailure(const QString& what);

class ScriptedUi final : public Ui {
 public:
  ScriptedUi() = default;
  ScriptedUi(const ScriptedUi&) = delete;
  ScriptedUi& operator=(const ScriptedUi&) = delete;
  // An answer left unused fails the test.
  ~ScriptedUi() override;

  // Queues the answer to the next question; a question with none queued fails the test.
  void expectQuestion(Answer answer) { m_answers.push_back(answer); }

  // Scripts of the dialogs, one per showing, in order; a showing with none left fails the
  // test and counts as Cancel. A script may look at the values it is shown and change
  // them; it returns whether the user pressed OK.
  void expectT4PrintSetUp(std::function<bool(T4PrintSetUp&)> script) {
    m_t4SetUps.push_back(std::move(script));
  }
  void expectPlainPaperSetUp(std::function<bool(PlainPaperSetUp&)> script) {
    m_plainPaperSetUps.push_back(std::move(script));
  }
  void expectSummarySetUp(std::function<bool(SummarySetUp&)> script) {
    m_summarySetUps.push_back(std::move(script));
  }
  void expectTransmitter(std::function<bool(Transmitter&)> script) {
    m_transmitters.push_back(std::move(script));
  }
  void expectXmlExport(std::function<bool(XmlExportChoices&)> script) {
    m_xmlExports.push_back(std::move(script));
  }
  void expectLabelStyle(std::optional<int> style) { m_labelStyles.push_back(style); }
  void expectReport(ViewerResult result) { m_reportResults.push_back(result); }
  // The file the next open or save dialog returns ("": Cancel).
  void expectFileChoice(const QString& path) { m_files.push_back(path); }
  void expectEmployerScreen(std::function<void(OpenT4FileState&)> script) {
    m_employerScreens.push_back(std::move(script));
  }
  void expectT4EntryScreen(std::function<void(OpenT4FileState&)> script) {
    m_entryScreens.push_back(std::move(script));
  }

  // Print jobs go to a trace printer with these settings, unless the user is to cancel
  // the printer or font dialog of the next one.
  void setTraceSettings(TraceSettings settings) { m_trace = settings; }
  void cancelNextPrintJob() { m_cancelNext = true; }

  const QStringList& messages() const { return m_messages; }
  // What the user was shown and answered, in order: messages, questions with their
  // caption and answer, the reports' lines, the file dialogs' titles.
  QString transcript() const { return m_transcript.join(u'\n') + u'\n'; }
  const QStringList& questions() const { return m_questions; }
  // Each print job's trace, its document title first.
  const QList<QStringList>& printJobs() const { return m_jobs; }
  const QList<QStringList>& previews() const { return m_previews; }
  // The busy box's report names, in the order shown; "-" when it was hidden.
  const QStringList& busyBoxes() const { return m_busy; }
  // The reports shown in the viewer.
  const QList<ViewerReport>& reports() const { return m_reports; }
  const QList<FileDialogRequest>& fileDialogs() const { return m_fileDialogs; }

  void showMessage(const QString& text, const QString& caption = {}) override {
    m_messages << text;
    m_transcript << QStringLiteral("message [%1]: %2").arg(caption, text);
  }
  void showEmployeeIndex(OpenT4FileState& state) override;
  // The next showing of the employee index runs `script` (which sets what the user picked).
  void expectEmployeeIndex(std::function<void(OpenT4FileState&)> script) {
    m_indexes.push_back(std::move(script));
  }
  Answer ask(const QString& text, QuestionKind kind, const QString& caption = {},
             QuestionIcon icon = QuestionIcon::Question) override;
  QString chooseFileToOpen(const FileDialogRequest& request) override;
  QString chooseFileToSave(const FileDialogRequest& request) override;
  // Answered from the same queue as the file dialogs.
  QString chooseFolder(const QString& title) override;
  void editEmployerRecord(OpenT4FileState& state) override;
  void editT4Records(OpenT4FileState& state) override;
  std::unique_ptr<PrintSurface> startPrintJob(const QString& documentTitle,
                                              FontChoice = FontChoice::Ask) override;
  // Previews are traced like print jobs, into previews().
  std::unique_ptr<PrintSurface> startPreview(const QString& documentTitle,
                                             FontChoice = FontChoice::Ask) override;
  ViewerResult showReport(const ViewerReport& report, ViewerButtons buttons) override;
  bool editT4PrintSetUp(T4PrintSetUp& setUp) override;
  bool editSummarySetUp(SummarySetUp& setUp) override;
  bool editPlainPaperSetUp(PlainPaperSetUp& setUp) override;
  bool editTransmitter(Transmitter& transmitter) override;
  bool editXmlExport(XmlExportChoices& choices) override;
  std::optional<int> chooseLabelStyle() override;
  // The conversion's set-up dialog answers with these (by default nothing ticked).
  void askPayrollSetUp(PayrollSetUp&) override {}  // the defaults: no box 20, no box 44
  void showBusy(const QString& reportName) override { m_busy << reportName; }
  void hideBusy() override { m_busy << QStringLiteral("-"); }
  // Counts the steps told; Cancel is pressed at step `cancelAt` (0: never).
  bool progress(const QString&, int done, int) override {
    ++m_progressSteps;
    return m_cancelAt == 0 || done < m_cancelAt;
  }
  void cancelProgressAt(int done) { m_cancelAt = done; }
  int progressSteps() const { return m_progressSteps; }

 private:
  std::unique_ptr<PrintSurface> traceInto(QList<QStringList>& jobs, const QString& title);

  TraceSettings m_trace;
  bool m_cancelNext = false;
  QList<QStringList> m_jobs;
  QList<QStringList> m_previews;
  QStringList m_busy;
  int m_cancelAt = 0;
  int m_progressSteps = 0;
  std::deque<Answer> m_answers;
  std::deque<std::function<bool(T4PrintSetUp&)>> m_t4SetUps;
  std::deque<std::function<bool(SummarySetUp&)>> m_summarySetUps;
  std::deque<std::function<bool(PlainPaperSetUp&)>> m_plainPaperSetUps;
  std::deque<std::function<bool(Transmitter&)>> m_transmitters;
  std::deque<std::function<bool(XmlExportChoices&)>> m_xmlExports;
  std::deque<std::optional<int>> m_labelStyles;
  std::deque<ViewerResult> m_reportResults;
  QList<ViewerReport> m_reports;
  std::deque<QString> m_files;
  QList<FileDialogRequest> m_fileDialogs;
  std::deque<std::function<void(OpenT4FileState&)>> m_employerScreens;
  std::deque<std::function<void(OpenT4FileState&)>> m_entryScreens;
  QStringList m_messages;
  QStringList m_transcript;
  QStringList m_questions;
  std::deque<std::function<void(OpenT4FileState&)>> m_indexes;
};

}  // namespace quillet::test
