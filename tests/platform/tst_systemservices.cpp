// The small services that need a GUI application: system facts, window services,
// clipboard, process launcher, and the real Platform owner.
#include "platform/platform.h"
#include "platform/privacy.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using platform::OsVersion;

Q_DECLARE_METATYPE(platform::InterfaceAddress)

namespace {

class CountingBrowsers : public platform::BrowserFactory
{
public:
    int calls = 0;
    platform::PrivacySettings current;
    platform::BrowserComponent *createBrowser(QWidget *) override
    {
        ++calls;
        return nullptr;
    }
    void setPrivacy(const platform::PrivacySettings &settings) override { current = settings; }
    platform::PrivacySettings privacy() const override { return current; }
};

} // namespace

class TestSystemServices : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void kernelRelease_data()
    {
        QTest::addColumn<QString>("release");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("build");
        QTest::newRow("Debian") << u"6.1.0-13-amd64"_s << 6 << 1 << 0;
        QTest::newRow("three numbers") << u"5.15.90"_s << 5 << 15 << 90;
        QTest::newRow("four numbers and a suffix") << u"5.15.90.1-microsoft-standard-WSL2"_s << 5 << 15 << 90;
        QTest::newRow("two numbers") << u"6.8"_s << 6 << 8 << 0;
        QTest::newRow("suffix after two") << u"4.19-rc1"_s << 4 << 19 << 0;
        QTest::newRow("one number") << u"7"_s << 7 << 0 << 0;
        QTest::newRow("too long a number") << u"12345678901.2"_s << 0 << 0 << 0;
        QTest::newRow("not a number") << u"unknown"_s << 0 << 0 << 0;
        QTest::newRow("empty") << QString() << 0 << 0 << 0;
    }
    void kernelRelease()
    {
        QFETCH(QString, release);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, build);
        QCOMPARE(platform::parseKernelRelease(release), (OsVersion {major, minor, build, 2}));
    }

    // The about box's address: the first IPv4 one that leaves the machine.
    void outsideAddress_data()
    {
        using A = platform::InterfaceAddress;
        QTest::addColumn<QList<A>>("addresses");
        QTest::addColumn<QString>("chosen");
        const QHostAddress lan(u"192.168.1.20"_s);
        QTest::newRow("loopback first") << QList<A> {{QHostAddress(u"127.0.0.1"_s), true}, {lan, true}}
                                        << u"192.168.1.20"_s;
        QTest::newRow("Debian's 127.0.1.1")
            << QList<A> {{QHostAddress(u"127.0.1.1"_s), true}, {lan, true}} << u"192.168.1.20"_s;
        QTest::newRow("IPv6 before") << QList<A> {{QHostAddress(u"fe80::1"_s), true}, {lan, true}} << u"192.168.1.20"_s;
        QTest::newRow("on an interface that is down")
            << QList<A> {{QHostAddress(u"10.0.0.5"_s), false}, {lan, true}} << u"192.168.1.20"_s;
        QTest::newRow("none") << QList<A> {{QHostAddress(u"127.0.0.1"_s), true}} << QString();
    }
    void outsideAddress()
    {
        QFETCH(QList<platform::InterfaceAddress>, addresses);
        QFETCH(QString, chosen);
        QCOMPARE(platform::firstOutsideIPv4(addresses), chosen);
    }

    void hostFacts()
    {
        platform::HostSystemFacts facts;
        const OsVersion version = facts.osVersion();
        QVERIFY(version.major >= 2); // any Linux this runs on
        QCOMPARE(version.platformId, 2);
        QVERIFY(!facts.screenSize().isEmpty());
        QCOMPARE(facts.hostName(), platform::hostName());
    }

    void alwaysOnTopKeepsTheWindowShown()
    {
        platform::QtWindowServices services;
        QWidget window;
        window.setGeometry(100, 120, 300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect before = window.geometry();

        auto *child = new QLabel(u"child"_s, &window);
        services.setAlwaysOnTop(child, true); // acts on the child's window
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), before);

        services.setAlwaysOnTop(&window, false);
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), before);

        QWidget hidden;
        services.setAlwaysOnTop(&hidden, true);
        QVERIFY(hidden.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!hidden.isVisible());
        services.setAlwaysOnTop(nullptr, true);
    }

    void opacity_data()
    {
        QTest::addColumn<int>("alpha");
        QTest::addColumn<double>("expected");
        QTest::newRow("opaque") << 255 << 1.0;
        QTest::newRow("half") << 128 << 128 / 255.0;
        QTest::newRow("clear") << 0 << 0.0;
        QTest::newRow("above") << 300 << 1.0;
        QTest::newRow("below") << -5 << 0.0;
    }
    void opacity()
    {
        QFETCH(int, alpha);
        QFETCH(double, expected);
        platform::QtWindowServices services;
        QWidget window;
        window.show();
        services.setOpacity(&window, alpha);
        // Qt keeps the opacity as a byte-sized fraction.
        QVERIFY(qAbs(window.windowOpacity() - expected) < 0.01);
    }

    void captureSavedAsBitmap()
    {
        platform::QtWindowServices services;
        QWidget window;
        window.resize(120, 80);
        window.setStyleSheet(u"background: #ff0000"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage image = services.capture(&window);
        QCOMPARE(image.size() / image.devicePixelRatio(), QSize(120, 80));
        QCOMPARE(QColor(image.pixel(10, 10)), QColor(Qt::red));

        const QString path = m_dir.filePath(u"キャプチャ.bmp"_s);
        QVERIFY(services.saveBitmap(image, path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("BM"));
        QImage loaded(path);
        QCOMPARE(loaded.size(), image.size());
        QCOMPARE(QColor(loaded.pixel(10, 10)), QColor(Qt::red));

        QVERIFY(!services.saveBitmap(QImage(), m_dir.filePath(u"null.bmp"_s)));
        QVERIFY(!QFile::exists(m_dir.filePath(u"null.bmp"_s)));
        QVERIFY(!services.saveBitmap(image, m_dir.filePath(u"no/folder/x.bmp"_s)));
        QVERIFY(services.capture(nullptr).isNull());
    }

    void clipboardRoundTrip()
    {
        platform::SystemClipboard clipboard;
        clipboard.setText(u"コピー"_s);
        QCOMPARE(clipboard.text(), u"コピー"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"コピー"_s);
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::blue);
        clipboard.setImage(image);
        QCOMPARE(clipboard.image().size(), QSize(4, 3));
        QCOMPARE(QColor(clipboard.image().pixel(1, 1)), QColor(Qt::blue));
    }

    void processesStartWithoutAShell()
    {
        // The program itself stands in as "touch": each argument must arrive whole.
        QTemporaryDir dir;
        platform::SystemProcessLauncher launcher(u"/usr/bin/touch"_s);
        const QString odd = dir.filePath(u"a b; touch $(echo x) 'c'"_s);
        QVERIFY(launcher.startSelf({odd, dir.filePath(u"second"_s)}));
        QTRY_VERIFY(QFile::exists(odd));
        QTRY_VERIFY(QFile::exists(dir.filePath(u"second"_s)));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);

        QVERIFY(launcher.start(u"touch"_s, {dir.filePath(u"by name"_s)}));
        QTRY_VERIFY(QFile::exists(dir.filePath(u"by name"_s)));
        QVERIFY(!launcher.start(u"no-such-program-here"_s, {}));
        QVERIFY(!launcher.start(QString(), {}));
        QVERIFY(!platform::SystemProcessLauncher(dir.filePath(u"missing"_s)).startSelf({}));
    }

    void realPlatformWiresItsServices()
    {
        CountingBrowsers browsers;
        platform::RealPlatform real(browsers, {m_dir.filePath(u"cfg/registry.ini"_s), m_dir.filePath(u"fav"_s)});
        platform::Platform p = real.platform();
        p.browsers.createBrowser(nullptr);
        QCOMPARE(browsers.calls, 1);
        const auto key = p.registry.openKey(platform::registry::CurrentUser, u"Software\\Test"_s);
        QVERIFY(p.registry.writeString(key, u"Start Page"_s, u"about:blank"_s));
        QVERIFY(QFile::exists(m_dir.filePath(u"cfg/registry.ini"_s)));
        QCOMPARE(p.shell.favoritesFolder(), m_dir.filePath(u"fav"_s));
        QCOMPARE(p.inputMethod.state(), platform::ImeState::Other);
        QVERIFY(p.drives.drives().isEmpty());
        // Each call gives the same services.
        QCOMPARE(&real.platform().registry, &p.registry);
    }

    // Privacy choices another process stores reach this one's browsers.
    void privacyChoicesFollowTheStore()
    {
        const QString file = m_dir.filePath(u"privacy/registry.ini"_s);
        platform::IniRegistry elsewhere(file);
        platform::storePrivacy(elsewhere, {true, false});
        CountingBrowsers browsers;
        platform::RealPlatform real(browsers, {file, m_dir.filePath(u"fav"_s)});
        QCOMPARE(browsers.current, (platform::PrivacySettings {true, false})); // at once
        platform::storePrivacy(elsewhere, {false, true});
        QTRY_COMPARE(browsers.current, (platform::PrivacySettings {false, true}));
    }
};

QTEST_MAIN(TestSystemServices)
#include "tst_systemservices.moc"
