// Quillet — how a printed report ended.
#pragma once

namespace quillet {

enum class PrintOutcome {
  Printed,       // the whole job went to the printer
  NotStarted,    // nothing to print, or the user cancelled a dialog
  StoppedEarly,  // a record could not be read; what was printed before it was sent
  Stopped,       // the user pressed Cancel while it printed: nothing of it was printed
};

}  // namespace quillet
