// Quillet — every dialog the desktop program's commands show.
#pragma once

#include "efile/efile_ui.h"
#include "payroll_import/payroll_ui.h"
#include "screens/screens_ui.h"

namespace quillet {

class AppUi : public EfileUi, public ScreensUi, public PayrollUi {};

}  // namespace quillet
