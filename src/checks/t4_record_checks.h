// Quillet — the checks of one T4 record against the year's rates.
#pragma once

#include <QStringList>

namespace quillet {

class EmployerRecord;
class T4Record;

// Appends the findings of `record` to `findings`: nothing for a VOID record, otherwise
// a blank line and the "Validation Report for SIN" line, then each finding as a line of
// two blanks followed by its message lines. So more than two lines added means there
// were findings. Two-character province codes are capitalised in `record` on the way.
void CheckT4Record(T4Record& record, const EmployerRecord& employer, QStringList& findings);

// The 20 explanatory lines that stand ahead of the findings.
void ReconciliationNotes(QStringList& findings);

}  // namespace quillet
