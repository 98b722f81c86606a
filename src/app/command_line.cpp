// Quillet — what the desktop program's command line asks for.
#include "app/command_line.h"

namespace quillet {

CommandLine parseCommandLine(const QStringList& args) {
  CommandLine line;
  for (const QString& arg : args) {
    const QString upper = arg.toUpper();
    if (upper.contains(QStringLiteral("/P"))) {
      line.print = true;
    } else if (upper.contains(QStringLiteral(".T4E"))) {
      line.t4FileName = arg;
    }
  }
  return line;
}

}  // namespace quillet
