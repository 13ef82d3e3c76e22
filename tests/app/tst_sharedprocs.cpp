#include "app/handover.h"
#include "app/sharedprocs.h"
#include "platform/codepage.h"
#include "tests/support/tempprogramfolder.h"

#include <QHostAddress>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestSharedProcs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The hand-over address is the file's first line, whichever line end it has, and
    // only when it is a web address.
    void handOverAddress_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("address");
        QTest::newRow("CR LF") << QByteArray("http://a.test/\r\n") << u"http://a.test/"_s;
        QTest::newRow("LF before CR") << QByteArray("http://a.test/a\nb\r") << u"http://a.test/a"_s;
        QTest::newRow("CR alone") << QByteArray("ftp://a.test/a\rb") << u"ftp://a.test/a"_s;
        QTest::newRow("no line end") << QByteArray("https://a.test/") << u"https://a.test/"_s;
        QTest::newRow("emptied") << QByteArray("\r\n") << QString();
        QTest::newRow("CP932") << QByteArray("http://a.test/\x95\x5c\r\n") << u"http://a.test/表"_s;
        QTest::newRow("local file: not read") << QByteArray("file:///tmp/evil.htm\r\n") << QString();
        QTest::newRow("local path: not read") << QByteArray("/tmp/evil.htm\r\n") << QString();
    }
    void handOverAddress()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, address);
        TempProgramFolder folder;
        QVERIFY(handover::read().isEmpty()); // no file yet
        QVERIFY(folder.write(u"urldata.ini"_s, file));
        QCOMPARE(handover::read(), address);
        // A local address is not stored: the file keeps what it had.
        QVERIFY(!handover::write(u"file:///tmp/evil.htm"_s));
        QCOMPARE(folder.read(u"urldata.ini"_s), file);
        QVERIFY(handover::write(u"http://a.test/表x"_s));
        QCOMPARE(folder.read(u"urldata.ini"_s), ansi::encode(u"http://a.test/表x"_s) + "\r\n");
        QVERIFY(handover::clear());
        QCOMPARE(folder.read(u"urldata.ini"_s), QByteArray("\r\n"));
    }

    // What a starting process opens from the file: only what a window wrote for it.
    void addressForStart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("now");
        QTest::addColumn<QString>("address");
        const qint64 at = 1'700'000'000'000;
        QTest::newRow("a link pointed at") << u"http://a.test/dl.csv\r\n"_s << at << QString();
        QTest::newRow("written for a new window")
            << u"http://a.test/p\r\nnew-window 1700000000000\r\n"_s << at + 2000 << u"http://a.test/p"_s;
        QTest::newRow("at the end of the wait") << u"http://a.test/p\r\nnew-window 1700000000000\r\n"_s
                                                << at + handover::kNewWindowWaitMs << u"http://a.test/p"_s;
        QTest::newRow("left by a process that ended")
            << u"http://a.test/p\r\nnew-window 1700000000000\r\n"_s << at + handover::kNewWindowWaitMs + 1 << QString();
        QTest::newRow("written in the future") << u"http://a.test/p\nnew-window 1700000060000\n"_s << at << QString();
        QTest::newRow("not a time") << u"http://a.test/p\r\nnew-window soon\r\n"_s << at << QString();
        QTest::newRow("another second line") << u"http://a.test/p\r\nsomething 1700000000000\r\n"_s << at << QString();
        QTest::newRow("local file") << u"file:///etc/passwd\r\nnew-window 1700000000000\r\n"_s << at << QString();
        QTest::newRow("emptied") << u"\r\n"_s << at << QString();
    }
    void addressForStart()
    {
        QFETCH(QString, text);
        QFETCH(qint64, now);
        QFETCH(QString, address);
        QCOMPARE(handover::addressForStart(text, now), address);
    }

    void newWindowAddressRoundTrip()
    {
        TempProgramFolder folder;
        QVERIFY(handover::writeForNewWindow(u"http://a.test/表"_s, 5000));
        QCOMPARE(handover::read(), u"http://a.test/表"_s); // what other readers see
        QCOMPARE(handover::readForStart(6000), u"http://a.test/表"_s);
        QVERIFY(!handover::writeForNewWindow(u"file:///tmp/evil.htm"_s, 5000));
    }

    void trimUrlLevels_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("levels");
        QTest::addColumn<QString>("expected");
        const QString s = u"http://example.test"_s;
        QTest::newRow("0 levels") << s + u"/d/p.htm"_s << u"/"_s << 0 << s + u"/d/p.htm"_s;
        QTest::newRow("file name") << s + u"/d/p.htm"_s << u"/"_s << 1 << s + u"/d/"_s;
        QTest::newRow("file and folder") << s + u"/d/p.htm"_s << u"/"_s << 2 << s + u"/"_s;
        QTest::newRow("down to the scheme") << s + u"/d/p.htm"_s << u"/"_s << 3 << u"http://"_s;
        QTest::newRow("past the scheme") << s + u"/d/p.htm"_s << u"/"_s << 4 << QString();
        QTest::newRow("one-character last segment") << s + u"/d/x"_s << u"/"_s << 1 << s + u"/"_s;
        QTest::newRow("two folders and a slash") << s + u"/a/b/"_s << u"/"_s << 2 << s + u"/"_s;
        QTest::newRow("folder and slash") << s + u"/a/b/"_s << u"/"_s << 1 << s + u"/a/"_s;
        QTest::newRow("no separator") << u"abcdef"_s << u"/"_s << 1 << QString();
        QTest::newRow("stays empty") << u"abcdef"_s << u"/"_s << 3 << QString();
        QTest::newRow("two characters") << u"/a"_s << u"/"_s << 1 << QString();
        QTest::newRow("three characters") << u"/ab"_s << u"/"_s << 1 << u"/"_s;
        QTest::newRow("empty text") << QString() << u"/"_s << 1 << QString();
        QTest::newRow("backslash path") << u"C:\\a\\b\\c.txt"_s << u"\\"_s << 1 << u"C:\\a\\b\\"_s;
        QTest::newRow("longer separator") << u"a::b::cc"_s << u"::"_s << 1 << u"a::b::"_s;
        QTest::newRow("exact comparison") << u"a/b/C/d"_s << u"c"_s << 1 << QString();
    }
    void trimUrlLevels()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(int, levels);
        QFETCH(QString, expected);
        QCOMPARE(::trimUrlLevels(text, separator, levels), expected);
    }

    void readWholeFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("abc and CR LF") << QByteArray("abc\r\n") << u"abc\r\n"_s;
        QTest::newRow("abc and LF") << QByteArray("abc\n") << u"abc\n"_s;
        QTest::newRow("Shift-JIS") << QByteArray("\x95\x5c\x8e\xa6\r\n") << u"表示\r\n"_s;
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void readWholeFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        TempProgramFolder folder;
        QVERIFY(folder.write(u"TEST.HTM"_s, bytes));
        QCOMPARE(::readWholeFile(folder.filePath(u"TEST.HTM"_s)), expected);
    }

    void readWholeFileUnreadable()
    {
        TempProgramFolder folder;
        QCOMPARE(::readWholeFile(folder.filePath(u"missing.txt"_s)), QString());
        QCOMPARE(::readWholeFile(folder.path()), QString()); // a folder is no file
        QCOMPARE(::readWholeFile(QString()), QString());
    }

    void fileVersionTextIsEmptyHere()
    {
        QCOMPARE(fileVersionText(QCoreApplication::applicationFilePath()), QString());
        QCOMPARE(fileVersionText(u"/nonexistent"_s), QString());
    }

    void localIpAddressIsDottedOrEmpty()
    {
        const QString address = localIpAddress();
        if (address.isEmpty())
            QSKIP("this machine's host name does not resolve to IPv4");
        QHostAddress parsed;
        QVERIFY2(parsed.setAddress(address), qPrintable(address));
        QCOMPARE(parsed.protocol(), QAbstractSocket::IPv4Protocol);
        QCOMPARE(parsed.toString(), address);
    }
};

QTEST_GUILESS_MAIN(TestSharedProcs)
#include "tst_sharedprocs.moc"
