// Quillet — the modal screens of the open file.
#pragma once

#include "core/ui.h"

namespace quillet {

class OpenT4FileState;

class ScreensUi : public virtual Ui {
 public:
  // The employer information screen, and the entry screen of the file's slips (T4 or T4A).
  virtual void editEmployerRecord(OpenT4FileState& state) = 0;
  virtual void editT4Records(OpenT4FileState& state) = 0;
  // The employee index: sets the open file's PickedIndex and CoInfoShown.
  virtual void showEmployeeIndex(OpenT4FileState& state) = 0;
};

}  // namespace quillet
