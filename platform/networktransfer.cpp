#include "platform/networktransfer.h"

#include "platform/textdecoding.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace platform {

QString transferErrorMessage(TransferError error, int httpStatus)
{
    switch (error) {
    case TransferError::None:
        return {};
    case TransferError::Aborted:
        return u"転送を中止しました。"_s;
    case TransferError::HttpStatus:
        return u"サーバーがエラーを返しました (%1)。"_s.arg(httpStatus);
    case TransferError::HostNotFound:
        return u"ホストが見つかりません。"_s;
    case TransferError::ConnectionRefused:
        return u"接続を拒否されました。"_s;
    case TransferError::Timeout:
        return u"時間切れになりました。"_s;
    case TransferError::TooManyRedirects:
        return u"転送先の指定が多すぎます。"_s;
    case TransferError::TooLarge:
        return u"データが大きすぎます。"_s;
    case TransferError::UnsupportedAddress:
        return u"このアドレスは取得できません。"_s;
    case TransferError::Network:
        break;
    }
    return u"転送に失敗しました。"_s;
}

NetworkTransfer::NetworkTransfer(QObject *parent)
    : QObject(parent)
{
    m_manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

NetworkTransfer::~NetworkTransfer()
{
    const QHash<Id, Pending> pending = std::exchange(m_pending, {});
    for (const Pending &entry : pending) {
        if (entry.reply) {
            entry.reply->disconnect();
            entry.reply->abort();
        }
    }
}

InternetTransfer::Id NetworkTransfer::openUrl(const QUrl &url, QObject *context, Done done)
{
    const Id id = ++m_lastId;
    if (!context || !done)
        return id;

    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http"_s && scheme != u"https"_s)) {
        TransferResult result;
        result.error = TransferError::UnsupportedAddress;
        result.errorMessage = transferErrorMessage(result.error);
        deliver(context, std::move(done), result);
        return id;
    }

    QNetworkRequest request(url);
    request.setMaximumRedirectsAllowed(kMaximumRedirects);
    QNetworkReply *reply = m_manager.get(request);

    Pending entry;
    entry.reply = reply;
    entry.context = context;
    entry.done = std::move(done);
    m_pending.insert(id, std::move(entry));

    connect(reply, &QNetworkReply::finished, this, [this, id] { finish(id); });
    connect(reply, &QNetworkReply::downloadProgress, this, [this, id](qint64 received, qint64) {
        if (received > m_maximumSize)
            stop(id, TransferError::TooLarge);
    });
    // The window that asked has gone: nobody waits for the answer.
    connect(context, &QObject::destroyed, reply, [this, id] {
        const Pending entry = m_pending.take(id);
        if (entry.reply) {
            entry.reply->abort();
            entry.reply->deleteLater();
        }
    });
    // A whole-transfer deadline, unlike the reply's own time-out, which a server that
    // trickles bytes could keep from ever firing.
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [this, id] { stop(id, TransferError::Timeout); });
    deadline->start(m_timeoutMs);
    return id;
}

void NetworkTransfer::abort(Id id)
{
    stop(id, TransferError::Aborted);
}

void NetworkTransfer::stop(Id id, TransferError reason)
{
    const auto found = m_pending.find(id);
    if (found == m_pending.end() || !found->reply)
        return;
    if (found->forced == TransferError::None)
        found->forced = reason;
    // abort() emits finished at once; finish() hands the result on through the event loop.
    found->reply->abort();
}

void NetworkTransfer::finish(Id id)
{
    const auto found = m_pending.find(id);
    if (found == m_pending.end())
        return;
    Pending entry = std::move(*found);
    m_pending.erase(found);
    QNetworkReply *reply = entry.reply;
    if (!reply)
        return;
    reply->deleteLater();

    TransferResult result;
    result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError networkError = reply->error();
    if (entry.forced != TransferError::None) {
        result.error = entry.forced;
    } else if (networkError == QNetworkReply::TooManyRedirectsError) {
        result.error = TransferError::TooManyRedirects;
    } else if (networkError == QNetworkReply::InsecureRedirectError
               || networkError == QNetworkReply::ProtocolUnknownError) {
        // A redirect to another scheme or from https down to http.
        result.error = TransferError::UnsupportedAddress;
    } else if (result.httpStatus != 0 && (result.httpStatus < 200 || result.httpStatus > 299)) {
        result.error = TransferError::HttpStatus;
    } else {
        switch (networkError) {
        case QNetworkReply::NoError:
            break;
        case QNetworkReply::HostNotFoundError:
            result.error = TransferError::HostNotFound;
            break;
        case QNetworkReply::ConnectionRefusedError:
            result.error = TransferError::ConnectionRefused;
            break;
        case QNetworkReply::TimeoutError:
            result.error = TransferError::Timeout;
            break;
        default:
            result.error = TransferError::Network;
            break;
        }
    }

    if (result.ok()) {
        const QByteArray body = reply->readAll();
        if (body.size() > m_maximumSize) {
            result.error = TransferError::TooLarge;
        } else {
            result.text = decodeBody(body, reply->rawHeader("Content-Type"));
        }
    }
    if (!result.ok()) {
        result.errorMessage = transferErrorMessage(result.error, result.httpStatus);
        if (result.error == TransferError::Network && !reply->errorString().isEmpty())
            result.errorMessage += u" ("_s + reply->errorString() + u')';
    }
    deliver(entry.context, std::move(entry.done), std::move(result));
}

void NetworkTransfer::deliver(QObject *context, Done done, TransferResult result)
{
    if (!context)
        return;
    // Zero-time timer bound to the context: a window that closes in between never hears.
    QTimer::singleShot(0, context, [done = std::move(done), result = std::move(result)] { done(result); });
}

} // namespace platform
