// Quillet — the totals of a T4A file and its worksheet.
#pragma once

#include <array>
#include <cstdint>

#include "core/viewer_report.h"
#include "data/employer_record.h"

namespace quillet {

class OpenT4FileState;
class T4ARecord;
class Ui;

// The T4A Summary's figures, in cents.
struct T4ATotals {
  int32_t count = 0;              // box 088: the slips that are neither VOID nor cancelled
  int64_t pension = 0;            // 016
  int64_t lumpSums = 0;           // 018
  int64_t commissions = 0;        // 020
  int64_t annuities = 0;          // 024
  int64_t fees = 0;               // 048
  int64_t otherIncome = 0;        // 028
  int64_t patronage = 0;          // 030
  int64_t pastService = 0;        // 032
  int64_t pensionAdjustment = 0;  // 034
  int64_t respIncome = 0;         // 040
  int64_t respAssistance = 0;     // 042
  int64_t incomeTax = 0;          // 022
  // 101: the other information that has no line of its own (code 037 may make it negative).
  int64_t otherInformation = 0;
};

struct T4ATotalsRun {
  T4ATotals totals;
  EmployerRecord payer;  // all zero when it could not be read
  bool stoppedEarly = false;
};

// Adds one slip that is neither VOID nor cancelled.
void addToTotals(T4ATotals& totals, const T4ARecord& record);

// Reads the payer's record (telling the user when it cannot) and totals every T4A record
// that is neither VOID nor cancelled, in index order, up to the first that cannot be read.
T4ATotalsRun totalT4AFile(OpenT4FileState& state, Ui& ui);

// The worksheet in the viewer, as shown and as its Print button prints it.
ViewerReport t4aTotalsWorksheet(const T4ATotalsRun& run, const QString& fileName);

}  // namespace quillet
