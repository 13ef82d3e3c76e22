#include "platform/webengine/downloads.h"

#include "platform/downloadname.h"
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalBlocker>
#include <QTimer>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

namespace platform {

namespace {

constexpr int kHeaderTimeoutMs = 15'000;
// How long a finished file waits for a better name.
constexpr int kFinishedWaitMs = 3'000;

// The engine's cookies as they change; the second request sends what matches its
// address and keeps nothing the server sets.
class EngineCookies : public QNetworkCookieJar
{
public:
    explicit EngineCookies(QWebEngineCookieStore *store, QObject *parent)
        : QNetworkCookieJar(parent)
    {
        QObject::connect(store, &QWebEngineCookieStore::cookieAdded, this,
                         [this](const QNetworkCookie &cookie) { insertCookie(cookie); });
        QObject::connect(store, &QWebEngineCookieStore::cookieRemoved, this,
                         [this](const QNetworkCookie &cookie) { deleteCookie(cookie); });
    }
    bool setCookiesFromUrl(const QList<QNetworkCookie> &, const QUrl &) override { return false; }
};

// The proxy the engine uses: Qt's application proxy when one is set, else the system's.
class EngineProxies : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        const QNetworkProxy application = QNetworkProxy::applicationProxy();
        if (application.type() != QNetworkProxy::DefaultProxy)
            return {application};
        return systemProxyForQuery(query);
    }
};

quint32 nextId()
{
    static quint32 last = 0;
    return ++last;
}

// "報告.tar.gz" -> "報告.tar" and ".gz", so a clash gives "報告.tar (2).gz".
std::pair<QString, QString> splitExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

// The engine's reasons are English; the user gets them in the program's words.
QString failureReason(QWebEngineDownloadRequest::DownloadInterruptReason reason)
{
    using R = QWebEngineDownloadRequest;
    switch (reason) {
    case R::FileNoSpace:
        return QStringLiteral("ディスクの空きが足りません");
    case R::FileAccessDenied:
    case R::FileNameTooLong:
    case R::FileTooLarge:
    case R::FileFailed:
    case R::FileTransientError:
        return QStringLiteral("ファイルを書き込めませんでした");
    case R::NetworkTimeout:
        return QStringLiteral("サーバーから応答がありません");
    case R::NetworkFailed:
    case R::NetworkDisconnected:
    case R::NetworkServerDown:
    case R::NetworkInvalidRequest:
        return QStringLiteral("接続が切れました");
    case R::ServerUnauthorized:
    case R::ServerForbidden:
        return QStringLiteral("サーバーが許可しませんでした");
    case R::ServerCertProblem:
        return QStringLiteral("サーバーの証明書に問題があります");
    default:
        return QStringLiteral("サーバーがファイルを最後まで渡しませんでした");
    }
}

} // namespace

DownloadHeaderRequests::DownloadHeaderRequests(QWebEngineProfile *profile,
                                               std::shared_ptr<std::atomic<bool>> doNotTrack)
    : QObject(profile)
    , m_profile(profile)
    , m_doNotTrack(std::move(doNotTrack))
    , m_cookies(new EngineCookies(profile->cookieStore(), this))
{ }

QNetworkReply *DownloadHeaderRequests::get(const QUrl &url)
{
    if (!m_manager) {
        m_manager = new QNetworkAccessManager(this);
        m_manager->setProxyFactory(new EngineProxies);
        m_manager->setCookieJar(m_cookies);
        m_cookies->setParent(this); // the manager would take it, and it must follow the engine from the start
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(kHeaderTimeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, m_profile->httpUserAgent());
    if (!m_profile->httpAcceptLanguage().isEmpty())
        request.setRawHeader("Accept-Language", m_profile->httpAcceptLanguage().toLatin1());
    if (m_doNotTrack->load())
        request.setRawHeader("DNT", "1");
    return m_manager->get(request);
}

SavedDownload::SavedDownload(QWebEngineDownloadRequest *request, const QString &folder, QNetworkReply *headers,
                             QObject *parent)
    : QObject(parent)
    , m_request(request)
    , m_folder(folder)
    , m_engineName(request->suggestedFileName())
    , m_id(nextId())
{
    m_name = downloadFileName({}, request->url(), m_engineName);
    // The user's download folder and the files in it are their documents, not the
    // program's store: the umask decides who may read them, as for any other program.
    QDir().mkpath(folder);
    // Created here and now, exclusively: the engine only makes it when done, and another
    // download of the same name (in this process or another) must not choose it meanwhile.
    m_partPath = createUnderFreeName(folder, m_name, QStringLiteral(".part"), [](const QString &path) {
        QFile part(path);
        if (part.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return CreateResult::Created;
        return QFileInfo::exists(path) || QFileInfo(path).isSymLink() ? CreateResult::Taken : CreateResult::Failed;
    });
    if (m_partPath.isEmpty()) {
        if (headers) {
            headers->abort();
            headers->deleteLater();
        }
        request->cancel();
        m_engineDone = true;
        // Whoever made this connects first.
        QMetaObject::invokeMethod(
            this,
            [this] {
                end(DownloadEnd::Failed, QString(), QStringLiteral("保存先のフォルダーにファイルを作れませんでした。"));
            },
            Qt::QueuedConnection);
        return;
    }
    const QFileInfo part(m_partPath);
    request->setDownloadDirectory(part.absolutePath());
    request->setDownloadFileName(part.fileName());
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this,
            [this] { Q_EMIT progress(m_request->receivedBytes(), m_request->totalBytes()); });
    connect(request, &QWebEngineDownloadRequest::stateChanged, this, &SavedDownload::engineStateChanged);
    request->accept();
    if (headers)
        watchHeaders(headers);
}

SavedDownload::~SavedDownload()
{
    dropHeaderReply();
    if (m_done || m_partPath.isEmpty())
        return;
    if (m_engineDone) {
        // Complete, only waiting for a better name when the program ended: kept.
        const QSignalBlocker quiet(this);
        complete();
        return;
    }
    // Gone with the program while still running: no half file stays behind.
    QFile::remove(m_partPath);
}

void SavedDownload::watchHeaders(QNetworkReply *reply)
{
    m_headerReply = reply; // the manager's child: it may go first, at the end of the program
    // Only the headers are wanted; the body is the engine's.
    connect(reply, &QNetworkReply::metaDataChanged, this, &SavedDownload::headersArrived);
    connect(reply, &QNetworkReply::finished, this, &SavedDownload::headersArrived);
}

void SavedDownload::dropHeaderReply()
{
    if (!m_headerReply)
        return;
    QNetworkReply *reply = m_headerReply;
    m_headerReply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void SavedDownload::headersArrived()
{
    QNetworkReply *reply = m_headerReply;
    if (!reply)
        return;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300 && status < 400 && !reply->isFinished())
        return; // a redirect on the way
    if (status >= 200 && status < 300)
        m_disposition = reply->rawHeader("Content-Disposition");
    dropHeaderReply();
    if (m_done)
        return;
    const QString name = downloadFileName(m_disposition, m_request ? m_request->url() : QUrl(), m_engineName);
    if (name != m_name) {
        m_name = name;
        Q_EMIT renamed(m_name);
    }
    if (m_engineDone)
        complete();
}

void SavedDownload::engineStateChanged()
{
    if (!m_request || m_done)
        return;
    switch (m_request->state()) {
    case QWebEngineDownloadRequest::DownloadRequested:
    case QWebEngineDownloadRequest::DownloadInProgress:
        return;
    case QWebEngineDownloadRequest::DownloadCompleted:
        m_engineDone = true;
        Q_EMIT progress(m_request->receivedBytes(), m_request->receivedBytes());
        if (!m_headerReply) {
            complete();
            return;
        }
        // Once the headers are in, or without them after a while: a server that trickles
        // them holds no finished file.
        QTimer::singleShot(kFinishedWaitMs, this, [this] {
            if (m_headerReply) {
                dropHeaderReply();
                if (!m_done)
                    complete();
            }
        });
        return;
    case QWebEngineDownloadRequest::DownloadCancelled:
        m_engineDone = true;
        QFile::remove(m_partPath);
        end(DownloadEnd::Cancelled, QString(), QString());
        return;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        m_engineDone = true;
        const QString reason = failureReason(m_request->interruptReason());
        m_request->cancel();
        QFile::remove(m_partPath);
        end(DownloadEnd::Failed, QString(), reason);
        return;
    }
}

void SavedDownload::complete()
{
    m_name = downloadFileName(m_disposition, m_request ? m_request->url() : QUrl(), m_engineName);
    const auto [base, extension] = splitExtension(m_name);
    // QFile::rename never replaces a file that is there (renameat2 with RENAME_NOREPLACE).
    const QString saved = createUnderFreeName(m_folder, base, extension, [this](const QString &path) {
        if (QFile::rename(m_partPath, path))
            return CreateResult::Created;
        return QFileInfo::exists(path) || QFileInfo(path).isSymLink() ? CreateResult::Taken : CreateResult::Failed;
    });
    if (saved.isEmpty()) {
        // The data is complete: it stays under its working name, and the user is told where.
        end(DownloadEnd::Failed, m_partPath,
            QStringLiteral("名前を付けられませんでした。データは %1 にあります")
                .arg(QDir::toNativeSeparators(m_partPath)));
        return;
    }
    end(DownloadEnd::Saved, saved, QString());
}

void SavedDownload::cancel()
{
    if (m_done)
        return;
    if (m_request && !m_engineDone) {
        m_request->cancel(); // stateChanged ends it
        return;
    }
    // Complete already, only waiting for the headers: the file is there, keep it.
    if (m_headerReply)
        headersArrived();
}

void SavedDownload::end(DownloadEnd how, const QString &path, const QString &reason)
{
    if (m_done)
        return;
    m_done = true;
    dropHeaderReply();
    Q_EMIT finished(how, path, reason);
}

} // namespace platform
