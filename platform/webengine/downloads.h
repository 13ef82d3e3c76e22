#pragma once

#include "platform/browsercomponent.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QWebEngineDownloadRequest;

namespace platform {

// One file the engine could not show, saved in a folder under its own name and never
// over another file. It is written under a ".part" name and gets its real one when
// complete, so a half file never looks finished. The engine's name misses Shift_JIS
// names, so the headers are asked for once more on the side and read here.
class SavedDownload : public QObject
{
    Q_OBJECT
public:
    // Accepts request, which must come straight from downloadRequested. headers: where
    // to ask for the response headers; nullptr to keep the engine's name.
    SavedDownload(QWebEngineDownloadRequest *request, const QString &folder,
                  QNetworkAccessManager *headers, QObject *parent);
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
    void askHeaders(QNetworkAccessManager *manager);
    void headersArrived();
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
