#include "platform/pagerequests.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using platform::LocalRequest;

class TestPageRequests : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void webAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("web");
        QTest::newRow("http") << u"http://127.0.0.1/a"_s << true;
        QTest::newRow("https, scheme in capitals") << u"HTTPS://127.0.0.1/a"_s << true;
        QTest::newRow("ftp") << u"ftp://127.0.0.1/pub/"_s << true;
        QTest::newRow("Japanese path") << u"http://127.0.0.1/表.htm"_s << true;
        QTest::newRow("file") << u"file:///etc/hostname"_s << false;
        QTest::newRow("javascript") << u"javascript:alert(1)"_s << false;
        QTest::newRow("data") << u"data:text/html,<b>x</b>"_s << false;
        QTest::newRow("local path") << u"/home/u/x.htm"_s << false;
        QTest::newRow("no host") << u"http:///x"_s << false;
        QTest::newRow("four letters and ://") << u"abcd://127.0.0.1/"_s << false;
        QTest::newRow("plain text") << u"ページが表示されました"_s << false;
        QTest::newRow("empty") << QString() << false;
    }
    void webAddress()
    {
        QFETCH(QString, address);
        QFETCH(bool, web);
        QCOMPARE(platform::isWebAddress(address), web);
    }

    void pageMayOpen_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("web to web") << u"http://127.0.0.1/a"_s << u"https://127.0.0.1/b"_s << true;
        QTest::newRow("web to blank") << u"http://127.0.0.1/a"_s << u"about:blank"_s << true;
        QTest::newRow("web to file address") << u"https://127.0.0.1/a"_s << u"file:///etc/passwd"_s << false;
        QTest::newRow("web to FILE address") << u"http://127.0.0.1/a"_s << u" FILE:///tmp/x.htm"_s << false;
        QTest::newRow("web to local path") << u"http://127.0.0.1/a"_s << u"/home/u/x.htm"_s << false;
        QTest::newRow("data page to file") << u"data:text/html,x"_s << u"file:///etc/passwd"_s << false;
        QTest::newRow("web to script") << u"http://127.0.0.1/a"_s << u"javascript:alert(1)"_s << false;
        QTest::newRow("web to data") << u"http://127.0.0.1/a"_s << u"data:text/html,x"_s << false;
        QTest::newRow("local page to local file") << u"file:///tmp/a.htm"_s << u"file:///tmp/b.htm"_s << true;
        QTest::newRow("local page to local path") << u"file:///tmp/a.htm"_s << u"/tmp/b.htm"_s << true;
        QTest::newRow("local page to web") << u"file:///tmp/a.htm"_s << u"http://127.0.0.1/"_s << true;
        QTest::newRow("no page to local path") << QString() << u"/tmp/b.htm"_s << false;
        QTest::newRow("nothing asked for") << u"http://127.0.0.1/a"_s << QString() << true;
    }
    void pageMayOpen()
    {
        QFETCH(QString, page);
        QFETCH(QString, target);
        QFETCH(bool, allowed);
        QCOMPARE(platform::pageMayOpen(page, target), allowed);
    }

    void localPageMayLoad_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<LocalRequest>("request");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("its picture") << u"/home/u/Downloads/page_files/a.png"_s << LocalRequest::Embedded << true;
        QTest::newRow("its style sheet beside it")
            << u"/home/u/Downloads/style.css"_s << LocalRequest::Embedded << true;
        QTest::newRow("its frame") << u"/home/u/Downloads/page_files/f.htm"_s << LocalRequest::Frame << true;
        QTest::newRow("its own file, read by script")
            << u"/home/u/Downloads/notes.txt"_s << LocalRequest::Read << false;
        QTest::newRow("a picture elsewhere") << u"/home/u/Pictures/me.jpg"_s << LocalRequest::Embedded << false;
        QTest::newRow("a file above, in a frame") << u"/etc/hostname"_s << LocalRequest::Frame << false;
        QTest::newRow("a folder whose name begins alike")
            << u"/home/u/Downloads2/a.png"_s << LocalRequest::Embedded << false;
        QTest::newRow("out by ..") << u"/home/u/Downloads/../.ssh/id_rsa"_s << LocalRequest::Frame << false;
    }
    void localPageMayLoad()
    {
        QFETCH(QString, target);
        QFETCH(LocalRequest, request);
        QFETCH(bool, allowed);
        const QUrl page = QUrl::fromLocalFile(u"/home/u/Downloads/page.htm"_s);
        QCOMPARE(platform::localPageMayLoad(page, QUrl::fromLocalFile(target), request), allowed);
    }
};

QTEST_APPLESS_MAIN(TestPageRequests)
#include "tst_pagerequests.moc"
