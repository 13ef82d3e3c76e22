#include "memo/memotext.h"
#include "platform/codepage.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using memo::FileFormat;
using memo::LineEnd;
using memo::TextEncoding;

class TestMemoText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A file loaded and saved again is the same file, whatever it was written in.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<int>("lineEnd");
        const auto cp = int(TextEncoding::Cp932), u8 = int(TextEncoding::Utf8);
        const auto crlf = int(LineEnd::CrLf), lf = int(LineEnd::Lf);
        QTest::newRow("cp932 final crlf")
            << ansi::encode(u"日本語\r\n二行目\\表\r\n") << u"日本語\n二行目\\表"_s << cp << crlf;
        QTest::newRow("cp932 blank last line") << ansi::encode(u"ア\r\n\r\n") << u"ア\n"_s << cp << crlf;
        QTest::newRow("utf8 lf") << u"日本語\nabc\n"_s.toUtf8() << u"日本語\nabc"_s << u8 << lf;
        QTest::newRow("utf8 bom crlf") << QByteArray("\xEF\xBB\xBF") + u"é\r\n"_s.toUtf8() << u"\uFEFFé"_s << u8
                                       << crlf;
        QTest::newRow("ascii") << QByteArray("a\r\nb\r\n") << u"a\nb"_s << cp << crlf;
        QTest::newRow("empty line only") << QByteArray("\r\n") << QString() << cp << crlf;
    }
    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, encoding);
        QFETCH(int, lineEnd);
        const memo::LoadedText loaded = memo::decodeFile(bytes);
        QCOMPARE(loaded.text, text);
        QCOMPARE(int(loaded.format.encoding), encoding);
        QCOMPARE(int(loaded.format.lineEnd), lineEnd);
        QCOMPARE(memo::encodeFile(loaded.text, loaded.format), bytes);
    }

    void savingAddsOneLineEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("no final line end") << QByteArray("abc") << QByteArray("abc\r\n");
        QTest::newRow("empty file") << QByteArray() << QByteArray("\r\n");
        QTest::newRow("lone lf file") << QByteArray("a\nb") << QByteArray("a\nb\n");
    }
    void savingAddsOneLineEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        const memo::LoadedText loaded = memo::decodeFile(bytes);
        QCOMPARE(memo::encodeFile(loaded.text, loaded.format), saved);
    }

    // Characters CP932 cannot hold must survive a save; the file becomes UTF-8.
    void textBeyondCp932IsSavedAsUtf8_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("accent") << u"café"_s;
        QTest::newRow("emoji") << u"顔😀"_s;
        QTest::newRow("hangul") << u"한국\n語"_s;
    }
    void textBeyondCp932IsSavedAsUtf8()
    {
        QFETCH(QString, text);
        const QByteArray bytes = memo::encodeFile(text, FileFormat {});
        const memo::LoadedText reloaded = memo::decodeFile(bytes);
        QCOMPARE(reloaded.text, text);
        QCOMPARE(reloaded.format.encoding, TextEncoding::Utf8);
    }

    void invalidCp932Loads()
    {
        const memo::LoadedText loaded = memo::decodeFile(QByteArray("a\x81\x20\xFF\xA0z\x82", 7));
        QVERIFY(loaded.text.startsWith(u'a'));
        QCOMPARE(loaded.format.encoding, TextEncoding::Cp932);
    }

    void capitalizeWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mixed case") << u"hELLO wORLD"_s << u"Hello World"_s;
        QTest::newRow("lines") << u"abc\r\ndef"_s << u"Abc\r\nDef"_s;
        QTest::newRow("bracket and hyphen") << u"(ABC) x-ray"_s << u"(abc) X-ray"_s;
        QTest::newRow("apostrophe") << u"don't"_s << u"Don't"_s;
        QTest::newRow("full-width space and tab") << u"ａｂ\u3000cd\tEF"_s << u"Ａｂ\u3000Cd\tEf"_s;
        QTest::newRow("after digits and kana") << u"1st あa"_s << u"1st あa"_s;
        QTest::newRow("emoji kept whole") << u"😀 ab"_s << u"😀 Ab"_s;
    }
    void capitalizeWords()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(memo::capitalizeWords(text), expected);
    }
};

QTEST_APPLESS_MAIN(TestMemoText)
#include "tst_memotext.moc"
