// Quillet — a whole file made anew beside the one it replaces, then put in its place.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/file_names.h"
#include "platform/file_replacement.h"

namespace quillet::platform {
namespace {

QByteArray folderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return ".";
  return slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray randomSuffix() {
  static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  QByteArray suffix(8, '0');
  for (char& c : suffix) c = letters[QRandomGenerator::global()->bounded(36)];
  return suffix;
}

// The folder's entry for a renamed file is made durable too; a file system that cannot
// sync a folder has nothing more to give, so that is not a failure.
void syncFolder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

FileReplacement::FileReplacement(SharedFile file, QByteArray temporary, QByteArray target,
                                 QString name)
    : m_file(std::move(file)),
      m_temporary(std::move(temporary)),
      m_target(std::move(target)),
      m_name(std::move(name)) {}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : m_file(std::move(other.m_file)),
      m_temporary(std::move(other.m_temporary)),
      m_target(std::move(other.m_target)),
      m_name(std::move(other.m_name)) {
  other.m_temporary.clear();
}

FileReplacement::~FileReplacement() {
  if (!m_temporary.isEmpty()) ::unlink(m_temporary.constData());
}

FileResult<FileReplacement> FileReplacement::begin(const QString& target) {
  const FileError failure{cannotCreateMessage(target)};
  QByteArray path = encodeFileName(target);
  if (path.isEmpty()) return failure;
  mode_t mode = 0666;  // less the umask, for a file that is new
  struct stat info {};
  if (::stat(path.constData(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) return failure;
    char resolved[PATH_MAX];
    if (::realpath(path.constData(), resolved) == nullptr) return failure;
    path = resolved;
    mode = (info.st_mode & 07777) | S_IWUSR;
  }
  const QByteArray folder = folderOf(path);
  const QByteArray base = path.mid(path.lastIndexOf('/') + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QByteArray temporary = folder + "/." + base + ".~" + randomSuffix();
    const int fd = ::open(temporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return failure;
    FileReplacement replacement(SharedFile(fd), temporary, path, target);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return failure;
    // The umask does not narrow the permissions of a file that is replaced.
    if (mode != 0666 && ::fchmod(fd, mode) != 0) return failure;
    return replacement;
  }
  return failure;
}

FileResult<SharedFile> FileReplacement::commit() {
  if (m_temporary.isEmpty() || !m_file.sync() ||
      ::rename(m_temporary.constData(), m_target.constData()) != 0) {
    return FileError{cannotCreateMessage(m_name)};
  }
  m_temporary.clear();
  syncFolder(folderOf(m_target));
  return std::move(m_file);
}

}  // namespace quillet::platform
