// Quillet — the shell's knowledge of .t4e files: which program opens and prints them.
#pragma once

#include <QString>

namespace quillet::platform {

// Windows: the classes-root keys of the .t4e type with its open and print commands.
// Elsewhere: a freedesktop desktop entry that opens and prints .t4e (and .t4a) files and
// shared-mime-info types for *.t4e and *.t4a, under `dataHome` (the user's XDG data folder), each
// written again only when its content changed. Places that cannot be written are skipped.
void registerShell(const QString& programPath, const QString& dataHome);

// Windows: the App Paths entry of the program. Elsewhere the desktop entry serves.
void registerAppPath(const QString& programPath);

// The user's XDG data folder ($XDG_DATA_HOME, or ~/.local/share).
QString userDataHome();

}  // namespace quillet::platform
