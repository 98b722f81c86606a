// Quillet — what every report asks of the open file before it starts.
#include "data/report_preconditions.h"

#include "core/ui.h"
#include "data/open_t4_file.h"

namespace quillet {

void showNoFileOpen(Ui& ui) {
  ui.showMessage(QStringLiteral(
      "There is no *.T4E file open at present.  Select the file open choice or the Wagebook "
      "menu choice depending on your situation."));
}

bool holdsSlipsOf(OpenT4FileState& state, SlipKind kind, Ui& ui) {
  if (state.slipKind() == kind) return true;
  ui.showMessage(kind == SlipKind::T4
                     ? QStringLiteral("%1 is a T4A file: this works on T4 files (*.T4E) only.")
                           .arg(state.T4FileName())
                     : QStringLiteral("%1 is a T4 file: this works on T4A files (*.T4A) only.")
                           .arg(state.T4FileName()));
  return false;
}

bool checkReportPreconditions(OpenT4FileState& state, Ui& ui, SlipKind kind) {
  if (!state.T4FileOpen()) {
    showNoFileOpen(ui);
    return false;
  }
  if (!holdsSlipsOf(state, kind, ui)) return false;
  // A file cut short inside its first slip holds none whole.
  if (state.T4File().size() < FirstT4Position + Record768::Size) {
    ui.showMessage(kind == SlipKind::T4
                       ? QStringLiteral("There are no T4's in this file. Enter some employees "
                                        "first.")
                       : QStringLiteral("There are no T4A's in this file. Enter some "
                                        "recipients first."));
    return false;
  }
  return true;
}

}  // namespace quillet
