#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

namespace platform {

enum class TransferError {
    None,
    Aborted,    // abort() was called
    HttpStatus, // the server answered with a status outside 200-299
    HostNotFound,
    ConnectionRefused,
    Timeout,
    TooManyRedirects,
    TooLarge,           // the body passed the size limit
    UnsupportedAddress, // not an http or https address
    Network,            // any other transfer failure
};

struct TransferResult
{
    TransferError error = TransferError::None;
    QString text;         // the body as text; "" on failure
    QString errorMessage; // for the user; "" on success
    int httpStatus = 0;   // the final status when the server answered, else 0

    bool ok() const { return error == TransferError::None; }
};

// Downloads a document as text without blocking the caller: the result arrives through a
// continuation while the caller's window keeps handling its events.
class InternetTransfer
{
public:
    using Id = quint64;
    using Done = std::function<void(const TransferResult &)>;

    virtual ~InternetTransfer() = default;

    // Starts fetching url. done runs exactly once, from the event loop (never inside
    // openUrl or abort), unless context is destroyed first: then the request is dropped
    // and done never runs. Returns an id for abort().
    virtual Id openUrl(const QUrl &url, QObject *context, Done done) = 0;

    // Ends a running request with TransferError::Aborted. Unknown or finished ids are
    // ignored.
    virtual void abort(Id id) = 0;
};

} // namespace platform
