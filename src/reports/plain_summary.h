// Quillet — the T4 and T4A Summaries drawn whole on plain paper, for the tax year of the file.
#pragma once

#include "reports/print_dialogs.h"
#include "reports/print_outcome.h"

namespace quillet {

class FormCanvas;
class SettingsStore;
class PrintUi;
struct T4ATotalsRun;
struct TotalsRun;

// Draws the Summary of `run` with the canvas's origin at the form's top-left corner: the
// employer, the year, the totals, the remittances and the difference, the number of
// slips, the proprietors and the contact; `remittances` in dollars.
void drawSummary(FormCanvas& canvas, const TotalsRun& run, double remittances);

// Print Reports → "T4 Summary on plain paper…": the Summary set-up dialog (remittances,
// margins, line-up) as for the pre-printed Summary, then the form.
PrintOutcome printPlainSummaries(const TotalsRun& run, PrintUi& ui, const SettingsStore* settings);

// The T4A Summary drawn the same way: the payer, the year, the totals of the T4A slips, the
// income tax deducted, the remittances and what is owed; `remittances` in dollars.
void drawT4ASummary(FormCanvas& canvas, const T4ATotalsRun& run, double remittances);
// The same command for a T4A file: the remittances proposed are the income tax deducted.
PrintOutcome printPlainT4ASummary(const T4ATotalsRun& run, PrintUi& ui,
                                  const SettingsStore* settings);

}  // namespace quillet
