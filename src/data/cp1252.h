// Quillet — Windows-1252 text, the character set of every text field on disk.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <span>

namespace quillet {

// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in the code page; like
// Windows, they are read as the C1 control of the same number so that they survive a
// round trip.
QString decodeCp1252(std::span<const uint8_t> bytes);

// One byte per character; a character outside the code page becomes "?" (a surrogate
// pair is one character, so one "?").
QByteArray encodeCp1252(const QString& text);

}  // namespace quillet
