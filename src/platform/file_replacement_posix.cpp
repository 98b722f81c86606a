// Quillet — a whole file made anew beside the one it replaces, then put in its place.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

#include "platform/file_names.h"
#include "platform/file_replacement.h"

namespace quillet::platform {
namespace {

QByteArray folderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return ".";
  return slash == 0 ? QByteArray("/") : path.left(slash);
}

constexpr char SuffixLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr int SuffixLength = 8;

QByteArray randomSuffix() {
  QByteArray suffix(SuffixLength, '0');
  for (char& c : suffix) c = SuffixLetters[QRandomGenerator::global()->bounded(36)];
  return suffix;
}

// The file a path names: a link's target, or the path itself for what does not exist.
QByteArray resolved(const QByteArray& path) {
  char real[PATH_MAX];
  return ::realpath(path.constData(), real) != nullptr ? QByteArray(real) : path;
}

// ".NAME.~" and eight letters or digits: a new file of a replacement of NAME.
bool isReplacementOf(const QByteArray& entry, const QByteArray& base) {
  const QByteArray start = "." + base + ".~";
  if (entry.size() != start.size() + SuffixLength || !entry.startsWith(start)) return false;
  return std::all_of(entry.begin() + start.size(), entry.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
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
      m_held(std::move(other.m_held)),
      m_temporary(std::exchange(other.m_temporary, {})),
      m_target(std::move(other.m_target)),
      m_name(std::move(other.m_name)) {}

FileReplacement::~FileReplacement() {
  if (!m_temporary.isEmpty()) ::unlink(m_temporary.constData());
}

void removeStaleReplacements(const QString& path) {
  const QByteArray target = resolved(encodeFileName(path));
  const QByteArray folder = folderOf(target);
  const QByteArray base = target.mid(target.lastIndexOf('/') + 1);
  DIR* entries = ::opendir(folder.constData());
  if (entries == nullptr) return;
  while (const dirent* entry = ::readdir(entries)) {
    if (!isReplacementOf(entry->d_name, base)) continue;
    const QByteArray name = folder + '/' + entry->d_name;
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    // A replacement that lives holds its new file locked; a killed one held it no more.
    struct stat mine {
    }, named{};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &mine) == 0 && S_ISREG(mine.st_mode) &&
        ::lstat(name.constData(), &named) == 0 && named.st_ino == mine.st_ino &&
        named.st_dev == mine.st_dev) {
      ::unlink(name.constData());
    }
    ::close(fd);
  }
  ::closedir(entries);
}

QString otherNamesNote(const QString& path) {
  const PathFacts facts = pathFacts(path);
  const int others = facts.regular ? facts.links - 1 : 0;
  if (others <= 0) return {};
  return QStringLiteral(
             "Note: %1 has %2 other name(s) (hard links), which keep the file as it was: "
             "only %1 takes the new one.")
      .arg(path)
      .arg(others);
}

FileResult<FileReplacement> FileReplacement::begin(const QString& target) {
  const FileError failure{cannotCreateMessage(target)};
  QByteArray path = encodeFileName(target);
  if (path.isEmpty()) return failure;
  mode_t mode = 0666;  // less the umask, for a file that is new
  struct stat info {};
  const bool replacing = ::stat(path.constData(), &info) == 0;
  if (replacing) {
    if (!S_ISREG(info.st_mode)) return failure;
    path = resolved(path);
    mode = (info.st_mode & 07777) | S_IWUSR;
  }
  removeStaleReplacements(target);
  const QByteArray folder = folderOf(path);
  const QByteArray base = path.mid(path.lastIndexOf('/') + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QByteArray temporary = folder + "/." + base + ".~" + randomSuffix();
    const int fd = ::open(temporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return failure;
    FileReplacement replacement(SharedFile(fd), temporary, path, target);
    // Another's clean-up may have taken it for a killed replacement's between its making
    // and this lock: then it has no name any more, and another is made.
    struct stat made {};
    if (!replacement.m_file.lockWhole(true, true) || ::fstat(fd, &made) != 0) return failure;
    if (made.st_nlink == 0) {
      replacement.m_temporary.clear();
      continue;
    }
    if (replacing) {
      // The owner and group stay where the process may give them (as root); a group of
      // the user's own may always be kept. Neither is a failure: the file stays the user's.
      if (::fchown(fd, info.st_uid, info.st_gid) != 0) (void)::fchown(fd, uid_t(-1), info.st_gid);
      // The umask does not narrow the permissions of a file that is replaced.
      if (::fchmod(fd, mode) != 0) return failure;
    }
    return replacement;
  }
  return failure;
}

FileResult<FileReplacement> FileReplacement::beginOutput(const QString& target) {
  std::optional<SharedFile> held;
  if (pathFacts(target).exists) {
    auto opened = SharedFile::open(target, OpenMode::ReadDenyWrite);
    if (!opened) return FileError{cannotCreateMessage(target)};
    held = std::move(*opened);
  }
  auto replacement = begin(target);
  if (replacement) replacement->m_held = std::move(held);
  return replacement;
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
