// Quillet — the employee index's work outside its window.
#pragma once

namespace quillet {

class OpenT4FileState;
class ScreensUi;

// "Show Company Info.": the employer screen, with the shared record buffer kept aside and
// put back (the entry screen compares its record with it), and CoInfoShown set however
// the screen was closed.
void showCompanyInfo(OpenT4FileState& state, ScreensUi& ui);

}  // namespace quillet
