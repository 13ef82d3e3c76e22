#include "app/navigation.h"
#include "platform/eventratelimit.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
QString search(const QString &encodedQuery)
{
    return u"http://www.google.co.jp/search?q="_s + encodedQuery + u"&hl=ja&ie=Shift_JIS"_s;
}
} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void typedAddress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("target");
        QTest::newRow("http address") << u"http://127.0.0.1/a.htm"_s << u"http://127.0.0.1/a.htm"_s;
        QTest::newRow("https address") << u"https://example.test/x?a=1"_s << u"https://example.test/x?a=1"_s;
        QTest::newRow("ftp address") << u"ftp://host/"_s << u"ftp://host/"_s;
        QTest::newRow("file address") << u"file:///tmp/a.htm"_s << u"file:///tmp/a.htm"_s;
        QTest::newRow("drive path") << u"C:\\Windows"_s << u"C:\\Windows"_s;
        QTest::newRow("two-character drive") << u"a:"_s << u"a:"_s;
        QTest::newRow("local path from the root") << u"/tmp/a b.htm"_s << u"/tmp/a b.htm"_s;
        QTest::newRow("network path") << u"\\\\server\\share"_s << u"\\\\server\\share"_s;
        QTest::newRow("kept as typed") << u"http://a/ b "_s << u"http://a/ b "_s;
        QTest::newRow("HTTPS in capitals is a search") << u"HTTPS://x"_s << search(u"HTTPS%3A%2F%2Fx"_s);
        QTest::newRow("about:blank is a search") << u"about:blank"_s << search(u"about%3Ablank"_s);
        QTest::newRow("bare host is a search") << u"example.test"_s << search(u"example.test"_s);
        QTest::newRow("empty text") << QString() << search(QString());
        QTest::newRow("reserved characters arrive whole") << u"a&b #c+d%e"_s << search(u"a%26b%20%23c%2Bd%25e"_s);
        // 日本語 in CP932: 93 FA 96 7B 8C EA
        QTest::newRow("Japanese as CP932 bytes") << u"日本語"_s << search(u"%93%FA%96%7B%8C%EA"_s);
        QTest::newRow("kana with a backslash byte") << u"ソフト"_s << search(u"%83%5C%83t%83g"_s);
        QTest::newRow("leading space keeps it a search") << u" http://a/"_s << search(u"%20http%3A%2F%2Fa%2F"_s);
    }
    void typedAddress()
    {
        QFETCH(QString, typed);
        QFETCH(QString, target);
        QCOMPARE(typedAddressTarget(typed), target);
    }

    void quickJump_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("jumps");
        QTest::newRow("http") << u"http://127.0.0.1/"_s << true;
        QTest::newRow("https") << u"https://127.0.0.1/"_s << true;
        QTest::newRow("capitals") << u"HTTP://127.0.0.1/"_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("plain text") << u"見出し http://x/"_s << false;
    }
    void quickJump()
    {
        QFETCH(QString, clipboard);
        QFETCH(bool, jumps);
        const auto address = quickJumpAddress(clipboard);
        QCOMPARE(address.has_value(), jumps);
        if (address)
            QCOMPARE(*address, clipboard);
    }

    void imeTip_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("tip");
        QTest::newRow("off") << int(platform::ImeState::Off) << u"×アルファベット入力　[Google検索:OK]"_s;
        QTest::newRow("hiragana") << int(platform::ImeState::Hiragana) << u"◯日本語入力　[Google検索:OK]"_s;
        QTest::newRow("other") << int(platform::ImeState::Other) << QString();
    }
    void imeTip()
    {
        QFETCH(int, state);
        QFETCH(QString, tip);
        QCOMPARE(imeStatusTip(platform::ImeState(state)), tip);
    }

    void storableAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("stored");
        QTest::newRow("ASCII") << u"http://127.0.0.1/a?b=1"_s << u"http://127.0.0.1/a?b=1"_s;
        QTest::newRow("Japanese stays readable") << u"http://127.0.0.1/表?q=日本"_s << u"http://127.0.0.1/表?q=日本"_s;
        QTest::newRow("accent") << u"http://127.0.0.1/café"_s << u"http://127.0.0.1/caf%C3%A9"_s;
        QTest::newRow("Hangul in the query") << u"http://127.0.0.1/s?q=한"_s << u"http://127.0.0.1/s?q=%ED%95%9C"_s;
        QTest::newRow("simplified Chinese") << u"http://127.0.0.1/这"_s << u"http://127.0.0.1/%E8%BF%99"_s;
        QTest::newRow("a question mark of its own") << u"http://127.0.0.1/?"_s << u"http://127.0.0.1/?"_s;
        QTest::newRow("local path") << u"/tmp/é.htm"_s << u"file:///tmp/%C3%A9.htm"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void storableAddress()
    {
        QFETCH(QString, address);
        QFETCH(QString, stored);
        QCOMPARE(::storableAddress(address), stored);
    }

    void rateLimit_data()
    {
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<QList<bool>>("allowed");
        QTest::newRow("five at once, the sixth refused")
            << QList<qint64> {0, 0, 0, 0, 0, 0} << QList<bool> {true, true, true, true, true, false};
        QTest::newRow("ten seconds after the first")
            << QList<qint64> {0, 1, 2, 3, 4, 9'999, 10'000} << QList<bool> {true, true, true, true, true, false, true};
        QTest::newRow("refusals do not count") << QList<qint64> {0, 0, 0, 0, 0, 5'000, 5'000, 10'000}
                                               << QList<bool> {true, true, true, true, true, false, false, true};
        QTest::newRow("spread out") << QList<qint64> {0, 3'000, 6'000, 9'000, 12'000, 15'000, 18'000}
                                    << QList<bool> {true, true, true, true, true, true, true};
    }
    void rateLimit()
    {
        QFETCH(QList<qint64>, times);
        QFETCH(QList<bool>, allowed);
        platform::EventRateLimit limit(5, 10'000);
        QList<bool> got;
        for (const qint64 time : times)
            got.append(limit.allow(time));
        QCOMPARE(got, allowed);
    }
};

QTEST_APPLESS_MAIN(TestNavigation)
#include "tst_navigation.moc"
