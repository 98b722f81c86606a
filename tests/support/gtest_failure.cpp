// Quillet tests — scripted-Ui failures reported to GoogleTest.
#include <gtest/gtest.h>

#include "scripted_ui.h"

namespace quillet::test {

void reportTestFailure(const QString& what) { ADD_FAILURE() << what.toStdString(); }

}  // namespace quillet::test
