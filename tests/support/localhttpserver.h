#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QUrl>

#include <memory>

class QTcpServer;

// A small HTTP/1.1 server on 127.0.0.1 for tests. It runs on its own thread, so a test
// that blocks (waiting for a process, a nested loop) still gets its pages served. Every
// request is logged.
class LocalHttpServer
{
public:
    struct Response
    {
        int status = 200;
        QByteArray contentType = "text/html";
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers; // extra headers, e.g. Set-Cookie
        bool neverAnswer = false;                     // keep the connection open without a reply
        // "user:password": without them in Basic authorization, a 401 asking for them
        // (realm, in UTF-8 as many devices send it) with refusedBody instead.
        QByteArray basicCredentials {};
        QByteArray realm = "会員 realm";
        QByteArray refusedBody = "<html><body>refused</body></html>";
    };
    struct Request
    {
        QByteArray method;
        QString path;                          // with the query, as sent
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer &) = delete;
    LocalHttpServer &operator=(const LocalHttpServer &) = delete;

    bool isListening() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    QUrl url(const QString &path) const;

    // Paths without a route get a 404.
    void route(const QString &path, const Response &response);
    void route(const QString &path, const QByteArray &html);
    // A redirect to another path or address.
    void redirect(const QString &path, const QString &location, int status = 302);

    QList<Request> requests() const;
    QStringList requestedPaths() const;
    bool wasRequested(const QString &path) const;
    void clearLog();

    // While holding, requests are logged but answered only at releaseHeld(), so a test
    // can act while a download is in flight.
    void setHolding(bool holding);
    // Stops holding and sends the held answers.
    void releaseHeld();

    // An address of this machine where nothing listens.
    static QUrl refusedUrl();

private:
    friend class LocalHttpServerWorker;
    Response responseFor(const Request &request);
    bool isHolding() const;

    mutable QMutex m_mutex;
    QHash<QString, Response> m_routes;
    QList<Request> m_log;
    QThread m_thread;
    QObject *m_worker = nullptr;
    quint16 m_port = 0;
    bool m_holding = false;
};
