#include "platform/homepage.h"
#include "platform/registry.h"
#include "tests/support/memoryregistry.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <memory>

using namespace Qt::StringLiterals;
using platform::IniRegistry;
using platform::RegistryGateway;
namespace registry = platform::registry;

class TestRegistry : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    std::unique_ptr<RegistryGateway> make(const QString &kind, const QString &file)
    {
        if (kind == u"ini"_s)
            return std::make_unique<IniRegistry>(m_dir.filePath(file));
        return std::make_unique<MemoryRegistry>();
    }

private Q_SLOTS:
    void homePageComesFromTheInternetOptions()
    {
        MemoryRegistry registry;
        QCOMPARE(platform::storedHomePage(registry), QString());
        const auto key = registry.openKey(platform::registry::CurrentUser,
                                          QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main"));
        QVERIFY(registry.writeString(key, QStringLiteral("Start Page"), QStringLiteral("http://127.0.0.1/home")));
        registry.closeKey(key);
        QCOMPARE(platform::storedHomePage(registry), QStringLiteral("http://127.0.0.1/home"));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("readPath");
        QTest::addColumn<QString>("readName");
        QTest::addColumn<QString>("value");
        const QString ie = u"Software\\Microsoft\\Internet Explorer\\Main"_s;
        const QString inet = u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"_s;
        for (const QString &kind : {u"ini"_s, u"memory"_s}) {
            auto row = [&](const char *name) -> QTestData & {
                return QTest::addRow("%s: %s", qPrintable(kind), name) << kind;
            };
            row("start page") << ie << u"Start Page"_s << ie << u"Start Page"_s
                              << u"http://127.0.0.1/ホーム?a=1&b=%20"_s;
            row("accept language") << inet + u"\\International"_s << u"AcceptLanguage"_s << inet + u"\\International"_s
                                   << u"AcceptLanguage"_s << u"ja,en-us;q=0.5"_s;
            row("any case") << ie << u"Start Page"_s << ie.toUpper() << u"start page"_s << u"x"_s;
            row("stray backslashes") << u"\\Software\\\\Test\\"_s << u"v"_s << u"Software\\Test"_s << u"v"_s << u"y"_s;
            row("slash inside a level") << u"Software\\a/b"_s << u"v"_s << u"Software\\a/b"_s << u"v"_s << u"slash"_s;
            row("backslash in a name") << u"Software\\Test"_s << u"a\\b/c"_s << u"Software\\Test"_s << u"a\\b/c"_s
                                       << u"bs"_s;
            row("default value") << u"Software\\Test"_s << QString() << u"Software\\Test"_s << QString()
                                 << u"default"_s;
            row("at sign name") << u"Software\\Test"_s << u"@"_s << u"Software\\Test"_s << u"@"_s << u"at"_s;
            row("escapes in a name") << u"Software\\Test"_s << u"%41%2F"_s << u"Software\\Test"_s << u"%41%2F"_s
                                     << u"pct"_s;
            row("Japanese key") << u"Software\\ゆらぎね"_s << u"値"_s << u"Software\\ゆらぎね"_s << u"値"_s
                                << u"日本語"_s;
            row("spaces and equals") << u"Software\\a = b"_s << u"x;y = z"_s << u"Software\\a = b"_s << u"x;y = z"_s
                                     << u" v = w; "_s;
            row("empty value") << u"Software\\Test"_s << u"e"_s << u"Software\\Test"_s << u"e"_s << QString();
            row("looks like a QSettings variant")
                << u"Software\\Test"_s << u"q"_s << u"Software\\Test"_s << u"q"_s << u"@Variant(\\0\\0)"_s;
            row("list-like value") << u"Software\\Test"_s << u"l"_s << u"Software\\Test"_s << u"l"_s
                                   << u"a, b, \"c\""_s;
            row("line ends in value") << u"Software\\Test"_s << u"m"_s << u"Software\\Test"_s << u"m"_s << u"a\r\nb"_s;
        }
    }
    void roundTrip()
    {
        QFETCH(QString, kind);
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, readPath);
        QFETCH(QString, readName);
        QFETCH(QString, value);
        const QString file =
            QString::fromLatin1(QTest::currentDataTag()).toHtmlEscaped().replace(u':', u'_') + u".ini"_s;
        auto writer = make(kind, file);
        const auto key = writer->openKey(registry::CurrentUser, path);
        QVERIFY(key != 0);
        QVERIFY(writer->writeString(key, name, value));
        writer->closeKey(key);

        // A fresh gateway over the same file reads what the first wrote.
        auto fresh = kind == u"ini"_s ? make(kind, file) : std::move(writer);
        const auto readKey = fresh->openKey(registry::CurrentUser, readPath);
        QCOMPARE(fresh->readString(readKey, readName), value);
        fresh->closeKey(readKey);
    }

    void valuesStaySeparate_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("ini") << u"ini"_s;
        QTest::newRow("memory") << u"memory"_s;
    }
    void valuesStaySeparate()
    {
        QFETCH(QString, kind);
        auto store = make(kind, u"separate-"_s + kind + u".ini"_s);
        const struct
        {
            QString path, name, value;
        } values[] = {
            {u"Software\\a\\b"_s, u"v"_s, u"nested"_s},
            {u"Software\\a/b"_s, u"v"_s, u"slash"_s},
            {u"Software\\a"_s, u"b\\v"_s, u"name with backslash"_s},
            {u"Software\\a"_s, u"b/v"_s, u"name with slash"_s},
            {u"Software\\a"_s, QString(), u"default"_s},
            {u"Software\\a"_s, u"@"_s, u"at"_s},
            {u"Software"_s, u"a"_s, u"value beside the key"_s},
        };
        for (const auto &v : values) {
            const auto key = store->openKey(registry::CurrentUser, v.path);
            QVERIFY(store->writeString(key, v.name, v.value));
            store->closeKey(key);
        }
        for (const auto &v : values) {
            const auto key = store->openKey(registry::CurrentUser, v.path);
            QCOMPARE(store->readString(key, v.name), v.value);
            store->closeKey(key);
        }
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<quint32>("number");
        QTest::addColumn<QString>("text");
        for (const QString &kind : {u"ini"_s, u"memory"_s}) {
            QTest::addRow("%s: zero", qPrintable(kind)) << kind << 0u << u"0"_s;
            QTest::addRow("%s: ten", qPrintable(kind)) << kind << 10u << u"10"_s;
            QTest::addRow("%s: largest", qPrintable(kind)) << kind << 0xFFFFFFFFu << u"4294967295"_s;
        }
    }
    void numbers()
    {
        QFETCH(QString, kind);
        QFETCH(quint32, number);
        QFETCH(QString, text);
        auto store = make(kind, u"numbers.ini"_s);
        const auto key =
            store->openKey(registry::CurrentUser, u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"_s);
        QVERIFY(store->writeString(key, u"MaxConnectionsPer1_0Server"_s, u"text first"_s));
        QVERIFY(store->writeNumber(key, u"MaxConnectionsPer1_0Server"_s, number));
        QCOMPARE(store->readString(key, u"MaxConnectionsPer1_0Server"_s), text);
    }

    void refusedAndClosed()
    {
        IniRegistry store(m_dir.filePath(u"refused.ini"_s));
        QCOMPARE(store.openKey(2, u"Software"_s), 0);
        QCOMPARE(store.openKey(0, u"Software"_s), 0);
        QVERIFY(!store.writeString(0, u"v"_s, u"x"_s));
        QVERIFY(!store.writeNumber(0, u"v"_s, 1));
        QVERIFY(!QFile::exists(store.filePath()));

        const auto key = store.openKey(registry::CurrentUser, u"Software\\T"_s);
        QVERIFY(store.isOpen(key));
        QCOMPARE(store.readString(key, u"missing"_s), QString());
        QVERIFY(store.writeString(key, u"v"_s, u"x"_s));
        store.closeKey(key);
        QVERIFY(!store.isOpen(key));
        QCOMPARE(store.readString(key, u"v"_s), QString());
        QVERIFY(!store.writeString(key, u"v"_s, u"y"_s));

        const auto again = store.openKey(registry::CurrentUser, u"Software\\T"_s);
        QVERIFY(again != key);
        QCOMPARE(store.readString(again, u"v"_s), u"x"_s);
    }

    void unwritableFileIsReported()
    {
        QFile blocker(m_dir.filePath(u"blocker"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        IniRegistry store(m_dir.filePath(u"blocker/registry.ini"_s));
        const auto key = store.openKey(registry::CurrentUser, u"Software"_s);
        QVERIFY(!store.writeString(key, u"v"_s, u"x"_s));
        QCOMPARE(store.readString(key, u"v"_s), QString());
    }

    void createsTheConfigFolder()
    {
        IniRegistry store(m_dir.filePath(u"new/folder/registry.ini"_s));
        const auto key = store.openKey(registry::CurrentUser, u"Software"_s);
        QVERIFY(store.writeNumber(key, u"n"_s, 5));
        QVERIFY(QFile::exists(store.filePath()));
        QVERIFY(IniRegistry::defaultFilePath().endsWith(u"/registry.ini"_s));
    }

    // The store and the folders made for it are the user's alone, whatever the umask;
    // a store found wider is narrowed, a folder that was there keeps its mode.
    void storeIsPrivate_data()
    {
        QTest::addColumn<int>("before"); // the file's mode, -1: no file yet
        QTest::addColumn<int>("mask");
        QTest::newRow("new, umask 022") << -1 << 0022;
        QTest::newRow("new, umask 000") << -1 << 0000;
        QTest::newRow("was 644") << 0644 << 0022;
        QTest::newRow("was 660") << 0660 << 0000;
    }

    void storeIsPrivate()
    {
        QFETCH(int, before);
        QFETCH(int, mask);
        QTemporaryDir dir;
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        const QString path =
            before < 0 ? dir.filePath(u"config/yuragine/registry.ini"_s) : dir.filePath(u"registry.ini"_s);
        if (before >= 0) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[General]\nkept=1\n");
            file.close();
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(before)), 0);
        }
        IniRegistry store(path);
        const auto key = store.openKey(registry::CurrentUser, u"Software"_s);
        const mode_t previous = ::umask(mode_t(mask));
        const bool written = store.writeString(key, u"v"_s, u"x"_s);
        ::umask(previous);
        QVERIFY(written);
        QCOMPARE(store.readString(key, u"v"_s), u"x"_s);
        auto modeOf = [](const QString &name) {
            struct stat info
            { };
            return ::stat(QFile::encodeName(name).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
        };
        QCOMPARE(modeOf(path), 0600);
        if (before < 0) {
            QCOMPARE(modeOf(dir.filePath(u"config"_s)), 0700);
            QCOMPARE(modeOf(dir.filePath(u"config/yuragine"_s)), 0700);
        } else {
            QCOMPARE(QSettings(path, QSettings::IniFormat).value(u"kept"_s).toInt(), 1);
        }
        QCOMPARE(modeOf(dir.path()), 0755);
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
