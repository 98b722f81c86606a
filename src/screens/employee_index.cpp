// Quillet — the employee index's work outside its window.
#include "screens/employee_index.h"

#include "data/open_t4_file.h"
#include "screens/screens_ui.h"

namespace quillet {

void showCompanyInfo(OpenT4FileState& state, ScreensUi& ui) {
  const Record768 kept = state.sharedRecord();
  ui.editEmployerRecord(state);
  state.T4File().CoInfoShown = true;
  state.sharedRecord() = kept;
}

}  // namespace quillet
