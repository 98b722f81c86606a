// Quillet — the payroll product's DOS paths ("C:\DATA\CO1\WGBT4.DTA") as paths of this machine.
#include "platform/dos_paths.h"

#include <QDir>
#include <QRegularExpression>

#include "platform/disk_info.h"

namespace quillet::platform {

QString nativePath(const QString& dosPath, const DriveTable& drives) {
#ifdef Q_OS_WIN
  Q_UNUSED(drives);
  return dosPath;
#else
  QString rest = dosPath;
  QString path;
  if (rest.size() >= 2 && rest.at(1) == u':') {
    const QChar letter = rest.at(0).toUpper();
    path = drives ? drives(letter) : QString();
    if (path.isEmpty()) path = driveFolder(letter);
    if (path.isEmpty()) return dosPath;
    rest = rest.mid(2);
  }
  const bool absolute = rest.startsWith(u'\\') || rest.startsWith(u'/');
  if (path.isEmpty()) path = absolute ? QStringLiteral("/") : QDir::currentPath();
  const QStringList components =
      rest.split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
  for (const QString& component : components) {
    QString actual = component;
    const QDir folder(path);
    for (const QString& entry :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
      if (entry.compare(component, Qt::CaseInsensitive) == 0) {
        actual = entry;
        break;
      }
    }
    path = folder.filePath(actual);
  }
  if (dosPath.endsWith(u'\\') || dosPath.endsWith(u'/')) path += u'/';
  return path;
#endif
}

}  // namespace quillet::platform
