#include "tools/systemreport.h"
#include "tools/versioncheck.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using versioncheck::Outcome;

class TestHelpRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void judge_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("outcome");
        const QString data = u"新機能"_s;
        QTest::newRow("same") << data << u"4.00"_s << int(Outcome::Current);
        QTest::newRow("same with line break") << data << u"4.00\r\n"_s << int(Outcome::Current);
        QTest::newRow("4.001 begins with ours") << data << u"4.001"_s << int(Outcome::Current);
        QTest::newRow("newer") << data << u"4.01"_s << int(Outcome::Newer);
        QTest::newRow("newer major") << data << u"10.0 beta"_s << int(Outcome::Newer);
        QTest::newRow("older") << data << u"3.99"_s << int(Outcome::Current);
        QTest::newRow("empty version") << data << QString() << int(Outcome::NoData);
        QTest::newRow("error page") << data << u"<html>404 Not Found</html>"_s << int(Outcome::NoData);
        QTest::newRow("no data") << QString() << u"5.00"_s << int(Outcome::NoData);
    }
    void judge()
    {
        QFETCH(QString, data);
        QFETCH(QString, version);
        QFETCH(int, outcome);
        QCOMPARE(int(versioncheck::judge(data, version)), outcome);
    }

    void marksGoRound()
    {
        QString marks;
        QStringList seen;
        for (int i = 0; i < 6; ++i)
            seen << (marks = versioncheck::nextMarks(marks));
        QCOMPARE(seen, QStringList({u">"_s, u">>"_s, u">>>"_s, u">>>>通信中"_s, QString(), u">"_s}));
        QCOMPARE(versioncheck::nextMarks(u"結果"_s), u"結果"_s);
    }

    void bugReport()
    {
        systemreport::Facts facts;
        facts.programName = u"ゆらぎね"_s;
        facts.os = {6, 1, 0, 2};
        facts.screen = {1024, 768};
        facts.windowCount = 1;
        facts.nstag = u"1"_s;
        facts.cookiesEdit = u"0"_s;
        facts.wvs = u"True"_s;
        facts.exstyle = u"1"_s;
        facts.exstyleValue = u"150"_s;
        const QString expected =
            u"お問い合わせは、以下の情報をメールに貼って送ってください。\r\n"
            u"----------------------------------------------------------\r\n\r\n\r\n"
            u"■問題点\r\n\r\n\r\n\r\n■発生状況\r\n\r\n\r\n\r\n■その他\r\n\r\n\r\n\r\n"
            u"■PC情報\r\nゆらぎね4.0\r\n\r\nWindowsバージョン：6.1.0\r\n\r\n"
            u"Internet Explorer　( Version: )\r\nVB6JP.DLL　( Version: )\r\nMSCOMCTL.OCX　( Version: )\r\n"
            u"MSINET.OCX　( Version: )\r\nCOMDLG32.OCX　( Version: )\r\n\r\n"
            u"画面解像度　( 1024 × 768 )\r\nウィンドウ数　( 1 )\r\n\r\n"
            u"[ini]ネスケタグ検出　( 1 )\r\n[ini]Cookie編集　( 0 )\r\n[ini]BBアクセラレータ　(  )\r\n"
            u"[ini]WinXP Visual Style　( True )\r\n[ini]半透明　( 1：150 )\r\n"_s;
        QCOMPARE(systemreport::bugReport(facts), expected);
    }

    void osLabel_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("platformId");
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QString>("label");
        QTest::newRow("XP") << 5 << 1 << 2 << true << u"WindowsXP　(Version:5.1.2600)"_s;
        QTest::newRow("2000") << 5 << 0 << 2 << true << u"Windows2000　(Version:5.0.2600)"_s;
        QTest::newRow("2003 keeps the placeholder") << 5 << 2 << 2 << true << u"Windowsバージョン："_s;
        QTest::newRow("95") << 4 << 0 << 1 << true << u"Windows95　(Version:4.0.2600)"_s;
        QTest::newRow("98") << 4 << 10 << 1 << true << u"Windows98　(Version:4.10.2600)"_s;
        QTest::newRow("Me") << 4 << 90 << 1 << true << u"WindowsMe　(Version:4.90.2600)"_s;
        QTest::newRow("9x other") << 4 << 20 << 1 << true << u"Windowsバージョン："_s;
        QTest::newRow("NT4") << 4 << 0 << 2 << true << u"WindowsNT4.0　(Version:4.0.2600)"_s;
        QTest::newRow("NT3.51") << 3 << 51 << 2 << true << u"WindowsNT3.51　(Version:3.51.2600)"_s;
        QTest::newRow("Vista") << 6 << 0 << 2 << true << u"OSがわかりません　(Version:6.0.2600)"_s;
        QTest::newRow("kernel 5.10 is no Windows")
            << 5 << 10 << 2 << false << u"OSがわかりません　(Version:5.10.2600)"_s;
    }
    void osLabel()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, platformId);
        QFETCH(bool, windows);
        QFETCH(QString, label);
        QCOMPARE(systemreport::osLabel({major, minor, 2600, platformId}, windows), label);
    }
};

QTEST_APPLESS_MAIN(TestHelpRules)
#include "tst_helprules.moc"
