#include "platform/webengine/sharedcookiejar.h"

#include "platform/files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QWebEngineCookieStore>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

// Holds an flock on a lock file beside the jar for one read-modify-write.
class JarLock
{
public:
    explicit JarLock(const QString &jarPath)
        : m_fd(::open(QFile::encodeName(jarPath + QStringLiteral(".lock")).constData(),
                      O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (m_fd >= 0)
            ::flock(m_fd, LOCK_EX);
    }
    ~JarLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // releases the lock
    }
    JarLock(const JarLock &) = delete;
    JarLock &operator=(const JarLock &) = delete;
    bool held() const { return m_fd >= 0; }

private:
    int m_fd;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool lasting(const QNetworkCookie &cookie)
{
    return !cookie.isSessionCookie() && cookie.expirationDate() > QDateTime::currentDateTimeUtc();
}

qsizetype indexOfSame(const QList<QNetworkCookie> &cookies, const QNetworkCookie &cookie)
{
    for (qsizetype i = 0; i < cookies.size(); ++i) {
        if (cookies[i].hasSameIdentifier(cookie))
            return i;
    }
    return -1;
}

} // namespace

SharedCookieJar::SharedCookieJar(QWebEngineCookieStore *store, const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_path(filePath)
    , m_watcher(new QFileSystemWatcher(this))
{
    const QString folder = QFileInfo(m_path).absolutePath();
    QDir().mkpath(folder);
    // The file is replaced by rename, so watch its folder, which holds nothing else.
    m_watcher->addPath(folder);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &SharedCookieJar::importFile);
    connect(m_store, &QWebEngineCookieStore::cookieAdded, this, &SharedCookieJar::added);
    connect(m_store, &QWebEngineCookieStore::cookieRemoved, this, &SharedCookieJar::removed);
    importFile();
}

QList<QNetworkCookie> SharedCookieJar::parse(const QByteArray &bytes)
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

QByteArray SharedCookieJar::serialize(const QList<QNetworkCookie> &cookies)
{
    QByteArray bytes;
    for (const QNetworkCookie &cookie : cookies) {
        bytes += cookie.toRawForm(QNetworkCookie::Full);
        bytes += '\n';
    }
    return bytes;
}

void SharedCookieJar::importFile()
{
    // Cookies the engine already holds come back as cookieAdded, find themselves in the
    // jar unchanged and cause no write, so processes do not echo each other.
    for (const QNetworkCookie &cookie : parse(readAll(m_path)))
        m_store->setCookie(cookie);
}

void SharedCookieJar::added(const QNetworkCookie &cookie)
{
    if (!lasting(cookie) || cookie.domain().isEmpty())
        return;
    update([&cookie](QList<QNetworkCookie> &cookies) {
        const qsizetype found = indexOfSame(cookies, cookie);
        if (found >= 0) {
            if (cookies[found].toRawForm() == cookie.toRawForm())
                return false;
            cookies[found] = cookie;
        } else {
            cookies.append(cookie);
        }
        return true;
    });
}

void SharedCookieJar::removed(const QNetworkCookie &cookie)
{
    update([&cookie](QList<QNetworkCookie> &cookies) {
        const qsizetype found = indexOfSame(cookies, cookie);
        // The engine reports the old cookie as removed before a newer one replaces it;
        // only a removal of exactly what is stored deletes it.
        if (found < 0 || cookies[found].value() != cookie.value())
            return false;
        cookies.removeAt(found);
        return true;
    });
}

void SharedCookieJar::update(const std::function<bool(QList<QNetworkCookie> &)> &edit)
{
    JarLock lock(m_path);
    if (!lock.held())
        return;
    QList<QNetworkCookie> cookies = parse(readAll(m_path));
    if (!edit(cookies))
        return;
    // Cookies are private to the user.
    writeFileAtomically(m_path, serialize(cookies), nullptr,
                        {.permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner});
}

} // namespace platform
