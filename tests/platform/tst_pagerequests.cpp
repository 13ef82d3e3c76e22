#include "platform/pagerequests.h"

#include <QDir>
#include <QTemporaryDir>
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

    // Real files: where a file really is decides, links resolved.
    void localPageMayRequest_data()
    {
        QTest::addColumn<QString>("target"); // under the temporary folder, or an address
        QTest::addColumn<QString>("initiator");
        QTest::addColumn<LocalRequest>("kind");
        QTest::addColumn<bool>("scriptRuns");
        QTest::addColumn<bool>("allowed");
        const QString file = u"file:///"_s;
        QTest::newRow("the page itself") << u"Downloads/page.htm"_s << QString() << LocalRequest::MainFrame << false
                                         << true;
        QTest::newRow("its picture") << u"Downloads/page_files/a.png"_s << file << LocalRequest::Embedded << false
                                     << true;
        QTest::newRow("its style sheet beside it")
            << u"Downloads/style.css"_s << file << LocalRequest::Embedded << false << true;
        QTest::newRow("its frame") << u"Downloads/page_files/f.htm"_s << file << LocalRequest::Frame << false << true;
        QTest::newRow("its own folder's file, read by script")
            << u"Downloads/notes.txt"_s << file << LocalRequest::Read << false << false;
        QTest::newRow("a picture elsewhere")
            << u"Pictures/me.png"_s << file << LocalRequest::Embedded << false << false;
        QTest::newRow("a folder whose name begins alike")
            << u"Downloads2/a.png"_s << file << LocalRequest::Embedded << false << false;
        QTest::newRow("out by ..") << u"Downloads/../Pictures/me.png"_s << file << LocalRequest::Frame << false
                                   << false;
        QTest::newRow("out by a link in the folder")
            << u"Downloads/pictures/me.png"_s << file << LocalRequest::Frame << false << false;
        QTest::newRow("a file that is not there")
            << u"Downloads/missing.png"_s << file << LocalRequest::Embedded << false << false;
        QTest::newRow("its picture while its script runs")
            << u"Downloads/page_files/a.png"_s << file << LocalRequest::Embedded << true << false;
        QTest::newRow("a web page's request for a local file")
            << u"Downloads/page_files/a.png"_s << u"http://127.0.0.1"_s << LocalRequest::Embedded << false << false;
        QTest::newRow("a picture from a server")
            << u"http://127.0.0.1/a.png"_s << file << LocalRequest::Embedded << false << false;
        QTest::newRow("a frame from a server")
            << u"https://127.0.0.1/"_s << file << LocalRequest::Frame << false << false;
        QTest::newRow("a WebSocket") << u"ws://127.0.0.1:8000/x"_s << file << LocalRequest::Socket << false << false;
        QTest::newRow("a beacon from an opaque origin")
            << u"http://127.0.0.1/b"_s << QString() << LocalRequest::Read << true << false;
        QTest::newRow("the next page's icon")
            << u"http://127.0.0.1/favicon.ico"_s << QString() << LocalRequest::Icon << false << true;
        QTest::newRow("the next page's own picture")
            << u"http://127.0.0.1/a.png"_s << u"http://127.0.0.1"_s << LocalRequest::Embedded << false << true;
        QTest::newRow("a data: picture") << u"data:image/png;base64,AA=="_s << file << LocalRequest::Embedded << false
                                         << true;
    }
    void localPageMayRequest()
    {
        QFETCH(QString, target);
        QFETCH(QString, initiator);
        QFETCH(LocalRequest, kind);
        QFETCH(bool, scriptRuns);
        QFETCH(bool, allowed);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QDir dir(home.path());
        for (const QString &folder : {u"Downloads/page_files"_s, u"Downloads2"_s, u"Pictures"_s})
            QVERIFY(dir.mkpath(folder));
        for (const QString &name :
             {u"Downloads/page.htm"_s, u"Downloads/page_files/a.png"_s, u"Downloads/page_files/f.htm"_s,
              u"Downloads/style.css"_s, u"Downloads/notes.txt"_s, u"Downloads2/a.png"_s, u"Pictures/me.png"_s}) {
            QFile created(dir.filePath(name));
            QVERIFY(created.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(dir.filePath(u"Pictures"_s), dir.filePath(u"Downloads/pictures"_s)));
        const QUrl url = target.contains(u':') ? QUrl(target) : QUrl::fromLocalFile(dir.filePath(target));
        const QUrl page = QUrl::fromLocalFile(dir.filePath(u"Downloads/page.htm"_s));
        QCOMPARE(platform::localPageMayRequest(page, {url, QUrl(initiator), kind}, scriptRuns), allowed);
    }

    void localPageMayNavigate_data()
    {
        using C = platform::NavigationCause;
        QTest::addColumn<QString>("target");
        QTest::addColumn<C>("cause");
        QTest::addColumn<bool>("userActed");
        QTest::addColumn<bool>("leaving");
        QTest::addColumn<bool>("allowed");
        const QString web = u"http://127.0.0.1/x"_s;
        QTest::newRow("another local file") << u"file:///tmp/b.htm"_s << C::Other << false << false << true;
        QTest::newRow("a clicked web link") << web << C::Link << true << false << true;
        QTest::newRow("a web link without a click") << web << C::Link << false << false << false;
        QTest::newRow("a refresh or script elsewhere") << web << C::Other << true << false << false;
        QTest::newRow("a form the user sent") << web << C::Form << true << false << true;
        QTest::newRow("a typed address") << web << C::Typed << false << false << true;
        QTest::newRow("back") << web << C::BackForward << false << false << true;
        QTest::newRow("reload") << web << C::Reload << false << false << true;
        QTest::newRow("a second link while leaving") << web << C::Link << true << true << false;
        QTest::newRow("the redirect of the way out") << web << C::Redirect << false << true << true;
        QTest::newRow("a redirect otherwise") << web << C::Redirect << false << false << false;
        QTest::newRow("a typed address while leaving") << web << C::Typed << false << true << true;
    }
    void localPageMayNavigate()
    {
        QFETCH(QString, target);
        QFETCH(platform::NavigationCause, cause);
        QFETCH(bool, userActed);
        QFETCH(bool, leaving);
        QFETCH(bool, allowed);
        QCOMPARE(platform::localPageMayNavigate(QUrl(target), cause, userActed, leaving), allowed);
    }
};

QTEST_APPLESS_MAIN(TestPageRequests)
#include "tst_pagerequests.moc"
