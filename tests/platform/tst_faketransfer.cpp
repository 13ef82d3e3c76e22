// One table of download situations, run over the real transfer against pages served on
// 127.0.0.1 and over the double that window tests use: tests driven by the double are
// only worth something while both keep the contract of platform::InternetTransfer.
// What the double cannot imitate (time limits, size limits, redirects, decoding) is
// covered by tst_networktransfer alone.
#include "platform/networktransfer.h"
#include "tests/support/fakeinternettransfer.h"
#include "tests/support/localhttpserver.h"

#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using platform::InternetTransfer;
using platform::TransferError;
using platform::TransferResult;

enum class Situation {
    Answer,            // open a page and let it answer
    AbortWhileWaiting, // the server has the request, the answer is held
    AbortBeforeAnswer, // abort right after openUrl, before the event loop runs
    AbortAfterAnswer,  // the continuation has run; abort must be ignored
    AbortOnlyItsOwn,   // two waiting requests; one aborted, plus an unknown id
    ContextGoneWhileWaiting,
    ContextGoneBeforeAnswer,
};
Q_DECLARE_METATYPE(Situation)
Q_DECLARE_METATYPE(platform::TransferError)

namespace {

// What the rows need from either implementation.
class Subject
{
public:
    virtual ~Subject() = default;
    virtual InternetTransfer &transfer() = 0;
    // An address that answers with text.
    virtual QUrl page(const QString &name, const QString &text) = 0;
    virtual QUrl notFound() = 0;
    virtual QUrl refused() = 0;
    // While holding, answers wait for release().
    virtual void hold() = 0;
    virtual void release() = 0;
    virtual bool waitUntilAsked(const QUrl &url) = 0;
};

class RealSubject : public Subject
{
public:
    InternetTransfer &transfer() override { return m_transfer; }
    QUrl page(const QString &name, const QString &text) override
    {
        LocalHttpServer::Response response;
        response.contentType = "text/plain; charset=utf-8";
        response.body = text.toUtf8();
        m_server.route(u'/' + name, response);
        return m_server.url(u'/' + name);
    }
    QUrl notFound() override { return m_server.url(u"/missing"_s); } // no route: 404
    QUrl refused() override { return LocalHttpServer::refusedUrl(); }
    void hold() override { m_server.setHolding(true); }
    void release() override { m_server.releaseHeld(); }
    bool waitUntilAsked(const QUrl &url) override
    {
        return QTest::qWaitFor([&] { return m_server.wasRequested(url.path()); }, 10'000);
    }

private:
    LocalHttpServer m_server;
    platform::NetworkTransfer m_transfer;
};

class DoubleSubject : public Subject
{
public:
    InternetTransfer &transfer() override { return m_transfer; }
    QUrl page(const QString &name, const QString &text) override
    {
        const QUrl url(u"http://double.test/"_s + name);
        m_transfer.setText(url, text);
        return url;
    }
    QUrl notFound() override
    {
        const QUrl url(u"http://double.test/missing"_s);
        m_transfer.setError(url, TransferError::HttpStatus, 404);
        return url;
    }
    QUrl refused() override
    {
        const QUrl url(u"http://127.0.0.1:9/"_s);
        m_transfer.setError(url, TransferError::ConnectionRefused);
        return url;
    }
    void hold() override { m_transfer.setHolding(true); }
    void release() override
    {
        m_transfer.setHolding(false);
        m_transfer.releaseAll();
    }
    bool waitUntilAsked(const QUrl &url) override { return m_transfer.requests().contains(url); }

private:
    FakeInternetTransfer m_transfer;
};

// Counts the runs of one continuation and keeps the last result.
struct Recorder
{
    int calls = 0;
    int callsInside = 0; // runs during openUrl or abort
    TransferResult result;
};

} // namespace

class TestTransferContract : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void contract_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Situation>("situation");
        QTest::addColumn<QString>("address"); // "page", "not found", "refused" or an address
        QTest::addColumn<int>("calls");
        QTest::addColumn<TransferError>("error");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("status");
        // The second request of the two-request rows: "" = none asked.
        QTest::addColumn<QString>("secondText");
        QTest::addColumn<TransferError>("secondError");

        const QString page = u"page"_s;
        const QString body = u"本文"_s;
        const QString other = u"別の本文"_s;
        const auto none = TransferError::None;
        const auto aborted = TransferError::Aborted;
        for (const QString &kind : {u"network"_s, u"double"_s}) {
            auto row = [&](const char *name) -> QTestData & {
                return QTest::addRow("%s: %s", qPrintable(kind), name) << kind;
            };
            row("page answers with text") << Situation::Answer << page << 1 << none << body << 200 << QString() << none;
            row("HTTP 404") << Situation::Answer << u"not found"_s << 1 << TransferError::HttpStatus << QString() << 404
                            << QString() << none;
            row("connection refused") << Situation::Answer << u"refused"_s << 1 << TransferError::ConnectionRefused
                                      << QString() << 0 << QString() << none;
            row("file address") << Situation::Answer << u"file:///etc/hostname"_s << 1
                                << TransferError::UnsupportedAddress << QString() << 0 << QString() << none;
            row("abort while the answer is held")
                << Situation::AbortWhileWaiting << page << 1 << aborted << QString() << 0 << QString() << none;
            row("abort before the answer")
                << Situation::AbortBeforeAnswer << page << 1 << aborted << QString() << 0 << QString() << none;
            row("abort after the answer is ignored")
                << Situation::AbortAfterAnswer << page << 1 << none << body << 200 << QString() << none;
            row("abort ends only its own request")
                << Situation::AbortOnlyItsOwn << page << 1 << none << body << 200 << other << aborted;
            row("context destroyed while the answer is held")
                << Situation::ContextGoneWhileWaiting << page << 0 << none << QString() << 0 << QString() << none;
            row("context destroyed before the answer")
                << Situation::ContextGoneBeforeAnswer << page << 0 << none << QString() << 0 << QString() << none;
        }
    }

    void contract()
    {
        QFETCH(QString, kind);
        QFETCH(Situation, situation);
        QFETCH(QString, address);
        QFETCH(int, calls);
        QFETCH(TransferError, error);
        QFETCH(QString, text);
        QFETCH(int, status);
        QFETCH(QString, secondText);
        QFETCH(TransferError, secondError);

        std::unique_ptr<Subject> subject;
        if (kind == u"network"_s)
            subject = std::make_unique<RealSubject>();
        else
            subject = std::make_unique<DoubleSubject>();
        InternetTransfer &transfer = subject->transfer();

        QUrl url;
        if (address == u"page"_s)
            url = subject->page(u"page"_s, u"本文"_s);
        else if (address == u"not found"_s)
            url = subject->notFound();
        else if (address == u"refused"_s)
            url = subject->refused();
        else
            url = QUrl(address);
        const QUrl secondUrl = subject->page(u"other"_s, u"別の本文"_s);

        auto context = std::make_unique<QObject>();
        bool inside = false;
        Recorder first;
        Recorder second;
        auto open = [&](const QUrl &target, Recorder &recorder) {
            inside = true;
            const auto id = transfer.openUrl(target, context.get(), [&](const TransferResult &r) {
                ++recorder.calls;
                recorder.callsInside += inside ? 1 : 0;
                recorder.result = r;
            });
            inside = false;
            return id;
        };
        auto abort = [&](InternetTransfer::Id id) {
            inside = true;
            transfer.abort(id);
            inside = false;
        };

        switch (situation) {
        case Situation::Answer:
            open(url, first);
            break;
        case Situation::AbortWhileWaiting: {
            subject->hold();
            const auto id = open(url, first);
            QVERIFY(subject->waitUntilAsked(url));
            abort(id);
            QTRY_COMPARE(first.calls, 1); // ends without the answer
            subject->release();
            break;
        }
        case Situation::AbortBeforeAnswer:
            abort(open(url, first));
            break;
        case Situation::AbortAfterAnswer: {
            const auto id = open(url, first);
            QTRY_COMPARE(first.calls, 1);
            abort(id);
            break;
        }
        case Situation::AbortOnlyItsOwn: {
            subject->hold();
            const auto id = open(url, first);
            const auto secondId = open(secondUrl, second);
            QVERIFY(id != secondId);
            QVERIFY(subject->waitUntilAsked(url));
            QVERIFY(subject->waitUntilAsked(secondUrl));
            abort(secondId);
            abort(qMax(id, secondId) + 1000); // never handed out
            subject->release();
            break;
        }
        case Situation::ContextGoneWhileWaiting:
            subject->hold();
            open(url, first);
            QVERIFY(subject->waitUntilAsked(url));
            context.reset();
            subject->release();
            break;
        case Situation::ContextGoneBeforeAnswer:
            open(url, first);
            context.reset();
            break;
        }

        QTRY_COMPARE(first.calls, calls);
        if (!secondText.isEmpty())
            QTRY_COMPARE(second.calls, 1);
        // Anything still on its way comes before the answer to a later request; a second
        // run of a continuation, or one for a destroyed context, would show here.
        QObject later;
        int laterCalls = 0;
        transfer.openUrl(subject->page(u"later"_s, u"後"_s), &later, [&](const TransferResult &) { ++laterCalls; });
        QTRY_COMPARE(laterCalls, 1);
        QTest::qWait(20);
        QCOMPARE(first.calls, calls);
        QCOMPARE(second.calls, secondText.isEmpty() ? 0 : 1);
        QCOMPARE(first.callsInside + second.callsInside, 0);

        if (calls) {
            QCOMPARE(first.result.error, error);
            QCOMPARE(first.result.ok(), error == TransferError::None);
            QCOMPARE(first.result.text, text);
            QCOMPARE(first.result.httpStatus, status);
            // A message for the user on failure only.
            QCOMPARE(first.result.errorMessage.isEmpty(), error == TransferError::None);
        }
        if (!secondText.isEmpty()) {
            QCOMPARE(second.result.error, secondError);
            QCOMPARE(second.result.text, secondError == TransferError::None ? secondText : QString());
            QCOMPARE(second.result.errorMessage.isEmpty(), secondError == TransferError::None);
        }
    }
};

QTEST_GUILESS_MAIN(TestTransferContract)
#include "tst_faketransfer.moc"
