#include "platform/webengine/downloads.h"

#include "platform/downloadname.h"
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QWebEngineDownloadRequest>

namespace platform {

namespace {

constexpr int kHeaderTimeoutMs = 15'000;

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

SavedDownload::SavedDownload(QWebEngineDownloadRequest *request, const QString &folder,
                             QNetworkAccessManager *headers, QObject *parent)
    : QObject(parent)
    , m_request(request)
    , m_folder(folder)
    , m_engineName(request->suggestedFileName())
    , m_id(nextId())
{
    m_name = downloadFileName({}, request->url(), m_engineName);
    QDir().mkpath(folder);
    m_partPath = unusedPath(folder, m_name, QStringLiteral(".part"));
    if (m_partPath.isEmpty()) {
        request->cancel();
        m_engineDone = true;
        // Whoever made this connects first.
        QMetaObject::invokeMethod(this, [this] {
            end(DownloadEnd::Failed, QString(), QStringLiteral("保存先のフォルダーに空いている名前がありません。"));
        }, Qt::QueuedConnection);
        return;
    }
    const QFileInfo part(m_partPath);
    request->setDownloadDirectory(part.absolutePath());
    request->setDownloadFileName(part.fileName());
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this,
            [this] { Q_EMIT progress(m_request->receivedBytes(), m_request->totalBytes()); });
    connect(request, &QWebEngineDownloadRequest::stateChanged, this, &SavedDownload::engineStateChanged);
    request->accept();
    const QString scheme = request->url().scheme();
    if (headers && (scheme == u"http" || scheme == u"https"))
        askHeaders(headers);
}

SavedDownload::~SavedDownload()
{
    if (m_headerReply)
        m_headerReply->abort();
    // Gone with the program while still running: no half file stays behind.
    if (!m_done && !m_partPath.isEmpty())
        QFile::remove(m_partPath);
}

void SavedDownload::askHeaders(QNetworkAccessManager *manager)
{
    QNetworkRequest request(m_request->url());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(kHeaderTimeoutMs);
    m_headerReply = manager->get(request);
    // Only the headers are wanted; the body is the engine's.
    connect(m_headerReply, &QNetworkReply::metaDataChanged, this, &SavedDownload::headersArrived);
    connect(m_headerReply, &QNetworkReply::finished, this, &SavedDownload::headersArrived);
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
    m_headerReply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
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
        if (!m_headerReply)
            complete(); // else once the headers are in
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
    const QString saved = createUnderFreeName(m_folder, base, extension, [this](const QString &path) {
        if (QFile::rename(m_partPath, path))
            return CreateResult::Created;
        return QFileInfo::exists(path) ? CreateResult::Taken : CreateResult::Failed;
    });
    // A file that cannot be renamed stays complete under its working name.
    end(DownloadEnd::Saved, saved.isEmpty() ? m_partPath : saved, QString());
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
    if (m_headerReply) {
        m_headerReply->disconnect(this);
        m_headerReply->abort();
        m_headerReply->deleteLater();
    }
    Q_EMIT finished(how, path, reason);
}

} // namespace platform
