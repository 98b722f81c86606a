// Quillet tests — scripted-Ui failures reported to Qt Test.
#include <QTest>

#include "scripted_ui.h"

namespace quillet::test {

void reportTestFailure(const QString& what) { QTest::qFail(qPrintable(what), __FILE__, __LINE__); }

}  // namespace quillet::test
