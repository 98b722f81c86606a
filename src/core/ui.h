// Quillet — everything a command shows the user or asks of them.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>

#include "efile/t4_xml.h"
#include "reports/print_dialogs.h"
#include "reports/viewer_report.h"

namespace quillet {

class PrintSurface;

enum class Answer { Yes, No, Cancel };

// An open or save dialog. Filters are in Qt's form, "T4 files (*.T4E *.t4e)".
struct FileDialogRequest {
  QString title;
  QString defaultSuffix;
  QStringList filters;
  // Open: a name that does not exist may be chosen (the caller asks before it creates
  // it). Save: an existing name is confirmed before it is chosen.
  bool allowNew = false;
  QString folder;             // the folder it opens in; empty: where the last dialog was
  QString proposedName = {};  // save: the file name offered
};

class OpenT4FileState;

enum class QuestionKind {
  YesNo,        // a confirmation with Yes and No
  YesNoCancel,  // Yes, No and Cancel
  OkCancel,     // OK (answered Yes) and Cancel
};

// Whether a print job asks for its font: the drawn forms carry their own face.
enum class FontChoice { Ask, FormsOwn };

// The icon of a question's box: most ask; some warn, some report an error.
enum class QuestionIcon { Question, Warning, Error };

// The desktop program shows these in message boxes titled "Quillet"; the batch tool
// writes messages to standard error and answers from its flags; tests script them.
class Ui {
 public:
  virtual ~Ui() = default;

  // A plain message with an OK button; `caption` titles the box (empty: the application
  // title).
  virtual void showMessage(const QString& text, const QString& caption = {}) = 0;
  // `caption` titles the box; empty: the application title.
  virtual Answer ask(const QString& text, QuestionKind kind, const QString& caption = {},
                     QuestionIcon icon = QuestionIcon::Question) = 0;

  // The file dialogs: the chosen path, or empty when the user cancelled.
  virtual QString chooseFileToOpen(const FileDialogRequest& request) = 0;
  virtual QString chooseFileToSave(const FileDialogRequest& request) = 0;
  // A folder (which may be made in the dialog); empty when the user cancelled.
  virtual QString chooseFolder(const QString& title) = 0;

  // The modal screens of the open file: the employer information screen and the T4
  // entry screen.
  virtual void editEmployerRecord(OpenT4FileState& state) = 0;
  virtual void editT4Records(OpenT4FileState& state) = 0;
  // The employee index: sets the open file's PickedIndex and CoInfoShown.
  virtual void showEmployeeIndex(OpenT4FileState& state) = 0;

  // Asks for the printer, then (unless the form brings its own) for the font, and begins a
  // print job titled `documentTitle` on that printer in that font. Null when the user
  // cancelled either dialog: nothing is printed then, and nothing is said.
  virtual std::unique_ptr<PrintSurface> startPrintJob(const QString& documentTitle,
                                                      FontChoice font = FontChoice::Ask) = 0;
  // The same for a print preview on the screen, from which the user may then print.
  virtual std::unique_ptr<PrintSurface> startPreview(const QString& documentTitle,
                                                     FontChoice font = FontChoice::Ask) = 0;

  // The report viewer, modal, with its lines; the answer is the button the user chose.
  virtual ViewerResult showReport(const ViewerReport& report, ViewerButtons buttons) = 0;

  // The print set-up dialogs: false (or nothing) when the user cancelled.
  virtual bool editT4PrintSetUp(T4PrintSetUp& setUp) = 0;
  virtual bool editSummarySetUp(SummarySetUp& setUp) = 0;
  virtual bool editPlainPaperSetUp(PlainPaperSetUp& setUp) = 0;
  // The year-end conversion's set-up dialog; however it closes, its answers stand.
  virtual void askPayrollSetUp(PayrollSetUp& answers) = 0;
  // The transmitter of XML returns, each entry checked as it is left: false when the user
  // cancelled.
  virtual bool editTransmitter(Transmitter& transmitter) = 0;
  // The choices of an XML return (its submission reference, amended or not, the note, the
  // schema folder; the transmitter may be changed from there): false when cancelled.
  virtual bool editXmlExport(XmlExportChoices& choices) = 0;
  // The label style, 0 to 3.
  virtual std::optional<int> chooseLabelStyle() = 0;

  // The busy box (and the hourglass) while a report prints.
  virtual void showBusy(const QString& reportName) = 0;
  virtual void hideBusy() = 0;
  // Long work tells how far it is: `done` of `total` (slips, rows, employees) of `what`. A
  // window shows it, with Cancel, once the work lasts; false once the user pressed Cancel,
  // after which the work stops cleanly. `done` equal to `total` ends it.
  virtual bool progress(const QString& what, int done, int total) = 0;
};

// One long piece of work's progress through `ui`, ended (its window closed) however the
// work ends.
class Progress {
 public:
  Progress(Ui& ui, QString what, int total) : m_ui(ui), m_what(std::move(what)), m_total(total) {}
  ~Progress() { m_ui.progress(m_what, m_total, m_total); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // `done` of the total so far; false once the user pressed Cancel.
  bool step(int done) { return m_ui.progress(m_what, done, m_total); }

 private:
  Ui& m_ui;
  QString m_what;
  int m_total;
};

}  // namespace quillet
