// Quillet — the T4 or T4A slip drawn whole on plain paper, for the tax year of the file.
#pragma once

#include <QString>
#include <vector>

#include "data/employer_record.h"
#include "data/slip_record.h"
#include "reports/form_canvas.h"

namespace quillet {

// Which copy a slip is: the employee's (a T4A's recipient's) two on one sheet, the
// employer's (payer's) account number left blank, the employer's (payer's), or CRA's for a
// paper filing (two slips a sheet).
enum class SlipCopy { Employee, Employer, Cra };

// What one box of the slip holds, taken from the employer and the T4 or T4A record.
struct SlipSource {
  const EmployerRecord& employer;
  const SlipRecord& record;
  SlipCopy copy;
};

// One box of the slip: where it stands (hundredths of an inch from the slip's top-left
// corner), what it is called (in English, then in French on a line of its own), its value,
// and the first tax year whose slip has it.
struct SlipBox {
  const char* number;
  const char* caption;
  FormRect rect;
  FormAlign align;
  QString (*value)(const SlipSource&);
  int fromYear = 0;
};

// The slip's size, and the distance from one slip to the next on a sheet: at the largest
// top margin the set-up allows (one inch), the lower slip still ends a quarter inch above
// the foot of a Letter sheet.
constexpr int SlipWidth = 750, SlipHeight = 465, SlipPitch = 510;

// The employer's name (its three lines) and address, as the Summary shows them.
QString employerNameAndAddress(const EmployerRecord& employer);

// The boxes of the slip of `kind` of `year`, in drawing order.
std::vector<SlipBox> slipBoxes(int year, SlipKind kind = SlipKind::T4);

// Draws the slip of `record` (a T4 or a T4A, by its record type) with the canvas's origin
// at the slip's top-left corner.
void drawSlip(FormCanvas& canvas, const SlipSource& source);

}  // namespace quillet
