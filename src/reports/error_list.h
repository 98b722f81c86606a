// Quillet — the T4 Error Report's list: every check of the file, in index order.
#pragma once

#include <QStringList>

#include "data/employer_record.h"

namespace quillet {

class OpenT4FileState;
class Ui;

struct ErrorList {
  QStringList lines;
  // False when the employer record added nothing and every T4 record added only its
  // two header lines; an unreadable record counts as a finding.
  bool hasFindings = false;
  // A T4 record could not be read, and the list stops there.
  bool aborted = false;
  // The employer record the T4 records were checked against (all zero if unreadable).
  EmployerRecord employer;
};

// The employer record's findings (and a blank line after them), the reconciliation notes
// of a T4 file, then the findings of each T4 or T4A record in index order. A record that cannot be
// read is told through `ui` and ends the list with the abort line.
ErrorList buildErrorList(OpenT4FileState& state, Ui& ui);

}  // namespace quillet
