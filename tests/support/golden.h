// Quillet tests — outputs compared with the ones recorded under tests/golden.
#pragma once

#include <QString>

namespace quillet::test {

// Compares `actual`, with `folder` written as <folder>, with tests/golden/<name>.txt.
// QUILLET_UPDATE_GOLDEN=1 records it anew (only when a change is meant to alter it).
void expectGolden(const QString& name, QString actual, const QString& folder = {});

}  // namespace quillet::test
