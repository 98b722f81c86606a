// Quillet tests — the desktop program's command line.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

using namespace quillet;

namespace {

TEST(CommandLine, namesTheFileAndThePrintRequestInAnyOrder) {
  struct Case {
    QStringList args;
    QString file;
    bool print;
  };
  const Case cases[] = {
      {{"C:\\DATA\\ACME.T4E", "/p"}, "C:\\DATA\\ACME.T4E", true},
      {{"/P", "C:\\DATA\\ACME.T4E"}, "C:\\DATA\\ACME.T4E", true},
      {{"ACME.TXT"}, "", false},
      {{"first.t4e", "second.T4E"}, "second.T4E", false},
      {{}, "", false},
      {{"/home/pat/Payroll/ACME.T4E"}, "/home/pat/Payroll/ACME.T4E", false},
      {{"~/Payroll/x.t4e", "/Print"}, "~/Payroll/x.t4e", false},
  };
  for (const Case& c : cases) {
    const CommandLine line = parseCommandLine(c.args);
    EXPECT_EQ(line.t4FileName, c.file) << c.args.join(' ').toStdString();
    EXPECT_EQ(line.print, c.print) << c.args.join(' ').toStdString();
  }
}

}  // namespace
