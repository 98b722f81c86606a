// Quillet — what the desktop program's command line asks for.
#include "app/command_line.h"

namespace quillet {

CommandLine parseCommandLine(const QStringList& args) {
  CommandLine line;
  for (const QString& arg : args) {
    // Only "/P" itself: a path such as /home/pat/ACME.T4E holds "/P" too.
    if (arg.compare(QLatin1String("/P"), Qt::CaseInsensitive) == 0) {
      line.print = true;
    } else if (arg.contains(QLatin1String(".T4E"), Qt::CaseInsensitive) ||
               arg.contains(QLatin1String(".T4A"), Qt::CaseInsensitive)) {
      line.t4FileName = arg;
    }
  }
  return line;
}

}  // namespace quillet
