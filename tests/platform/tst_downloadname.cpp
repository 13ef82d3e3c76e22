#include "platform/codepage.h"
#include "platform/downloadname.h"
#include "platform/downloadpolicy.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestDownloadName : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void headerName_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("expected");
        const QByteArray sjisName = ansi::encode(u"日本語.zip");        // 語 has no 0x5C
        const QByteArray sjisBackslash = ansi::encode(u"ソフト表.lzh"); // ソ and 表 end in 0x5C
        QTest::newRow("RFC 5987 UTF-8") << "attachment; filename*=UTF-8''%E6%97%A5%E6%9C%AC%E8%AA%9E.zip"_ba
                                        << u"日本語.zip"_s;
        QTest::newRow("RFC 5987 wins over filename, either order")
            << "attachment; filename=\"fallback.zip\"; filename*=utf-8'ja'%E6%97%A5.zip"_ba << u"日.zip"_s;
        QTest::newRow("RFC 5987 Shift_JIS") << "attachment; filename*=Shift_JIS''%93%FA%96%7B.txt"_ba << u"日本.txt"_s;
        QTest::newRow("unknown charset falls back to filename")
            << "attachment; filename*=x-weird''%01; filename=plain.bin"_ba << u"plain.bin"_s;
        QTest::newRow("percent-encoded UTF-8") << "attachment; filename=\"%E6%97%A5%E6%9C%AC.pdf\""_ba << u"日本.pdf"_s;
        QTest::newRow("percent-encoded Shift_JIS") << "attachment; filename=\"%93%FA%96%7B.zip\""_ba << u"日本.zip"_s;
        QTest::newRow("raw Shift_JIS quoted") << "attachment; filename=\""_ba + sjisName + "\""_ba << u"日本語.zip"_s;
        QTest::newRow("raw Shift_JIS with 0x5C trail bytes")
            << "attachment; filename=\""_ba + sjisBackslash + "\""_ba << u"ソフト表.lzh"_s;
        QTest::newRow("raw Shift_JIS bare") << "attachment;filename="_ba + sjisName << u"日本語.zip"_s;
        QTest::newRow("raw UTF-8") << "attachment; filename=\"日本.zip\""_ba << u"日本.zip"_s;
        // 語 ends in 0x9E, which would open a Shift_JIS character.
        QTest::newRow("raw UTF-8 before the quote") << "attachment; filename=\"日本語\""_ba << u"日本語"_s;
        QTest::newRow("escaped quote") << "inline; filename=\"a\\\"b.txt\""_ba << u"a\"b.txt"_s;
        QTest::newRow("literal percent stays") << "attachment; filename=\"100%.txt\""_ba << u"100%.txt"_s;
        QTest::newRow("folder part dropped") << "attachment; filename=\"../../etc/passwd\""_ba << u"passwd"_s;
        QTest::newRow("Windows folder part dropped") << "attachment; filename=\"C:\\\\temp\\\\x.exe\""_ba << u"x.exe"_s;
        QTest::newRow("no file name") << "attachment"_ba << QString();
        QTest::newRow("empty header") << QByteArray() << QString();
        QTest::newRow("empty name") << "attachment; filename=\"\""_ba << QString();
    }
    void headerName()
    {
        QFETCH(QByteArray, header);
        QFETCH(QString, expected);
        QCOMPARE(platform::contentDispositionFileName(header), expected);
    }

    void savedName_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("engineName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("header wins") << "attachment; filename=\"%93%FA%96%7B.zip\""_ba << u"http://h/get.cgi"_s
                                     << u"get.cgi"_s << u"日本.zip"_s;
        QTest::newRow("no header: the engine's name")
            << QByteArray() << u"http://h/x/file.zip"_s << u"報告書.pdf"_s << u"報告書.pdf"_s;
        QTest::newRow("engine read Shift_JIS as Latin-1")
            << QByteArray() << u"http://h/dl"_s << QString::fromLatin1("\x93\xfa\x96\x7b.zip") << u"日本.zip"_s;
        QTest::newRow("engine lost the name: Shift_JIS address")
            << QByteArray() << u"http://h/f/%93%FA%96%7B.zip"_s << u"\uFFFD\uFFFD\uFFFD{.zip"_s << u"日本.zip"_s;
        QTest::newRow("no engine name: UTF-8 address")
            << QByteArray() << u"http://h/f/%E6%97%A5.zip"_s << QString() << u"日.zip"_s;
        QTest::newRow("unsafe characters replaced")
            << "attachment; filename=\"a:b*c?.txt\""_ba << u"http://h/"_s << QString() << u"a_b_c_.txt"_s;
        QTest::newRow("leading dots removed")
            << "attachment; filename=\"..hidden\""_ba << u"http://h/"_s << QString() << u"hidden"_s;
        QTest::newRow("nothing at all") << QByteArray() << u"http://h/"_s << QString() << u"無題"_s;
    }
    void savedName()
    {
        QFETCH(QByteArray, header);
        QFETCH(QString, url);
        QFETCH(QString, engineName);
        QFETCH(QString, expected);
        QCOMPARE(platform::downloadFileName(header, QUrl(url), engineName), expected);
    }

    // A download the page starts on its own is asked about; what follows the user is not.
    void followsUserInput_data()
    {
        QTest::addColumn<qint64>("now");
        QTest::addColumn<qint64>("lastInput");
        QTest::addColumn<qint64>("pageStart");
        QTest::addColumn<bool>("follows");
        QTest::newRow("a click in the page just now") << 8'000LL << 7'900LL << 1'000LL << true;
        QTest::newRow("at the limit") << 8'000LL << 3'000LL << 1'000LL << true;
        QTest::newRow("too long ago") << 8'001LL << 3'000LL << 1'000LL << false;
        QTest::newRow("the click that opened the page") << 1'100LL << 1'000LL << 1'000LL << false;
        QTest::newRow("before the page") << 1'100LL << 900LL << 1'000LL << false;
        QTest::newRow("no input at all") << 100LL << -1LL << -1LL << false;
    }
    void followsUserInput()
    {
        QFETCH(qint64, now);
        QFETCH(qint64, lastInput);
        QFETCH(qint64, pageStart);
        QFETCH(bool, follows);
        QCOMPARE(platform::followsUserInput(now, lastInput, pageStart), follows);
    }

    void engineNameMayBeWrong_data()
    {
        QTest::addColumn<QString>("engineName");
        QTest::addColumn<bool>("wrong");
        QTest::newRow("ASCII") << u"report.zip"_s << false;
        QTest::newRow("from UTF-8") << u"日本語.zip"_s << false;
        QTest::newRow("Shift_JIS read as Latin-1") << QString::fromLatin1("\x83\x83t\x83g\x95.lzh") << true;
        QTest::newRow("Shift_JIS read as windows-1252") << u"\u0192\u0192t\u0192g\u2022.lzh"_s << true;
        QTest::newRow("typographic quotes also ask again: one request more")
            << u"\u201C\u8868\u201D \u2013 \u4E00\u89A7.zip"_s << true;
        QTest::newRow("undecodable") << u"\uFFFD.zip"_s << true;
    }
    void engineNameMayBeWrong()
    {
        QFETCH(QString, engineName);
        QFETCH(bool, wrong);
        QCOMPARE(platform::engineNameMayBeWrong(engineName), wrong);
    }
};

QTEST_GUILESS_MAIN(TestDownloadName)
#include "tst_downloadname.moc"
