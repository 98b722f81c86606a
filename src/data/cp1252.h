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

// The text of a file written by a Windows or a Linux program (a spreadsheet, an INI
// file), its encoding decided from the whole of it: the one its
// byte-order mark says (UTF-8, UTF-16 or UTF-32; the mark is dropped), else UTF-8 when the
// bytes are, else Windows-1252. A file that is none of them, or of two (UTF-8 letters
// beside bytes that are not UTF-8), gives an empty text and `error` naming the first line
// that is not of its encoding, as the rest of `document` ("spreadsheet") is.
QString decodeText(const QByteArray& bytes, const QString& document, QString& error);

}  // namespace quillet
