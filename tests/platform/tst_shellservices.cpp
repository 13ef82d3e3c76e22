#include "platform/shellservices.h"
#include "tests/support/fakeservices.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using platform::ShortcutResult;

Q_DECLARE_METATYPE(platform::ShortcutResult)

class TestShellServices : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void expandEnvironment_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one") << u"%HOME%\\Desktop"_s << u"/home/u\\Desktop"_s;
        QTest::newRow("two") << u"%HOME%;%Temp%"_s << u"/home/u;/tmp"_s;
        QTest::newRow("any case") << u"%home%"_s << u"/home/u"_s;
        QTest::newRow("exact case first") << u"%temp%|%Temp%"_s << u"/lower|/tmp"_s;
        QTest::newRow("unknown stays") << u"%NOPE%\\x"_s << u"%NOPE%\\x"_s;
        QTest::newRow("unknown then known") << u"a%b%HOME%"_s << u"a%b/home/u"_s;
        QTest::newRow("percent signs") << u"100% sure"_s << u"100% sure"_s;
        QTest::newRow("double percent") << u"%%HOME%%"_s << u"%/home/u%"_s;
        QTest::newRow("empty name") << u"%%"_s << u"%%"_s;
        QTest::newRow("empty value") << u"[%EMPTY%]"_s << u"[]"_s;
        QTest::newRow("value not expanded again") << u"%LOOP%"_s << u"%HOME%"_s;
        QTest::newRow("Japanese") << u"%日本%です"_s << u"値です"_s;
        QTest::newRow("no variables") << u"C:\\Windows"_s << u"C:\\Windows"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void expandEnvironment()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QProcessEnvironment env;
        env.insert(u"HOME"_s, u"/home/u"_s);
        env.insert(u"Temp"_s, u"/tmp"_s);
        env.insert(u"temp"_s, u"/lower"_s);
        env.insert(u"EMPTY"_s, QString());
        env.insert(u"LOOP"_s, u"%HOME%"_s);
        env.insert(u"日本"_s, u"値"_s);
        QCOMPARE(platform::expandEnvironmentStrings(text, env), expected);

        FakeShell shell;
        shell.setEnvironment(env);
        QCOMPARE(shell.expandEnvironment(text), expected);
    }

    void shortcutBytes_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("expected"); // empty: refused
        QTest::newRow("plain") << u"http://127.0.0.1/a?b=c"_s
                               << QByteArray("[InternetShortcut]\r\nURL=http://127.0.0.1/a?b=c\r\n");
        QTest::newRow("Japanese in CP932")
            << u"http://example.test/日本"_s
            << QByteArray("[InternetShortcut]\r\nURL=http://example.test/\x93\xfa\x96\x7b\r\n");
        QTest::newRow("outside CP932 percent-encoded")
            << u"http://example.test/\U0001F600é"_s
            << QByteArray("[InternetShortcut]\r\nURL=http://example.test/%F0%9F%98%80%C3%A9\r\n");
        QTest::newRow("backslash kept") << u"file://C:\\x"_s
                                        << QByteArray("[InternetShortcut]\r\nURL=file://C:\\x\r\n");
        QTest::newRow("CR LF refused") << u"http://a/\r\n[InternetShortcut]"_s << QByteArray();
        QTest::newRow("LF refused") << u"http://a/\nIconFile=x"_s << QByteArray();
        QTest::newRow("NUL refused") << u"http://a/\0b"_s << QByteArray();
        QTest::newRow("tab refused") << u"http://a/\tb"_s << QByteArray();
        QTest::newRow("empty refused") << QString() << QByteArray();
    }
    void shortcutBytes()
    {
        QFETCH(QString, address);
        QFETCH(QByteArray, expected);
        const auto bytes = platform::internetShortcutBytes(address);
        QCOMPARE(bytes.has_value(), !expected.isEmpty());
        if (bytes)
            QCOMPARE(*bytes, expected);
    }

    void writeShortcut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("before"); // existing content; empty: no file
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<ShortcutResult>("result");
        QTest::addColumn<QByteArray>("after"); // empty: no file
        const QByteArray old = "old";
        const QByteArray fresh = "[InternetShortcut]\r\nURL=http://127.0.0.1/\r\n";
        QTest::newRow("new file") << u"a.url"_s << QByteArray() << u"http://127.0.0.1/"_s << false
                                  << ShortcutResult::Written << fresh;
        QTest::newRow("kept without overwrite")
            << u"b.url"_s << old << u"http://127.0.0.1/"_s << false << ShortcutResult::Exists << old;
        QTest::newRow("replaced with overwrite")
            << u"c.url"_s << old << u"http://127.0.0.1/"_s << true << ShortcutResult::Written << fresh;
        QTest::newRow("bad address keeps the old")
            << u"d.url"_s << old << u"http://a/\r\nx"_s << true << ShortcutResult::BadAddress << old;
        QTest::newRow("bad address writes nothing")
            << u"e.url"_s << QByteArray() << u"http://a/\nx"_s << true << ShortcutResult::BadAddress << QByteArray();
        QTest::newRow("missing folder") << u"no/such/f.url"_s << QByteArray() << u"http://127.0.0.1/"_s << true
                                        << ShortcutResult::WriteFailed << QByteArray();
    }
    void writeShortcut()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, before);
        QFETCH(QString, address);
        QFETCH(bool, overwrite);
        QFETCH(ShortcutResult, result);
        QFETCH(QByteArray, after);
        const QString path = m_dir.filePath(name);
        if (!before.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        QCOMPARE(platform::writeInternetShortcutFile(path, address, overwrite), result);
        QCOMPARE(QFile::exists(path), !after.isEmpty());
        QCOMPARE(read(path), after);
        // No temporary file is left beside it.
        QCOMPARE(QDir(m_dir.path()).entryList({u"*.url.*"_s}, QDir::Files | QDir::Hidden), QStringList());
    }

    void shortcutOverFolderFails()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(u"folder.url"_s));
        QCOMPARE(platform::writeInternetShortcutFile(m_dir.filePath(u"folder.url"_s), u"http://a/"_s, true),
                 ShortcutResult::WriteFailed);
        QVERIFY(QFileInfo(m_dir.filePath(u"folder.url"_s)).isDir());
    }

    void fakeShellRecordsAndWrites()
    {
        FakeShell shell;
        shell.setDesktopFolder(m_dir.path());
        const QString path = m_dir.filePath(u"デスクトップ.url"_s);
        QCOMPARE(shell.writeInternetShortcut(path, u"http://127.0.0.1/"_s, false), ShortcutResult::Written);
        QCOMPARE(shell.writeInternetShortcut(path, u"http://127.0.0.1/other"_s, false), ShortcutResult::Exists);
        QCOMPARE(read(path), QByteArray("[InternetShortcut]\r\nURL=http://127.0.0.1/\r\n"));
        QCOMPARE(shell.shortcuts().size(), 2);
        QCOMPARE(shell.shortcuts()[1].second, u"http://127.0.0.1/other"_s);
        QVERIFY(shell.openFolder(m_dir.path()));
        QVERIFY(!shell.openFolder(path));
        QVERIFY(!shell.openInBrowser(QUrl(u"file:///etc"_s)));
        QCOMPARE(shell.openedFolders(), (QStringList {m_dir.path(), path}));
        QCOMPARE(shell.openedAddresses().size(), 1);
    }

    void browsableAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("browsable");
        QTest::newRow("http") << u"http://127.0.0.1/x"_s << true;
        QTest::newRow("https") << u"HTTPS://example.test/"_s << true;
        QTest::newRow("file") << u"file:///etc/passwd"_s << false;
        QTest::newRow("javascript") << u"javascript:alert(1)"_s << false;
        QTest::newRow("no host") << u"http:///x"_s << false;
        QTest::newRow("relative") << u"example.test"_s << false;
        QTest::newRow("empty") << QString() << false;
    }
    void browsableAddresses()
    {
        QFETCH(QString, address);
        QFETCH(bool, browsable);
        QCOMPARE(platform::isBrowsableAddress(QUrl(address)), browsable);
    }

    // Only what is refused before reaching the desktop: a test must not open windows.
    void systemShellRefusals()
    {
        platform::SystemShell shell(m_dir.path());
        QCOMPARE(shell.favoritesFolder(), m_dir.path());
        QVERIFY(!shell.openFolder(m_dir.filePath(u"missing"_s)));
        QFile file(m_dir.filePath(u"run.desktop"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!shell.openFolder(file.fileName()));
        QVERIFY(!shell.openFolder(QString()));
        QVERIFY(!shell.openInBrowser(QUrl::fromLocalFile(file.fileName())));
        QVERIFY(platform::SystemShell::defaultFavoritesFolder().endsWith(u"/Favorites"_s));
        QVERIFY(platform::SystemShell().favoritesFolder().endsWith(u"/Favorites"_s));
    }
};

QTEST_GUILESS_MAIN(TestShellServices)
#include "tst_shellservices.moc"
