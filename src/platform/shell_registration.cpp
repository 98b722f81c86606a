// Quillet — the shell's knowledge of .t4e files: which program opens and prints them.
#include "platform/shell_registration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace quillet::platform {
namespace {

// Writes `content` unless the file holds it already, whole or not at all: a registration
// that cannot be written keeps the old one, and the next start-up tries again. True when
// the file was written.
bool writeIfChanged(const QString& path, const QByteArray& content) {
  QFile existing(path);
  if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content) return false;
  existing.close();
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
}

// Runs a desktop's cache tool on `folder`, an argument list and no shell; a desktop
// without the tool needs none.
void refreshCache(const char* tool, const QString& folder) {
  const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
  if (!program.isEmpty()) QProcess::startDetached(program, {folder});
}

QString quoted(const QString& path) { return path.contains(u' ') ? u'"' + path + u'"' : path; }

}  // namespace

QString userDataHome() {
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  return xdg.isEmpty() ? QDir::home().filePath(QStringLiteral(".local/share")) : xdg;
}

#ifdef Q_OS_WIN

void registerShell(const QString& programPath, const QString&) {
  const QString program = QDir::toNativeSeparators(programPath);
  QSettings classes(QStringLiteral("HKEY_CLASSES_ROOT"), QSettings::NativeFormat);
  classes.setValue(QStringLiteral(".t4e/Default"), QStringLiteral("Quillet"));
  classes.setValue(QStringLiteral("Quillet/Default"), QStringLiteral("Quillet"));
  classes.setValue(QStringLiteral("Quillet/DefaultIcon/Default"), program);
  classes.setValue(QStringLiteral("Quillet/shell/open/command/Default"),
                   program + QStringLiteral(" %1"));
  classes.setValue(QStringLiteral("Quillet/shell/print/command/Default"),
                   program + QStringLiteral(" /p %1"));
}

void registerAppPath(const QString& programPath) {
  QSettings paths(
      QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
                     "Paths\\Quillet.exe"),
      QSettings::NativeFormat);
  paths.setValue(QStringLiteral("Default"), QDir::toNativeSeparators(programPath));
  paths.setValue(QStringLiteral("Path"),
                 QDir::toNativeSeparators(QFileInfo(programPath).absolutePath()));
}

#else

void registerShell(const QString& programPath, const QString& dataHome) {
  const QString program = quoted(programPath);
  const QByteArray desktop = QStringLiteral(
                                 "[Desktop Entry]\n"
                                 "Type=Application\n"
                                 "Name=Quillet\n"
                                 "Comment=Preparation & Printing of Revenue Canada T4 Forms\n"
                                 "Exec=%1 %f\n"
                                 "MimeType=application/x-quillet-t4e;application/x-quillet-t4a;\n"
                                 "Terminal=false\n"
                                 "Categories=Office;Finance;\n"
                                 "Actions=Print;\n"
                                 "\n"
                                 "[Desktop Action Print]\n"
                                 "Name=Print T4 Forms\n"
                                 "Exec=%1 /p %f\n")
                                 .arg(program)
                                 .toUtf8();
  const QDir data(dataHome);
  if (writeIfChanged(data.filePath(QStringLiteral("applications/quillet.desktop")), desktop))
    refreshCache("update-desktop-database", data.filePath(QStringLiteral("applications")));
  const QByteArray mime =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      "  <mime-type type=\"application/x-quillet-t4e\">\n"
      "    <comment>Quillet T4 file</comment>\n"
      "    <glob pattern=\"*.t4e\"/>\n"
      "  </mime-type>\n"
      "  <mime-type type=\"application/x-quillet-t4a\">\n"
      "    <comment>Quillet T4A file</comment>\n"
      "    <glob pattern=\"*.t4a\"/>\n"
      "  </mime-type>\n"
      "</mime-info>\n";
  if (writeIfChanged(data.filePath(QStringLiteral("mime/packages/quillet-t4e.xml")), mime))
    refreshCache("update-mime-database", data.filePath(QStringLiteral("mime")));
}

void registerAppPath(const QString&) {}

#endif

}  // namespace quillet::platform
