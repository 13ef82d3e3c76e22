#include "app/settingsstore.h"
#include "tests/support/tempprogramfolder.h"

#include <QDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {
const QString kIni = u"Yura3.ini"_s;

// Bytes of a literal that may hold NUL.
template <std::size_t N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}
} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void programFolderFollowsEnvironment()
    {
        TempProgramFolder folder;
        QCOMPARE(programFolder(), folder.path() + u'/');
        qputenv("YURAGINE_HOME", "/already/ends/");
        QCOMPARE(programFolder(), u"/already/ends/"_s);
        qunsetenv("YURAGINE_HOME");
        QCOMPARE(programFolder(), QCoreApplication::applicationDirPath() + u'/');
    }

    void programFolderChoice_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("expected");
        const QString exe = u"/opt/y/bin"_s, data = u"/home/u/.local/share/yuragine"_s;
        QTest::newRow("build folder") << QString() << false << true << exe + u'/';
        QTest::newRow("read-only unpacked copy stays") << QString() << false << false << exe + u'/';
        QTest::newRow("installed, writable") << QString() << true << true << exe + u'/';
        QTest::newRow("installed, read-only") << QString() << true << false << data + u'/';
        QTest::newRow("home wins over installed") << u"/h"_s << true << false << u"/h/"_s;
        QTest::newRow("home wins over build") << u"/h/"_s << false << true << u"/h/"_s;
    }
    void programFolderChoice()
    {
        QFETCH(QString, home);
        QFETCH(bool, installed);
        QFETCH(bool, writable);
        QFETCH(QString, expected);
        const ProgramFolderFacts facts {home, u"/opt/y/bin"_s, installed, writable, u"/home/u/.local/share/yuragine"_s};
        QCOMPARE(chooseProgramFolder(facts), expected);
    }

    // The layout and the write bits on disk, as programFolder sees them.
    void programFolderFacts_data()
    {
        QTest::addColumn<QString>("exeFolder");
        QTest::addColumn<bool>("withShare");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("writable");
        QTest::newRow("prefix, read-only bin") << u"bin"_s << true << true << true << false;
        QTest::newRow("prefix, writable bin") << u"bin"_s << true << false << true << true;
        QTest::newRow("bin without share") << u"bin"_s << false << true << false << false;
        QTest::newRow("build folder") << u"build"_s << true << false << false << true;
    }
    void programFolderFacts()
    {
        QFETCH(QString, exeFolder);
        QFETCH(bool, withShare);
        QFETCH(bool, readOnly);
        QFETCH(bool, installed);
        QFETCH(bool, writable);
        QTemporaryDir prefix;
        const QString exe = prefix.filePath(exeFolder);
        QVERIFY(QDir().mkpath(exe));
        if (withShare)
            QVERIFY(QDir().mkpath(prefix.filePath(u"share/yuragine/doc"_s)));
        if (readOnly)
            QVERIFY(::chmod(QFile::encodeName(exe).constData(), 0555) == 0);
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(prefix.filePath(u"data"_s)));
        const ProgramFolderFacts facts = programFolderFactsFor(exe);
        qputenv("XDG_DATA_HOME", oldData);
        ::chmod(QFile::encodeName(exe).constData(), 0755);
        QCOMPARE(facts.installedLayout, installed);
        QCOMPARE(facts.executableFolderWritable, writable);
        QCOMPARE(facts.userDataFolder, prefix.filePath(u"data/yuragine"_s));
    }

    void missingFileSectionOrKeyReadsEmpty()
    {
        TempProgramFolder folder;
        QCOMPARE(readSetting(u"Window"_s, u"SideW"_s), QString());
        QVERIFY(folder.write(kIni, "[Window]\r\nSideW=6\r\n"));
        QCOMPARE(readSetting(u"Data"_s, u"SideW"_s), QString());
        QCOMPARE(readSetting(u"Window"_s, u"FWidth"_s), QString());
        QCOMPARE(readSetting(u"Window"_s, u"SideW"_s), u"6"_s);
    }

    void firstWriteCreatesFileAndSection()
    {
        TempProgramFolder folder;
        QCOMPARE(writeSetting(u"Window"_s, u"SideW"_s, u"6"_s), 1);
        QCOMPARE(folder.read(kIni), QByteArray("[Window]\r\nSideW=6\r\n"));
        QCOMPARE(writeSetting(u"Data"_s, u"NSTag"_s, u"1"_s), 1);
        QCOMPARE(folder.read(kIni), QByteArray("[Window]\r\nSideW=6\r\n[Data]\r\nNSTag=1\r\n"));
        // Nothing beside it: no temporary file is left.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList {kIni});
    }

    // Existing file, one write, the exact bytes afterwards.
    void writeKeepsEverythingElse_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("replace in place")
            << QByteArray("; my notes\r\n[Window]\r\nSideW=5\r\n\r\nFrame1=True\r\n") << u"Window"_s << u"SideW"_s
            << u"6"_s << QByteArray("; my notes\r\n[Window]\r\nSideW=6\r\n\r\nFrame1=True\r\n");
        QTest::newRow("names without regard to case") << QByteArray("[WINDOW]\r\nsidew=5\r\n") << u"window"_s
                                                      << u"SideW"_s << u"7"_s << QByteArray("[WINDOW]\r\nSideW=7\r\n");
        QTest::newRow("new key at the end of its section, before the blank line")
            << QByteArray("[Window]\r\nSideW=5\r\n\r\n[Data]\r\nNSTag=0\r\n") << u"Window"_s << u"EndC"_s << u"True"_s
            << QByteArray("[Window]\r\nSideW=5\r\nEndC=True\r\n\r\n[Data]\r\nNSTag=0\r\n");
        QTest::newRow("new key in an empty section")
            << QByteArray("[Data]\r\n[Window]\r\nSideW=5\r\n") << u"Data"_s << u"koukoku"_s << u"False"_s
            << QByteArray("[Data]\r\nkoukoku=False\r\n[Window]\r\nSideW=5\r\n");
        QTest::newRow("LF file becomes CR LF, last line without end")
            << QByteArray("[Window]\nSideW=5\n# kept\nFrame1=True") << u"Window"_s << u"SideW"_s << u"6"_s
            << QByteArray("[Window]\r\nSideW=6\r\n# kept\r\nFrame1=True\r\n");
        QTest::newRow("spaces around names and value")
            << QByteArray("  [ Window ]  \r\n  SideW  =  5  \r\n") << u"Window"_s << u"SideW"_s << u"6"_s
            << QByteArray("  [ Window ]  \r\nSideW=6\r\n");
        QTest::newRow("empty value") << QByteArray("[Data]\r\nYomikake=http://a/\r\n") << u"Data"_s << u"Yomikake"_s
                                     << QString() << QByteArray("[Data]\r\nYomikake=\r\n");
        QTest::newRow("duplicate keys: the first is replaced")
            << QByteArray("[Window]\r\nSideW=5\r\nSideW=6\r\n") << u"Window"_s << u"SideW"_s << u"7"_s
            << QByteArray("[Window]\r\nSideW=7\r\nSideW=6\r\n");
        QTest::newRow("duplicate sections: the key where it stands")
            << QByteArray("[Window]\r\nSideW=5\r\n[Window]\r\nFrame1=True\r\n") << u"Window"_s << u"Frame1"_s
            << u"False"_s << QByteArray("[Window]\r\nSideW=5\r\n[Window]\r\nFrame1=False\r\n");
        QTest::newRow("duplicate sections: a new key goes to the first")
            << QByteArray("[Window]\r\nSideW=5\r\n[Window]\r\nFrame1=True\r\n") << u"Window"_s << u"EndC"_s << u"True"_s
            << QByteArray("[Window]\r\nSideW=5\r\nEndC=True\r\n[Window]\r\nFrame1=True\r\n");
        QTest::newRow("keys before any section stay theirs")
            << QByteArray("SideW=5\r\n[Data]\r\n") << u"Window"_s << u"SideW"_s << u"6"_s
            << QByteArray("SideW=5\r\n[Data]\r\n[Window]\r\nSideW=6\r\n");
        QTest::newRow("NUL and invalid bytes in other lines are kept")
            << raw("[Window]\r\nodd=\x80\xff\x00z\r\nSideW=5\r\n") << u"Window"_s << u"SideW"_s << u"6"_s
            << raw("[Window]\r\nodd=\x80\xff\x00z\r\nSideW=6\r\n");
        QByteArray megabyte;
        for (int i = 0; megabyte.size() < 1024 * 1024; ++i)
            megabyte += "[S" + QByteArray::number(i) + "]\r\nk=" + QByteArray(100, 'v') + "\r\n";
        QTest::newRow("a 1 MB file") << megabyte + "[Window]\r\nSideW=5\r\n"
                                     << u"Window"_s << u"SideW"_s << u"6"_s << megabyte + "[Window]\r\nSideW=6\r\n";
        QTest::newRow("a bracket that is the second byte of a kanji")
            << QByteArray("[\x83\x5d]\r\nk=1\r\n") // "[ゾ]": 0x5D is its second byte
            << u"ゾ"_s << u"k"_s << u"2"_s << QByteArray("[\x83\x5d]\r\nk=2\r\n");
    }
    void writeKeepsEverythingElse()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        TempProgramFolder folder;
        QVERIFY(folder.write(kIni, before));
        QCOMPARE(writeSetting(section, key, value), 1);
        QCOMPARE(folder.read(kIni), after);
        QCOMPARE(readSetting(section, key), value);
    }

    // Damaged or hand-edited files read without failing.
    void malformedFileReads_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QByteArray messy("garbage line\r\nSideW=4\r\n[Window]\r\nno equals here\r\n"
                               "=orphan value\r\nSideW=6\r\nSideW=5\r\n[Window]\r\nSideW=7\r\n"
                               "Frame1=True\r\n");
        QTest::newRow("key before any section is not in one") << messy << u"Window"_s << u"SideW"_s << u"6"_s;
        QTest::newRow("key of a later duplicate section") << messy << u"Window"_s << u"Frame1"_s << u"True"_s;
        QTest::newRow("line without equals is no key") << messy << u"Window"_s << u"no equals here"_s << QString();
        QTest::newRow("NUL cuts the value") << raw("[Data]\r\nYPage=ab\x00"
                                                   "cd\r\n")
                                            << u"Data"_s << u"YPage"_s << u"ab"_s;
        QTest::newRow("NUL in another line")
            << raw("[Data]\r\nx=\x00\x00\r\nYPage=ok\r\n") << u"Data"_s << u"YPage"_s << u"ok"_s;
        QTest::newRow("invalid CP932 bytes become SUB") << QByteArray("[Data]\r\nYPage=a\x80"
                                                                      "b\xff\r\n")
                                                        << u"Data"_s << u"YPage"_s
                                                        << u"a\x1a"
                                                           "b\x1a"_s;
        QTest::newRow("lone lead byte at the end")
            << QByteArray("[Data]\r\nYPage=a\x82\r\n") << u"Data"_s << u"YPage"_s << u"a"_s;
        QTest::newRow("equals in the value") << QByteArray("[Data]\r\nYomikake=http://a/?q=1&r=2\r\n") << u"Data"_s
                                             << u"Yomikake"_s << u"http://a/?q=1&r=2"_s;
        QTest::newRow("unclosed section header is no section")
            << QByteArray("[Data]\r\n[Window\r\nYPage=x\r\n") << u"Data"_s << u"YPage"_s << u"x"_s;
        QTest::newRow("CR alone inside a line stays in the value")
            << QByteArray("[Data]\r\nYPage=a\rb\r\n") << u"Data"_s << u"YPage"_s << u"a\rb"_s;
        QTest::newRow("only blank lines") << QByteArray("\r\n\r\n\n") << u"Data"_s << u"YPage"_s << QString();
    }
    void malformedFileReads()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TempProgramFolder folder;
        QVERIFY(folder.write(kIni, content));
        QCOMPARE(readSetting(section, key), expected);

        // A write elsewhere keeps every line it does not replace.
        QCOMPARE(writeSetting(u"Fresh"_s, u"Key"_s, u"v"_s), 1);
        QByteArray normalised = content;
        normalised.replace("\r\n", "\n").replace("\n", "\r\n");
        if (!normalised.isEmpty() && !normalised.endsWith("\r\n"))
            normalised += "\r\n";
        QCOMPARE(folder.read(kIni), normalised + "[Fresh]\r\nKey=v\r\n");
        QCOMPARE(readSetting(section, key), expected);
    }

    void japaneseValueIsCp932OnDisk()
    {
        TempProgramFolder folder;
        const QString title = u"ゆらぎね表示～ソ"_s;
        QCOMPARE(writeSetting(u"Data"_s, u"YPage"_s, title), 1);
        QCOMPARE(folder.read(kIni),
                 QByteArray("[Data]\r\nYPage=\x82\xe4\x82\xe7\x82\xac\x82\xcb\x95\x5c\x8e\xa6"
                            "\x81\x60\x83\x5c\r\n"));
        QCOMPARE(readSetting(u"data"_s, u"ypage"_s), title);
    }

    void japaneseSectionAndKeyNames()
    {
        TempProgramFolder folder;
        QCOMPARE(writeSetting(u"表示"_s, u"ソフト"_s, u"1"_s), 1);
        QCOMPARE(readSetting(u"表示"_s, u"ソフト"_s), u"1"_s);
    }

    void longValuesAreCut_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("300 bytes") << QString(300, u'x') << QString(254, u'x');
        QTest::newRow("254 bytes") << QString(254, u'y') << QString(254, u'y');
        QTest::newRow("127 kanji fit") << QString(127, u'あ') << QString(127, u'あ');
        QTest::newRow("a kanji across byte 254 is left out")
            << (u"a"_s + QString(127, u'あ')) << (u"a"_s + QString(126, u'あ'));
        QTest::newRow("half-width kana are one byte") << QString(300, u'ｱ') << QString(254, u'ｱ');
    }
    void longValuesAreCut()
    {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        TempProgramFolder folder;
        QCOMPARE(writeSetting(u"Data"_s, u"YPage"_s, value), 1);
        QCOMPARE(readSetting(u"Data"_s, u"YPage"_s), expected);
        // The whole value is on disk; only reading cuts it.
        QVERIFY(folder.read(kIni).size() > 254);
    }

    void unencodableCharacterBecomesQuestionMark()
    {
        TempProgramFolder folder;
        QCOMPARE(writeSetting(u"Data"_s, u"YPage"_s, u"a😀b"_s), 1);
        QCOMPARE(readSetting(u"Data"_s, u"YPage"_s), u"a?b"_s);
    }

    void refusedWritesChangeNothing_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("LF in value") << u"Data"_s << u"YPage"_s << u"a\nb"_s;
        QTest::newRow("CR in value") << u"Data"_s << u"YPage"_s << u"a\rb"_s;
        QTest::newRow("CR LF in value") << u"Data"_s << u"YPage"_s << u"a\r\n[Window]\r\nSideW=9"_s;
        QTest::newRow("equals in key") << u"Data"_s << u"a=b"_s << u"v"_s;
        QTest::newRow("bracket in section") << u"Da]ta"_s << u"k"_s << u"v"_s;
        QTest::newRow("empty key") << u"Data"_s << QString() << u"v"_s;
        QTest::newRow("empty section") << QString() << u"k"_s << u"v"_s;
        QTest::newRow("line break in key") << u"Data"_s << u"k\n"_s << u"v"_s;
    }
    void refusedWritesChangeNothing()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        TempProgramFolder folder;
        const QByteArray before("[Data]\r\nYPage=old\r\n");
        QVERIFY(folder.write(kIni, before));
        QCOMPARE(writeSetting(section, key, value), 0);
        QCOMPARE(folder.read(kIni), before);
    }

    void readOnlyFolderKeepsNothing()
    {
        TempProgramFolder folder;
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        QCOMPARE(writeSetting(u"Window"_s, u"SideW"_s, u"6"_s), 0);
        QVERIFY(!QFile::exists(folder.filePath(kIni)));
        QCOMPARE(readSetting(u"Window"_s, u"SideW"_s), QString());
    }

    void readOnlyFileKeepsItsContent()
    {
        TempProgramFolder folder;
        const QByteArray before("[Window]\r\nSideW=5\r\n");
        QVERIFY(folder.write(kIni, before));
        QVERIFY(QFile::setPermissions(folder.filePath(kIni), QFile::ReadOwner | QFile::ReadGroup));
        QCOMPARE(writeSetting(u"Window"_s, u"SideW"_s, u"6"_s), 0);
        QCOMPARE(folder.read(kIni), before);
        QCOMPARE(readSetting(u"Window"_s, u"SideW"_s), u"5"_s);
    }

    // The settings are the user's alone, whatever the umask and whatever mode the file had.
    void writeMakesTheFilePrivate_data()
    {
        QTest::addColumn<int>("before"); // -1: no file yet
        QTest::addColumn<int>("mask");
        QTest::newRow("new file, umask 022") << -1 << 0022;
        QTest::newRow("new file, umask 000") << -1 << 0000;
        QTest::newRow("file that was 640") << 0640 << 0022;
        QTest::newRow("file that was 666") << 0666 << 0000;
    }

    void writeMakesTheFilePrivate()
    {
        QFETCH(int, before);
        QFETCH(int, mask);
        TempProgramFolder folder;
        const QByteArray path = QFile::encodeName(folder.filePath(kIni));
        if (before >= 0) {
            QVERIFY(folder.write(kIni, "[Window]\r\n"));
            QVERIFY(::chmod(path.constData(), mode_t(before)) == 0);
        }
        const mode_t previous = ::umask(mode_t(mask));
        const int written = writeSetting(u"Window"_s, u"SideW"_s, u"6"_s);
        ::umask(previous);
        QCOMPARE(written, 1);
        QCOMPARE(readSetting(u"Window"_s, u"SideW"_s), u"6"_s);
        struct stat info
        { };
        QCOMPARE(::stat(path.constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0600));
    }

    void missingFolderFailsQuietly()
    {
        qputenv("YURAGINE_HOME", "/nonexistent/yuragine-test-folder");
        QCOMPARE(writeSetting(u"Window"_s, u"SideW"_s, u"6"_s), 0);
        QCOMPARE(readSetting(u"Window"_s, u"SideW"_s), QString());
        qunsetenv("YURAGINE_HOME");
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
