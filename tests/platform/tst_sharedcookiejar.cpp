#include "platform/webengine/sharedcookiejar.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using platform::SharedCookieJar;

class TestSharedCookieJar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("jar");
        QTest::addColumn<QStringList>("names");
        const QByteArray future = "; expires=Fri, 01-Jan-2100 00:00:00 GMT; domain=127.0.0.1; path=/";
        QTest::newRow("lasting cookies") << ("a=1" + future + "\nb=2" + future + "\n") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("expired cookie dropped")
            << ("a=1; expires=Thu, 01-Jan-1970 00:00:10 GMT; domain=x.test; path=/\nb=2" + future)
            << QStringList{u"b"_s};
        QTest::newRow("session cookie dropped") << QByteArray("s=1; domain=x.test; path=/\n") << QStringList();
        QTest::newRow("no domain dropped")
            << QByteArray("n=1; expires=Fri, 01-Jan-2100 00:00:00 GMT; path=/\n") << QStringList();
        QTest::newRow("blank, comment and garbage lines")
            << ("\n# note\n;;;\n=\nc=3" + future + "\r\n") << QStringList{u"c"_s};
        QTest::newRow("empty file") << QByteArray() << QStringList();
    }
    void parse()
    {
        QFETCH(QByteArray, jar);
        QFETCH(QStringList, names);
        QStringList found;
        for (const QNetworkCookie &cookie : SharedCookieJar::parse(jar))
            found.append(QString::fromLatin1(cookie.name()));
        QCOMPARE(found, names);
    }

    void roundTripKeepsEveryField()
    {
        QNetworkCookie cookie("id", "x y=z");
        cookie.setDomain(u".example.test"_s);
        cookie.setPath(u"/app"_s);
        cookie.setExpirationDate(QDateTime(QDate(2099, 5, 6), QTime(7, 8, 9), Qt::UTC));
        cookie.setSecure(true);
        cookie.setHttpOnly(true);
        const QList<QNetworkCookie> back = SharedCookieJar::parse(SharedCookieJar::serialize({cookie}));
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
        cookie.setExpirationDate(QDateTime(QDate(2099, 1, 1), QTime(0, 0), Qt::UTC));
        const QByteArray bytes = SharedCookieJar::serialize({cookie}, "mark-2");
        QCOMPARE(SharedCookieJar::clearMark(bytes), QByteArray("mark-2"));
        QCOMPARE(SharedCookieJar::parse(bytes).size(), 1);
        QCOMPARE(SharedCookieJar::clearMark(SharedCookieJar::serialize({cookie})), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestSharedCookieJar)
#include "tst_sharedcookiejar.moc"
