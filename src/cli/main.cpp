// Quillet — quillet-cli, the batch face of the program.
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "cli/cli.h"

namespace {

// Standard error carries the program's own messages only; Qt's notes (no runtime
// folder, no display) are not for the user of a batch tool.
void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(quietQtNotes);
  // Fonts and PDF output need a GUI application, never a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QFile outFile, errFile;
  if (!outFile.open(stdout, QIODevice::WriteOnly) || !errFile.open(stderr, QIODevice::WriteOnly)) {
    return 2;
  }
  QTextStream out(&outFile);
  QTextStream err(&errFile);
  const int status = quillet::cli::run(QGuiApplication::arguments().mid(1), out, err);
  out.flush();
  err.flush();
  return status;
}
