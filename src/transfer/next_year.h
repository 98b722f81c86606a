// Quillet — next year's T4 file started from this one.
#pragma once

#include <QString>

#include "core/file_result.h"

namespace quillet {

class OpenT4FileState;
class Ui;

struct NextYear {
  int year = 0;
  int employees = 0;
};

// Makes the T4 file of the year after the open file's at `path` (written beside it and put
// in its place whole): the employer record with that year's rates, its contact and e-mail
// kept; for every T4 record that is not VOID, in index order, the employee's name, address,
// SIN, province of employment, exemptions, employment code, RPP number, box 45 and
// employee number, every amount zero and the report type original.
FileResult<NextYear> writeNextYearFile(OpenT4FileState& state, const QString& path);

// File → "Start next year's file…": the file's name (an existing one only after the
// question), the file, and what was made. The path made; empty when nothing was.
QString startNextYearFile(OpenT4FileState& state, Ui& ui);

}  // namespace quillet
