#pragma once

#include "platform/browsercomponent.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <memory>

class QNetworkAccessManager;
class QNetworkCookieJar;
class QNetworkReply;
class QTimer;
class QUrl;
class QWebEngineDownloadRequest;
class QWebEngineProfile;

namespace platform {

// Asks a server for a download's response headers once more, as the engine asked for the
// download: with its user agent, languages, Do Not Track header and the cookies it holds
// for the address, through the proxy it uses.
class DownloadHeaderRequests : public QObject
{
public:
    DownloadHeaderRequests(QWebEngineProfile *profile, std::shared_ptr<std::atomic<bool>> doNotTrack);
    // A GET for url whose body nobody wants; the caller owns the reply.
    QNetworkReply *get(const QUrl &url);

private:
    QWebEngineProfile *m_profile;
    std::shared_ptr<std::atomic<bool>> m_doNotTrack;
    QNetworkCookieJar *m_cookies;               // follows the engine's store from the start
    QNetworkAccessManager *m_manager = nullptr; // made when first needed
};

// One file the engine could not show, saved in a folder under its own name and never
// over another file. It is written under a ".part" name of its own, reserved at once so
// that no other download takes it, and gets its real name when complete, so a half file
// never looks finished. Where the engine's name misses a Shift_JIS name, the headers are
// asked for once more on the side and read here; a finished file waits for them only a
// little, and is kept whatever they do.
class SavedDownload : public QObject
{
    Q_OBJECT
public:
    // Accepts request, which must come straight from downloadRequested. headers: the
    // second request for the response headers, which this takes over; nullptr keeps the
    // engine's name.
    SavedDownload(QWebEngineDownloadRequest *request, const QString &folder, QNetworkReply *headers, QObject *parent);
    ~SavedDownload() override;

    quint32 id() const { return m_id; }
    // The name as far as known now; the saved file may get " (2)" and a better name.
    QString fileName() const { return m_name; }
    bool isRunning() const { return !m_done; }
    // Stops the download; finished(Cancelled) follows.
    void cancel();

Q_SIGNALS:
    // The server's headers gave a better name than the engine's.
    void renamed(const QString &fileName);
    void progress(qint64 received, qint64 total);
    // Raised once; path is "" when nothing was kept.
    void finished(platform::DownloadEnd end, const QString &path, const QString &reason);

private:
    void watchHeaders(QNetworkReply *reply);
    void headersArrived();
    void dropHeaderReply();
    void engineStateChanged();
    void complete();
    void end(DownloadEnd how, const QString &path, const QString &reason);

    QPointer<QWebEngineDownloadRequest> m_request;
    QPointer<QNetworkReply> m_headerReply;
    QString m_folder;
    QString m_name;
    QString m_engineName;
    QString m_partPath;
    QByteArray m_disposition;
    quint32 m_id;
    bool m_engineDone = false;
    bool m_done = false;
};

} // namespace platform
