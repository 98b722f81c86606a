// Quillet — next year's T4 file started from this one.
#pragma once

#include <QString>

#include "core/file_result.h"

namespace quillet {

class OpenT4FileState;
class Ui;

struct NextYear {
  int year = 0;
  int slips = 0;  // employees of a T4 file, recipients of a T4A file
};

// Makes the T4 or T4A file of the year after the open file's at `path` (written beside it
// and put in its place whole): the employer record with that year's rates, its contact and
// e-mail kept; for every slip that is not VOID, in index order, who it is for (a T4's
// employee: name, address, SIN, province of employment, exemptions, employment code, RPP
// number, box 45 and employee number; a T4A's recipient: person or business, names,
// address, SIN, business number, recipient number, box 015 and RPP or DPSP number), every
// amount zero and the report type original.
FileResult<NextYear> writeNextYearFile(OpenT4FileState& state, const QString& path);

// File → "Start next year's file…": the file's name (an existing one only after the
// question), the file, and what was made. The path made; empty when nothing was.
QString startNextYearFile(OpenT4FileState& state, Ui& ui);

}  // namespace quillet
