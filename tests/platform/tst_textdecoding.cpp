#include "platform/textdecoding.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
// "日本語のページ" and a wave dash, which CP932 and ICU's Shift_JIS map differently.
const QByteArray kSjis = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x79\x81\x5b\x83\x57\x81\x60";
const QString kText = u"日本語のページ\uFF5E"_s;
} // namespace

class TestTextDecoding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void charsetFromContentType_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("plain") << QByteArray("text/html; charset=UTF-8") << QByteArray("utf-8");
        QTest::newRow("quoted") << QByteArray("text/html; charset=\"Shift_JIS\"") << QByteArray("shift_jis");
        QTest::newRow("spaces") << QByteArray("text/html;charset = euc-jp ; x=y") << QByteArray("euc-jp");
        QTest::newRow("none") << QByteArray("text/html") << QByteArray();
        QTest::newRow("empty value") << QByteArray("text/html; charset=") << QByteArray();
        QTest::newRow("not in the media type") << QByteArray("text/charset=x") << QByteArray();
    }
    void charsetFromContentType()
    {
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, expected);
        QCOMPARE(platform::charsetFromContentType(header), expected);
    }

    void decodeBody_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QString>("expected");

        const QByteArray utf8 = kText.toUtf8();
        QTest::newRow("UTF-8, header") << utf8 << QByteArray("text/html; charset=utf-8") << kText;
        QTest::newRow("UTF-8, no header") << utf8 << QByteArray("text/html") << kText;
        QTest::newRow("UTF-8, no content type") << utf8 << QByteArray() << kText;
        QTest::newRow("Shift_JIS header means CP932") << kSjis << QByteArray("text/html; charset=Shift_JIS") << kText;
        QTest::newRow("Windows-31J header") << kSjis << QByteArray("text/plain; charset=windows-31j") << kText;
        QTest::newRow("Shift-JIS, no hint") << kSjis << QByteArray("text/html") << kText;
        QTest::newRow("meta charset") << QByteArray("<html><head><meta charset=\"shift_jis\"></head>") + kSjis
                                      << QByteArray("text/html")
                                      << u"<html><head><meta charset=\"shift_jis\"></head>"_s + kText;
        QTest::newRow("meta http-equiv")
            << QByteArray("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=EUC-JP\">\xc6\xfc")
            << QByteArray() << u"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=EUC-JP\">日"_s;
        // Latin-1 bytes that are valid CP932 too: only the meta tells them apart.
        QTest::newRow("meta over the UTF-8 guess") << QByteArray("<meta charset=iso-8859-1>\xe9t\xe9") << QByteArray()
                                                   << u"<meta charset=iso-8859-1>\u00e9t\u00e9"_s;
        QTest::newRow("header over meta")
            << QByteArray("<meta charset=euc-jp>") + utf8 << QByteArray("text/html; charset=utf-8")
            << u"<meta charset=euc-jp>"_s + kText;
        QTest::newRow("unknown header charset falls to meta")
            << QByteArray("<meta charset=shift_jis>") + kSjis << QByteArray("text/html; charset=x-no-such-thing")
            << u"<meta charset=shift_jis>"_s + kText;
        QTest::newRow("unknown meta charset falls to the guess")
            << QByteArray("<meta charset=bogus>") + kSjis << QByteArray() << u"<meta charset=bogus>"_s + kText;
        QTest::newRow("meta claiming UTF-16")
            << QByteArray("<meta charset=utf-16>") + utf8 << QByteArray() << u"<meta charset=utf-16>"_s + kText;
        QTest::newRow("meta past 4 KiB is not read") << QByteArray(4100, ' ') + "<meta charset=euc-jp>"
                + utf8 << QByteArray() << QString(4100, u' ') + u"<meta charset=euc-jp>"_s + kText;
        QTest::newRow("UTF-8 BOM") << QByteArray("\xef\xbb\xbf") + utf8 << QByteArray("text/html") << kText;
        QTest::newRow("UTF-8 BOM over meta") << QByteArray("\xef\xbb\xbf<meta charset=shift_jis>") + utf8
                                             << QByteArray() << u"<meta charset=shift_jis>"_s + kText;
        QTest::newRow("UTF-16LE BOM") << QByteArray("\xff\xfe"
                                                    "A\0\xe5\x65",
                                                    6)
                                      << QByteArray() << u"A日"_s;
        QTest::newRow("UTF-16BE BOM") << QByteArray("\xfe\xff\0A\x65\xe5", 6) << QByteArray() << u"A日"_s;
        QTest::newRow("header with a BOM of the same charset")
            << QByteArray("\xef\xbb\xbf") + utf8 << QByteArray("text/html; charset=utf-8") << kText;
        QTest::newRow("empty") << QByteArray() << QByteArray("text/html") << QString();
    }
    void decodeBody()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(QString, expected);
        QCOMPARE(platform::decodeBody(body, contentType), expected);
    }

    void headerText_data()
    {
        QTest::addColumn<QString>("engineText");
        QTest::addColumn<QString>("expected");
        const QString realm = u"会員専用 ページ"_s;
        QTest::newRow("UTF-8 read as Latin-1") << QString::fromLatin1(realm.toUtf8()) << realm;
        QTest::newRow("UTF-8 read as windows-1252") << u"\u00E4\u00BC\u0161\u00E5\u201C\u00A1"_s << u"会員"_s;
        QTest::newRow("Shift_JIS read as Latin-1") << QString::fromLatin1(kSjis) << kText;
        QTest::newRow("Latin-1 that would pass for kanji stays")
            << QString::fromLatin1("R\xe9sum\xe9s") << QString::fromLatin1("R\xe9sum\xe9s");
        QTest::newRow("ASCII") << u"Router admin"_s << u"Router admin"_s;
        QTest::newRow("already read with a charset") << u"ルーター"_s << u"ルーター"_s;
    }
    void headerText()
    {
        QFETCH(QString, engineText);
        QFETCH(QString, expected);
        QCOMPARE(platform::headerText(engineText), expected);
    }
};

QTEST_GUILESS_MAIN(TestTextDecoding)
#include "tst_textdecoding.moc"
