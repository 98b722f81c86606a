// Quillet — the checks of one T4 record against the year's rates.
#pragma once

#include <QStringList>
#include <cstdint>
#include <optional>

namespace quillet {

class EmployerRecord;
class T4Record;
struct Field;

// The findings of a slip of a modern year that decide its return, each one line: `rules`
// are those CRA refuses (or that must not reach it: CPP in Quebec, QPP, QPP2 or PPIP
// outside it, both on one slip, box 45 missing from 2023, no amount at all),
// `review` those its review of pensionable and insurable earnings after filing would flag.
struct CraFindings {
  QStringList rules;
  QStringList review;
};

// Appends the findings of `record` to `findings`: nothing for a VOID record, otherwise
// a blank line and the "Validation Report for SIN" line, then each finding as a line of
// two blanks followed by its message lines. So more than two lines added means there
// were findings. Two-character province codes are capitalised in `record` on the way.
// From 2001 boxes 24, 26 and 56 are taken as filed: an empty box is zero.
void CheckT4Record(T4Record& record, const EmployerRecord& employer, QStringList& findings,
                   CraFindings* cra = nullptr);

// What CRA would reject on a slip filed on paper, in the words of the findings above: a
// SIN missing, not of nine digits or failing its check; any amount negative.
QStringList rejectedOnPaper(T4Record record, const EmployerRecord& employer);

// What box 24, 26 or 56 left empty on entry is proposed to hold from 2001: box 14 up to
// the year's maximum (the YAMPE from 2024 for box 26), zero when the employee is exempt
// (box 56: employed outside Quebec). Nothing for any other box, or for 1999 and 2000, whose
// empty boxes stand for box 14.
std::optional<int32_t> proposedEarnings(const T4Record& record, const EmployerRecord& employer,
                                        const Field& box);

// The 20 explanatory lines that stand ahead of the findings.
void ReconciliationNotes(QStringList& findings);

}  // namespace quillet
