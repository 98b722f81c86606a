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

bool checkReportPreconditions(OpenT4FileState& state, Ui& ui) {
  if (!state.T4FileOpen()) {
    showNoFileOpen(ui);
    return false;
  }
  // A file cut short inside its first T4 holds none whole.
  if (state.T4File().size() < FirstT4Position + Record768::Size) {
    ui.showMessage(QStringLiteral("There are no T4's in this file. Enter some employees first."));
    return false;
  }
  return true;
}

}  // namespace quillet
