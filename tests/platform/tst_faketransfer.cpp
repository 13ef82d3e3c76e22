// The transfer double must keep the contract the windows rely on, or tests driven by it
// would pass against behaviour the real transfer never shows.
#include "tests/support/fakeinternettransfer.h"

#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using platform::TransferError;
using platform::TransferResult;

class TestFakeTransfer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answersFromItsTable()
    {
        FakeInternetTransfer transfer;
        const QUrl page(u"http://example.test/page"_s);
        const QUrl gone(u"http://example.test/gone"_s);
        transfer.setText(page, u"本文"_s);
        transfer.setError(gone, TransferError::HttpStatus, 404);
        QObject window;
        QList<TransferResult> results;
        auto record = [&](const TransferResult &r) { results.append(r); };
        transfer.openUrl(page, &window, record);
        transfer.openUrl(gone, &window, record);
        transfer.openUrl(QUrl(u"http://example.test/unscripted"_s), &window, record);
        QVERIFY(results.isEmpty()); // never inside the call
        QTRY_COMPARE(results.size(), 3);
        QVERIFY(results[0].ok());
        QCOMPARE(results[0].text, u"本文"_s);
        QCOMPARE(results[1].error, TransferError::HttpStatus);
        QCOMPARE(results[1].httpStatus, 404);
        QVERIFY(!results[1].errorMessage.isEmpty());
        QCOMPARE(results[2].error, TransferError::HostNotFound);
        QCOMPARE(transfer.requests().size(), 3);
        QCOMPARE(transfer.requests()[1], gone);
    }

    void holdsUntilReleased()
    {
        FakeInternetTransfer transfer;
        transfer.setHolding(true);
        transfer.setText(QUrl(u"http://a.test/"_s), u"a"_s);
        transfer.setText(QUrl(u"http://b.test/"_s), u"b"_s);
        QObject window;
        QStringList order;
        transfer.openUrl(QUrl(u"http://a.test/"_s), &window, [&](const TransferResult &r) { order.append(r.text); });
        transfer.openUrl(QUrl(u"http://b.test/"_s), &window, [&](const TransferResult &r) { order.append(r.text); });
        QTest::qWait(50);
        QVERIFY(order.isEmpty());
        QCOMPARE(transfer.heldCount(), 2);
        QVERIFY(transfer.releaseNext());
        QCOMPARE(order, QStringList{u"a"_s});
        QCOMPARE(transfer.releaseAll(), 1);
        QCOMPARE(order, (QStringList{u"a"_s, u"b"_s}));
        QVERIFY(!transfer.releaseNext());
    }

    void abortEndsWithAnError()
    {
        FakeInternetTransfer transfer;
        transfer.setHolding(true);
        QObject window;
        QList<TransferResult> results;
        const auto id = transfer.openUrl(QUrl(u"http://a.test/"_s), &window,
                                         [&](const TransferResult &r) { results.append(r); });
        transfer.abort(id);
        QVERIFY(results.isEmpty()); // not inside abort either
        QTRY_COMPARE(results.size(), 1);
        QCOMPARE(results[0].error, TransferError::Aborted);
        QCOMPARE(transfer.abortedIds(), QList<platform::InternetTransfer::Id>{id});
        transfer.abort(id);
        QCOMPARE(transfer.releaseAll(), 0);
        QTest::qWait(20);
        QCOMPARE(results.size(), 1);

        // Not holding: an abort before the answer still wins.
        transfer.setHolding(false);
        transfer.setText(QUrl(u"http://b.test/"_s), u"b"_s);
        const auto second = transfer.openUrl(QUrl(u"http://b.test/"_s), &window,
                                             [&](const TransferResult &r) { results.append(r); });
        transfer.abort(second);
        QTRY_COMPARE(results.size(), 2);
        QCOMPARE(results[1].error, TransferError::Aborted);
        QTest::qWait(20);
        QCOMPARE(results.size(), 2);
    }

    void closedWindowIsNotCalled()
    {
        FakeInternetTransfer transfer;
        int calls = 0;
        auto window = std::make_unique<QObject>();
        transfer.openUrl(QUrl(u"http://a.test/"_s), window.get(), [&](const TransferResult &) { ++calls; });
        window.reset();
        QTest::qWait(50);
        QCOMPARE(calls, 0);

        transfer.setHolding(true);
        window = std::make_unique<QObject>();
        transfer.openUrl(QUrl(u"http://a.test/"_s), window.get(), [&](const TransferResult &) { ++calls; });
        window.reset();
        QCOMPARE(transfer.releaseAll(), 0);
        QCOMPARE(calls, 0);
    }
};

QTEST_GUILESS_MAIN(TestFakeTransfer)
#include "tst_faketransfer.moc"
