// Quillet — the year-end conversion's set-up dialog.
#pragma once

#include <QString>

#include "reports/print_ui.h"

namespace quillet {

// The year-end conversion's set-up questions, asked once for all employees.
struct PayrollSetUp {
  bool includeBox20 = false;  // RPP contributions
  bool includeBox44 = false;  // union dues
  QString registration;       // box 50, at most 7 characters
};

// The payroll import asks its set-up and prints its source register.
class PayrollUi : public virtual PrintUi {
 public:
  // However it closes, its answers stand.
  virtual void askPayrollSetUp(PayrollSetUp& answers) = 0;
};

}  // namespace quillet
