#include "app/settingsstore.h"
#include "app/startup.h"
#include "blocking/persistfile.h"
#include "browser/mainwindow.h"
#include "browser/navigationbar.h"
#include "browser/navigationcommands.h"
#include "browser/statusarea.h"
#include "linktool/linklistmodel.h"
#include "linktool/linktoolwindow.h"
#include "memo/memopadwindow.h"
#include "platform/webengine/browserpage.h"
#include "platform/webengine/webenginebrowser.h"
#include "platform/webengine/webenginefactory.h"
#include "tests/support/enginetest.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/tempprogramfolder.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <memory>

#include <csignal>

using namespace Qt::StringLiterals;

// The main window on the real engine, pages served on 127.0.0.1.
class TestForm1Engine : public QObject
{
    Q_OBJECT
private:
    LocalHttpServer m_server;
    std::unique_ptr<platform::WebEngineBrowserFactory> m_engine;

    QString messageText(MainWindow &window) const
    {
        return window.messageBarVisible() ? window.findChild<QLabel *>(u"SubLabel"_s)->text() : QString();
    }

    // A main window on the real engine over a fresh program folder, opening address.
    struct Window
    {
        TempProgramFolder folder;
        FakePlatform fake;
        std::unique_ptr<MainWindow> form;
    };
    std::unique_ptr<Window> open(const QString &address, const QByteArray &settings = "[Data]\r\nFirstOpen=1\r\n",
                                 const QByteArray &blacklist = {})
    {
        auto window = std::make_unique<Window>();
        window->folder.write(u"Yura3.ini"_s, settings);
        if (!blacklist.isEmpty())
            window->folder.write(u"blacklist.ini"_s, blacklist);
        runStartup();
        window->fake.setBrowsers(*m_engine);
        window->form = std::make_unique<MainWindow>(window->fake.platform(), address);
        window->form->load();
        window->form->resize(900, 700);
        window->form->show();
        return window;
    }
    // The caption shows the title while the page still loads; the lamp goes out when it is done.
    static bool pageShown(MainWindow &window, const QString &caption)
    {
        return QTest::qWaitFor([&] { return window.windowTitle() == caption && !window.parts().navigation->lampOn(); },
                               20000);
    }
    static QWidget *findPageDialog()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == u"pageDialog" && widget->isVisible())
                return widget;
        }
        return nullptr;
    }
    static QWidget *surface(MainWindow &window)
    {
        return static_cast<platform::WebEngineBrowser *>(window.browser())->view()->focusProxy();
    }

private Q_SLOTS:
    void persistFileSavesARealPage()
    {
        TempProgramFolder folder;
        QWidget host;
        std::unique_ptr<platform::BrowserComponent> browser(m_engine->createBrowser(&host));
        QSignalSpy complete(browser.get(), &platform::BrowserComponent::NavigateComplete2);
        QVERIFY(browser->navigate(m_server.url(u"/blink"_s).toString()));
        QVERIFY(complete.wait(20000));
        PersistFile persist;
        persist.setObject(browser.get());
        int code = -1;
        const QString path = folder.filePath(u"TEST.HTM"_s);
        persist.save(path, true, [&code](int result) { code = result; });
        QTRY_COMPARE_WITH_TIMEOUT(code, 0, 20000);
        // 古いページ in CP932
        QVERIFY(folder.read(u"TEST.HTM"_s).contains("<title>\x8c\xc3\x82\xa2\x83\x79\x81\x5b\x83\x57</title>"));
    }

    void initTestCase()
    {
        platform::BrowserUi ui = platform::defaultBrowserUi();
        ui.notAnsweringMs = 2000; // not the user's 15 s
        m_engine = std::make_unique<platform::WebEngineBrowserFactory>(ui);
        m_server.route(u"/framed"_s,
                       QByteArray("<html><head><title>枠のあるページ</title></head><body>"
                                  "<p>本文</p><iframe src=\"/banner/adserver.htm\"></iframe></body></html>"));
        m_server.route(u"/banner/adserver.htm"_s, QByteArray("<html><body>広告</body></html>"));
        m_server.route(u"/blink"_s,
                       QByteArray("<html><head><title>古いページ</title></head>"
                                  "<body><blink>点滅</blink></body></html>"));
        m_server.route(u"/late-frame"_s,
                       QByteArray("<html><head><title>後から枠</title></head><body><script>"
                                  "setTimeout(() => { const f = document.createElement('iframe');"
                                  " f.src = '/banner/late.htm'; document.body.appendChild(f); }, 500);"
                                  "</script></body></html>"));
        m_server.route(u"/banner/late.htm"_s, QByteArray("<html><body>広告</body></html>"));
        m_server.route(u"/adserver/page"_s, QByteArray("<html><body>広告</body></html>"));
        m_server.route(u"/plain"_s, QByteArray("<html><head><title>普通</title></head><body>本文</body></html>"));
        m_server.route(u"/opener"_s,
                       QByteArray("<html><head><title>開く</title></head><body><script>"
                                  "for (let i = 1; i <= 3; ++i) window.open('/p' + i);</script></body></html>"));
        m_server.route(u"/links"_s,
                       QByteArray("<html><head><title>リンク</title><style>body{margin:0}"
                                  "a{display:block;height:100px}</style></head><body>"
                                  "<a href=\"/p1\" target=\"_blank\">1</a><a href=\"/p2\" target=\"_blank\">2</a>"
                                  "<a href=\"/p3\" target=\"_blank\">3</a></body></html>"));
        for (const char *page : {"/p1", "/p2", "/p3"})
            m_server.route(QString::fromLatin1(page), QByteArray("<html><body>p</body></html>"));
        m_server.route(u"/source"_s,
                       QByteArray("<html><head><title>ソース</title></head>\n<body>\n<p>行</p>\n</body></html>"));
        m_server.route(u"/source-utf8"_s,
                       u"<html><head><meta charset=\"utf-8\"><title>見出し – 😀 𠀋 俱</title>"
                       u"</head>\n<body>\n<p>行</p>\n</body></html>"_s.toUtf8());
        m_server.route(u"/hand"_s,
                       QByteArray("<html><head><title>渡す</title><style>body{margin:0}"
                                  "a{display:block;height:100px}</style></head><body>"
                                  "<a href=\"file:///tmp/evil.htm\">local</a><a href=\"/p1\">web</a></body></html>"));
        m_server.route(u"/caf%C3%A9"_s, QByteArray("<html><head><title>カフェ</title></head><body>本文</body></html>"));
    }
    void cleanupTestCase() { m_engine.reset(); }

    // Every character of a UTF-8 page, those CP932 lacks too, reaches the memo pad.
    void sourceViewFillsTheMemoPad()
    {
        auto w = open(m_server.url(u"/source-utf8"_s).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"見出し – 😀 𠀋 俱　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        window.menuItem(u"mnuVisiSorce"_s)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(window.memoPad(), 20000);
        const QString text = window.memoPad()->memoText();
        QVERIFY2(text.contains(u"<title>見出し – 😀 𠀋 俱</title></head>\n<body>\n<p>行</p>"_s), qPrintable(text));
        QVERIFY(!w->folder.read(u"TEST.HTM"_s).isEmpty());
        QCOMPARE(messageText(window), QString());
    }

    // The page's right-click menu speaks Japanese and runs what the window's menus run.
    void pageMenuRunsTheWindowsCommands_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("item");
        QTest::newRow("a link: a new window, as a click opens")
            << u"/links"_s << u"リンク　－ ゆらぎね"_s << QPoint(40, 50) << u"リンクを新しいウィンドウで開く"_s;
        QTest::newRow("the page: its source in the memo pad")
            << u"/source"_s << u"ソース　－ ゆらぎね"_s << QPoint(500, 400) << u"ソースの表示"_s;
    }
    void pageMenuRunsTheWindowsCommands()
    {
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QFETCH(QPoint, point);
        QFETCH(QString, item);
        auto w = open(m_server.url(path).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, caption), qPrintable(window.windowTitle()));
        QWidget *page = surface(window);
        QMenu *menu = nullptr;
        auto rightClick = [&] {
            QTest::mouseMove(page, point);
            QTest::qWait(100);
            QTest::mouseClick(page, Qt::RightButton, {}, point);
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT((menu = window.findChild<QMenu *>(u"pageContextMenu"_s)) || rightClick(), 20000);
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->text() == item)
                chosen = action;
        }
        QVERIFY(chosen);
        chosen->trigger();
        menu->close();
        if (path == u"/links") {
            QTRY_COMPARE_WITH_TIMEOUT(w->fake.processes.starts().size(), 1, 20000);
            QCOMPARE(w->fake.processes.starts().first().arguments, QStringList {m_server.url(u"/p1"_s).toString()});
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(window.memoPad(), 20000);
            QVERIFY(window.memoPad()->memoText().contains(u"<title>ソース</title>"_s));
        }
    }

    // Select all from the menu while the address box has the focus, then copy to the memo.
    void selectAllWhereverTheFocusIs()
    {
        auto w = open(m_server.url(u"/plain"_s).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"普通　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        window.findChild<QWidget *>(u"txtURL"_s)->setFocus();
        window.menuItem(u"mnuEditAll"_s)->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(window.browser()->selectedText(), u"本文"_s, 20000);
        window.menuItem(u"mnuEditFusekkoCopy"_s)->trigger();
        QVERIFY(window.memoPad());
        QCOMPARE(window.memoPad()->memoText(), u"本文"_s);
    }

    void offlineWorkRefusesTheNetwork()
    {
        auto w = open(m_server.url(u"/plain"_s).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"普通　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        window.menuItem(u"mnuFileOffline"_s)->trigger();
        QSignalSpy error(window.browser(), &platform::BrowserComponent::NavigateError);
        window.browser()->navigate(m_server.url(u"/p1"_s).toString());
        QVERIFY(error.wait(20000));
        QVERIFY(!m_server.wasRequested(u"/p1"_s));
    }

    void blockedFrameDoesNotLoad()
    {
        auto w = open(m_server.url(u"/framed"_s).toString(), "[Data]\r\nFirstOpen=1\r\n", "adserver\r\n");
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"枠のあるページ　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        QTRY_COMPARE_WITH_TIMEOUT(messageText(window),
                                  u"『adserver』が、URLに含まれているので、読み込みを中止しました。"_s, 20000);
        QVERIFY(m_server.wasRequested(u"/framed"_s));
        QVERIFY(!m_server.wasRequested(u"/banner/adserver.htm"_s));
        QTRY_COMPARE_WITH_TIMEOUT(window.parts().status->picture(), 2, 20000); // the page completes, frame or not
    }

    void netscapeTagOnARealPage()
    {
        auto w = open(m_server.url(u"/blink"_s).toString(), "[Data]\r\nFirstOpen=1\r\nNSTag=1\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(messageText(*w->form), u"NetscapeNavigetor専用タグが使用されています。"_s, 20000);
        QCOMPARE(w->form->windowTitle(), u"古いページ　－ ゆらぎね"_s);
    }

    // A frame that starts after the page has finished leaves the window as the page left it.
    void lateFrameLeavesTheWindowAlone()
    {
        auto w = open(m_server.url(u"/late-frame"_s).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"後から枠　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        QTRY_VERIFY_WITH_TIMEOUT(!window.parts().navigation->lampOn(), 20000);
        window.showMessageBar(u"お知らせ"_s);
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(u"/banner/late.htm"_s), 20000);
        QTest::qWait(300);
        QCOMPARE(window.addressText(), m_server.url(u"/late-frame"_s).toString());
        QVERIFY(!window.parts().navigation->lampOn());
        QCOMPARE(window.parts().status->picture(), 2);
        QCOMPARE(messageText(window), u"お知らせ"_s);
    }

    // Typed into the address box: the page itself is blocked, and the engine is stopped
    // outside its navigation decision.
    void blockedTypedAddress()
    {
        auto w = open(m_server.url(u"/plain"_s).toString(), "[Data]\r\nFirstOpen=1\r\n", "adserver\r\n");
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"普通　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        window.setAddressText(m_server.url(u"/adserver/page"_s).toString());
        window.parts().navigationCommands->navigateTyped();
        QTRY_COMPARE_WITH_TIMEOUT(messageText(window),
                                  u"『adserver』が、URLに含まれているので、読み込みを中止しました。"_s, 20000);
        QTest::qWait(300);
        QVERIFY(!m_server.wasRequested(u"/adserver/page"_s));
        QVERIFY(!window.parts().navigation->lampOn());
        QCOMPARE(window.browser()->title(), u"普通"_s);
        // And the window goes on working.
        window.setAddressText(m_server.url(u"/blink"_s).toString());
        window.parts().navigationCommands->navigateTyped();
        QVERIFY2(pageShown(window, u"古いページ　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
    }

    // A page that sends itself elsewhere and stops: the box and the caption tell the page
    // still shown, not the address it named.
    void stoppedNavigationLeavesNoFalseAddress()
    {
        LocalHttpServer::Response never;
        never.neverAnswer = true;
        m_server.route(u"/signin"_s, never);
        auto w = open(m_server.url(u"/plain"_s).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"普通　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        QWebEnginePage *page = static_cast<platform::WebEngineBrowser *>(window.browser())->view()->page();
        const QString signIn = u"http://localhost:%1/signin"_s.arg(m_server.port());
        runScript(page, u"location = '%1'; 1"_s.arg(signIn));
        QTRY_COMPARE_WITH_TIMEOUT(window.addressText(), signIn, 20000); // on its way
        runScript(page, u"window.stop(); document.title = '偽のサインイン'; 1"_s);
        QTRY_COMPARE_WITH_TIMEOUT(window.addressText(), m_server.url(u"/plain"_s).toString(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(window.windowTitle(), u"偽のサインイン　－ ゆらぎね"_s, 20000);
    }

    // A host that reads as another in Unicode is shown in the form that tells it apart.
    void lookAlikeHostShowsAsItIs()
    {
        const QString unicode = u"http://аррӏе.com:%1/plain"_s.arg(m_server.port());
        auto w = open(unicode);
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"普通　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        QCOMPARE(window.addressText(), u"http://%1:%2/plain"_s.arg(QLatin1String(kLookAlikeHost)).arg(m_server.port()));
    }

    // A page whose renderer ends is replaced by our notice, which says why and where it
    // was; the notice's button and F5 load the page again.
    void aPageWhoseRendererEndsSaysSo_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("the notice's button") << false;
        QTest::newRow("F5") << true;
    }
    void aPageWhoseRendererEndsSaysSo()
    {
        QFETCH(bool, byKey);
        auto w = open(m_server.url(u"/plain"_s).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"普通　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        auto *web = static_cast<platform::WebEngineBrowser *>(window.browser());
        const qint64 pid = web->page()->renderProcessPid();
        QVERIFY(pid > 0 && pid != QCoreApplication::applicationPid());
        QVERIFY(::kill(pid_t(pid), SIGKILL) == 0);
        QTRY_COMPARE_WITH_TIMEOUT(window.windowTitle(), u"このページは表示できなくなりました　－ ゆらぎね"_s, 20000);
        auto *gone = window.findChild<QWidget *>(u"pageGone"_s);
        QVERIFY(gone && gone->isVisible());
        const QString text = gone->findChild<QLabel *>(u"pageGoneText"_s)->text();
        QVERIFY2(text.contains(u"強制終了"_s) && text.contains(m_server.url(u"/plain"_s).toString()), qPrintable(text));
        m_server.clearLog();
        if (byKey)
            QTest::keyClick(&window, Qt::Key_F5);
        else
            gone->findChild<QPushButton *>(u"pageGoneReload"_s)->click();
        QVERIFY2(pageShown(window, u"普通　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        QVERIFY(m_server.wasRequested(u"/plain"_s));
        QVERIFY(!gone->isVisible());
    }

    // A page whose script never ends gets the offer to end it; its alerts do not count.
    void aHungPageCanBeEnded()
    {
        m_server.route(u"/hang"_s,
                       QByteArray("<html><head><title>止まる</title></head><body><script>"
                                  "setTimeout(() => { alert('待って'); for (;;) {} }, 300)"
                                  "</script></body></html>"));
        auto w = open(m_server.url(u"/hang"_s).toString());
        MainWindow &window = *w->form;
        // The alert waits for the user longer than a page may leave us unanswered. It runs
        // its own loop under the test's: act from a timer, as the user would.
        qint64 shownAt = -1;
        bool offeredDuringAlert = false;
        bool answered = false;
        QElapsedTimer clock;
        clock.start();
        QTimer act;
        connect(&act, &QTimer::timeout, &window, [&] {
            QWidget *dialog = findPageDialog();
            if (!dialog || answered)
                return;
            if (shownAt < 0)
                shownAt = clock.elapsed();
            offeredDuringAlert = offeredDuringAlert || window.messageBarVisible();
            if (clock.elapsed() - shownAt > 3000) {
                answered = true;
                dialog->findChild<QPushButton *>()->click();
            }
        });
        act.start(100);
        QTRY_VERIFY_WITH_TIMEOUT(answered, 30000);
        act.stop();
        QVERIFY(!offeredDuringAlert);
        QTRY_VERIFY_WITH_TIMEOUT(window.messageBarVisible(), 20000);
        QCOMPARE(messageText(window), u"このページが応答していません。"_s);
        QPushButton *end = nullptr;
        for (QPushButton *button : window.findChildren<QPushButton *>()) {
            if (button->text() == u"ページを閉じる" && button->isVisible())
                end = button;
        }
        QVERIFY(end);
        end->click();
        QTRY_COMPARE_WITH_TIMEOUT(window.windowTitle(), u"このページは表示できなくなりました　－ ゆらぎね"_s, 20000);
    }

    // A page raising one alert after another cannot keep its window open, nor turn our
    // dialog's text around.
    void closingTheWindowWhileThePageAsks()
    {
        m_server.route(
            u"/nagging"_s,
            QByteArray("<html><head><title>しつこい</title></head><body><script>"
                       "setTimeout(() => { for (let i = 0; i < 1000; ++i) alert('\\u202e' + i + '\\n\\n\\n次') }, 300)"
                       "</script></body></html>"));
        auto w = open(m_server.url(u"/nagging"_s).toString());
        MainWindow &window = *w->form;
        auto shownDialog = [] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == u"pageDialog" && widget->isVisible())
                    return widget;
            }
            return static_cast<QWidget *>(nullptr);
        };
        // The dialog runs its own loop under the test's: act from a timer, as the window
        // system would.
        QString message;
        bool modal = true;
        QTimer act;
        connect(&act, &QTimer::timeout, &window, [&] {
            QWidget *dialog = shownDialog();
            if (!dialog || !message.isEmpty())
                return;
            message = dialog->findChild<QLabel *>(u"pageDialogMessage"_s)->text();
            modal = QApplication::activeModalWidget() != nullptr;
            QCoreApplication::postEvent(&window, new QCloseEvent);
        });
        act.start(50);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 20000);
        act.stop();
        QCOMPARE(message, u"0\n\n次"_s); // as the page's words are shown: cleaned, line by line
        QVERIFY(!modal);                 // the window system's close request gets through
        QTest::qWait(500);
        QVERIFY(!shownDialog());
    }

    // Full screen: the window's own notice stays over the page whatever the page does.
    void fullScreenNoticeStaysThePrograms()
    {
        m_server.route(u"/full"_s,
                       QByteArray("<html><head><title>全画面</title><style>body{margin:0}</style></head><body>"
                                  "<button id=\"b\" style=\"width:400px;height:300px\""
                                  " onclick=\"document.body.requestFullscreen()\">full</button></body></html>"));
        LocalHttpServer::Response empty;
        empty.status = 204;
        m_server.route(u"/204"_s, empty);
        auto w = open(m_server.url(u"/full"_s).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"全画面　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        QTRY_VERIFY_WITH_TIMEOUT(window.isFullScreen()
                                     || (QTest::mouseMove(surface(window), QPoint(100, 100)),
                                         QTest::mouseClick(surface(window), Qt::LeftButton, {}, QPoint(100, 100)),
                                         false),
                                 20000);
        auto *notice = window.findChild<QLabel *>(u"fullScreenNotice"_s);
        QVERIFY(notice && notice->isVisible());
        auto *page = static_cast<platform::WebEngineBrowser *>(window.browser())->view()->page();
        runScript(page, u"location = '/204'; 1"_s);
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(u"/204"_s), 20000);
        QTest::qWait(300);
        QVERIFY(window.isFullScreen());
        QVERIFY(notice->isVisible());
        QVERIFY(notice->geometry().intersects(window.rect()));
    }

    void pageOpeningWindowsOnItsOwnGetsNone()
    {
        auto w = open(m_server.url(u"/opener"_s).toString());
        MainWindow &window = *w->form;
        QTRY_COMPARE_WITH_TIMEOUT(messageText(window), u"ポップアップウィンドウをブロックしました。"_s, 20000);
        QTest::qWait(500);
        QVERIFY(w->fake.processes.starts().isEmpty());
        for (const char *page : {"/p1", "/p2", "/p3"})
            QVERIFY(!m_server.wasRequested(QString::fromLatin1(page)));
    }

    // Each click opens the page it was on, however fast the clicks come.
    void clickedLinksOpenTheirOwnPages()
    {
        auto w = open(m_server.url(u"/links"_s).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"リンク　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        QWidget *page = surface(window);
        QVERIFY(page);
        for (int y : {50, 150, 250}) {
            QTest::mouseMove(page, QPoint(40, y));
            QTest::qWait(100);
            QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(40, y));
        }
        QTRY_COMPARE_WITH_TIMEOUT(w->fake.processes.starts().size(), 3, 20000);
        QStringList opened;
        for (const auto &start : w->fake.processes.starts())
            opened.append(start.arguments);
        QCOMPARE(opened,
                 QStringList({m_server.url(u"/p1"_s).toString(), m_server.url(u"/p2"_s).toString(),
                              m_server.url(u"/p3"_s).toString()}));
        QCOMPARE(messageText(window), QString());
    }

    // A hovered link reaches the hand-over file only when it is a web address, and no later
    // start opens it; an address left for a new window is opened and cleared by its start.
    void onlyHoveredWebLinksAreHandedOver()
    {
        auto w = open(m_server.url(u"/hand"_s).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"渡す　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        QVERIFY(w->folder.write(u"urldata.ini"_s, "\r\n"));
        QWidget *page = surface(window);
        auto hover = [&](int y, const QString &shown) {
            for (int step = 0; step < 20 && window.parts().status->statusText() != shown; ++step) {
                QTest::mouseMove(page, QPoint(40, y + step % 3));
                QTest::qWait(100);
            }
            return window.parts().status->statusText() == shown;
        };
        QVERIFY(hover(50, u"file:///tmp/evil.htm"_s));
        QCOMPARE(w->folder.read(u"urldata.ini"_s), QByteArray("\r\n"));
        QVERIFY(hover(150, m_server.url(u"/p1"_s).toString()));
        QCOMPARE(w->folder.read(u"urldata.ini"_s), m_server.url(u"/p1"_s).toEncoded() + "\r\n");

        // The window ends without closing, as when killed: a plain start does not open
        // the link only pointed at.
        auto start = [&] {
            w->form.reset();
            m_server.clearLog();
            runStartup();
            w->form = std::make_unique<MainWindow>(w->fake.platform(), QString());
            w->form->load();
            w->form->show();
        };
        start();
        QTRY_VERIFY_WITH_TIMEOUT(
            w->form->browser()->address() == u"about:blank"_s && !w->form->parts().navigation->lampOn(), 20000);
        QVERIFY(!m_server.wasRequested(u"/p1"_s));

        // A click asking for a new window leaves the address for the process it starts,
        // which opens it and takes it.
        QVERIFY(w->form->browser()->navigate(m_server.url(u"/links"_s).toString()));
        QVERIFY2(pageShown(*w->form, u"リンク　－ ゆらぎね"_s), qPrintable(w->form->windowTitle()));
        page = surface(*w->form);
        QTest::mouseMove(page, QPoint(40, 150));
        QTest::qWait(100);
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(40, 150));
        QTRY_COMPARE_WITH_TIMEOUT(w->fake.processes.starts().size(), 1, 20000);
        QVERIFY(w->folder.read(u"urldata.ini"_s).startsWith(m_server.url(u"/p2"_s).toEncoded() + "\r\n"));
        start();
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(u"/p2"_s), 20000);
        QCOMPARE(w->folder.read(u"urldata.ini"_s), QByteArray("\r\n"));
    }

    // A window the user's click asks for opens a web address, and a local file only from
    // a local page; anything else is refused with a word in the message bar.
    void newWindowsOpenOnlyWhatThePageMay_data()
    {
        QTest::addColumn<bool>("localOpener");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("opened");
        QTest::newRow("web page, web address") << false << u"/p1"_s << true;
        QTest::newRow("web page, data address") << false << u"data:text/html,<b>x</b>"_s << false;
        QTest::newRow("local page, local file") << true << u"other.htm"_s << true;
    }
    void newWindowsOpenOnlyWhatThePageMay()
    {
        QFETCH(bool, localOpener);
        QFETCH(QString, target);
        QFETCH(bool, opened);
        const QByteArray body = "<html><head><title>開く</title><style>body{margin:0} button{display:block;width:300px;"
                                "height:200px}</style></head><body><button onclick=\"window.open('"
            + target.toUtf8() + "')\">open</button></body></html>";
        QTemporaryDir folder;
        QString address = m_server.url(u"/window"_s).toString();
        m_server.route(u"/window"_s, body);
        if (localOpener) {
            QFile page(folder.filePath(u"opener.htm"_s));
            QVERIFY(page.open(QIODevice::WriteOnly) && page.write(body) == body.size());
            address = QUrl::fromLocalFile(page.fileName()).toString();
        }
        auto w = open(address);
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"開く　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        if (localOpener) { // a local file's script runs only once the user lets it
            QSignalSpy shownAgain(window.browser(), &platform::BrowserComponent::NavigateComplete2);
            QVERIFY(window.browser()->runLocalScript());
            QVERIFY(shownAgain.wait(20000));
            QVERIFY2(pageShown(window, u"開く　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        }
        QTest::mouseMove(surface(window), QPoint(40, 50));
        QTest::mouseClick(surface(window), Qt::LeftButton, {}, QPoint(40, 50));
        if (opened) {
            QTRY_COMPARE_WITH_TIMEOUT(w->fake.processes.starts().size(), 1, 20000);
            const QString started = w->fake.processes.starts().first().arguments.value(0);
            QVERIFY2(started.endsWith(target.startsWith(u'/') ? target : u'/' + target), qPrintable(started));
            QCOMPARE(messageText(window), QString());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(messageText(window).startsWith(u"このページからは開けないアドレスです: data:"_s),
                                     20000);
            QVERIFY(w->fake.processes.starts().isEmpty());
        }
    }

    // The link tool lists what the page wrote; a script or a local address among it does
    // not reach the page the main window shows.
    void linkToolOpensOnlyWebLinks()
    {
        auto w = open(m_server.url(u"/plain"_s).toString());
        MainWindow &window = *w->form;
        QVERIFY2(pageShown(window, u"普通　－ ゆらぎね"_s), qPrintable(window.windowTitle()));
        const QUrl analysed = m_server.url(u"/tool/links.htm"_s);
        w->fake.transfer.setText(analysed,
                                 u"<a href=\"javascript:document.title='乗っ取り'\">x</a>"
                                 u"<a href=\"file:///etc/hostname\">y</a>"_s);
        window.menuItem(u"mnufilelink"_s)->setEnabled(true);
        window.menuItem(u"mnufilelink"_s)->trigger();
        LinkToolWindow *tool = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            tool = tool ? tool : qobject_cast<LinkToolWindow *>(widget);
        QVERIFY(tool);
        tool->findChild<QLineEdit *>(u"txtURL"_s)->setText(analysed.toString());
        tool->findChild<QPushButton *>(u"Command3"_s)->click();
        QTRY_COMPARE_WITH_TIMEOUT(tool->links()->count(), 2, 20000);
        auto *list = tool->findChild<QTreeView *>(u"lvwLink"_s);
        for (int row = 0; row < 2; ++row) {
            list->setCurrentIndex(tool->links()->index(row, 0));
            tool->openSelectedLink();
            QVERIFY(tool->findChild<QLabel *>(u"txtBar"_s)->text().startsWith(u"このリンクはここでは開けません: "_s));
        }
        QTest::qWait(500);
        QCOMPARE(window.browser()->title(), u"普通"_s);
        QCOMPARE(window.browser()->address(), m_server.url(u"/plain"_s).toString());
        delete tool;
    }

    // An address the settings file's code page cannot hold reopens as the same page.
    void readingSessionKeepsAnAccentedAddress()
    {
        const QUrl address = m_server.url(u"/caf%C3%A9"_s);
        auto w = open(address.toString());
        QVERIFY2(pageShown(*w->form, u"カフェ　－ ゆらぎね"_s), qPrintable(w->form->windowTitle()));
        QVERIFY(w->form->addressText().endsWith(u"/café"_s)); // shown decoded
        w->form->keepPageAndClose();
        QCOMPARE(readSetting(u"Data"_s, u"Yomikake"_s), QString::fromLatin1(address.toEncoded()));

        // The next start offers the kept page and opens that very page.
        m_server.clearLog();
        w->form.reset();
        w->fake.dialogs.answerMessage(platform::MessageAnswer::Yes);
        runStartup();
        w->form = std::make_unique<MainWindow>(w->fake.platform(), QString());
        w->form->load();
        w->form->show();
        QVERIFY2(pageShown(*w->form, u"カフェ　－ ゆらぎね"_s), qPrintable(w->form->windowTitle()));
        QVERIFY(m_server.wasRequested(u"/caf%C3%A9"_s));
    }
};

YURA_ENGINE_TEST_MAIN(TestForm1Engine)
#include "tst_mainwindowengine.moc"
