#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TestFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanName_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << u"ニュース"_s << u"ニュース"_s;
        QTest::newRow("parent path") << u"../../evil"_s << u"_.._evil"_s;
        QTest::newRow("dots only") << u".."_s << u"無題"_s;
        QTest::newRow("absolute") << u"/etc/passwd"_s << u"_etc_passwd"_s;
        QTest::newRow("forbidden") << u"a\\b:c*d?e\"f<g>h|i"_s << u"a_b_c_d_e_f_g_h_i"_s;
        QTest::newRow("control") << u"a\tb\nc"_s << u"a_b_c"_s;
        QTest::newRow("leading dots and spaces") << u" . .hidden "_s << u"hidden"_s;
        QTest::newRow("empty") << QString() << u"無題"_s;
        QTest::newRow("spaces") << u"   "_s << u"無題"_s;
        QTest::newRow("ampersand stays") << u"A&B"_s << u"A&B"_s;
        QTest::newRow("right-to-left override") << u"report\u202Etxt.exe"_s << u"reporttxt.exe"_s;
        QTest::newRow("zero-width and isolates") << u"a\u200Bb\u2066c\u2069.zip"_s << u"abc.zip"_s;
    }

    void cleanName()
    {
        QFETCH(QString, title);
        QFETCH(QString, name);
        QCOMPARE(platform::cleanFileName(title), name);
    }

    // Long names are cut in the stem: the extension stays, and a number, ".part" and the
    // engine's ".download" still fit in the file system's 255 bytes.
    void cleanNameLength_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("extension");
        QTest::newRow("ascii") << QString(150, u'x') << QString(110, u'x') << QString();
        QTest::newRow("japanese") << QString(150, u'あ') << QString(70, u'あ') << QString();
        QTest::newRow("surrogate pairs") << QString(150, u'a').replace(u"a"_s, u"😀"_s)
                                         << QString(50, u'a').replace(u"a"_s, u"😀"_s) << QString();
        QTest::newRow("ascii with extension") << QString(300, u'x') + u".txt"_s << QString(110, u'x') << u".txt"_s;
        QTest::newRow("japanese with extension")
            << QString(300, u'報') + u".tar.gz"_s << QString(70, u'報') << u".gz"_s;
        QTest::newRow("a dot in a title is no extension")
            << QString(150, u'x') + u". The end"_s << QString(110, u'x') << QString();
    }

    void cleanNameLength()
    {
        QFETCH(QString, title);
        QFETCH(QString, prefix);
        QFETCH(QString, extension);
        const QString name = platform::cleanFileName(title);
        QVERIFY(name.size() <= 120);
        QVERIFY2(name.toUtf8().size() + int(sizeof(" (10000).part.download")) <= 256, qPrintable(name));
        QVERIFY(name.startsWith(prefix));
        QVERIFY(name.endsWith(extension));
        QVERIFY(name.isValidUtf16());

        // And such a name really can be written, numbered and as a download at work.
        QTemporaryDir dir;
        const QString path = dir.filePath(name + u" (10000).part.download"_s);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    }

    void unusedPath_data()
    {
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("expected");
        QTest::newRow("free") << QStringList() << u"a.url"_s;
        QTest::newRow("file") << QStringList {u"a.url"_s} << u"a (2).url"_s;
        QTest::newRow("folder and file") << QStringList {u"a.url/"_s, u"a (2).url"_s} << u"a (3).url"_s;
        QTest::newRow("dangling link") << QStringList {u"a.url@"_s} << u"a (2).url"_s;
        QTest::newRow("gap is reused") << QStringList {u"a.url"_s, u"a (3).url"_s} << u"a (2).url"_s;
    }

    void unusedPath()
    {
        QFETCH(QStringList, taken);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (QString name : taken) {
            if (name.endsWith(u'/')) {
                QVERIFY(QDir(dir.path()).mkdir(name.chopped(1)));
            } else if (name.endsWith(u'@')) {
                QVERIFY(QFile::link(dir.filePath(u"nowhere"_s), dir.filePath(name.chopped(1))));
            } else {
                QFile file(dir.filePath(name));
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
        }
        QCOMPARE(platform::unusedPath(dir.path(), u"a"_s, u".url"_s), dir.filePath(expected));
    }

    // A failed replacement keeps the old file and says why, whether it waits for the disk
    // or not.
    void writeAtomically_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("sync");
        QTest::addColumn<bool>("written");
        for (const bool sync : {true, false}) {
            const char *mode = sync ? "synced" : "unsynced";
            QTest::addRow("%s: new file", mode) << u"new.txt"_s << sync << true;
            QTest::addRow("%s: existing file", mode) << u"old.txt"_s << sync << true;
            QTest::addRow("%s: folder in the way", mode) << u"folder"_s << sync << false;
            QTest::addRow("%s: missing folder", mode) << u"missing/new.txt"_s << sync << false;
        }
    }

    void writeAtomically()
    {
        QFETCH(QString, target);
        QFETCH(bool, sync);
        QFETCH(bool, written);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
        QFile old(dir.filePath(u"old.txt"_s));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();

        QString error = u"stale"_s;
        const QString path = dir.filePath(target);
        QCOMPARE(platform::writeFileAtomically(path, "new\r\n", &error, {.syncToDisk = sync}), written);
        QCOMPARE(error.isEmpty(), written);
        QFile file(path);
        if (written) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("new\r\n"));
        }
        QFile kept(dir.filePath(u"old.txt"_s));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), target == u"old.txt" ? QByteArray("new\r\n") : QByteArray("old"));
        // Nothing but the files the test made is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 written && target != u"old.txt" ? 2 : 1);
    }

    // The program's own files are the user's alone whatever the umask, and one found
    // wider is narrowed; a document the user saves follows the umask or keeps its mode.
    void fileModes_data()
    {
        QTest::addColumn<platform::FileAccess>("access");
        QTest::addColumn<bool>("sync");
        QTest::addColumn<int>("before"); // the mode of the file there, -1 for none
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("mode");
        using platform::FileAccess;
        for (const bool sync : {true, false}) {
            const char *how = sync ? "synced" : "unsynced";
            QTest::addRow("%s: own new file, umask 022", how) << FileAccess::Private << sync << -1 << 0022 << 0600;
            QTest::addRow("%s: own new file, umask 000", how) << FileAccess::Private << sync << -1 << 0000 << 0600;
            QTest::addRow("%s: own new file, umask 277", how) << FileAccess::Private << sync << -1 << 0277 << 0600;
            QTest::addRow("%s: own file that was 644", how) << FileAccess::Private << sync << 0644 << 0022 << 0600;
            QTest::addRow("%s: own file that was 666", how) << FileAccess::Private << sync << 0666 << 0000 << 0600;
            QTest::addRow("%s: new document, umask 022", how) << FileAccess::Document << sync << -1 << 0022 << 0644;
            QTest::addRow("%s: new document, umask 077", how) << FileAccess::Document << sync << -1 << 0077 << 0600;
            QTest::addRow("%s: document that was 640", how) << FileAccess::Document << sync << 0640 << 0022 << 0640;
            QTest::addRow("%s: document that was 664", how) << FileAccess::Document << sync << 0664 << 0022 << 0664;
        }
    }

    void fileModes()
    {
        QFETCH(platform::FileAccess, access);
        QFETCH(bool, sync);
        QFETCH(int, before);
        QFETCH(int, mask);
        QFETCH(int, mode);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath(u"file.txt"_s));
        if (before >= 0) {
            QFile old(QFile::decodeName(path));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.close();
            QCOMPARE(::chmod(path.constData(), mode_t(before)), 0);
        }
        {
            const Umask umask(mask);
            QVERIFY(platform::writeFileAtomically(QFile::decodeName(path), "text", nullptr,
                                                  {.access = access, .syncToDisk = sync}));
        }
        QCOMPARE(modeOf(path), mode);
    }

    // The folders the program makes are the user's alone whatever the umask; folders
    // that were there keep their mode.
    void folderModes_data()
    {
        QTest::addColumn<QStringList>("there"); // "name/" a folder made 755, else a file
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("chain"); // makePrivatePath, else makePrivateFolder
        QTest::addColumn<int>("mask");
        QTest::addColumn<bool>("made");
        QTest::addColumn<QStringList>("ours"); // expected 700
        const QStringList chain {u"a"_s, u"a/b"_s, u"a/b/c"_s};
        const QStringList none;
        const QStringList folderA {u"a/"_s};
        QTest::newRow("chain, umask 022") << none << u"a/b/c"_s << true << 0022 << true << chain;
        QTest::newRow("chain, umask 000") << none << u"a/b/c"_s << true << 0000 << true << chain;
        QTest::newRow("chain, umask 277") << none << u"a/b/c"_s << true << 0277 << true << chain;
        QTest::newRow("chain below a folder that is there")
            << folderA << u"a/b/c"_s << true << 0022 << true << QStringList {u"a/b"_s, u"a/b/c"_s};
        QTest::newRow("chain all there") << folderA << u"a"_s << true << 0022 << true << none;
        QTest::newRow("chain through a file") << QStringList {u"a"_s} << u"a/b"_s << true << 0022 << false << none;
        QTest::newRow("one folder, umask 000") << none << u"a"_s << false << 0000 << true << QStringList {u"a"_s};
        QTest::newRow("one folder that is there") << folderA << u"a"_s << false << 0022 << false << none;
        QTest::newRow("one folder without its parent") << none << u"a/b"_s << false << 0022 << false << none;
    }

    void folderModes()
    {
        QFETCH(QStringList, there);
        QFETCH(QString, target);
        QFETCH(bool, chain);
        QFETCH(int, mask);
        QFETCH(bool, made);
        QFETCH(QStringList, ours);
        QTemporaryDir dir;
        QStringList folders;
        for (const QString &name : there) {
            if (name.endsWith(u'/')) {
                folders.append(name.chopped(1));
                QVERIFY(QDir(dir.path()).mkdir(folders.last()));
                QCOMPARE(::chmod(QFile::encodeName(dir.filePath(folders.last())).constData(), 0755), 0);
            } else {
                QFile file(dir.filePath(name));
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
        }
        {
            const Umask umask(mask);
            const QString path = dir.filePath(target);
            QCOMPARE(chain ? platform::makePrivatePath(path) : platform::makePrivateFolder(path), made);
        }
        for (const QString &name : ours)
            QCOMPARE(modeOf(QFile::encodeName(dir.filePath(name))), 0700);
        for (const QString &name : std::as_const(folders))
            QCOMPARE(modeOf(QFile::encodeName(dir.filePath(name))), 0755);
        if (!made) // nothing new beside what was there
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), there.size());
    }

private:
    // Sets the process's umask for one step of a test.
    class Umask
    {
    public:
        explicit Umask(int mask)
            : m_previous(::umask(mode_t(mask)))
        { }
        ~Umask() { ::umask(m_previous); }
        Umask(const Umask &) = delete;
        Umask &operator=(const Umask &) = delete;

    private:
        mode_t m_previous;
    };

    static int modeOf(const QByteArray &path)
    {
        struct stat info
        { };
        return ::stat(path.constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
