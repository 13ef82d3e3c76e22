#include "tests/support/isolatedhome.h"
#include "tests/support/localhttpserver.h"

#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

// Every process of the program browses in one persistent profile.
class TestSharedProfile : public QObject
{
    Q_OBJECT
private:
    LocalHttpServer m_server;
    IsolatedHome m_home; // one for every probe: they share the profile inside it

    std::unique_ptr<QProcess> startProbe(const QStringList &paths)
    {
        auto probe = std::make_unique<QProcess>();
        probe->setProcessEnvironment(m_home.environment());
        QStringList addresses;
        for (const QString &path : paths)
            addresses.append(m_server.url(path).toString());
        probe->start(QStringLiteral(BROWSER_PROBE), addresses);
        return probe;
    }

    QByteArray cookiesSentTo(const QString &path) const
    {
        for (const LocalHttpServer::Request &request : m_server.requests()) {
            if (request.path == path)
                return request.headers.value("cookie");
        }
        return "(not requested)";
    }

    static QByteArray finish(QProcess &probe)
    {
        if (!probe.waitForFinished(90000))
            return "timed out";
        if (probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
            return "exit " + QByteArray::number(probe.exitCode()) + ": " + probe.readAllStandardError().right(2000);
        return probe.readAllStandardOutput();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        auto cookiePage = [](const QByteArray &title, const QByteArray &cookie) {
            LocalHttpServer::Response response;
            response.contentType = "text/html; charset=utf-8";
            response.body = "<html><head><title>" + title + "</title></head><body></body></html>";
            if (!cookie.isEmpty())
                response.headers.append({"Set-Cookie", cookie + "; Max-Age=3600; Path=/"});
            return response;
        };
        m_server.route(u"/set1"_s, cookiePage("one", "one=1"));
        m_server.route(u"/set2"_s, cookiePage("two", "two=2"));
        for (const QString &path : {u"/check1"_s, u"/check2"_s, u"/check3"_s})
            m_server.route(path, cookiePage("check", {}));
    }

    void twoProcessesAtOnceKeepTheirCookies()
    {
        auto first = startProbe({u"/set1"_s, u"/check1"_s});
        auto second = startProbe({u"/set2"_s, u"/check2"_s});
        QCOMPARE(finish(*first), QByteArray("one\ncheck\n"));
        QCOMPARE(finish(*second), QByteArray("two\ncheck\n"));
        QVERIFY2(cookiesSentTo(u"/check1"_s).contains("one=1"), cookiesSentTo(u"/check1"_s));
        QVERIFY2(cookiesSentTo(u"/check2"_s).contains("two=2"), cookiesSentTo(u"/check2"_s));
    }

    void aLaterProcessFindsTheStoredCookies()
    {
        auto later = startProbe({u"/check3"_s});
        QCOMPARE(finish(*later), QByteArray("check\n"));
        const QByteArray cookies = cookiesSentTo(u"/check3"_s);
        QVERIFY2(cookies.contains("one=1"), cookies);
        QVERIFY2(cookies.contains("two=2"), cookies);
        // Kept in the private home's profile, not the user's.
        QVERIFY(QFileInfo(m_home.dataHome() + u"/yuragine/QtWebEngine/yuragine/shared-cookies/cookies.txt"_s).isFile());
    }
};

QTEST_GUILESS_MAIN(TestSharedProfile)
#include "tst_sharedprofile.moc"
