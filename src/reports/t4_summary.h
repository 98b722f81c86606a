// Quillet — the T4 Summary printed onto its pre-printed form, and its remittances.
#pragma once

#include <QString>
#include <functional>

#include "reports/print_dialogs.h"
#include "reports/print_outcome.h"

namespace quillet {

class Clock;
class SettingsStore;
class TPrintReport;
class PrintUi;
class Ui;
struct TotalsRun;

// Total deductions less the remittances (rounded to the cent, halves to even): above 0 a
// balance due, below 0 an overpayment.
int64_t remittanceDifference(int64_t totalDeductions, double remittances);

// What became of the remittances text when its field was left.
struct RemittanceCheck {
  bool accepted;       // false: the field keeps the focus (the dialog stays open)
  double remittances;  // dollars
  QString text;        // the field's text from now on
};

// An empty text is 0; an invalid or negative one is told and counts as 0; a zero one is
// questioned, and Yes to "change" keeps the field.
RemittanceCheck checkRemittances(const QString& text, Ui& ui);

// After a Summary was printed: the certification is to be dated and signed.
void remindToSignTheSummary(Ui& ui);

// One T4 Summary onto the form (or plain paper for a line-up).
PrintOutcome printT4Summary(const TotalsRun& run, const SummarySetUp& setUp, PrintUi& ui,
                            const Clock& clock);

// The Summary's set-up dialog and prints, line-up after line-up, until a real print or
// Cancel; the settings, when given, start the dialog and keep what a real print used.
PrintOutcome printT4Summaries(const TotalsRun& run, PrintUi& ui, const Clock& clock,
                              const SettingsStore* settings);

// The set-up dialog and `print`, line-up after line-up, until a real print or Cancel,
// whatever form the Summary is printed on.
PrintOutcome runSummarySetUps(const TotalsRun& run, PrintUi& ui, const SettingsStore* settings,
                              const std::function<PrintOutcome(const SummarySetUp&)>& print);

}  // namespace quillet
