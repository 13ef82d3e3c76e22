#pragma once

#include <QString>

// The hand-over file "urldata.ini" in the program folder: the address a newly started
// process of the program opens first, one CP932 line ended by CR LF. Every change replaces
// the whole file at once, so a starting process reads the old address or the new one.
namespace handover {

QString filePath();

// The text up to its first line end (CR or LF); the whole text when it has none.
QString firstLine(const QString &text);

// The address the file holds; "" when the file is missing, unreadable or empty.
QString read();

// Stores StorableAddress(address).
bool write(const QString &address);

// Leaves the file holding no address.
bool clear();

} // namespace handover
