#include "platform/systeminfo.h"
#include "tools/cookieeditor.h"
#include "tools/firstrunrules.h"
#include "tools/translation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using firstrun::FolderOption;
using firstrun::VersionRecord;

namespace {

// "Option2 | 1 3 4 5": the option selected, then the boxes left enabled.
QString describe(const firstrun::VersionRules &rules)
{
    static const char *const options[] = {"None", "Option1", "Option2", "Option3", "Option4", "Option5"};
    QString text = QString::fromLatin1(options[int(rules.option)]) + u" |"_s;
    const std::pair<bool, char> boxes[] = {{rules.netscapeTags, '1'},
                                           {rules.cookieEditor, '2'},
                                           {rules.accelerator, '3'},
                                           {rules.translucency, '4'},
                                           {rules.visualStyle, '5'}};
    for (const auto &[enabled, digit] : boxes) {
        if (enabled)
            text += u' ' + QChar::fromLatin1(digit);
    }
    return text;
}

VersionRecord windows(int major, int minor, int platformId = 2)
{
    return {true, major, minor, platformId};
}

} // namespace

// The rules of translation, the first-run dialog and the cookie editor.
class TestToolRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void translationAddress_data()
    {
        QTest::addColumn<Translation>("which");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expected");
        const QString page = u"http://example.test/a/"_s;
        const QString encoded = u"http%3A%2F%2Fexample.test%2Fa%2F"_s;
        const QString excite = u"http://www.excite.co.jp/world/"_s;
        QTest::newRow("English to Japanese") << Translation::EnglishToJapanese << page
                                             << excite + u"url/body/?wb_url="_s + encoded + u"&wb_lp=ENJA&wb_dis=2"_s;
        QTest::newRow("Japanese to English") << Translation::JapaneseToEnglish << page
                                             << excite + u"url/body/?wb_url="_s + encoded + u"&wb_lp=JAEN&wb_dis=2"_s;
        QTest::newRow("Chinese to Japanese")
            << Translation::ChineseToJapanese << page
            << excite + u"url_cn/body/?wb_url="_s + encoded + u"&wb_lp=CHJA&wb_dis=2"_s;
        QTest::newRow("Japanese to Chinese")
            << Translation::JapaneseToChinese << page
            << excite + u"url_cn/body/?wb_url="_s + encoded + u"&wb_lp=JACH&wb_dis=2"_s;
        QTest::newRow("Korean to Japanese")
            << Translation::KoreanToJapanese << page << u"http://j2k.naver.com/j2k.php/korea/http://example.test/a/"_s;
        QTest::newRow("Japanese to Korean")
            << Translation::JapaneseToKorean << page << u"http://j2k.naver.com/j2k.php/japan/http://example.test/a/"_s;
        QTest::newRow("empty box") << Translation::EnglishToJapanese << QString()
                                   << excite + u"url/body/?wb_url=&wb_lp=ENJA&wb_dis=2"_s;
        QTest::newRow("& # ? in the query")
            << Translation::JapaneseToEnglish << u"http://a.test/p?x=1&y=2#top"_s
            << excite + u"url/body/?wb_url=http%3A%2F%2Fa.test%2Fp%3Fx%3D1%26y%3D2%23top&wb_lp=JAEN&wb_dis=2"_s;
        QTest::newRow("& # ? in the path")
            << Translation::JapaneseToKorean << u"http://a.test/p?x=1&y=2#top"_s
            << u"http://j2k.naver.com/j2k.php/japan/http://a.test/p%3Fx%3D1%26y%3D2%23top"_s;
    }
    void translationAddress()
    {
        QFETCH(Translation, which);
        QFETCH(QString, address);
        QFETCH(QString, expected);
        QCOMPARE(translation::requestAddress(which, address), expected);
    }

    void versionRules_data()
    {
        QTest::addColumn<VersionRecord>("version");
        QTest::addColumn<bool>("firstRun");
        QTest::addColumn<QString>("expected");
        QTest::newRow("XP 5.1") << windows(5, 1) << true << u"Option2 | 1 3 4 5"_s;
        QTest::newRow("2000 5.0") << windows(5, 0) << true << u"Option2 | 1 3 4"_s;
        QTest::newRow("98 4.10 platform 1") << windows(4, 10, 1) << true << u"Option1 | 1 2 3"_s;
        QTest::newRow("NT 4.0") << windows(4, 0) << true << u"Option5 | 1 2 3"_s;
        QTest::newRow("NT 3.51") << windows(3, 51) << true << u"Option5 |"_s;
        QTest::newRow("6.1") << windows(6, 1) << true << u"None | 1 2 3 4 5"_s;
        QTest::newRow("10.0: last digit 0") << windows(10, 0) << true << u"None | 1 2 3 4 5"_s;
        QTest::newRow("reopened on 98") << windows(4, 10, 1) << false << u"None | 1 2 3"_s;
        QTest::newRow("reopened on XP") << windows(5, 1) << false << u"Option2 | 1 3 4 5"_s;
        QTest::newRow("this platform, kernel 5.1")
            << firstrun::versionRecordOf(platform::OsVersion {5, 1, 0, 2}) << true << u"None | 1 2 3 4 5"_s;
        QTest::newRow("this platform, kernel 4.10 platform 1")
            << firstrun::versionRecordOf(platform::OsVersion {4, 10, 0, 1}) << true << u"None | 1 2 3 4 5"_s;
    }
    void versionRules()
    {
        QFETCH(VersionRecord, version);
        QFETCH(bool, firstRun);
        QFETCH(QString, expected);
        QCOMPARE(describe(firstrun::versionRules(version, firstRun)), expected);
    }

    void folderOptions_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<FolderOption>("option");
        QTest::newRow("Option1") << u"C:\\WINDOWS\\Favorites"_s << FolderOption::Option1;
        QTest::newRow("Option2") << u"C:\\Documents and Settings\\Owner\\Favorites"_s << FolderOption::Option2;
        QTest::newRow("Option3") << u"C:\\Documents and Settings\\All Users\\Favorites"_s << FolderOption::Option3;
        QTest::newRow("Option5") << u"C:\\WINNT\\Profiles\\Administrator\\Favorites"_s << FolderOption::Option5;
        QTest::newRow("letter case counts") << u"c:\\windows\\favorites"_s << FolderOption::Option4;
        QTest::newRow("own folder") << u"/home/u/.local/share/yuragine/Favorites"_s << FolderOption::Option4;
        QTest::newRow("empty") << QString() << FolderOption::Option4;
    }
    void folderOptions()
    {
        QFETCH(QString, folder);
        QFETCH(FolderOption, option);
        QCOMPARE(firstrun::optionForFolder(folder), option);
        // Saving the option found stores the same folder again.
        QCOMPARE(firstrun::chosenFolder(option, folder), folder);
        QCOMPARE(firstrun::chosenFolder(FolderOption::None, u"typed"_s), u"typed"_s);
    }

    void translucencyOnSave_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected"); // "mark opacity", or "-" for no change
        QTest::newRow("switched on") << true << u"0"_s << u"1 120"_s;
        QTest::newRow("switched off") << false << u"1"_s << u"0 255"_s;
        QTest::newRow("already off") << false << u"0"_s << u"-"_s;
        QTest::newRow("stored as True is not 1") << false << u"True"_s << u"-"_s;
    }
    void translucencyOnSave()
    {
        QFETCH(bool, checked);
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        const auto change = firstrun::translucencyOnSave(checked, stored, 120);
        QCOMPARE(change ? u"%1 %2"_s.arg(int(change->checkMark)).arg(change->opacity) : u"-"_s, expected);
    }

    void visualStyleRename_data()
    {
        QTest::addColumn<QString>("present"); // m: the manifest, w: the parked file
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("done");
        QTest::newRow("on: parked becomes active") << u"w"_s << true << u"m"_s << true;
        QTest::newRow("off: active is parked") << u"m"_s << false << u"w"_s << true;
        QTest::newRow("on, active already") << u"m"_s << true << u"m"_s << true;
        QTest::newRow("on, both present") << u"mw"_s << true << u"mw"_s << true;
        QTest::newRow("off, both present: not parked") << u"mw"_s << false << u"mw"_s << false;
        QTest::newRow("on, none present: not active") << QString() << true << QString() << false;
        QTest::newRow("off, none present") << QString() << false << QString() << true;
    }
    void visualStyleRename()
    {
        QFETCH(QString, present);
        QFETCH(bool, on);
        QFETCH(QString, after);
        QFETCH(bool, done);
        QTemporaryDir dir;
        const QString manifest = dir.filePath(QString::fromUtf16(firstrun::kManifestName));
        const QString parked = dir.filePath(QString::fromUtf16(firstrun::kParkedManifestName));
        if (present.contains(u'm'))
            QVERIFY(QFile(manifest).open(QIODevice::WriteOnly));
        if (present.contains(u'w'))
            QVERIFY(QFile(parked).open(QIODevice::WriteOnly));
        QCOMPARE(firstrun::applyVisualStyle(dir.path(), on).isEmpty(), done);
        QString found;
        if (QFile::exists(manifest))
            found += u'm';
        if (QFile::exists(parked))
            found += u'w';
        QCOMPARE(found, after); // a rename onto a taken name would leave one file
    }

    void cookieEditorEnabled_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("1") << u"1"_s << true;
        QTest::newRow("2") << u"2"_s << true;
        QTest::newRow("0") << u"0"_s << false;
        QTest::newRow("missing") << QString() << false;
        QTest::newRow("not a number") << u"yes"_s << false;
    }
    void cookieEditorEnabled()
    {
        QFETCH(QString, stored);
        QFETCH(bool, enabled);
        QCOMPARE(cookies::editorEnabled(stored), enabled);
    }

    void deleteTextFiles_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("readOnly");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<bool>("result");
        QTest::newRow("only .txt, any case, not in subfolders")
            << QStringList {u"a.txt"_s, u"B.TXT"_s, u"c.dat"_s, u"txt"_s, u"sub/d.txt"_s} << QString()
            << QStringList {u"c.dat"_s, u"sub/d.txt"_s, u"txt"_s} << true;
        QTest::newRow("a read-only file stays and is reported")
            << QStringList {u"a.txt"_s, u"locked.txt"_s} << u"locked.txt"_s << QStringList {u"locked.txt"_s} << false;
        QTest::newRow("nothing to delete") << QStringList {u"c.dat"_s} << QString() << QStringList {u"c.dat"_s} << true;
    }
    void deleteTextFiles()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, readOnly);
        QFETCH(QStringList, left);
        QFETCH(bool, result);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(u"sub"_s);
        for (const QString &name : files) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        if (!readOnly.isEmpty())
            QVERIFY(QFile::setPermissions(dir.filePath(readOnly), QFile::ReadOwner | QFile::ReadGroup));
        QCOMPARE(cookies::deleteTextFiles(dir.path()), result);
        QStringList found;
        for (const QString &name : files) {
            if (QFile::exists(dir.filePath(name)))
                found.append(name);
        }
        found.sort();
        QCOMPARE(found, left);
    }

    void deleteTextFilesInAMissingFolder()
    {
        QTemporaryDir dir;
        QVERIFY(cookies::deleteTextFiles(dir.filePath(u"missing"_s)));
    }
};

QTEST_GUILESS_MAIN(TestToolRules)
#include "tst_toolrules.moc"
