// Quillet — what every report asks of the open file before it starts.
#pragma once

namespace quillet {

class OpenT4FileState;
class Ui;

// "There is no *.T4E file open at present. …"
void showNoFileOpen(Ui& ui);

// A T4 file must be open and hold at least one T4 record; otherwise the user is told
// which, and false is returned.
bool checkReportPreconditions(OpenT4FileState& state, Ui& ui);

}  // namespace quillet
