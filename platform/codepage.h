#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Every file the program reads or writes is text in code page 932 (Windows Shift-JIS,
// where 0x5C is the backslash).
namespace ansi {

// True for a byte that opens a double-byte character.
constexpr bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes to text. Bytes that are not CP932 become U+001A (SUB) rather than failing.
QString decode(QByteArrayView bytes);

// Text to bytes. A character that CP932 cannot hold becomes "?".
QByteArray encode(QStringView text);

// Whether CP932 holds every character of the text, so that it reads back as written.
bool holds(QStringView text);

// The longest prefix of at most maxBytes bytes that does not end inside a double-byte
// character.
QByteArray cut(QByteArrayView bytes, qsizetype maxBytes);

} // namespace ansi
