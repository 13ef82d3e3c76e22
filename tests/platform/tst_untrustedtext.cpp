#include "platform/untrustedtext.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestUntrustedText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void oneLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << u"会員ページ"_s << 40 << u"会員ページ"_s;
        QTest::newRow("line breaks and tabs") << u"a\r\nb\tc\nd\re"_s << 40 << u"a b c d e"_s;
        QTest::newRow("line and paragraph separators") << u"a\u2028b\u2029c\u0085d"_s << 40 << u"a b c d"_s;
        QTest::newRow("runs of white space") << u"  a \u3000\u00A0 b  "_s << 40 << u"a b"_s;
        QTest::newRow("bidi overrides") << u"\u202Eabc\u202C \u202Adef\u202B\u202D"_s << 40 << u"abc def"_s;
        QTest::newRow("bidi isolates and marks") << u"\u2066x\u2069\u200Ey\u200F\u2067z\u2068"_s << 40 << u"xyz"_s;
        QTest::newRow("zero-width") << u"pay\u200Bpal\u200C\u200D\uFEFF\u2060"_s << 40 << u"paypal"_s;
        QTest::newRow("format characters beyond the first plane") << u"a\U000E0041\U000E007Fb"_s << 40 << u"ab"_s;
        QTest::newRow("controls") << u"a\u0000b\u001Bc\u007Fd\u009Be"_s << 40 << u"abcde"_s;
        QTest::newRow("unpaired surrogates") << u"a"_s + QChar(0xD800) + u"b"_s + QChar(0xDC00) << 40 << u"ab"_s;
        QTest::newRow("nothing left") << u"\u202E\n\t\u200B "_s << 40 << QString();
        QTest::newRow("exactly the length") << u"abcde"_s << 5 << u"abcde"_s;
        QTest::newRow("cut") << u"abcdef"_s << 5 << u"abcd…"_s;
        QTest::newRow("cut counts what is left, not what came") << u"a\u202E\u202E\u202Eb"_s << 2 << u"ab"_s;
        QTest::newRow("cut drops a trailing space") << u"abc defg"_s << 5 << u"abc…"_s;
        QTest::newRow("cut before a surrogate pair") << u"abc😀d"_s << 5 << u"abc…"_s;
        QTest::newRow("surrogate pair kept whole") << u"ab😀cd"_s << 5 << u"ab😀…"_s;
        QTest::newRow("cut before a combining mark") << u"abce\u0301f"_s << 5 << u"abc…"_s;
        QTest::newRow("room for the ellipsis only") << u"😀😀"_s << 2 << u"…"_s;
        QTest::newRow("length one") << u"ab"_s << 1 << u"…"_s;
        QTest::newRow("length zero") << u"ab"_s << 0 << QString();
    }

    void oneLine()
    {
        QFETCH(QString, text);
        QFETCH(int, maxLength);
        QFETCH(QString, expected);
        const QString line = platform::oneLineText(text, maxLength);
        QCOMPARE(line, expected);
        QVERIFY(line.size() <= std::max(maxLength, 0));
        QVERIFY(line.isValidUtf16());
    }

    void pageMessage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<int>("maxLines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lines kept") << u"一行目\r\n二行目\n三行目"_s << 100 << 10 << u"一行目\n二行目\n三行目"_s;
        QTest::newRow("an override ends with its line") << u"a\u202Eevil\nnext"_s << 100 << 10 << u"aevil\nnext"_s;
        QTest::newRow("separators break lines") << u"a\u2028b\u2029c\rd"_s << 100 << 10 << u"a\nb\nc\nd"_s;
        QTest::newRow("blank lines at the ends and in runs")
            << u"\n \n\u200Ba\n\n\t\n\nb\n\n"_s << 100 << 10 << u"a\n\nb"_s;
        QTest::newRow("too many lines") << u"1\n2\n3\n4"_s << 100 << 2 << u"1\n2…"_s;
        QTest::newRow("too many lines, no room left") << u"ab\ncd\nef"_s << 5 << 2 << u"ab\nc…"_s;
        QTest::newRow("too long, line breaks counted") << u"abc\ndef"_s << 6 << 10 << u"abc\nd…"_s;
        QTest::newRow("cut at a line break") << u"abc\ndef"_s << 5 << 10 << u"abc…"_s;
        QTest::newRow("exactly the length") << u"ab\ncd"_s << 5 << 2 << u"ab\ncd"_s;
        QTest::newRow("nothing to show") << u"\u202E\n\n"_s << 100 << 10 << QString();
        QTest::newRow("no room") << u"ab"_s << 0 << 10 << QString();
    }

    void pageMessage()
    {
        QFETCH(QString, text);
        QFETCH(int, maxLength);
        QFETCH(int, maxLines);
        QFETCH(QString, expected);
        const QString shown = platform::pageMessageText(text, maxLength, maxLines);
        QCOMPARE(shown, expected);
        QVERIFY(shown.size() <= std::max(maxLength, 0));
    }
};

QTEST_APPLESS_MAIN(TestUntrustedText)
#include "tst_untrustedtext.moc"
