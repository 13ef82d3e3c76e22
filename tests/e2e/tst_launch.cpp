#include "tests/support/isolatedhome.h"
#include "tests/support/tempprogramfolder.h"

#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

// The real executable starts and keeps running whatever it finds in its folder.
class TestLaunch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsWithAnySettingsFile_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("no settings file") << QByteArray();
        QTest::newRow("ordinary file")
            << QByteArray("[Window]\r\nSideW=6\r\nFWidth=15000\r\n[Data]\r\nFirstOpen=1\r\n");
        QTest::newRow("damaged file")
            << QByteArray("\x00\xff\x80[Window\r\n=\r\nSideW=abc\r\n[Data]\r\nNSTag=99999999\r\n", 50);
    }
    void startsWithAnySettingsFile()
    {
        QFETCH(QByteArray, settings);
        TempProgramFolder folder;
        if (!settings.isEmpty())
            QVERIFY(folder.write(u"Yura3.ini"_s, settings));

        IsolatedHome home;
        QVERIFY(home.isValid());

        QProcess program;
        QProcessEnvironment environment = home.environment();
        environment.insert(u"YURAGINE_HOME"_s, folder.path());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(YURAGINE_EXECUTABLE), {});
        QVERIFY(program.waitForStarted());
        // Still running after a few seconds: the window is up and waiting for the user.
        QVERIFY2(!program.waitForFinished(3000),
                 qPrintable(QString::fromLocal8Bit(program.readAllStandardError())));
        program.kill();
        program.waitForFinished();

        // Start-up only reads the settings file.
        QCOMPARE(folder.read(u"Yura3.ini"_s), settings);
        // The browser profile went to the private home, not the user's.
        QVERIFY(QFileInfo(home.dataHome() + u"/yuragine/QtWebEngine/yuragine"_s).isDir());
    }
};

QTEST_GUILESS_MAIN(TestLaunch)
#include "tst_launch.moc"
