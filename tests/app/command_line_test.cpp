// Quillet tests — the desktop program's command line.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QProcess>

#include "golden.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// The file named and the print request, from the arguments after "|".
TEST(CommandLine, namesTheFileAndThePrintRequestInAnyOrder) {
  expectRecordedTable("command_lines", [](const QString& row) {
    const CommandLine line =
        parseCommandLine(QProcess::splitCommand(row.section(QStringLiteral(" | "), 1)));
    return QStringLiteral("file \"%1\"%2\n").arg(line.t4FileName, line.print ? ", print" : "");
  });
}

}  // namespace
