// Quillet — a file opened with the program's share modes (POSIX: flock and fcntl).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "platform/file_names.h"
#include "platform/file_replacement.h"
#include "platform/shared_file.h"

namespace quillet::platform {

QString cannotOpenMessage(const QString& path) {
  return QStringLiteral("Cannot open file %1").arg(path);
}

QString cannotCreateMessage(const QString& path) {
  return QStringLiteral("Cannot create file %1").arg(path);
}

QString cannotWriteMessage(const QString& path) {
  return QStringLiteral("Cannot write file %1").arg(path);
}

QString heldOpenMessage(const QString& path) {
  return QStringLiteral("Cannot open file %1: another program has it open.").arg(path);
}

bool SharedFile::lockWhole(bool exclusive, bool wait) {
  const int how = exclusive ? LOCK_EX : LOCK_SH;
  if (::flock(m_fd, wait ? how : how | LOCK_NB) != 0) return false;
  // Programs that lock by record (fcntl) do not see flock's locks, nor it theirs: both
  // are taken. An open file description's lock is released with it, as flock's is.
  struct flock range {};
  range.l_type = exclusive ? F_WRLCK : F_RDLCK;
  range.l_whence = SEEK_SET;
  return ::fcntl(m_fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range) == 0;
}

FileResult<SharedFile> SharedFile::open(const QString& path, OpenMode mode) {
  // Non-blocking, so that a FIFO is refused instead of waiting for a writer for ever.
  int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  int lock = 0;
  switch (mode) {
    case OpenMode::ReadWriteDenyWrite:
      flags |= O_RDWR;
      lock = LOCK_EX;
      break;
    case OpenMode::Create:
      flags |= O_RDWR | O_CREAT;
      lock = LOCK_EX;
      break;
    case OpenMode::ReadDenyWrite:
      flags |= O_RDONLY;
      lock = LOCK_SH;
      break;
    case OpenMode::ReadOnly:
      flags |= O_RDONLY;
      break;
  }
  const bool creating = mode == OpenMode::Create;
  const auto failure = [&](int systemError = errno) {
    if (systemError == EWOULDBLOCK || systemError == EAGAIN)
      return FileError{heldOpenMessage(path), systemError};
    return FileError{creating ? cannotCreateMessage(path) : cannotOpenMessage(path), systemError};
  };
  if (lock == LOCK_EX) removeStaleReplacements(path);

  const QByteArray native = encodeFileName(path);
  // A writer that replaces the file puts a new one at the path; one opened just before
  // would be locked after it was replaced, and be a deleted file. The lock counts only
  // once the path is seen to name the locked file still.
  for (int attempt = 0;; ++attempt) {
    // A device is not even opened: opening some has effects of its own.
    struct stat info {};
    if (::stat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode)) return failure(EACCES);
    const int fd = ::open(native.constData(), flags, 0666);
    if (fd < 0) return failure();
    SharedFile file(fd);

    if (::fstat(fd, &info) != 0) return failure();
    if (!S_ISREG(info.st_mode)) return failure(EACCES);
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) return failure();
    if (lock != 0 && !file.lockWhole(lock == LOCK_EX))
      return failure(errno == EACCES ? EWOULDBLOCK : errno);
    if (lock != 0 && !file.isFile(path)) {
      if (attempt < 10) continue;
      return failure(EWOULDBLOCK);
    }
    // Emptied only once the lock is held, so that a file another opener holds is never
    // cut short.
    if (creating && ::ftruncate(fd, 0) != 0) return failure();
    return file;
  }
}

FileResult<QByteArray> readWholeFile(const QString& path) {
  auto file = SharedFile::open(path, OpenMode::ReadOnly);
  if (!file) return file.error();
  QByteArray bytes;
  for (;;) {
    const qsizetype at = bytes.size();
    bytes.resize(at + (1 << 16));
    const int64_t got =
        file->readAt(at, {reinterpret_cast<uint8_t*>(bytes.data()) + at, std::size_t(1 << 16)});
    bytes.resize(at + qsizetype(got));
    if (file->lastError() != 0) return FileError{cannotOpenMessage(path), file->lastError()};
    if (got == 0) return bytes;
  }
}

int64_t copyContents(const SharedFile& from, SharedFile& to) {
  std::vector<uint8_t> block(1 << 20);
  int64_t copied = 0;
  for (;;) {
    const int64_t got = from.readAt(copied, block);
    if (got <= 0) return copied;
    if (to.writeAt(copied, std::span<const uint8_t>(block).first(std::size_t(got))) != got)
      return copied;
    copied += got;
  }
}

SharedFile::SharedFile(SharedFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_lastError(other.m_lastError) {}

SharedFile& SharedFile::operator=(SharedFile&& other) noexcept {
  if (this != &other) {
    close();
    m_fd = std::exchange(other.m_fd, -1);
    m_lastError = other.m_lastError;
  }
  return *this;
}

SharedFile::~SharedFile() { close(); }

void SharedFile::close() {
  if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
  m_fd = -1;
}

int64_t SharedFile::readAt(int64_t position, std::span<uint8_t> buffer) const {
  m_lastError = 0;
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t n = ::pread(m_fd, buffer.data() + done, buffer.size() - done,
                              static_cast<off_t>(position) + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) m_lastError = errno;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<int64_t>(done);
}

int64_t SharedFile::writeAt(int64_t position, std::span<const uint8_t> buffer) {
  m_lastError = 0;
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t n = ::pwrite(m_fd, buffer.data() + done, buffer.size() - done,
                               static_cast<off_t>(position) + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) m_lastError = errno;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<int64_t>(done);
}

int64_t SharedFile::size() const {
  struct stat info {};
  if (::fstat(m_fd, &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

bool SharedFile::sync() { return m_fd >= 0 && ::fdatasync(m_fd) == 0; }

bool SharedFile::truncate(int64_t size) {
  return m_fd >= 0 && ::ftruncate(m_fd, static_cast<off_t>(size)) == 0;
}

bool SharedFile::setModified(const QDateTime& when) {
  const qint64 ms = when.toMSecsSinceEpoch();
  const timespec times[2] = {{0, UTIME_OMIT}, {time_t(ms / 1000), long(ms % 1000) * 1000000}};
  return m_fd >= 0 && ::futimens(m_fd, times) == 0;
}

bool SharedFile::isFile(const QString& path) const {
  struct stat mine {
  }, theirs{};
  return m_fd >= 0 && ::fstat(m_fd, &mine) == 0 &&
         ::stat(encodeFileName(path).constData(), &theirs) == 0 && mine.st_dev == theirs.st_dev &&
         mine.st_ino == theirs.st_ino;
}

}  // namespace quillet::platform
