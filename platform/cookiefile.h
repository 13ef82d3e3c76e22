#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkCookie>

// The text file in which the program's processes share their lasting cookies: one cookie a
// line in its raw form, a clearing mark as a comment line ahead of them.
namespace platform::cookiefile {

// Lasting: with an expiry date still to come.
bool lasting(const QNetworkCookie &cookie);
// Name, domain and path: what makes two cookies the same one.
QByteArray identity(const QNetworkCookie &cookie);

// SameSite in the file. An engine that does not report a cookie's rule (Qt 6.4 and 6.8
// report every cookie as Default) leaves the file without one: not known. An engine that
// does report it writes every cookie's rule, one without the attribute as Lax, never
// looser than an engine's own default; so a line without SameSite always means "not known".
QNetworkCookie forFile(QNetworkCookie cookie, bool engineReportsSameSite);
// What is given to an engine: a cookie whose rule is not known is Strict, so that no
// process sends a Strict cookie along with another site's request; Lax and None
// cookies a process gets from its own pages keep their rule there.
QNetworkCookie forEngine(QNetworkCookie cookie);

// The file's cookies; expired ones and those without a domain are dropped on reading.
QList<QNetworkCookie> parse(const QByteArray &bytes);
// mark: the last clearing, kept as a comment line ahead of the cookies.
QByteArray serialize(const QList<QNetworkCookie> &cookies, const QByteArray &mark = {});
// The clearing mark of a file's bytes, "" for none.
QByteArray clearMark(const QByteArray &bytes);

// A change the engine reported, to be written with the others of its batch.
struct Change
{
    bool added = true; // false: removed
    QNetworkCookie cookie;
};
// The stored cookies with changes applied in order: an added cookie takes the place of
// one with its name, domain and path; a removal deletes only exactly what is stored
// (the engine reports the old cookie removed before a newer one replaces it, and
// another process may have stored the newer one already). false when nothing changed.
bool apply(QList<QNetworkCookie> &cookies, const QList<Change> &changes);

} // namespace platform::cookiefile
