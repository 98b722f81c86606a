// Quillet — file names as the operating system holds them: bytes, not always UTF-8.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace quillet::platform {

// A file name's bytes as text: UTF-8 where they are UTF-8, and each byte that is not
// as the lone code unit U+DC80 + (byte - 0x80), so that every name the system can hold
// comes back whole from encodeFileName.
QString decodeFileName(const QByteArray& bytes);
QByteArray encodeFileName(const QString& name);

// What the file system tells of a path, following links.
struct PathFacts {
  bool exists = false;
  bool regular = false;  // a plain file: not a folder, a FIFO, a socket or a device
  QDateTime modified;
  quint64 device = 0;
  quint64 inode = 0;
  int links = 0;  // its names (hard links)
};
PathFacts pathFacts(const QString& path);

// True when both paths name one file, under whatever names or links.
bool sameFile(const QString& a, const QString& b);

}  // namespace quillet::platform
