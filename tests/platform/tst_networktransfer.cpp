#include "platform/networktransfer.h"
#include "tests/support/localhttpserver.h"

#include <QTimer>
#include <QtTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using platform::NetworkTransfer;
using platform::TransferError;
using platform::TransferResult;

Q_DECLARE_METATYPE(platform::TransferError)

namespace {

// Runs one download to its end; nullopt when the continuation did not run in time.
std::optional<TransferResult> fetch(NetworkTransfer &transfer, const QUrl &url)
{
    QObject context;
    std::optional<TransferResult> result;
    int calls = 0;
    transfer.openUrl(url, &context, [&](const TransferResult &r) {
        result = r;
        ++calls;
    });
    if (!QTest::qWaitFor([&] { return calls > 0; }, 20'000))
        return std::nullopt;
    QTest::qWait(20); // a second call would show here
    if (calls != 1)
        return std::nullopt;
    return result;
}

} // namespace

class TestNetworkTransfer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodesPages_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        const QByteArray sjis = "\x93\xfa\x96\x7b\x8c\xea"; // 日本語
        QTest::newRow("Shift_JIS header") << QByteArray("text/html; charset=Shift_JIS") << sjis << u"日本語"_s;
        QTest::newRow("Shift_JIS bare") << QByteArray("text/html") << sjis << u"日本語"_s;
        QTest::newRow("Shift_JIS meta")
            << QByteArray("text/html")
            << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">") + sjis
            << u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">日本語"_s;
        QTest::newRow("UTF-8 header") << QByteArray("text/html; charset=utf-8") << u"日本語"_s.toUtf8() << u"日本語"_s;
        QTest::newRow("UTF-8 bare") << QByteArray("text/plain") << u"日本語"_s.toUtf8() << u"日本語"_s;
        QTest::newRow("UTF-8 BOM") << QByteArray() << QByteArray("\xef\xbb\xbf") + u"日本語"_s.toUtf8() << u"日本語"_s;
    }
    void decodesPages()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        LocalHttpServer server;
        LocalHttpServer::Response response;
        response.contentType = contentType;
        response.body = body;
        server.route(u"/page"_s, response);
        NetworkTransfer transfer;
        const auto result = fetch(transfer, server.url(u"/page"_s));
        QVERIFY(result);
        QVERIFY2(result->ok(), qPrintable(result->errorMessage));
        QCOMPARE(result->text, expected);
        QCOMPARE(result->httpStatus, 200);
    }

    void followsRedirects()
    {
        LocalHttpServer server;
        for (int i = 0; i < 10; ++i)
            server.redirect(u"/r%1"_s.arg(i), u"/r%1"_s.arg(i + 1), i % 2 ? 301 : 302);
        server.route(u"/r10"_s, QByteArray("end"));
        NetworkTransfer transfer;

        // Ten redirects are allowed...
        auto result = fetch(transfer, server.url(u"/r0"_s));
        QVERIFY(result);
        QVERIFY2(result->ok(), qPrintable(result->errorMessage));
        QCOMPARE(result->text, u"end"_s);
        QCOMPARE(server.requestedPaths().size(), 11);
        QCOMPARE(server.requestedPaths().last(), u"/r10"_s);

        // ...an eleventh is not.
        server.redirect(u"/r-1"_s, u"/r0"_s);
        result = fetch(transfer, server.url(u"/r-1"_s));
        QVERIFY(result);
        QCOMPARE(result->error, TransferError::TooManyRedirects);
        QVERIFY(result->text.isEmpty());
        QVERIFY(!result->errorMessage.isEmpty());
    }

    void failures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<TransferError>("error");
        QTest::addColumn<int>("status");
        QTest::newRow("404") << u"/missing"_s << TransferError::HttpStatus << 404;
        QTest::newRow("500") << u"/broken"_s << TransferError::HttpStatus << 500;
        QTest::newRow("204 is success") << u"/empty"_s << TransferError::None << 204;
        QTest::newRow("redirect loop") << u"/loop"_s << TransferError::TooManyRedirects << 0;
        QTest::newRow("redirect to file:") << u"/tofile"_s << TransferError::UnsupportedAddress << 0;
        QTest::newRow("never answers") << u"/silent"_s << TransferError::Timeout << 0;
        QTest::newRow("refused") << u"refused"_s << TransferError::ConnectionRefused << 0;
        QTest::newRow("file address") << u"file:///etc/hostname"_s << TransferError::UnsupportedAddress << 0;
        QTest::newRow("empty address") << QString() << TransferError::UnsupportedAddress << 0;
        QTest::newRow("too large") << u"/huge"_s << TransferError::TooLarge << 0;
    }
    void failures()
    {
        QFETCH(QString, path);
        QFETCH(TransferError, error);
        QFETCH(int, status);
        LocalHttpServer server;
        LocalHttpServer::Response response;
        response.status = 500;
        server.route(u"/broken"_s, response);
        response.status = 204;
        server.route(u"/empty"_s, response);
        server.redirect(u"/loop"_s, u"/loop"_s);
        server.redirect(u"/tofile"_s, u"file:///etc/hostname"_s);
        LocalHttpServer::Response silent;
        silent.neverAnswer = true;
        server.route(u"/silent"_s, silent);
        server.route(u"/huge"_s, QByteArray(5000, 'x'));

        NetworkTransfer transfer;
        transfer.setTimeout(500);
        transfer.setMaximumSize(1000);
        QUrl url;
        if (path == u"refused"_s)
            url = LocalHttpServer::refusedUrl();
        else if (path.startsWith(u'/'))
            url = server.url(path);
        else
            url = QUrl(path);

        const auto result = fetch(transfer, url);
        QVERIFY(result);
        QCOMPARE(result->error, error);
        if (status)
            QCOMPARE(result->httpStatus, status);
        QCOMPARE(result->errorMessage.isEmpty(), error == TransferError::None);
        if (error != TransferError::None)
            QVERIFY(result->text.isEmpty());
    }

    // The caller's window keeps running while it waits; its cancel button ends the wait.
    void timerTicksAndAbortDuringWait()
    {
        LocalHttpServer server;
        LocalHttpServer::Response silent;
        silent.neverAnswer = true;
        server.route(u"/silent"_s, silent);
        NetworkTransfer transfer;
        QObject window;
        std::optional<TransferResult> result;
        int calls = 0;
        const auto id = transfer.openUrl(server.url(u"/silent"_s), &window, [&](const TransferResult &r) {
            result = r;
            ++calls;
        });
        int ticks = 0;
        QTimer busyBar;
        QObject::connect(&busyBar, &QTimer::timeout, &window, [&] {
            if (++ticks == 5)
                transfer.abort(id);
        });
        busyBar.start(10);
        QVERIFY(QTest::qWaitFor([&] { return calls > 0; }, 20'000));
        busyBar.stop();
        QVERIFY(ticks >= 5);
        QCOMPARE(result->error, TransferError::Aborted);
        QVERIFY(server.wasRequested(u"/silent"_s));
        transfer.abort(id); // finished: ignored
        QTest::qWait(50);
        QCOMPARE(calls, 1);
    }

    void continuationNeverRunsInsideTheCall()
    {
        NetworkTransfer transfer;
        QObject context;
        int calls = 0;
        transfer.openUrl(QUrl(u"about:blank"_s), &context, [&](const TransferResult &) { ++calls; });
        QCOMPARE(calls, 0);
        QTRY_COMPARE(calls, 1);
    }

    void closedWindowDropsTheRequest()
    {
        LocalHttpServer server;
        LocalHttpServer::Response silent;
        silent.neverAnswer = true;
        server.route(u"/silent"_s, silent);
        server.route(u"/fast"_s, QByteArray("fast"));
        NetworkTransfer transfer;
        transfer.setTimeout(300);
        int calls = 0;
        auto window = std::make_unique<QObject>();
        transfer.openUrl(server.url(u"/silent"_s), window.get(), [&](const TransferResult &) { ++calls; });
        QTRY_VERIFY(server.wasRequested(u"/silent"_s));
        window.reset();
        // Well past the time-out, which would have answered a live window.
        QTest::qWait(600);
        QCOMPARE(calls, 0);

        // A window closed right after asking, before the answer could come.
        window = std::make_unique<QObject>();
        transfer.openUrl(server.url(u"/fast"_s), window.get(), [&](const TransferResult &) { ++calls; });
        window.reset();
        QTest::qWait(300);
        QCOMPARE(calls, 0);

        // The transfer still works for others.
        QObject other;
        transfer.openUrl(server.url(u"/fast"_s), &other, [&](const TransferResult &r) { calls += r.ok() ? 100 : 1; });
        QTRY_COMPARE(calls, 100);
    }

    void destroyedTransferDropsPendingRequests()
    {
        LocalHttpServer server;
        LocalHttpServer::Response silent;
        silent.neverAnswer = true;
        server.route(u"/silent"_s, silent);
        QObject window;
        int calls = 0;
        {
            NetworkTransfer transfer;
            transfer.openUrl(server.url(u"/silent"_s), &window, [&](const TransferResult &) { ++calls; });
            QTRY_VERIFY(server.wasRequested(u"/silent"_s));
        }
        QTest::qWait(100);
        QCOMPARE(calls, 0);
    }
};

QTEST_GUILESS_MAIN(TestNetworkTransfer)
#include "tst_networktransfer.moc"
