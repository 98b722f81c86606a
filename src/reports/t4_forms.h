// Quillet — T4 forms printed onto the government's pre-printed stationery.
#pragma once

#include "data/employer_record.h"
#include "data/t4_record.h"
#include "reports/print_dialogs.h"
#include "reports/print_outcome.h"

namespace quillet {

class Clock;
class OpenT4FileState;
class SettingsStore;
class TPrintReport;
class PrintUi;
class Ui;

// A dummy T4 that fills every box of the form, for lining the stationery up.
T4Record lineUpSample();

// Fills T4 forms, two to a sheet, from the engine's current line (line 1 of the form).
class T4FormPrinter {
 public:
  // `employer` is the employer copy of the run, its name and address in capitals; a
  // province shortened to fit its line stays shortened for the later forms.
  T4FormPrinter(TPrintReport& report, EmployerRecord& employer, int formType);

  // Prints the forms of one T4 record: two for employee copies, otherwise one. `last`:
  // these are the last forms of the run, so no page is started after them.
  void printRecord(const T4Record& record, bool last);
  // One sheet of `record` as its top and bottom form, whatever the form type (the
  // line-up sample); no page is started after it.
  void printSheet(const T4Record& record);

 private:
  void printForm(const T4Record& record);
  void printEmployer(const T4Record& record);
  void printEmployee(const T4Record& record);
  void printOtherInformation(const T4Record& record);
  void nextLines(int count);
  void endForm();
  QString employerProvinceLine();
  QString employeeAddressLine(const T4Record& record) const;
  QString employeeProvinceLine(const T4Record& record) const;

  TPrintReport& m_report;
  EmployerRecord& m_employer;
  int m_formType;
  bool m_topForm = true;
  bool m_lastForm = false;
};

// The employer copy of a forms run: read through the shared buffer, its name and address
// in capitals. Nothing when it cannot be read and the user chose not to print without it.
std::optional<EmployerRecord> readEmployerForForms(OpenT4FileState& state, Ui& ui);

// The T4 print set-up as the settings keep it (the dialog's own values when nothing is
// kept), and its margins, line-up choice and the form type to propose next, kept.
T4PrintSetUp storedT4SetUp(const SettingsStore* settings);
void storeT4SetUp(const SettingsStore* settings, const T4PrintSetUp& setUp, int nextType, Ui& ui);

// The "T4 For&ms" command after its preconditions: the set-up dialog with line-up prints
// until the user goes on, then the forms of every T4 record that is not VOID, in index
// order. `settings`, when given, supplies the dialog's starting values and keeps them
// for the next run. Returns how the last print job ended.
PrintOutcome printT4Forms(OpenT4FileState& state, PrintUi& ui, const Clock& clock,
                          const SettingsStore* settings);

}  // namespace quillet
