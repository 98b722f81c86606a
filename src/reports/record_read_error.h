// Quillet — the message of a T4 record that a printing run cannot read.
#pragma once

#include <QString>
#include <cstdint>

namespace quillet {

// `what` names the run: "T4 Forms", "T4 Labels".
QString printingReadError(int64_t offset, const QString& what);

}  // namespace quillet
