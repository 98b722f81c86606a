// Quillet — the payroll product's DOS paths ("C:\DATA\CO1\WGBT4.DTA") as paths of this machine.
#include "platform/dos_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

#include "platform/disk_info.h"

namespace quillet::platform {

QString nativePath(const QString& dosPath, const DriveTable& drives) {
#ifdef Q_OS_WIN
  Q_UNUSED(drives);
  return dosPath;
#else
  QString rest = dosPath;
  QString drive;
  if (rest.size() >= 2 && rest.at(1) == u':') {
    const QChar letter = rest.at(0).toUpper();
    drive = drives ? drives(letter) : QString();
    if (drive.isEmpty()) drive = driveFolder(letter);
    if (drive.isEmpty()) return dosPath;
    rest = rest.mid(2);
  }
  const bool absolute = rest.startsWith(u'\\') || rest.startsWith(u'/');
  QString root = drive;
  if (root.isEmpty()) root = absolute ? QStringLiteral("/") : QDir::currentPath();
  // "." and ".." are taken by name, never by the file system: ".." that would climb above
  // the drive's folder leaves the whole DOS path as one name inside that folder, which
  // names no file there, so that whatever uses it meets an ordinary file failure.
  QStringList kept;
  for (const QString& component :
       rest.split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts)) {
    if (component == u'.') continue;
    if (component != QLatin1String("..")) {
      kept << component;
    } else if (!kept.isEmpty()) {
      kept.removeLast();
    } else if (!drive.isEmpty()) {
      return QDir(drive).filePath(QString(rest).replace(u'/', u'\\'));
    }
  }
  QString path = root;
  for (const QString& component : kept) {
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
  if ((dosPath.endsWith(u'\\') || dosPath.endsWith(u'/')) && !path.endsWith(u'/')) path += u'/';
  return path;
#endif
}

QString dosPath(const QString& native, const DriveTable& drives) {
#ifdef Q_OS_WIN
  Q_UNUSED(drives);
  return native;
#else
  const QString path = QFileInfo(native).absoluteFilePath();
  const QString canonical = QFileInfo(path).canonicalFilePath();
  QString best;
  QChar bestLetter;
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
    QString folder = drives ? drives(QChar(letter)) : QString();
    if (folder.isEmpty()) folder = driveFolder(QChar(letter));
    folder = QFileInfo(folder).canonicalFilePath();
    if (folder.isEmpty() || folder.size() <= best.size()) continue;
    const QString within = canonical.isEmpty() ? path : canonical;
    if (within == folder || within.startsWith(folder + u'/')) {
      best = folder;
      bestLetter = QChar(letter);
    }
  }
  if (best.isEmpty()) return native;
  const QString within = canonical.isEmpty() ? path : canonical;
  return QString(bestLetter) + QStringLiteral(":\\") +
         within.mid(best.size() + 1).replace(u'/', u'\\');
#endif
}

int dosErrorCode(int systemError, int fallback) {
  switch (systemError) {
    case ENOENT:
      return 2;  // FILE NOT FOUND
    case ENOTDIR:
      return 3;  // PATH NOT FOUND
    case EMFILE:
    case ENFILE:
      return 4;  // TOO MANY OPEN FILES
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return 5;  // FILE ACCESS DENIED
    case EBADF:
      return 6;  // INVALID FILE HANDLE
    case ENOMEM:
      return 8;  // NOT ENOUGH MEMORY
    case EIO:
      return 30;  // READ ERROR
    case ENOSPC:
      return 101;  // DISK WRITE ERROR (IS DISK FULL?)
    default:
      return fallback;
  }
}

}  // namespace quillet::platform
