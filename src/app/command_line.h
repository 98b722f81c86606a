// Quillet — what the desktop program's command line asks for.
#pragma once

#include <QStringList>

namespace quillet {

struct CommandLine {
  QString t4FileName;  // the last argument naming a .T4E (or .T4A) file, as typed
  bool print = false;  // "/P": print that file's T4 forms at once
};

// Arguments without the program name. The print flag is an argument "/P" (or "/p");
// ".T4E" (and a T4A file's ".T4A") is found in any case; other arguments are ignored.
CommandLine parseCommandLine(const QStringList& args);

}  // namespace quillet
