// Quillet tests — outputs compared with the ones recorded under tests/golden.
#include "golden.h"

#include <QFile>
#include <QRegularExpression>

#include "scripted_ui.h"
#include "test_files.h"

namespace quillet::test {

QString goldenPath(const QString& name) {
  return QStringLiteral(QUILLET_GOLDEN_DIR "/") + name + QStringLiteral(".txt");
}

void expectGolden(const QString& name, QString actual, const QString& folder) {
  if (!folder.isEmpty()) actual.replace(folder, QStringLiteral("<folder>"));
  // The free space of the disk changes from one run to the next.
  static const QRegularExpression disk(QStringLiteral("size is -?\\d+ and it has -?\\d+ bytes"));
  actual.replace(disk, QStringLiteral("size is <size> and it has <free> bytes"));
  const QString path = goldenPath(name);
  // A recording is rewritten on a developer's machine only: in CI it must be compared.
  if (qEnvironmentVariableIsSet("QUILLET_UPDATE_GOLDEN") && qEnvironmentVariableIsSet("CI"))
    return reportTestFailure("QUILLET_UPDATE_GOLDEN is set in CI: " + path + " was not rewritten");
  if (qEnvironmentVariableIsSet("QUILLET_UPDATE_GOLDEN")) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(actual.toUtf8()) != actual.toUtf8().size())
      reportTestFailure("cannot record " + path);
    return;
  }
  const QString expected = QString::fromUtf8(readWholeFile(path));
  if (expected.isEmpty()) return reportTestFailure("no recorded output " + path);
  if (actual != expected)
    reportTestFailure(
        QStringLiteral("%1 differs from its recorded output:\n--- recorded\n%2--- now\n%3")
            .arg(name, expected, actual));
}

void expectRecordedTable(const QString& name, const std::function<QString(const QString&)>& outcome,
                         const QString& folder) {
  const QString path = goldenPath(name);
  QString all;
  for (const QString& line : QString::fromUtf8(readWholeFile(path)).split(u'\n')) {
    if (!line.startsWith(QStringLiteral("== "))) continue;
    const QString result = outcome(line.mid(3));
    // A case that finds nothing says so on its line, with why: "(not checked)".
    if (result.trimmed().isEmpty() && !line.section(QStringLiteral(" | "), 0, 0).contains(u'('))
      reportTestFailure(name + ": " + line + " finds nothing, and its line does not say why");
    all += line + u'\n' + result;
  }
  if (all.isEmpty()) return reportTestFailure("no cases in " + path);
  expectGolden(name, all, folder);
}

}  // namespace quillet::test
