// Quillet tests — scripted-Ui failures reported to Qt Test.
#include "scripted_ui.h"

#include <QTest>

namespace quillet::test {

void reportTestFailure(const QString& what) {
  QTest::qFail(qPrintable(what), __FILE__, __LINE__);
}

}  // namespace quillet::test
