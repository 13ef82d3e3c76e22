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

    // A path is served on 127.0.0.1; one starting "other:" on localhost, another site.
    // Other probe arguments pass as they are.
    std::unique_ptr<QProcess> startProbe(const QStringList &paths)
    {
        auto probe = std::make_unique<QProcess>();
        probe->setProcessEnvironment(m_home.environment());
        QStringList addresses;
        for (const QString &path : paths) {
            if (path.startsWith(u"other:"_s))
                addresses.append(otherSite(path.mid(6)).toString());
            else if (path.startsWith(u'/'))
                addresses.append(m_server.url(path).toString());
            else
                addresses.append(path);
        }
        probe->start(QStringLiteral(BROWSER_PROBE), addresses);
        return probe;
    }

    QUrl otherSite(const QString &path) const
    {
        QUrl url = m_server.url(path);
        url.setHost(u"localhost"_s);
        return url;
    }

    QString cookieFile() const
    {
        return m_home.dataHome() + u"/yuragine/QtWebEngine/yuragine/shared-cookies/cookies.txt"_s;
    }

    // Names of the cookies sent, sorted.
    QStringList cookieNamesSentTo(const QString &path) const
    {
        QStringList names;
        for (const QByteArray &pair : cookiesSentTo(path).split(';')) {
            if (pair.contains('='))
                names.append(QString::fromLatin1(pair.trimmed().split('=').first()));
        }
        names.sort();
        return names;
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

        // A site's cookies of every SameSite rule, and another site linking to it.
        auto sameSiteCookies = [](const QByteArray &suffix) {
            LocalHttpServer::Response response;
            response.body = "<html><head><title>set</title></head></html>";
            for (const QByteArray rule : {"Strict", "Lax", "None; Secure"})
                response.headers.append(
                    {"Set-Cookie",
                     rule.split(';').first().toLower() + suffix + "=1; SameSite=" + rule + "; Max-Age=3600; Path=/"});
            return response;
        };
        m_server.route(u"/samesite"_s, sameSiteCookies(""));
        m_server.route(u"/login"_s, sameSiteCookies("2"));
        for (const QString &run : {u"1"_s, u"2"_s, u"2b"_s}) {
            const QByteArray get = m_server.url(u"/get"_s + run).toString().toUtf8();
            const QByteArray post = m_server.url(u"/post"_s + run).toString().toUtf8();
            m_server.route(u"/links"_s + run,
                           "<html><head><title>links</title></head><body><a id=get href='" + get
                               + "'>get</a><form method=post action='" + post
                               + "'><input name=q value=1><button id=post>post</button></form></body></html>");
            m_server.route(u"/get"_s + run, cookiePage("check", {}));
            m_server.route(u"/post"_s + run, cookiePage("check", {}));
        }
        m_server.route(u"/same2"_s, cookiePage("check", {}));
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
        QVERIFY(QFileInfo(cookieFile()).isFile());
    }

    // A request from another site carries no Strict cookie, in the process that got it
    // and in any other, which knows the cookie only from the shared file; Lax and None
    // cookies still go with it where the process got them from the site itself.
    void sameSiteHoldsInEveryProcess()
    {
        auto first =
            startProbe({u"/samesite"_s, u"other:/links1"_s, u"click:get"_s, u"other:/links1"_s, u"click:post"_s});
        QCOMPARE(finish(*first), QByteArray("set\nlinks\ncheck\nlinks\ncheck\n"));
        QCOMPARE(cookieNamesSentTo(u"/get1"_s), (QStringList {u"lax"_s, u"none"_s}));
        QCOMPARE(cookieNamesSentTo(u"/post1"_s), (QStringList {u"none"_s}));

        // Another window, another process, and a sign-in on the site in it.
        const QString signedIn = m_home.path() + u"/signed-in"_s;
        auto second =
            startProbe({u"other:/links2"_s, u"click:get"_s, u"/same2"_s, u"/login"_s, u"wait-for:"_s + signedIn,
                        u"other:/links2b"_s, u"click:get"_s, u"other:/links2b"_s, u"click:post"_s});
        // Its own cookies come back to it through the file before it goes on.
        QTRY_VERIFY_WITH_TIMEOUT(cookiefileHolds("lax2"), 60000);
        QFile(signedIn).open(QIODevice::WriteOnly);
        QCOMPARE(finish(*second), QByteArray("links\ncheck\ncheck\nset\nlinks\ncheck\nlinks\ncheck\n"));
        QVERIFY2(!cookieNamesSentTo(u"/get2"_s).contains(u"strict"_s), cookiesSentTo(u"/get2"_s));
        for (const QString &name : {u"strict"_s, u"lax"_s, u"none"_s})
            QVERIFY2(cookieNamesSentTo(u"/same2"_s).contains(name), cookiesSentTo(u"/same2"_s));
        QCOMPARE(cookieNamesSentTo(u"/get2b"_s).filter(u"2"_s), (QStringList {u"lax2"_s, u"none2"_s}));
        QCOMPARE(cookieNamesSentTo(u"/post2b"_s).filter(u"2"_s), (QStringList {u"none2"_s}));
    }

private:
    bool cookiefileHolds(const QByteArray &name) const
    {
        QFile file(cookieFile());
        if (!file.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.startsWith(name + '='))
                return true;
        }
        return false;
    }
};

QTEST_GUILESS_MAIN(TestSharedProfile)
#include "tst_sharedprofile.moc"
