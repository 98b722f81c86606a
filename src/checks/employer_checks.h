// Quillet — the checks of the employer record, and the default rates of a new one.
#pragma once

#include <QStringList>

#include "data/employer_record.h"

namespace quillet {

class Clock;

// Appends the findings of the employer record, each a line of two blanks followed by
// its message lines; a correct record adds nothing. A two-character province code is
// capitalised in `employer` on the way.
void CheckEmployerRecord(EmployerRecord& employer, QStringList& findings);

// Writes the tax year and the seven CPP and EI rates that the program knows: those of
// 2000 from 1 September 2000 on, those of 1999 before.
void SetDefaultRates(EmployerRecord& employer, const Clock& clock);

// An employer record that the file does not have yet: all zero but the default rates
// and the EI multiplier of 1.4.
EmployerRecord newEmployerRecord(const Clock& clock);

}  // namespace quillet
