// Quillet fuzzing — what every target shares.
#include "fuzz_support.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdlib>

#include "cli/cli.h"

namespace quillet::fuzz {
namespace {

QTemporaryDir* folder = nullptr;

}  // namespace

void setUp() {
  static int argc = 1;
  static char name[] = "quillet-fuzz";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  folder = new QTemporaryDir;
  if (!folder->isValid()) std::abort();
}

QString folderPath(const QString& name) { return folder->filePath(name); }

QString writeFile(const QString& name, const QByteArray& bytes) {
  const QString path = folderPath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
    std::abort();
  return path;
}

void runCli(const QStringList& args) {
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  cli::run(args, outStream, errStream);
}

}  // namespace quillet::fuzz
