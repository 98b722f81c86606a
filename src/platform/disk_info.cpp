// Quillet — the size and free space of the disk that holds a path.
#include "platform/disk_info.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace quillet::platform {

QString driveFolder(QChar letter) {
  const QChar drive = letter.toUpper();
  if (drive < u'A' || drive > u'Z') return {};
#ifdef Q_OS_WIN
  return QString(drive) + QStringLiteral(":/");
#else
  QString prefix = qEnvironmentVariable("WINEPREFIX");
  if (prefix.isEmpty()) prefix = QDir::home().filePath(QStringLiteral(".wine"));
  const QString mapped =
      QDir(prefix).filePath(QStringLiteral("dosdevices/%1:").arg(drive.toLower()));
  return QFileInfo(mapped).isDir() ? QFileInfo(mapped).canonicalFilePath() : QString();
#endif
}

DiskInfo diskInfo(const QString& path) {
  QString where;
  if (path.size() >= 2 && path.at(1) == u':') {
    where = driveFolder(path.at(0));
    if (where.isEmpty()) return {};
  } else {
    const QFileInfo info(path);
    where = info.isAbsolute() ? info.absolutePath() : QDir::currentPath();
    // The nearest folder that exists holds the path (its own may not exist yet).
    while (!QFileInfo::exists(where)) {
      const QString parent = QFileInfo(where).absolutePath();
      if (parent == where) break;
      where = parent;
    }
  }
  const QStorageInfo storage(where);
  if (!storage.isValid()) return {};
  return {storage.bytesTotal(), storage.bytesAvailable()};
}

}  // namespace quillet::platform
