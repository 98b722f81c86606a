// Quillet — what every report asks of the open file before it starts.
#pragma once

#include "data/record.h"

namespace quillet {

class OpenT4FileState;
class Ui;

// "There is no *.T4E file open at present. …"
void showNoFileOpen(Ui& ui);

// True when the open file holds `kind` slips; otherwise the user is told what kind of file
// it is and what this takes.
bool holdsSlipsOf(OpenT4FileState& state, SlipKind kind, Ui& ui);

// A file of `kind` slips must be open and hold at least one slip; otherwise the user is
// told which, and false is returned.
bool checkReportPreconditions(OpenT4FileState& state, Ui& ui, SlipKind kind = SlipKind::T4);

}  // namespace quillet
