#include "platform/webengine/sharedcookiejar.h"

#include "platform/cookiefile.h"
#include "platform/files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <QUrl>
#include <QUuid>
#include <QWebEngineCookieStore>
#include <QtConcurrent/QtConcurrentRun>

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
        : m_fd(::open(QFile::encodeName(jarPath + QStringLiteral(".lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC,
                      0600))
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

// The marker cookie lives on a host that never resolves and is removed once it is back.
const QByteArray kFencePrefix = "yuragine-fence-";
const QUrl kFenceOrigin(QStringLiteral("http://yuragine.invalid/"));
// Set Strict at start: the engine reports SameSite if it reports this one as Strict.
const QByteArray kSameSiteProbe = kFencePrefix + "samesite";
constexpr int kFenceTimeoutMs = 10000;
// Changes wait this long for others to be written with them.
constexpr int kWriteDelayMs = 250;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Applies changes to the file under the lock: re-read, edit, replace atomically. true
// when the file holds a clearing this process has not followed (mark): the changes come
// from before it and must not bring anything back, so nothing is written.
bool writeChanges(const QString &path, const QByteArray &mark, const QList<cookiefile::Change> &changes)
{
    JarLock lock(path);
    if (!lock.held())
        return false;
    const QByteArray bytes = readAll(path);
    const QByteArray fileMark = cookiefile::clearMark(bytes);
    if (fileMark != mark)
        return true;
    QList<QNetworkCookie> cookies = cookiefile::parse(bytes);
    if (cookiefile::apply(cookies, changes)) {
        writeFileAtomically(path, cookiefile::serialize(cookies, fileMark));
    }
    return false;
}

} // namespace

SharedCookieJar::SharedCookieJar(QWebEngineCookieStore *store, const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_path(filePath)
    , m_watcher(new QFileSystemWatcher(this))
    , m_fenceTimeout(new QTimer(this))
    , m_writeDelay(new QTimer(this))
    , m_writing(new QFutureWatcher<bool>(this))
{
    m_writeDelay->setSingleShot(true);
    m_writeDelay->setInterval(kWriteDelayMs);
    connect(m_writeDelay, &QTimer::timeout, this, &SharedCookieJar::writePending);
    connect(m_writing, &QFutureWatcher<bool>::finished, this, [this] { written(m_writing->result()); });
    m_fenceTimeout->setSingleShot(true);
    m_fenceTimeout->setInterval(kFenceTimeoutMs);
    connect(m_fenceTimeout, &QTimer::timeout, this, [this] { endFence(false); });
    const QString folder = QFileInfo(m_path).absolutePath();
    makePrivatePath(folder);
    // The file is replaced by rename, so watch its folder, which holds nothing else.
    m_watcher->addPath(folder);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &SharedCookieJar::importFile);
    connect(m_store, &QWebEngineCookieStore::cookieAdded, this, &SharedCookieJar::added);
    connect(m_store, &QWebEngineCookieStore::cookieRemoved, this, &SharedCookieJar::removed);
    QNetworkCookie probe(kSameSiteProbe, "1");
    probe.setSameSitePolicy(QNetworkCookie::SameSite::Strict);
    m_store->setCookie(probe, kFenceOrigin);
    // A clearing made before this process started has nothing here to delete.
    m_clearMark = cookiefile::clearMark(readAll(m_path));
    importFile();
}

SharedCookieJar::~SharedCookieJar()
{
    flush();
}

void SharedCookieJar::clearAll(std::function<void(bool)> done)
{
    // What was reported before the clearing goes with it; a write under way finds the
    // new mark and leaves the file alone.
    m_pending.clear();
    m_writeDelay->stop();
    bool written = false;
    {
        JarLock lock(m_path);
        if (lock.held()) {
            m_clearMark = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
            written = writeFileAtomically(m_path, cookiefile::serialize({}, m_clearMark));
        }
    }
    deleteEngineCookies([written, done = std::move(done)](bool answered) {
        if (done)
            done(written && answered);
    });
}

void SharedCookieJar::deleteEngineCookies(std::function<void(bool)> done)
{
    m_store->deleteAllCookies();
    m_engine.clear();
    // The engine handles its cookie operations in order and reports them in order, so
    // when this cookie is reported, everything from before the deletion has been.
    m_fence = kFencePrefix + QUuid::createUuid().toByteArray(QUuid::Id128);
    m_store->setCookie(QNetworkCookie(m_fence, "1"), kFenceOrigin);
    if (done)
        m_fenceDone.append(std::move(done));
    m_fenceTimeout->start();
}

void SharedCookieJar::endFence(bool answered)
{
    m_fence.clear();
    m_fenceTimeout->stop();
    const QList<std::function<void(bool)>> done = std::exchange(m_fenceDone, {});
    for (const auto &callback : done)
        callback(answered);
}

void SharedCookieJar::importFile()
{
    const QByteArray bytes = readAll(m_path);
    // Another process deleted every cookie: so does this one, session cookies included,
    // before it takes the cookies stored since.
    const QByteArray mark = cookiefile::clearMark(bytes);
    if (mark != m_clearMark) {
        m_clearMark = mark;
        m_pending.clear(); // reported before the clearing: must not bring anything back
        deleteEngineCookies({});
    }
    // Setting a cookie the engine already holds would replace it, which the engine
    // reports as a removal and an addition, each a change of the file that every other
    // process imports in turn: with many processes the changes would never settle.
    for (const QNetworkCookie &cookie : cookiefile::parse(bytes)) {
        QByteArray &known = m_engine[cookiefile::identity(cookie)];
        const QByteArray raw = cookie.toRawForm();
        if (known == raw)
            continue;
        known = raw;
        m_store->setCookie(cookiefile::forEngine(cookie));
    }
}

void SharedCookieJar::added(const QNetworkCookie &reported)
{
    if (reported.name().startsWith(kFencePrefix)) {
        if (reported.name() == m_fence)
            endFence(true);
        if (reported.name() == kSameSiteProbe)
            m_reportsSameSite = reported.sameSitePolicy() == QNetworkCookie::SameSite::Strict;
        m_store->deleteCookie(reported, kFenceOrigin);
        return;
    }
    // In the file's form from here on, so that what the file holds compares equal.
    const QNetworkCookie cookie = cookiefile::forFile(reported, m_reportsSameSite);
    m_engine.insert(cookiefile::identity(cookie), cookie.toRawForm());
    // Until the fence, what the engine reports may be a cookie from before a deletion.
    if (!m_fence.isEmpty() || !cookiefile::lasting(cookie) || cookie.domain().isEmpty())
        return;
    queue({true, cookie});
}

void SharedCookieJar::removed(const QNetworkCookie &reported)
{
    if (!m_fence.isEmpty() || reported.name().startsWith(kFencePrefix))
        return;
    const QNetworkCookie cookie = cookiefile::forFile(reported, m_reportsSameSite);
    const auto known = m_engine.constFind(cookiefile::identity(cookie));
    if (known != m_engine.cend() && *known == cookie.toRawForm())
        m_engine.erase(known);
    queue({false, cookie});
}

void SharedCookieJar::queue(cookiefile::Change change)
{
    m_pending.append(std::move(change));
    if (!m_writeDelay->isActive() && !m_writing->isRunning())
        m_writeDelay->start();
}

void SharedCookieJar::writePending()
{
    if (m_pending.isEmpty() || m_writing->isRunning())
        return;
    m_writing->setFuture(QtConcurrent::run(writeChanges, m_path, m_clearMark, std::exchange(m_pending, {})));
}

void SharedCookieJar::written(bool stale)
{
    if (stale) {
        m_pending.clear(); // from before the clearing too
        importFile();
    }
    if (!m_pending.isEmpty())
        m_writeDelay->start();
}

void SharedCookieJar::flush()
{
    m_writeDelay->stop();
    m_writing->waitForFinished();
    const QFuture<bool> last = m_writing->future();
    if (last.isFinished() && last.resultCount() > 0 && last.result()) {
        m_pending.clear(); // from before another process's clearing
        return;
    }
    if (!m_pending.isEmpty())
        writeChanges(m_path, m_clearMark, std::exchange(m_pending, {}));
}

} // namespace platform
