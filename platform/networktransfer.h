#pragma once

#include "platform/internettransfer.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

class QNetworkReply;

namespace platform {

// InternetTransfer over QNetworkAccessManager: http and https only, at most ten
// redirects, a time limit on the whole transfer and a size limit on the body.
class NetworkTransfer : public QObject, public InternetTransfer
{
public:
    static constexpr int kDefaultTimeoutMs = 30'000;
    static constexpr qint64 kDefaultMaximumSize = 64LL * 1024 * 1024;
    static constexpr int kMaximumRedirects = 10;

    explicit NetworkTransfer(QObject *parent = nullptr);
    // Pending requests are dropped; their continuations never run.
    ~NetworkTransfer() override;

    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    int timeout() const { return m_timeoutMs; }
    void setMaximumSize(qint64 bytes) { m_maximumSize = bytes; }

    Id openUrl(const QUrl &url, QObject *context, Done done) override;
    void abort(Id id) override;

private:
    struct Pending
    {
        QPointer<QNetworkReply> reply;
        QPointer<QObject> context;
        Done done;
        TransferError forced = TransferError::None;
    };

    void stop(Id id, TransferError reason);
    void finish(Id id);
    static void deliver(QObject *context, Done done, TransferResult result);

    QNetworkAccessManager m_manager;
    QHash<Id, Pending> m_pending;
    Id m_lastId = 0;
    int m_timeoutMs = kDefaultTimeoutMs;
    qint64 m_maximumSize = kDefaultMaximumSize;
};

// The user-facing text for a failure.
QString transferErrorMessage(TransferError error, int httpStatus = 0);

} // namespace platform
