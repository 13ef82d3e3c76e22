#include "app/conversions.h"

#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<bool>)
Q_DECLARE_METATYPE(std::optional<int>)

class TestConversions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void toBoolean_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<bool>>("expected");
        const std::optional<bool> none;
        QTest::newRow("True") << u"True"_s << std::optional(true);
        QTest::newRow("lower false") << u"false"_s << std::optional(false);
        QTest::newRow("upper TRUE") << u"TRUE"_s << std::optional(true);
        QTest::newRow("one") << u"1"_s << std::optional(true);
        QTest::newRow("zero") << u"0"_s << std::optional(false);
        QTest::newRow("minus one") << u"-1"_s << std::optional(true);
        QTest::newRow("fraction") << u"0.5"_s << std::optional(true);
        QTest::newRow("zero fraction") << u"0.000"_s << std::optional(false);
        QTest::newRow("spaced number") << u" 0 "_s << std::optional(false);
        QTest::newRow("empty") << QString() << none;
        QTest::newRow("yes") << u"yes"_s << none;
        QTest::newRow("Truex") << u"Truex"_s << none;
        QTest::newRow("lone sign") << u"-"_s << none;
        QTest::newRow("lone point") << u"."_s << none;
    }
    void toBoolean()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<bool>, expected);
        QCOMPARE(convert::toBoolean(text), expected);
    }

    void toInteger16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<int>>("expected");
        const std::optional<int> none;
        QTest::newRow("six") << u"6"_s << std::optional(6);
        QTest::newRow("negative") << u"-5"_s << std::optional(-5);
        QTest::newRow("plus sign") << u"+7"_s << std::optional(7);
        QTest::newRow("spaces") << u"  12 "_s << std::optional(12);
        QTest::newRow("leading zeros") << u"0000032767"_s << std::optional(32767);
        QTest::newRow("max") << u"32767"_s << std::optional(32767);
        QTest::newRow("min") << u"-32768"_s << std::optional(-32768);
        QTest::newRow("above max") << u"32768"_s << none;
        QTest::newRow("below min") << u"-32769"_s << none;
        QTest::newRow("40000") << u"40000"_s << none;
        QTest::newRow("huge") << u"123456789012345678901234567890"_s << none;
        QTest::newRow("half to even down") << u"0.5"_s << std::optional(0);
        QTest::newRow("half to even up") << u"1.5"_s << std::optional(2);
        QTest::newRow("2.5 to 2") << u"2.5"_s << std::optional(2);
        QTest::newRow("-2.5 to -2") << u"-2.5"_s << std::optional(-2);
        QTest::newRow("-3.5 to -4") << u"-3.5"_s << std::optional(-4);
        QTest::newRow("above half") << u"2.5000000000000000001"_s << std::optional(3);
        QTest::newRow("below half") << u"2.4999999999999999999"_s << std::optional(2);
        QTest::newRow("rounds out of range") << u"32767.5"_s << none;
        QTest::newRow("rounds into range") << u"-32768.5"_s << std::optional(-32768);
        QTest::newRow("no whole part") << u".7"_s << std::optional(1);
        QTest::newRow("trailing point") << u"5."_s << std::optional(5);
        QTest::newRow("empty") << QString() << none;
        QTest::newRow("abc") << u"abc"_s << none;
        QTest::newRow("digits then text") << u"12abc"_s << none;
        QTest::newRow("two points") << u"1.2.3"_s << none;
        QTest::newRow("full-width digits") << u"６"_s << none;
    }
    void toInteger16()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<int>, expected);
        const auto value = convert::toInteger16(text);
        QCOMPARE(value.has_value(), expected.has_value());
        if (value)
            QCOMPARE(int(*value), *expected);
    }

    // The rounding is toInteger16's; only the range differs.
    void toInteger32_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint64>>("expected");
        const std::optional<qint64> none;
        QTest::newRow("beyond 16 bits") << u"57600"_s << std::optional<qint64>(57600);
        QTest::newRow("max") << u"2147483647"_s << std::optional<qint64>(2147483647);
        QTest::newRow("min") << u"-2147483648"_s << std::optional<qint64>(-2147483648LL);
        QTest::newRow("above max") << u"2147483648"_s << none;
        QTest::newRow("rounds out of range") << u"2147483647.5"_s << none;
        QTest::newRow("below min") << u"-2147483649"_s << none;
        QTest::newRow("eleven digits") << u"99999999999"_s << none;
        QTest::newRow("half to even") << u"70000.5"_s << std::optional<qint64>(70000);
    }
    void toInteger32()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<qint64>, expected);
        const auto value = convert::toInteger32(text);
        QCOMPARE(value.has_value(), expected.has_value());
        if (value)
            QCOMPARE(qint64(*value), *expected);
    }

    void toNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("converts");
        QTest::addColumn<double>("expected");
        QTest::newRow("1") << u"1"_s << true << 1.0;
        QTest::newRow("2") << u"2"_s << true << 2.0;
        QTest::newRow("0.5") << u"0.5"_s << true << 0.5;
        QTest::newRow("0") << u"0"_s << true << 0.0;
        QTest::newRow("beyond 16 bits") << u"70000"_s << true << 70000.0;
        QTest::newRow("empty") << QString() << false << 0.0;
        QTest::newRow("yes") << u"yes"_s << false << 0.0;
        QTest::newRow("exponent") << u"1e3"_s << false << 0.0;
    }
    void toNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, converts);
        QFETCH(double, expected);
        const auto value = convert::toNumber(text);
        QCOMPARE(value.has_value(), converts);
        if (value)
            QCOMPARE(*value, expected);
    }

    void exactComparisonCountsLetterCase()
    {
        QVERIFY(convert::isExactly(u"True", u"True"));
        QVERIFY(!convert::isExactly(u"true", u"True"));
        QVERIFY(!convert::isExactly(u"1", u"True"));
        QVERIFY(!convert::isExactly(u"True ", u"True"));
    }
};

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
