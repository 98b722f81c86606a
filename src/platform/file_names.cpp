// Quillet — file names as the operating system holds them: bytes, not always UTF-8.
#include "platform/file_names.h"

#include <sys/stat.h>

namespace quillet::platform {
namespace {

constexpr char16_t EscapeBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at `s` (at most `left` bytes), or 0.
int sequenceLength(const unsigned char* s, qsizetype left, char32_t& code) {
  const unsigned char lead = s[0];
  int length;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1Fu, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0Fu, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07u, minimum = 0x10000;
  } else {
    return 0;
  }
  if (left < length) return 0;
  for (int i = 1; i < length; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    code = (code << 6) | (s[i] & 0x3Fu);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < minimum || surrogate || code > 0x10FFFF ? 0 : length;
}

}  // namespace

QString decodeFileName(const QByteArray& bytes) {
  QString name;
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.constData());
  for (qsizetype i = 0; i < bytes.size();) {
    if (s[i] < 0x80) {
      name += QChar(s[i++]);
      continue;
    }
    char32_t code = 0;
    const int length = sequenceLength(s + i, bytes.size() - i, code);
    if (length == 0) {
      name += QChar(char16_t(EscapeBase + s[i++]));
      continue;
    }
    const char32_t one[] = {code};
    name += QString::fromUcs4(one, 1);
    i += length;
  }
  return name;
}

QByteArray encodeFileName(const QString& name) {
  QByteArray bytes;
  qsizetype plainFrom = 0;
  const auto flushPlain = [&](qsizetype upTo) {
    bytes += name.mid(plainFrom, upTo - plainFrom).toUtf8();
  };
  for (qsizetype i = 0; i < name.size(); ++i) {
    const char16_t unit = name.at(i).unicode();
    const bool escaped = unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF &&
                         !(i > 0 && name.at(i - 1).isHighSurrogate());
    if (!escaped) continue;
    flushPlain(i);
    bytes += char(unit - EscapeBase);
    plainFrom = i + 1;
  }
  flushPlain(name.size());
  return bytes;
}

PathFacts pathFacts(const QString& path) {
  struct stat info {};
  if (path.isEmpty() || ::stat(encodeFileName(path).constData(), &info) != 0) return {};
  return {true,
          S_ISREG(info.st_mode),
          QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 +
                                         info.st_mtim.tv_nsec / 1000000),
          quint64(info.st_dev),
          quint64(info.st_ino),
          int(info.st_nlink)};
}

bool sameFile(const QString& a, const QString& b) {
  const PathFacts one = pathFacts(a);
  const PathFacts other = pathFacts(b);
  return one.exists && other.exists && one.device == other.device && one.inode == other.inode;
}

}  // namespace quillet::platform
