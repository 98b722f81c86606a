// Quillet — the checks of one T4A record.
#pragma once

#include <QStringList>

namespace quillet {

class EmployerRecord;
class T4ARecord;

// Appends the findings of `record`: nothing for a VOID record, otherwise a blank line and
// the "Validation Report for" line, then each finding as a line of two blanks followed by
// its message lines. So more than two lines added means there were findings. A
// two-character province code is capitalised in `record` on the way.
void CheckT4ARecord(T4ARecord& record, const EmployerRecord& payer, QStringList& findings);

// What CRA would reject on a slip filed on paper, in the words of the findings above: a SIN
// (or a business recipient's number) missing or failing its check; an amount negative (but
// for code 037).
QStringList rejectedOnPaper(T4ARecord record);

// A recipient paid $500 or less in all, with no income tax deducted, needs no slip.
bool needsNoSlip(const T4ARecord& record);

}  // namespace quillet
