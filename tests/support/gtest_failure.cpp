// Quillet tests — scripted-Ui failures reported to GoogleTest.
#include "scripted_ui.h"

#include <gtest/gtest.h>

namespace quillet::test {

void reportTestFailure(const QString& what) { ADD_FAILURE() << what.toStdString(); }

}  // namespace quillet::test
