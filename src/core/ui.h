// Quillet — everything a command shows the user or asks of them.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>

#include "core/viewer_report.h"

namespace quillet {

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

enum class QuestionKind {
  YesNo,        // a confirmation with Yes and No
  YesNoCancel,  // Yes, No and Cancel
  OkCancel,     // OK (answered Yes) and Cancel
};

// The icon of a question's box: most ask; some warn, some report an error.
enum class QuestionIcon { Question, Warning, Error };

// What every command shows or asks. The desktop program shows these in message boxes
// titled "Quillet"; the batch tool writes messages to standard error and answers from its
// flags; tests script them. Each feature declares its own dialogs in an interface that
// extends this one beside its code (PrintUi, EfileUi, ScreensUi, PayrollUi).
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

  // The report viewer, modal, with its lines; the answer is the button the user chose.
  virtual ViewerResult showReport(const ViewerReport& report, ViewerButtons buttons) = 0;

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
