#include "tests/support/localhttpserver.h"

#include <QHostAddress>
#include <QMutexLocker>
#include <QPointer>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>

#include <utility>

class LocalHttpServerWorker : public QObject
{
public:
    explicit LocalHttpServerWorker(LocalHttpServer *owner)
        : m_owner(owner)
    { }

    quint16 start()
    {
        m_server = new QTcpServer(this);
        if (!m_server->listen(QHostAddress::LocalHost, 0))
            return 0;
        QObject::connect(m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server->nextPendingConnection())
                serve(socket);
        });
        return m_server->serverPort();
    }

    void sendHeld()
    {
        const QList<Held> held = std::exchange(m_held, {});
        for (const Held &answer : held) {
            if (answer.socket)
                answer.socket->write(answer.bytes);
        }
    }

private:
    void serve(QTcpSocket *socket)
    {
        auto *buffer = new QByteArray;
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
            delete buffer;
            socket->deleteLater();
        });
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            *buffer += socket->readAll();
            // Several requests may come on one kept-alive connection.
            for (;;) {
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                const QByteArray head = buffer->left(end);
                // A form's body follows its head; it is not the next request.
                qsizetype body = 0;
                for (const QByteArray &line : head.split('\n')) {
                    if (line.toLower().startsWith("content-length:"))
                        body = line.mid(15).trimmed().toLongLong();
                }
                if (buffer->size() < end + 4 + body)
                    return;
                buffer->remove(0, end + 4 + body);
                answer(socket, head);
            }
        });
    }

    void answer(QTcpSocket *socket, const QByteArray &head)
    {
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        LocalHttpServer::Request request;
        request.method = first.value(0);
        request.path = QString::fromLatin1(first.value(1));
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        const LocalHttpServer::Response response = m_owner->responseFor(request);
        if (response.neverAnswer)
            return;

        QByteArray reply =
            "HTTP/1.1 " + QByteArray::number(response.status) + " " + (response.status < 400 ? "OK" : "Error") + "\r\n";
        if (!response.contentType.isEmpty())
            reply += "Content-Type: " + response.contentType + "\r\n";
        reply += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        reply += "Cache-Control: no-store\r\n";
        for (const auto &[name, value] : response.headers)
            reply += name + ": " + value + "\r\n";
        reply += "\r\n";
        if (request.method != "HEAD")
            reply += response.body;
        if (m_owner->isHolding())
            m_held.append({socket, reply});
        else
            socket->write(reply);
    }

    struct Held
    {
        QPointer<QTcpSocket> socket; // the client may have gone by the release
        QByteArray bytes;
    };

    LocalHttpServer *m_owner;
    QList<Held> m_held;
    QTcpServer *m_server = nullptr;
};

LocalHttpServer::LocalHttpServer()
{
    auto *worker = new LocalHttpServerWorker(this);
    worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, worker, &QObject::deleteLater);
    m_worker = worker;
    m_thread.start();
    QSemaphore ready;
    QMetaObject::invokeMethod(
        worker,
        [this, worker, &ready] {
            m_port = worker->start();
            ready.release();
        },
        Qt::QueuedConnection);
    ready.acquire();
}

LocalHttpServer::~LocalHttpServer()
{
    m_thread.quit();
    m_thread.wait();
}

QUrl LocalHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
}

void LocalHttpServer::route(const QString &path, const Response &response)
{
    QMutexLocker lock(&m_mutex);
    m_routes.insert(path, response);
}

void LocalHttpServer::route(const QString &path, const QByteArray &html)
{
    Response response;
    response.contentType = "text/html; charset=utf-8";
    response.body = html;
    route(path, response);
}

void LocalHttpServer::redirect(const QString &path, const QString &location, int status)
{
    Response response;
    response.status = status;
    response.contentType.clear();
    response.headers.append({"Location", location.toUtf8()});
    route(path, response);
}

void LocalHttpServer::setHolding(bool holding)
{
    QMutexLocker lock(&m_mutex);
    m_holding = holding;
}

bool LocalHttpServer::isHolding() const
{
    QMutexLocker lock(&m_mutex);
    return m_holding;
}

void LocalHttpServer::releaseHeld()
{
    setHolding(false);
    // Answers are held and sent on the server's thread, so none can slip in between.
    auto *worker = static_cast<LocalHttpServerWorker *>(m_worker);
    QMetaObject::invokeMethod(
        worker, [worker] { worker->sendHeld(); }, Qt::BlockingQueuedConnection);
}

QList<LocalHttpServer::Request> LocalHttpServer::requests() const
{
    QMutexLocker lock(&m_mutex);
    return m_log;
}

QStringList LocalHttpServer::requestedPaths() const
{
    QStringList paths;
    for (const Request &request : requests())
        paths.append(request.path);
    return paths;
}

bool LocalHttpServer::wasRequested(const QString &path) const
{
    return requestedPaths().contains(path);
}

void LocalHttpServer::clearLog()
{
    QMutexLocker lock(&m_mutex);
    m_log.clear();
}

LocalHttpServer::Response LocalHttpServer::responseFor(const Request &request)
{
    QMutexLocker lock(&m_mutex);
    m_log.append(request);
    const auto found = m_routes.constFind(request.path);
    if (found != m_routes.constEnd()) {
        if (!found->basicCredentials.isEmpty()
            && request.headers.value("authorization") != "Basic " + found->basicCredentials.toBase64()) {
            Response refused;
            refused.status = 401;
            refused.body = found->refusedBody;
            refused.headers.append(qMakePair(QByteArray("WWW-Authenticate"), "Basic realm=\"" + found->realm + "\""));
            return refused;
        }
        return *found;
    }
    Response missing;
    missing.status = 404;
    missing.body = "<html><body>not found</body></html>";
    return missing;
}

QUrl LocalHttpServer::refusedUrl()
{
    // Bind a port, then let it go: nothing listens there afterwards.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
}
