#pragma once

#include "platform/internettransfer.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>

// Answers downloads from a table instead of the network. Unscripted addresses fail with
// TransferError::HostNotFound, or UnsupportedAddress when not http or https. While
// holding, answers wait until the test releases them.
class FakeInternetTransfer : public platform::InternetTransfer
{
public:
    void setText(const QUrl &url, const QString &text);
    void setError(const QUrl &url, platform::TransferError error, int httpStatus = 0);

    void setHolding(bool holding) { m_holding = holding; }
    // Delivers held answers in order, at once; returns how many continuations ran
    // (requests whose context has gone are dropped). Aborted requests end on their own
    // through the event loop, holding or not.
    int releaseAll();
    bool releaseNext();
    int heldCount() const { return int(m_held.size()); }

    QList<QUrl> requests() const { return m_requests; }
    QList<Id> abortedIds() const { return m_aborted; }

    Id openUrl(const QUrl &url, QObject *context, Done done) override;
    void abort(Id id) override;

private:
    struct Held
    {
        Id id;
        QPointer<QObject> context;
        Done done;
        platform::TransferResult result;
    };

    platform::TransferResult answerFor(const QUrl &url) const;
    static bool run(Held held);
    bool releaseId(Id id);

    QHash<QUrl, platform::TransferResult> m_answers;
    QList<Held> m_held;
    QList<QUrl> m_requests;
    QList<Id> m_aborted;
    Id m_lastId = 0;
    bool m_holding = false;
    QObject m_timerOwner; // drops queued answers when the fake goes
};
