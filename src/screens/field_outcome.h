// Quillet — what a screen does after the user left one of its fields.
#pragma once

#include <QString>
#include <optional>

namespace quillet {

// What the screen does after a field was left.
struct FieldOutcome {
  bool focusBack = false;          // the control takes the focus again
  std::optional<QString> newText;  // the control shows this text from now on
  bool markUnchanged = false;      // the control no longer counts as changed
  bool markModified = false;       // it counts as changed again: leaving it checks it again
  std::optional<QString> country;  // the country list shows this
  bool refreshAll = false;         // every control shows the working record anew

  static FieldOutcome refused() {
    FieldOutcome outcome;
    outcome.focusBack = true;
    return outcome;
  }
};

}  // namespace quillet
