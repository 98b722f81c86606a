// Quillet — the order of the employee index: the user's locale, case ignored.
#pragma once

#include <QCollator>

namespace quillet {

// A case-insensitive collator for the default locale. The "C"/POSIX locale has no
// collation of its own (it would compare code points), so it falls back to English,
// whose collation is the root collation.
QCollator indexCollator();

}  // namespace quillet
