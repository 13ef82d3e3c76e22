#pragma once

#include <QString>

// The hand-over file "urldata.ini" in the program folder: the address a newly started
// process of the program opens first, one CP932 line ended by CR LF. Every change replaces
// the whole file at once, so a starting process reads the old address or the new one.
namespace handover {

QString filePath();

// The text up to its first line end (CR or LF); the whole text when it has none.
QString firstLine(const QString &text);

// Whether text may be handed over: web addresses only. A local address would let a page
// that was merely pointed at have a later start open a local file of its choosing.
bool accepts(const QString &text);

// The address the file holds; "" when the file is missing, unreadable or empty, or holds
// anything but an address it accepts.
QString read();

// Stores storableAddress(address); false, with the file untouched, for an address it
// does not accept.
bool write(const QString &address);

// Stores address for the new window a running window is opening now (nowMs, wall clock
// in ms): the second line says so, readers of the first line see the address as before.
bool writeForNewWindow(const QString &address, qint64 nowMs);

// How long an address written for a new window waits for its process.
inline constexpr qint64 kNewWindowWaitMs = 10000;

// The address a starting process may open from the file's text: only one written for a
// new window within kNewWindowWaitMs of nowMs. A link merely pointed at, or one left by a
// process that ended, is never opened: it may download something or log the user out.
QString addressForStart(const QString &text, qint64 nowMs);
// addressForStart on the file.
QString readForStart(qint64 nowMs);

// Leaves the file holding no address.
bool clear();

} // namespace handover
