#include "platform/cookiefile.h"

#include <QDateTime>
#include <QHash>

namespace platform::cookiefile {

namespace {
const QByteArray kClearMarkPrefix = "# cleared ";
}

bool lasting(const QNetworkCookie &cookie)
{
    return !cookie.isSessionCookie() && cookie.expirationDate() > QDateTime::currentDateTimeUtc();
}

QByteArray identity(const QNetworkCookie &cookie)
{
    return cookie.name() + '\n' + cookie.domain().toUtf8() + '\n' + cookie.path().toUtf8();
}

QNetworkCookie forFile(QNetworkCookie cookie, bool engineReportsSameSite)
{
    if (engineReportsSameSite && cookie.sameSitePolicy() == QNetworkCookie::SameSite::Default)
        cookie.setSameSitePolicy(QNetworkCookie::SameSite::Lax);
    return cookie;
}

QNetworkCookie forEngine(QNetworkCookie cookie)
{
    if (cookie.sameSitePolicy() == QNetworkCookie::SameSite::Default)
        cookie.setSameSitePolicy(QNetworkCookie::SameSite::Strict);
    return cookie;
}

QList<QNetworkCookie> parse(const QByteArray &bytes)
{
    QList<QNetworkCookie> cookies;
    for (const QByteArray &line : bytes.split('\n')) {
        const QByteArray text = line.trimmed();
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        for (const QNetworkCookie &cookie : QNetworkCookie::parseCookies(text)) {
            if (lasting(cookie) && !cookie.domain().isEmpty())
                cookies.append(cookie);
        }
    }
    return cookies;
}

QByteArray serialize(const QList<QNetworkCookie> &cookies, const QByteArray &mark)
{
    QByteArray bytes;
    if (!mark.isEmpty())
        bytes += kClearMarkPrefix + mark + '\n';
    for (const QNetworkCookie &cookie : cookies) {
        bytes += cookie.toRawForm(QNetworkCookie::Full);
        bytes += '\n';
    }
    return bytes;
}

QByteArray clearMark(const QByteArray &bytes)
{
    for (const QByteArray &line : bytes.split('\n')) {
        if (line.startsWith(kClearMarkPrefix))
            return line.mid(kClearMarkPrefix.size()).trimmed();
    }
    return {};
}

bool apply(QList<QNetworkCookie> &cookies, const QList<Change> &changes)
{
    // By identity, so that a batch of thousands costs no more than its length.
    QHash<QByteArray, qsizetype> at;
    for (qsizetype i = 0; i < cookies.size(); ++i)
        at.insert(identity(cookies[i]), i);
    QList<bool> gone(cookies.size(), false);
    bool changed = false;
    for (const Change &change : changes) {
        const QByteArray id = identity(change.cookie);
        const auto found = at.constFind(id);
        const bool stored = found != at.cend() && !gone[*found];
        if (change.added) {
            if (stored && cookies[*found].toRawForm() == change.cookie.toRawForm())
                continue;
            if (stored) {
                cookies[*found] = change.cookie;
            } else {
                at.insert(id, cookies.size());
                cookies.append(change.cookie);
                gone.append(false);
            }
            changed = true;
        } else if (stored && cookies[*found].toRawForm() == change.cookie.toRawForm()) {
            gone[*found] = true;
            changed = true;
        }
    }
    if (changed) {
        QList<QNetworkCookie> kept;
        kept.reserve(cookies.size());
        for (qsizetype i = 0; i < cookies.size(); ++i) {
            if (!gone[i])
                kept.append(cookies[i]);
        }
        cookies = std::move(kept);
    }
    return changed;
}

} // namespace platform::cookiefile
