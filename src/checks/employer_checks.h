// Quillet — the checks of the employer record, and the default rates of a new one.
#pragma once

#include <QDate>
#include <QStringList>

#include "data/employer_record.h"

namespace quillet {

class Clock;
struct TaxYearRates;

// Appends the findings of the employer record, each a line of two blanks followed by
// its message lines; a correct record adds nothing. A two-character province code is
// capitalised in `employer` on the way. The payer of T4A slips is not checked for the rates.
void CheckEmployerRecord(EmployerRecord& employer, QStringList& findings,
                         SlipKind kind = SlipKind::T4);

// Writes the tax year of the clock's date (defaultTaxYear) and that year's rates from the
// rates table.
void SetDefaultRates(EmployerRecord& employer, const Clock& clock);

// Writes `rates`' year and every one of its rates, those the year does not have as zero.
void applyRates(EmployerRecord& employer, const TaxYearRates& rates);

// The tax year whose T4s are made on `today`: the current year from 1 September on, the
// year before until then; within the years the rates table knows.
int defaultTaxYear(const QDate& today);

// An employer record that the file does not have yet: all zero but the default rates
// and the EI multiplier of 1.4.
EmployerRecord newEmployerRecord(const Clock& clock);

}  // namespace quillet
