// Quillet — quillet-cli, the batch face of the program.
#include <QCoreApplication>
#include <QFile>

#include "cli/cli.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QFile outFile, errFile;
  if (!outFile.open(stdout, QIODevice::WriteOnly) || !errFile.open(stderr, QIODevice::WriteOnly)) {
    return 2;
  }
  QTextStream out(&outFile);
  QTextStream err(&errFile);
  const int status = quillet::cli::run(app.arguments().mid(1), out, err);
  out.flush();
  err.flush();
  return status;
}
