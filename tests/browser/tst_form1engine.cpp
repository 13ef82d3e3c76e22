#include "app/settingsstore.h"
#include "app/startup.h"
#include "blocking/persistfile.h"
#include "browser/form1.h"
#include "platform/webengine/webenginebrowser.h"
#include "tests/support/enginetest.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/tempprogramfolder.h"

#include <QLabel>

#include <memory>

using namespace Qt::StringLiterals;

// The main window on the real engine, pages served on 127.0.0.1.
class TestForm1Engine : public QObject
{
    Q_OBJECT
private:
    LocalHttpServer m_server;
    std::unique_ptr<platform::WebEngineBrowserFactory> m_engine;

    QString messageText(Form1 &window) const
    {
        return window.messageBarVisible() ? window.findChild<QLabel *>(u"SubLabel"_s)->text() : QString();
    }

private Q_SLOTS:
    void persistFileSavesARealPage()
    {
        TempProgramFolder folder;
        QWidget host;
        std::unique_ptr<platform::BrowserComponent> browser(m_engine->createBrowser(&host));
        QSignalSpy complete(browser.get(), &platform::BrowserComponent::NavigateComplete2);
        QVERIFY(browser->Navigate(m_server.url(u"/blink"_s).toString()));
        QVERIFY(complete.wait(20000));
        PersistFile persist;
        persist.SetObject(browser.get());
        int code = -1;
        const QString path = folder.filePath(u"TEST.HTM"_s);
        persist.Save(path, true, [&code](int result) { code = result; });
        QTRY_COMPARE_WITH_TIMEOUT(code, 0, 20000);
        // 古いページ in CP932
        QVERIFY(folder.read(u"TEST.HTM"_s).contains("<title>\x8c\xc3\x82\xa2\x83\x79\x81\x5b\x83\x57</title>"));
    }

    void initTestCase()
    {
        m_engine = std::make_unique<platform::WebEngineBrowserFactory>(platform::defaultBrowserUi());
        m_server.route(u"/framed"_s, QByteArray("<html><head><title>枠のあるページ</title></head><body>"
                                                "<p>本文</p><iframe src=\"/banner/adserver.htm\"></iframe></body></html>"));
        m_server.route(u"/banner/adserver.htm"_s, QByteArray("<html><body>広告</body></html>"));
        m_server.route(u"/blink"_s, QByteArray("<html><head><title>古いページ</title></head>"
                                               "<body><blink>点滅</blink></body></html>"));
    }
    void cleanupTestCase()
    {
        m_engine.reset();
    }

    void blockedFrameDoesNotLoad()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(u"Yura3.ini"_s, "[Data]\r\nFirstOpen=1\r\n"));
        QVERIFY(folder.write(u"blacklist.ini"_s, "adserver\r\n"));
        RunStartup();
        FakePlatform fake;
        fake.setBrowsers(*m_engine);
        Form1 window(fake.platform(), m_server.url(u"/framed"_s).toString());
        window.Form_Load();
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(window.windowTitle(), u"枠のあるページ　－ ゆらぎね"_s, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(messageText(window),
                                  u"『adserver』が、URLに含まれているので、読み込みを中止しました。"_s, 20000);
        QVERIFY(m_server.wasRequested(u"/framed"_s));
        QVERIFY(!m_server.wasRequested(u"/banner/adserver.htm"_s));
        QCOMPARE(window.picture(), 2);
    }

    void netscapeTagOnARealPage()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(u"Yura3.ini"_s, "[Data]\r\nFirstOpen=1\r\nNSTag=1\r\n"));
        RunStartup();
        FakePlatform fake;
        fake.setBrowsers(*m_engine);
        Form1 window(fake.platform(), m_server.url(u"/blink"_s).toString());
        window.Form_Load();
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(messageText(window), u"NetscapeNavigetor専用タグが使用されています。"_s, 20000);
        QCOMPARE(window.windowTitle(), u"古いページ　－ ゆらぎね"_s);
    }
};

YURA_ENGINE_TEST_MAIN(TestForm1Engine)
#include "tst_form1engine.moc"
