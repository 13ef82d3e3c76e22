#include "platform/homepage.h"
#include "platform/webengine/webenginebrowser.h"
#include "platform/webengine/webenginefactory.h"
#include "tests/support/enginetest.h"
#include "tests/support/fakebrowserhost.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/localhttpserver.h"
#include "tools/internetdialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

#include <memory>

using namespace Qt::StringLiterals;

// The privacy and Internet options dialogs acting on a real engine profile.
class TestInternetDialogs : public QObject
{
    Q_OBJECT
private:
    LocalHttpServer m_server;
    FakePlatform m_fake;
    std::unique_ptr<platform::WebEngineBrowserFactory> m_engine;
    FakeBrowserHost m_host;

    // Opens address in a fresh browser of the profile and waits for it.
    bool load(const QUrl &address)
    {
        QWidget window;
        std::unique_ptr<platform::BrowserComponent> browser(m_engine->createBrowser(&window));
        QSignalSpy complete(browser.get(), &platform::BrowserComponent::NavigateComplete2);
        return browser->navigate(address.toString()) && complete.wait(20000);
    }
    QByteArray header(const QString &path, const QByteArray &name) const
    {
        for (const LocalHttpServer::Request &request : m_server.requests()) {
            if (request.path == path)
                return request.headers.value(name);
        }
        return {};
    }
    void choosePrivacy(bool blockThirdParty, bool doNotTrack)
    {
        PrivacyDialog dialog(m_fake.platform(), nullptr);
        dialog.findChild<QCheckBox *>(u"chkThirdParty"_s)->setChecked(blockThirdParty);
        dialog.findChild<QCheckBox *>(u"chkDoNotTrack"_s)->setChecked(doNotTrack);
        dialog.accept();
    }

private Q_SLOTS:
    void initTestCase()
    {
        platform::BrowserUi ui = platform::defaultBrowserUi();
        ui.homePage = [this] { return platform::storedHomePage(m_fake.registry); };
        m_engine = std::make_unique<platform::WebEngineBrowserFactory>(ui);
        m_fake.setBrowsers(*m_engine);
        m_server.route(u"/home"_s, QByteArray("<html><head><title>家</title></head></html>"));
        m_server.route(u"/page"_s, QByteArray("<html><body>p</body></html>"));
        // A page on one site framing another site that sets a cookie.
        m_server.route(u"/outer"_s,
                       QByteArray("<html><body><iframe src=\"")
                           + m_server.url(u"/inner"_s).toString().replace(u"127.0.0.1"_s, u"localhost"_s).toUtf8()
                           + "\"></iframe></body></html>");
        LocalHttpServer::Response inner;
        inner.body = "<html><body>frame</body></html>";
        inner.headers = {{"Set-Cookie", "framed=1; SameSite=None; Secure; Path=/"}};
        m_server.route(u"/inner"_s, inner);
    }
    void cleanupTestCase() { m_engine.reset(); }

    void homePageIsWhereGoHomeGoes()
    {
        InternetOptionsDialog dialog(m_host, m_fake.platform(), nullptr);
        dialog.findChild<QLineEdit *>(u"txtHomePage"_s)->setText(m_server.url(u"/home"_s).toString());
        dialog.accept();
        QWidget window;
        std::unique_ptr<platform::BrowserComponent> browser(m_engine->createBrowser(&window));
        QSignalSpy complete(browser.get(), &platform::BrowserComponent::NavigateComplete2);
        QVERIFY(browser->goHome());
        QVERIFY(complete.wait(20000));
        QCOMPARE(browser->address(), m_server.url(u"/home"_s).toString());
    }

    void privacyChoices_data()
    {
        QTest::addColumn<bool>("block");
        QTest::addColumn<bool>("doNotTrack");
        QTest::newRow("everything allowed") << false << false;
        QTest::newRow("third party blocked, not tracked") << true << true;
    }
    void privacyChoices()
    {
        QFETCH(bool, block);
        QFETCH(bool, doNotTrack);
        m_engine->profile()->cookieStore()->deleteAllCookies();
        choosePrivacy(block, doNotTrack);
        QCOMPARE(platform::storedPrivacy(m_fake.registry), (platform::PrivacySettings {block, doNotTrack}));
        m_server.clearLog();
        QVERIFY(load(m_server.url(u"/page"_s)));
        QCOMPARE(header(u"/page"_s, "dnt"), doNotTrack ? QByteArray("1") : QByteArray());

        QVERIFY(load(m_server.url(u"/outer"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(u"/inner"_s), 10000);
        QUrl check = m_server.url(u"/page"_s);
        check.setHost(u"localhost"_s);
        m_server.clearLog();
        QVERIFY(load(check));
        QCOMPARE(header(u"/page"_s, "cookie").contains("framed=1"), !block);
    }
};

YURA_ENGINE_TEST_MAIN(TestInternetDialogs)
#include "tst_internetdialogs.moc"
