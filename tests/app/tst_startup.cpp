#include "app/settingsstore.h"
#include "app/startup.h"
#include "tests/support/tempprogramfolder.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingFileGivesDefaults()
    {
        TempProgramFolder folder;
        const StartupState state = readStartupState();
        const SettingsRecord &r = state.record;
        QCOMPARE(r.SideW, 7);
        QCOMPARE(r.FWidth, 0);
        QCOMPARE(r.FHeight, 0);
        QCOMPARE(r.FLeft, 0);
        QCOMPARE(r.FTop, 0);
        QCOMPARE(r.NSTag, 0);
        QCOMPARE(r.Menu, QString());
        QCOMPARE(r.EndC, QString());
        QCOMPARE(r.Yomikake, QString());
        QCOMPARE(r.FavoritesFolder, QString());
        QVERIFY(state.firstRunDue);
        QVERIFY(!QFile::exists(folder.filePath(u"Yura3.ini"_s))); // reading creates nothing
    }

    void sideWidth_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("5") << u"5"_s << 5;
        QTest::newRow("6") << u"6"_s << 6;
        QTest::newRow("7") << u"7"_s << 7;
        QTest::newRow("4") << u"4"_s << 7;
        QTest::newRow("8") << u"8"_s << 7;
        QTest::newRow("-5") << u"-5"_s << 7;
        QTest::newRow("abc") << u"abc"_s << 7;
        QTest::newRow("empty") << QString() << 7;
        QTest::newRow("5.5 rounds to even 6") << u"5.5"_s << 6;
        QTest::newRow("out of range") << u"70000"_s << 7;
    }
    void sideWidth()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        TempProgramFolder folder;
        QCOMPARE(writeSetting(u"Window"_s, u"SideW"_s, stored), 1);
        QCOMPARE(int(readStartupState().record.SideW), expected);
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << u"15000"_s << 15000;
        QTest::newRow("beyond 16 bits, a 4K screen's width") << u"57600"_s << 57600;
        QTest::newRow("beyond 32 bits leaves 0") << u"3000000000"_s << 0;
        QTest::newRow("not a number leaves 0") << u"wide"_s << 0;
        QTest::newRow("negative") << u"-120"_s << -120;
    }
    void geometry()
    {
        QFETCH(QString, width);
        QFETCH(int, expected);
        TempProgramFolder folder;
        writeSetting(u"Window"_s, u"FWidth"_s, width);
        writeSetting(u"Window"_s, u"FHeight"_s, u"9000"_s);
        writeSetting(u"Window"_s, u"FLeft"_s, u"300"_s);
        writeSetting(u"Window"_s, u"FTop"_s, u"-45"_s);
        const SettingsRecord r = readStartupState().record;
        QCOMPARE(int(r.FWidth), expected);
        QCOMPARE(int(r.FHeight), 9000);
        QCOMPARE(int(r.FLeft), 300);
        QCOMPARE(int(r.FTop), -45);
    }

    void nsTag_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("0") << u"0"_s << 0;
        QTest::newRow("1") << u"1"_s << 1;
        QTest::newRow("2") << u"2"_s << 0;
        QTest::newRow("-1") << u"-1"_s << 0;
        QTest::newRow("x") << u"x"_s << 0;
    }
    void nsTag()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        TempProgramFolder folder;
        writeSetting(u"Data"_s, u"NSTag"_s, stored);
        QCOMPARE(int(readStartupState().record.NSTag), expected);
    }

    void firstRun_data()
    {
        QTest::addColumn<QString>("firstOpen");
        QTest::addColumn<bool>("due");
        QTest::newRow("1") << u"1"_s << false;
        QTest::newRow("2") << u"2"_s << false;
        QTest::newRow("0.5") << u"0.5"_s << false;
        QTest::newRow("0") << u"0"_s << true;
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("yes") << u"yes"_s << true;
    }
    void firstRun()
    {
        QFETCH(QString, firstOpen);
        QFETCH(bool, due);
        TempProgramFolder folder;
        writeSetting(u"Data"_s, u"FirstOpen"_s, firstOpen);
        writeSetting(u"Data"_s, u"FavoritesFolder"_s, u"/home/me/お気に入り"_s);
        QCOMPARE(runStartup(), due);
        // Until the dialog stores a folder, the favorites tree shows the program folder.
        QCOMPARE(settingsRecord().FavoritesFolder, due ? folder.path() : u"/home/me/お気に入り"_s);
        QVERIFY(!settingsRecord().FavoritesFolder.endsWith(u'/'));
    }

    // Texts are kept as stored; the comparisons happen where they are applied.
    void textsAreKeptAsStored()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(u"Yura3.ini"_s,
                             "[Window]\r\nFrame1=False\r\nFrame2=1\r\nFrame3=true\r\nMenu=False\r\nEndC=True\r\n"
                             "EndY=False\r\nEndK=false\r\nAutoRe30=True\r\nAutoRe60=0\r\n"
                             "[Data]\r\nYPage=\x83\x79\x81\x5b\x83\x57\r\nYomikake=http://127.0.0.1/a.htm\r\n"
                             "EXSTYLE=1\r\nEXSTYLEValue=150\r\nkoukoku=False\r\nWindowfoward=1\r\nFirstOpen=1\r\n"));
        const SettingsRecord r = readStartupState().record;
        QCOMPARE(r.Frame1, u"False"_s);
        QCOMPARE(r.Frame2, u"1"_s);
        QCOMPARE(r.Frame3, u"true"_s);
        QCOMPARE(r.Menu, u"False"_s);
        QCOMPARE(r.EndC, u"True"_s);
        QCOMPARE(r.EndY, u"False"_s);
        QCOMPARE(r.EndK, u"false"_s);
        QCOMPARE(r.AutoRe30, u"True"_s);
        QCOMPARE(r.AutoRe60, u"0"_s);
        QCOMPARE(r.YPage, u"ページ"_s);
        QCOMPARE(r.Yomikake, u"http://127.0.0.1/a.htm"_s);
        QCOMPARE(r.EXSTYLE, u"1"_s);
        QCOMPARE(r.EXSTYLEValue, u"150"_s);
        QCOMPARE(r.koukoku, u"False"_s);
        QCOMPARE(r.Windowfoward, u"1"_s);
    }

    // A stored preference holds for this session at once, also when the file refuses it.
    void storeKeepsTheRecordInStep_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("stored");
        QTest::newRow("written") << false << 1;
        QTest::newRow("refused by a read-only file") << true << 0;
    }
    void storeKeepsTheRecordInStep()
    {
        QFETCH(bool, readOnly);
        QFETCH(int, stored);
        TempProgramFolder folder;
        QVERIFY(folder.write(u"Yura3.ini"_s, "[Data]\r\nFirstOpen=1\r\n"));
        if (readOnly)
            QVERIFY(QFile::setPermissions(folder.filePath(u"Yura3.ini"_s), QFile::ReadOwner));
        runStartup();
        QCOMPARE(storeSetting(settingkeys::EndC, u"True"_s), stored);
        QCOMPARE(storeSetting(settingkeys::SideW, u"5"_s), stored);
        QCOMPARE(storeSetting({u"window", u"endy"}, u"True"_s), stored); // names match in any case
        QCOMPARE(storeSetting({u"Data", u"NotInTheRecord"}, u"x"_s), stored);
        QCOMPARE(settingsRecord().EndC, u"True"_s);
        QCOMPARE(settingsRecord().SideW, 5);
        QCOMPARE(settingsRecord().EndY, u"True"_s);
        QCOMPARE(readSetting(u"Window"_s, u"SideW"_s), readOnly ? QString() : u"5"_s);
        QCOMPARE(readSetting(u"Data"_s, u"NotInTheRecord"_s), readOnly ? QString() : u"x"_s);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
