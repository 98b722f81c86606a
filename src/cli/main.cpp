// Quillet — quillet-cli, the batch face of the program.
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "cli/cli.h"
#include "platform/file_names.h"

namespace {

// Standard error carries the program's own messages only; Qt's notes (no runtime
// folder, no display) are not for the user of a batch tool.
void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(quietQtNotes);
  // Taken before Qt sees them, byte for byte: every file name the system can hold comes
  // back whole when the file is opened, whether or not it is UTF-8.
  QStringList args;
  for (int i = 1; i < argc; ++i) args << quillet::platform::decodeFileName(QByteArray(argv[i]));
  // Fonts and PDF output need a GUI application, never a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;  // Qt's own options (-platform, --style, …) are not the batch tool's
  QGuiApplication app(qtArgc, argv);
  QFile outFile, errFile;
  if (!outFile.open(stdout, QIODevice::WriteOnly) || !errFile.open(stderr, QIODevice::WriteOnly)) {
    return 2;
  }
  // Each stream flushes what it holds as it closes, before its file does.
  QTextStream out(&outFile);
  QTextStream err(&errFile);
  return quillet::cli::run(args, out, err);
}
