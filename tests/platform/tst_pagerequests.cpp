#include "platform/pagerequests.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using platform::LocalRequest;

class TestPageRequests : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void localPageMayLoad_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<LocalRequest>("request");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("its picture") << u"/home/u/Downloads/page_files/a.png"_s << LocalRequest::Embedded << true;
        QTest::newRow("its style sheet beside it") << u"/home/u/Downloads/style.css"_s << LocalRequest::Embedded << true;
        QTest::newRow("its frame") << u"/home/u/Downloads/page_files/f.htm"_s << LocalRequest::Frame << true;
        QTest::newRow("its own file, read by script") << u"/home/u/Downloads/notes.txt"_s << LocalRequest::Read << false;
        QTest::newRow("a picture elsewhere") << u"/home/u/Pictures/me.jpg"_s << LocalRequest::Embedded << false;
        QTest::newRow("a file above, in a frame") << u"/etc/hostname"_s << LocalRequest::Frame << false;
        QTest::newRow("a folder whose name begins alike") << u"/home/u/Downloads2/a.png"_s << LocalRequest::Embedded
                                                          << false;
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
