// Quillet — mailing labels for the employees, two across on single sheets.
#pragma once

#include <QStringList>

#include "reports/print_outcome.h"

namespace quillet {

class Clock;
class OpenT4FileState;
class PrintUi;

struct LabelStyle {
  QString text;  // as the style dialog lists it
  int perSheet;
  int margin;    // top and bottom, hundredths of an inch
  int firstRow;  // of the engine's grid
  int rowStep;
};

// The four label sizes, in the order of the style dialog.
const QList<LabelStyle>& labelStyles();

// The "Mailing &Labels" command after its preconditions: the style dialog, then one label
// for every T4 record that is not VOID, in index order.
PrintOutcome printMailingLabels(OpenT4FileState& state, PrintUi& ui, const Clock& clock);

}  // namespace quillet
