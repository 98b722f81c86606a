// Quillet tests — a Ui whose answers are scripted and whose messages are recorded.
#pragma once

#include <QStringList>
#include <any>
#include <deque>
#include <functional>
#include <map>

#include "app/app_ui.h"
#include "reports/trace_surface.h"

namespace quillet::test {

// Fails the running test (GoogleTest or Qt Test, whichever the test links).
void reportTestFailure(const QString& what);

class ScriptedUi final : public AppUi {
 public:
  ScriptedUi() = default;
  ScriptedUi(const ScriptedUi&) = delete;
  ScriptedUi& operator=(const ScriptedUi&) = delete;
  // An answer left unused fails the test.
  ~ScriptedUi() override;

  // Queues the answer to the next question; a question with none queued fails the test.
  void expectQuestion(Answer answer) { expect("question", answer); }

  // Scripts of the dialogs, one per showing, in order; a showing with none left fails the
  // test and counts as Cancel. A script may look at the values it is shown and change
  // them; it returns whether the user pressed OK.
  void expectT4PrintSetUp(std::function<bool(T4PrintSetUp&)> script) {
    expect("T4 print set-up dialog", script);
  }
  void expectPlainPaperSetUp(std::function<bool(PlainPaperSetUp&)> script) {
    expect("plain paper set-up dialog", script);
  }
  void expectSummarySetUp(std::function<bool(SummarySetUp&)> script) {
    expect("T4 Summary set-up dialog", script);
  }
  void expectTransmitter(std::function<bool(Transmitter&)> script) {
    expect("transmitter dialog", script);
  }
  void expectXmlExport(std::function<bool(XmlExportChoices&)> script) {
    expect("Internet filing dialog", script);
  }
  void expectLabelStyle(std::optional<int> style) { expect("label style dialog", style); }
  void expectReport(ViewerResult result) { expect("report viewer", result); }
  // The file the next open, save or folder dialog returns ("": Cancel).
  void expectFileChoice(const QString& path) { expect("file dialog", path); }
  void expectEmployerScreen(std::function<void(OpenT4FileState&)> script) {
    expect("employer screen", script);
  }
  void expectT4EntryScreen(std::function<void(OpenT4FileState&)> script) {
    expect("T4 entry screen", script);
  }
  // The next showing of the employee index runs `script` (which sets what the user picked).
  void expectEmployeeIndex(std::function<void(OpenT4FileState&)> script) {
    expect("employee index", script);
  }

  // Print jobs go to a trace printer with these settings, unless the user is to cancel
  // the printer or font dialog of the next one.
  void setTraceSettings(TraceSettings settings) { m_trace = settings; }
  void cancelNextPrintJob() { m_cancelNext = true; }

  const QStringList& messages() const { return m_messages; }
  // What the user was shown and answered, in order: messages, questions with their
  // caption and answer, the reports' lines, the file dialogs' titles.
  QString transcript() const { return m_transcript.join(u'\n') + u'\n'; }
  // The lines recorded from line `from` on, each with its end; and how many there are so far.
  QString transcriptFrom(qsizetype from) const {
    return m_transcript.mid(from).join(u'\n') + (m_transcript.size() > from ? "\n" : "");
  }
  qsizetype transcriptLines() const { return m_transcript.size(); }
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
  void showEmployeeIndex(OpenT4FileState& state) override { show("employee index", state); }
  Answer ask(const QString& text, QuestionKind kind, const QString& caption = {},
             QuestionIcon icon = QuestionIcon::Question) override;
  QString chooseFileToOpen(const FileDialogRequest& request) override;
  QString chooseFileToSave(const FileDialogRequest& request) override;
  // Answered from the same queue as the file dialogs.
  QString chooseFolder(const QString& title) override;
  void editEmployerRecord(OpenT4FileState& state) override { show("employer screen", state); }
  void editT4Records(OpenT4FileState& state) override { show("T4 entry screen", state); }
  std::unique_ptr<PrintSurface> startPrintJob(const QString& documentTitle,
                                              FontChoice = FontChoice::Ask) override;
  // Previews are traced like print jobs, into previews().
  std::unique_ptr<PrintSurface> startPreview(const QString& documentTitle,
                                             FontChoice = FontChoice::Ask) override;
  ViewerResult showReport(const ViewerReport& report, ViewerButtons buttons) override;
  bool editT4PrintSetUp(T4PrintSetUp& s) override { return scripted("T4 print set-up dialog", s); }
  bool editSummarySetUp(SummarySetUp& s) override {
    return scripted("T4 Summary set-up dialog", s);
  }
  bool editPlainPaperSetUp(PlainPaperSetUp& s) override {
    return scripted("plain paper set-up dialog", s);
  }
  bool editTransmitter(Transmitter& t) override { return scripted("transmitter dialog", t); }
  bool editXmlExport(XmlExportChoices& c) override { return scripted("Internet filing dialog", c); }
  std::optional<int> chooseLabelStyle() override {
    return next<std::optional<int>>("label style dialog").value_or(std::nullopt);
  }
  // The conversion's set-up dialog answers with these (by default nothing ticked).
  void askPayrollSetUp(PayrollSetUp&) override {}  // the defaults: no box 20, no box 44
  void showBusy(const QString& reportName) override { m_busy << reportName; }
  void hideBusy() override { m_busy << QStringLiteral("-"); }
  // Counts the steps told; Cancel is pressed at step `cancelAt` (0: never). A step beyond its
  // total, or a window left up when the work ended (as a busy box) or when a report is
  // shown, fails the test.
  bool progress(const QString&, int done, int total) override {
    if (done > total) reportTestFailure(QStringLiteral("progress %1 of %2").arg(done).arg(total));
    ++m_progressSteps;
    const bool going = m_cancelAt == 0 || done < m_cancelAt;
    m_progressUp = going && done < total;
    return going;
  }
  void cancelProgressAt(int done) { m_cancelAt = done; }
  int progressSteps() const { return m_progressSteps; }

 private:
  std::unique_ptr<PrintSurface> traceInto(QList<QStringList>& jobs, const QString& title);
  template <class T>
  void expect(const char* what, T answer) {
    m_scripted[what].push_back(std::move(answer));
  }
  // The next scripted answer to `what`, or nothing (and a failed test) when none is left.
  template <class T>
  std::optional<T> next(const char* what) {
    std::deque<std::any>& queue = m_scripted[what];
    if (queue.empty()) {
      reportTestFailure(QStringLiteral("unexpected %1").arg(QLatin1String(what)));
      return std::nullopt;
    }
    T front = std::any_cast<T>(std::move(queue.front()));
    queue.pop_front();
    return front;
  }
  // A screen's script run on the open-file state, when there is one.
  void show(const char* what, OpenT4FileState& state) {
    if (const auto script = next<std::function<void(OpenT4FileState&)>>(what)) (*script)(state);
  }
  // A dialog's script run on `values`; false (Cancel) when there is none.
  template <class T>
  bool scripted(const char* what, T& values) {
    const auto script = next<std::function<bool(T&)>>(what);
    return script && (*script)(values);
  }

  TraceSettings m_trace;
  bool m_cancelNext = false;
  QList<QStringList> m_jobs;
  QList<QStringList> m_previews;
  QStringList m_busy;
  int m_cancelAt = 0;
  int m_progressSteps = 0;
  bool m_progressUp = false;
  std::map<QString, std::deque<std::any>> m_scripted;  // the answers queued, by what asks
  QList<ViewerReport> m_reports;
  QList<FileDialogRequest> m_fileDialogs;
  QStringList m_messages;
  QStringList m_transcript;
  QStringList m_questions;
};

}  // namespace quillet::test
