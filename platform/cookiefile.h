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
