// Quillet — the size and free space of the disk that holds a path.
#pragma once

#include <QString>
#include <cstdint>

namespace quillet::platform {

struct DiskInfo {
  int64_t size = -1;  // bytes; -1: no such drive
  int64_t free = -1;
};

// A path that starts with a drive letter ("Q:") asks of that DOS drive: itself on
// Windows, elsewhere the folder a Wine prefix maps it to (none: an invalid drive). Any
// other path asks of the disk that holds the current folder, or the path itself when it
// is absolute.
DiskInfo diskInfo(const QString& path);

// The folder that DOS drive `letter` stands for here; empty when there is none.
QString driveFolder(QChar letter);

}  // namespace quillet::platform
