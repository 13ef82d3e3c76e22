#include "platform/cookiefile.h"

#include <QTimeZone>
#include <QtTest>

using namespace Qt::StringLiterals;
namespace cookiefile = platform::cookiefile;

class TestCookieFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("jar");
        QTest::addColumn<QStringList>("names");
        const QByteArray future = "; expires=Fri, 01-Jan-2100 00:00:00 GMT; domain=127.0.0.1; path=/";
        QTest::newRow("lasting cookies") << ("a=1" + future + "\nb=2" + future + "\n") << QStringList {u"a"_s, u"b"_s};
        QTest::newRow("expired cookie dropped")
            << ("a=1; expires=Thu, 01-Jan-1970 00:00:10 GMT; domain=x.test; path=/\nb=2" + future)
            << QStringList {u"b"_s};
        QTest::newRow("session cookie dropped") << QByteArray("s=1; domain=x.test; path=/\n") << QStringList();
        QTest::newRow("no domain dropped")
            << QByteArray("n=1; expires=Fri, 01-Jan-2100 00:00:00 GMT; path=/\n") << QStringList();
        QTest::newRow("blank, comment and garbage lines")
            << ("\n# note\n;;;\n=\nc=3" + future + "\r\n") << QStringList {u"c"_s};
        QTest::newRow("empty file") << QByteArray() << QStringList();
    }
    void parse()
    {
        QFETCH(QByteArray, jar);
        QFETCH(QStringList, names);
        QStringList found;
        for (const QNetworkCookie &cookie : cookiefile::parse(jar))
            found.append(QString::fromLatin1(cookie.name()));
        QCOMPARE(found, names);
    }

    void roundTripKeepsEveryField()
    {
        QNetworkCookie cookie("id", "x y=z");
        cookie.setDomain(u".example.test"_s);
        cookie.setPath(u"/app"_s);
        cookie.setExpirationDate(QDateTime(QDate(2099, 5, 6), QTime(7, 8, 9), QTimeZone::utc()));
        cookie.setSecure(true);
        cookie.setHttpOnly(true);
        const QList<QNetworkCookie> back = cookiefile::parse(cookiefile::serialize({cookie}));
        QCOMPARE(back.size(), 1);
        QVERIFY(back.first().hasSameIdentifier(cookie));
        QCOMPARE(back.first().value(), cookie.value());
        QCOMPARE(back.first().expirationDate(), cookie.expirationDate());
        QVERIFY(back.first().isSecure());
        QVERIFY(back.first().isHttpOnly());
    }

    void clearingMarkTravelsWithTheCookies()
    {
        QNetworkCookie cookie("id", "1");
        cookie.setDomain(u"example.test"_s);
        cookie.setExpirationDate(QDateTime(QDate(2099, 1, 1), QTime(0, 0), QTimeZone::utc()));
        const QByteArray bytes = cookiefile::serialize({cookie}, "mark-2");
        QCOMPARE(cookiefile::clearMark(bytes), QByteArray("mark-2"));
        QCOMPARE(cookiefile::parse(bytes).size(), 1);
        QCOMPARE(cookiefile::clearMark(cookiefile::serialize({cookie})), QByteArray());
    }

    // A cookie's SameSite rule as the engine reports it, kept in the file and given to the
    // engine of another process.
    void sameSiteThroughTheFile_data()
    {
        using SameSite = QNetworkCookie::SameSite;
        QTest::addColumn<SameSite>("reported");
        QTest::addColumn<bool>("engineReports");
        QTest::addColumn<SameSite>("inFile");
        QTest::addColumn<SameSite>("elsewhere");
        QTest::newRow("not reported: no rule kept, Strict elsewhere")
            << SameSite::Default << false << SameSite::Default << SameSite::Strict;
        QTest::newRow("reported without the attribute: Lax")
            << SameSite::Default << true << SameSite::Lax << SameSite::Lax;
        QTest::newRow("reported Strict") << SameSite::Strict << true << SameSite::Strict << SameSite::Strict;
        QTest::newRow("reported Lax") << SameSite::Lax << true << SameSite::Lax << SameSite::Lax;
        QTest::newRow("reported None") << SameSite::None << true << SameSite::None << SameSite::None;
    }
    void sameSiteThroughTheFile()
    {
        QFETCH(QNetworkCookie::SameSite, reported);
        QFETCH(bool, engineReports);
        QFETCH(QNetworkCookie::SameSite, inFile);
        QFETCH(QNetworkCookie::SameSite, elsewhere);
        QNetworkCookie cookie("s", "1");
        cookie.setDomain(u"example.test"_s);
        cookie.setPath(u"/"_s);
        cookie.setSecure(true);
        cookie.setExpirationDate(QDateTime(QDate(2099, 1, 1), QTime(0, 0), QTimeZone::utc()));
        cookie.setSameSitePolicy(reported);
        const QList<QNetworkCookie> back =
            cookiefile::parse(cookiefile::serialize({cookiefile::forFile(cookie, engineReports)}));
        QCOMPARE(back.size(), 1);
        QCOMPARE(back.first().sameSitePolicy(), inFile);
        QCOMPARE(cookiefile::forEngine(back.first()).sameSitePolicy(), elsewhere);
        // What the other engine reports back is the file's line again, or the processes
        // would rewrite the file for each other without end.
        QNetworkCookie echo = cookiefile::forEngine(back.first());
        if (!engineReports)
            echo.setSameSitePolicy(QNetworkCookie::SameSite::Default);
        QCOMPARE(cookiefile::forFile(echo, engineReports).toRawForm(), back.first().toRawForm());
    }

    // A batch of the engine's reports, written in one go.
    void batchOfChanges_data()
    {
        QTest::addColumn<QStringList>("stored");  // name=value
        QTest::addColumn<QStringList>("changes"); // +name=value added, -name=value removed
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("changed");
        QTest::newRow("added") << QStringList {u"a=1"_s} << QStringList {u"+b=2"_s} << QStringList {u"a=1"_s, u"b=2"_s}
                               << true;
        QTest::newRow("added again as it is")
            << QStringList {u"a=1"_s} << QStringList {u"+a=1"_s} << QStringList {u"a=1"_s} << false;
        QTest::newRow("replaced in place") << QStringList {u"a=1"_s, u"b=2"_s} << QStringList {u"-a=1"_s, u"+a=9"_s}
                                           << QStringList {u"b=2"_s, u"a=9"_s} << true;
        QTest::newRow("an old one's removal keeps the newer")
            << QStringList {u"a=9"_s} << QStringList {u"-a=1"_s} << QStringList {u"a=9"_s} << false;
        QTest::newRow("a loop of changes ends with the last")
            << QStringList {} << QStringList {u"+c=1"_s, u"-c=1"_s, u"+c=2"_s, u"-c=2"_s, u"+c=3"_s}
            << QStringList {u"c=3"_s} << true;
        QTest::newRow("added and removed again")
            << QStringList {} << QStringList {u"+c=1"_s, u"-c=1"_s} << QStringList {} << true;
    }
    void batchOfChanges()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, changes);
        QFETCH(QStringList, after);
        QFETCH(bool, changed);
        auto cookie = [](const QString &text) {
            QNetworkCookie made(text.section(u'=', 0, 0).toLatin1(), text.section(u'=', 1).toLatin1());
            made.setDomain(u"example.test"_s);
            made.setPath(u"/"_s);
            made.setExpirationDate(QDateTime(QDate(2099, 1, 1), QTime(0, 0), QTimeZone::utc()));
            return made;
        };
        QList<QNetworkCookie> cookies;
        for (const QString &text : stored)
            cookies.append(cookie(text));
        QList<cookiefile::Change> batch;
        for (const QString &text : changes)
            batch.append({text.startsWith(u'+'), cookie(text.mid(1))});
        QCOMPARE(cookiefile::apply(cookies, batch), changed);
        QStringList found;
        for (const QNetworkCookie &c : cookies)
            found.append(QString::fromLatin1(c.name() + '=' + c.value()));
        QCOMPARE(found, after);
    }
};

QTEST_GUILESS_MAIN(TestCookieFile)
#include "tst_cookiefile.moc"
