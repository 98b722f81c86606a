// Quillet — a file opened with the program's share modes.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <span>

#include "core/file_result.h"

namespace quillet::platform {

enum class OpenMode {
  // An existing T4 file: read and write; others may read but not write.
  ReadWriteDenyWrite,
  // A T4 file that does not exist yet: created empty; others may read but not write.
  Create,
  // The payroll product's year-end file: read only; others may read but not write.
  ReadDenyWrite,
  // Inspection by the batch tool: read only, taking no share lock at all, so that it
  // can read a file that the desktop program holds open.
  ReadOnly,
};

// A file handle whose reads and writes name their byte position. "Others may not
// write" is an advisory lock on POSIX, taken both as flock and as a record lock (fcntl,
// which other programs take): writers take it exclusively, deny-write readers shared, so
// a second writer (in this process or another) fails to open, while plain readers still
// read. A lock that cannot be had is heldOpenMessage. A lock is only had on the file the
// path names once it is held. Only a plain file is opened: a folder, a FIFO or a device
// is refused at once.
class SharedFile {
 public:
  static FileResult<SharedFile> open(const QString& path, OpenMode mode);

  SharedFile(SharedFile&& other) noexcept;
  SharedFile& operator=(SharedFile&& other) noexcept;
  SharedFile(const SharedFile&) = delete;
  SharedFile& operator=(const SharedFile&) = delete;
  ~SharedFile();

  // Both return the bytes moved: fewer than asked at the end of the file or on failure
  // (lastError() then tells the system's reason; 0 when there was none, as at the end).
  int64_t readAt(int64_t position, std::span<uint8_t> buffer) const;
  int64_t writeAt(int64_t position, std::span<const uint8_t> buffer);
  // The file's length in bytes, or -1 when it cannot be told.
  int64_t size() const;
  // Puts what was written on the disk; false when the system could not.
  bool sync();
  bool truncate(int64_t size);
  bool setModified(const QDateTime& when);
  // True when `path` names this very file (the same file under any name or link).
  bool isFile(const QString& path) const;
  int lastError() const { return m_lastError; }

 private:
  friend class FileReplacement;
  explicit SharedFile(int fd) : m_fd(fd) {}
  void close();
  // Locks the whole file against other writers (and, exclusive, other deny-write
  // readers), both as flock and as a record lock; false when another holds it.
  bool lockWhole(bool exclusive, bool wait = false);

  int m_fd = -1;
  mutable int m_lastError = 0;
};

// The whole of a plain file, read without a lock (a spreadsheet, an INI file); the open
// error for a folder, a FIFO or a device, and for a file that cannot be read to its end.
FileResult<QByteArray> readWholeFile(const QString& path);

// Copies `from` into `to` from their starts, a block at a time, until `from` ends, cannot be
// read or a write falls short; gives back how many bytes were copied whole.
int64_t copyContents(const SharedFile& from, SharedFile& to);

QString cannotOpenMessage(const QString& path);
QString cannotCreateMessage(const QString& path);
QString cannotWriteMessage(const QString& path);
// A file that cannot be opened because another writer (here or elsewhere) holds it.
QString heldOpenMessage(const QString& path);

}  // namespace quillet::platform
