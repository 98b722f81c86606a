// Quillet — the totals of a T4 file, the worksheet, and the T4 Totals command.
#pragma once

#include <QStringList>
#include <array>
#include <cstdint>

#include "core/viewer_report.h"
#include "data/employer_record.h"
#include "reports/print_outcome.h"

namespace quillet {

class Clock;
class OpenT4FileState;
class SettingsStore;
class T4Record;
class PrintUi;
class Ui;

struct T4Totals {
  int32_t count = 0;              // box 88: T4 records that are not VOID
  int64_t employmentIncome = 0;   // box 14
  int64_t employeeCpp = 0;        // box 16
  int64_t employeeQpp = 0;        // box 17
  int64_t employeeEi = 0;         // box 18
  int64_t rpp = 0;                // box 20
  int64_t incomeTax = 0;          // box 22
  int64_t pensionAdjustment = 0;  // box 52
  int64_t eiInsurable = 0;        // box 24
  int64_t employerCpp = 0;        // line 27: the same as line 16
  int64_t employerEi = 0;         // box 19
  int64_t employeeSecondCpp = 0;  // box 16A, from 2024
  int64_t employeeSecondQpp = 0;  // box 17A, from 2024
  int64_t employerSecondCpp = 0;  // line 27A: the same as line 16A
  int64_t ppipPremiums = 0;       // box 55, from 2006
  // Other information by box number 1 to 100 (index 0 to 99); box 100 also takes every
  // amount whose box number cannot be read.
  std::array<int64_t, 100> otherInfo{};
  int64_t unionDues = 0;
  int64_t charitableDonations = 0;
  // The 1999 and 2000 Summaries counted the QPP with the CPP in lines 16, 27 and 80. From
  // 2001 CRA's Summary counts CPP alone: QPP, QPP2 and PPIP are remitted to Revenu Québec.
  bool qppWithCpp = false;

  // Line 16: the employees' CPP (with their QPP on the 1999 and 2000 Summaries).
  int64_t line16() const { return employeeCpp + (qppWithCpp ? employeeQpp : 0); }
  // Line 80: both shares of lines 16 and 16A, both shares of EI, and the income tax.
  int64_t totalDeductions() const;
};

// The box number an other-information amount is totalled under: the code's first two
// characters without blanks as a whole number from 1 to 100, or 100.
int otherInfoBox(const QString& codeText);

// `cents` × `multiplier` ÷ 10000, rounded to the nearest cent, halves to the even cent.
int64_t employerEiShare(int64_t employeeEi, int32_t multiplier);

struct TotalsRun {
  T4Totals totals;
  EmployerRecord employer;  // all zero when it could not be read
  bool stoppedEarly = false;
};

// Adds one T4 record that is not VOID, of tax year `year`; then the employer's shares.
void addToTotals(T4Totals& totals, const T4Record& record, int year);
void finishTotals(TotalsRun& run);

// Reads the employer record (telling the user when it cannot) and totals every T4 record
// that is not VOID, in index order, up to the first that cannot be read.
TotalsRun totalT4File(OpenT4FileState& state, Ui& ui);

// "1,234,567.89": the worksheet's money.
QString worksheetMoney(int64_t cents);

// The worksheet in the viewer, as shown and as its Print button prints it.
ViewerReport totalsWorksheet(const TotalsRun& run, const QString& t4FileName);

// The "T4 &Totals" command after its preconditions: totals, then the T4 Summary (Yes) or
// the worksheet (No). Returns how the last print job ended.
PrintOutcome runT4Totals(OpenT4FileState& state, PrintUi& ui, const Clock& clock,
                         const SettingsStore* settings);

}  // namespace quillet
