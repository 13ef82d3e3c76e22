#include "tests/support/fakeinternettransfer.h"

#include "platform/networktransfer.h"

#include <QTimer>

using platform::TransferError;
using platform::TransferResult;
using namespace Qt::StringLiterals;

void FakeInternetTransfer::setText(const QUrl &url, const QString &text)
{
    TransferResult result;
    result.text = text;
    result.httpStatus = 200;
    m_answers.insert(url, result);
}

void FakeInternetTransfer::setError(const QUrl &url, TransferError error, int httpStatus)
{
    TransferResult result;
    result.error = error;
    result.httpStatus = httpStatus;
    result.errorMessage = platform::transferErrorMessage(error, httpStatus);
    m_answers.insert(url, result);
}

TransferResult FakeInternetTransfer::answerFor(const QUrl &url) const
{
    const auto found = m_answers.constFind(url);
    if (found != m_answers.constEnd())
        return *found;
    TransferResult missing;
    // As the real transfer: only http and https are fetched at all.
    const QString scheme = url.scheme().toLower();
    const bool fetchable = url.isValid() && (scheme == u"http"_s || scheme == u"https"_s);
    missing.error = fetchable ? TransferError::HostNotFound : TransferError::UnsupportedAddress;
    missing.errorMessage = platform::transferErrorMessage(missing.error);
    return missing;
}

platform::InternetTransfer::Id FakeInternetTransfer::openUrl(const QUrl &url, QObject *context, Done done)
{
    const Id id = ++m_lastId;
    m_requests.append(url);
    if (!context || !done)
        return id;
    m_held.append(Held {id, context, std::move(done), answerFor(url)});
    if (!m_holding)
        QTimer::singleShot(0, &m_timerOwner, [this, id] { releaseId(id); });
    return id;
}

void FakeInternetTransfer::abort(Id id)
{
    for (qsizetype i = 0; i < m_held.size(); ++i) {
        if (m_held[i].id != id)
            continue;
        m_aborted.append(id);
        Held &held = m_held[i];
        held.result = {};
        held.result.error = TransferError::Aborted;
        held.result.errorMessage = platform::transferErrorMessage(TransferError::Aborted);
        // Ends through the event loop even while holding, as the real transfer does.
        QTimer::singleShot(0, &m_timerOwner, [this, id] { releaseId(id); });
        return;
    }
}

bool FakeInternetTransfer::run(Held held)
{
    if (!held.context)
        return false;
    held.done(held.result);
    return true;
}

int FakeInternetTransfer::releaseAll()
{
    int ran = 0;
    while (!m_held.isEmpty())
        ran += run(m_held.takeFirst()) ? 1 : 0;
    return ran;
}

bool FakeInternetTransfer::releaseId(Id id)
{
    for (qsizetype i = 0; i < m_held.size(); ++i) {
        if (m_held[i].id == id)
            return run(m_held.takeAt(i));
    }
    return false;
}

bool FakeInternetTransfer::releaseNext()
{
    if (m_held.isEmpty())
        return false;
    return run(m_held.takeFirst());
}
