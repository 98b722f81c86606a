// Quillet — the T4 Error Report's list: every check of the file, in index order.
#pragma once

#include <QStringList>

namespace quillet {

class OpenT4FileState;
class Ui;

struct ErrorList {
  QStringList lines;
  // False when the employer record added nothing and every T4 record added only its
  // two header lines; an unreadable record counts as a finding.
  bool hasFindings = false;
};

// The employer record's findings (and a blank line after them), the reconciliation
// notes, then the findings of each T4 record in index order. A record that cannot be
// read is told through `ui` and ends the list with the abort line.
ErrorList buildErrorList(OpenT4FileState& state, Ui& ui);

}  // namespace quillet
