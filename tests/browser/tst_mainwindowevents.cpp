#include "app/handover.h"
#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "app/startup.h"
#include "browser/addressbox.h"
#include "browser/fullscreenmode.h"
#include "browser/mainwindow.h"
#include "platform/browsercomponent.h"
#include "tests/browser/mainwindowtest.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/tempprogramfolder.h"

#include <QAction>
#include <QDateTime>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;

// The main window following a browser double's notifications.
class TestForm1Events : public MainWindowTest
{
    Q_OBJECT
private:
    void open(const QByteArray &settings = "[Data]\r\nFirstOpen=1\r\n")
    {
        QVERIFY(m_folder->write(u"Yura3.ini"_s, settings));
        startWindow();
        QTest::qWait(20); // let the first layout pass before the notifications come
        browser()->calls.clear();
    }

private Q_SLOTS:
    void init() { setUpWindowTest(); }
    void cleanup() { tearDownWindowTest(); }

    void beforeNavigate_data()
    {
        QTest::addColumn<QByteArray>("blacklist");
        QTest::addColumn<bool>("switchOn");
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("lamp");
        QTest::addColumn<bool>("addressShown");
        QTest::addColumn<QString>("blockedBy"); // "" = goes ahead
        QTest::addColumn<bool>("mainFrame");
        const QByteArray list("zz\r\nad\r\n.test\r\n");
        QTest::newRow("javaScript:void leaves everything alone")
            << list << true << u"javaScript:void(0) ad"_s << false << false << QString() << true;
        QTest::newRow("javascript: lights the lamp and is checked")
            << list << true << u"javascript:load('ad')"_s << true << false << u"ad"_s << true;
        QTest::newRow("advertising prefix keeps the address box")
            << QByteArray() << true << u"http://ad.example.test/banner"_s << true << false << QString() << true;
        QTest::newRow("two lower-case letters block")
            << list << true << u"http://127.0.0.1/load.htm"_s << true << true << u"ad"_s << true;
        QTest::newRow("the same in capitals does not")
            << QByteArray("AD\r\n") << true << u"http://127.0.0.1/load.htm"_s << true << true << QString() << true;
        QTest::newRow("empty lines block nothing")
            << QByteArray("\r\n\r\n") << true << u"http://127.0.0.1/load.htm"_s << true << true << QString() << true;
        QTest::newRow("switch off blocks nothing")
            << list << false << u"http://127.0.0.1/load.htm"_s << true << true << QString() << true;
        QTest::newRow("first matching line reported")
            << list << true << u"http://x.test/ad"_s << true << true << u"ad"_s << true;
        // A frame inside the page changes nothing of the window but is still checked.
        QTest::newRow("frame: the page's lamp, address and notice stay")
            << list << true << u"http://127.0.0.1/frame.htm"_s << false << false << QString() << false;
        QTest::newRow("frame: blocked") << list << true << u"http://127.0.0.1/banner/ad.htm"_s << false << false
                                        << u"ad"_s << false;
    }
    void beforeNavigate()
    {
        QFETCH(QByteArray, blacklist);
        QFETCH(bool, switchOn);
        QFETCH(QString, url);
        QFETCH(bool, lamp);
        QFETCH(bool, addressShown);
        QFETCH(QString, blockedBy);
        QFETCH(bool, mainFrame);
        if (!blacklist.isEmpty())
            QVERIFY(m_folder->write(u"blacklist.ini"_s, blacklist));
        open();
        Q_EMIT browser()->NavigateComplete2(u"about:blank"_s); // lamp off, as after a first page
        item(u"mnuToolSecuNocom"_s)->setChecked(switchOn);
        m_window->setAddressText(u"before"_s);
        m_window->showMessageBar(u"old notice"_s);

        const int pictureBefore = m_window->parts().status->picture();
        const bool cancelled = browser()->raiseBeforeNavigate(url, mainFrame);
        QCOMPARE(cancelled, !blockedBy.isEmpty());
        if (blockedBy.isEmpty()) {
            // Hidden at every navigation start of the page, not of its frames.
            QCOMPARE(messageText(), mainFrame ? QString() : u"old notice"_s);
            QCOMPARE(m_window->parts().navigation->lampOn(), lamp);
        } else {
            QCOMPARE(messageText(), u"『%1』が、URLに含まれているので、読み込みを中止しました。"_s.arg(blockedBy));
            QVERIFY(!m_window->parts().navigation->lampOn()); // Stop puts the lamp out
            // The engine is stopped after its navigation decision, not inside it.
            QVERIFY(!browser()->calls.contains(u"stop"_s));
            QTRY_VERIFY(browser()->calls.contains(u"stop"_s));
        }
        QTest::qWait(10);
        QCOMPARE(browser()->calls.count(u"stop"_s), blockedBy.isEmpty() ? 0 : 1);
        QCOMPARE(m_window->addressText(), addressShown ? url : u"before"_s);
        QCOMPARE(m_window->parts().status->picture(), addressShown ? 3 : pictureBefore);
    }

    // Once a load ends, stopped or failed too, the box and the caption tell the document
    // the browser shows, not what was asked for on the way; the user's typing stays.
    void addressBoxShowsTheShownPage_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("typing");
        QTest::addColumn<QString>("shown");
        const QString page = u"http://127.0.0.1/page"_s;
        QTest::newRow("a page that stopped its own navigation")
            << u"https://accounts.example.test/signin"_s << false << page;
        QTest::newRow("the advertising host, once shown")
            << u"http://ad.example.test/"_s << false << u"http://ad.example.test/"_s;
        QTest::newRow("the user typing meanwhile")
            << u"https://accounts.example.test/signin"_s << true << u"http://127.0.0.1/typ"_s;
    }
    void addressBoxShowsTheShownPage()
    {
        QFETCH(QString, asked);
        QFETCH(bool, typing);
        QFETCH(QString, shown);
        open();
        QVERIFY(!browser()->raiseBeforeNavigate(asked));
        if (typing) {
            auto *box = m_window->parts().navigation->addressBox();
            box->setFocus();
            QTRY_VERIFY(box->hasFocus());
            box->clear();
            QTest::keyClicks(box, u"http://127.0.0.1/typ"_s);
        }
        browser()->url = asked.startsWith(u"http://ad."_s) ? asked : u"http://127.0.0.1/page"_s;
        browser()->pageTitle = u"攻撃者のページ"_s;
        Q_EMIT browser()->DownloadComplete();
        QCOMPARE(m_window->addressText(), shown);
        QCOMPARE(m_window->windowTitle(), u"攻撃者のページ　－ ゆらぎね"_s);
    }

    void blockListIsReadOnEveryNavigation()
    {
        open();
        QVERIFY(!browser()->raiseBeforeNavigate(u"http://127.0.0.1/new"_s));
        QVERIFY(m_folder->write(u"blacklist.ini"_s, "new\r\n"));
        QVERIFY(browser()->raiseBeforeNavigate(u"http://127.0.0.1/new"_s));
    }

    void navigateComplete_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("picture");
        QTest::newRow("http") << u"http://127.0.0.1/"_s << 2;
        QTest::newRow("https") << u"https://127.0.0.1/"_s << 2;
        QTest::newRow("HTTP:// capitals") << u"HTTP://127.0.0.1/"_s << 4;
        QTest::newRow("file") << u"file:///tmp/a.htm"_s << 4;
        QTest::newRow("about") << u"about:blank"_s << 4;
        QTest::newRow("jpg") << u"http://x/a.jpg"_s << 5;
        QTest::newRow("JPG") << u"http://x/a.JPG"_s << 5;
        QTest::newRow("Jpg ends in pg") << u"http://x/a.Jpg"_s << 5;
        QTest::newRow("JPg mixed case") << u"http://x/a.JPg"_s << 2;
        QTest::newRow("gif") << u"http://x/a.gif"_s << 6;
        QTest::newRow("PNG") << u"file:///a.PNG"_s << 6;
        QTest::newRow("pnG mixed case") << u"file:///a.pnG"_s << 4;
    }
    void navigateComplete()
    {
        QFETCH(QString, url);
        QFETCH(int, picture);
        open();
        QVERIFY(m_window->parts().navigation->lampOn()); // blinking since the window was made
        browser()->pageTitle = u"題名"_s;
        Q_EMIT browser()->NavigateComplete2(url);
        QCOMPARE(m_window->windowTitle(), u"題名　－ ゆらぎね"_s);
        QCOMPARE(m_window->parts().status->picture(), picture);
        QVERIFY(!m_window->parts().navigation->lampOn());
    }

    // A title that arrives or changes before the page completes is shown at once.
    void captionFollowsTheTitle()
    {
        open();
        Q_EMIT browser()->TitleChange(u"読み込み中の題名"_s);
        QCOMPARE(m_window->windowTitle(), u"読み込み中の題名　－ ゆらぎね"_s);
        QVERIFY(m_window->parts().navigation->lampOn());
    }

    void netscapeTags_data()
    {
        QTest::addColumn<int>("nsTag");
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("warned");
        const QStringList page {u"HTML"_s, u"HEAD"_s, u"BODY"_s};
        QTest::newRow("blink, NSTag 1") << 1 << page << u"<body><blink>x</blink></body>"_s << true;
        QTest::newRow("layer") << 1 << page << u"<body><LAYER></body>"_s << true;
        QTest::newRow("spacer") << 1 << page << u"<body><Spacer></body>"_s << true;
        QTest::newRow("NSTag 0") << 0 << page << u"<body><blink>x</blink></body>"_s << false;
        QTest::newRow("plain page") << 1 << page << u"<body><p>x</p></body>"_s << false;
        QTest::newRow("only the html element") << 1 << QStringList {u"HTML"_s} << u"<body><blink></body>"_s << false;
    }
    void netscapeTags()
    {
        QFETCH(int, nsTag);
        QFETCH(QStringList, tags);
        QFETCH(QString, body);
        QFETCH(bool, warned);
        open("[Data]\r\nFirstOpen=1\r\nNSTag=" + QByteArray::number(nsTag) + "\r\n");
        browser()->tagNames = tags;
        browser()->bodyHtml = body;
        Q_EMIT browser()->NavigateComplete2(u"http://127.0.0.1/"_s);
        QCOMPARE(messageText(), warned ? u"NetscapeNavigetor専用タグが使用されています。"_s : QString());
    }

    // A page's tag result that arrives after the user has moved on is dropped.
    void netscapeTagsOfALeftPage_data()
    {
        QTest::addColumn<bool>("navigatedMeanwhile");
        QTest::newRow("still on the page") << false;
        QTest::newRow("moved on") << true;
    }
    void netscapeTagsOfALeftPage()
    {
        QFETCH(bool, navigatedMeanwhile);
        open("[Data]\r\nFirstOpen=1\r\nNSTag=1\r\n");
        browser()->tagNames = {u"HTML"_s, u"BODY"_s};
        browser()->bodyHtml = u"<body><blink>x</blink></body>"_s;
        browser()->holdDocument = true;
        Q_EMIT browser()->NavigateComplete2(u"http://127.0.0.1/old"_s);
        if (navigatedMeanwhile)
            QVERIFY(!browser()->raiseBeforeNavigate(u"http://127.0.0.1/next"_s));
        browser()->releaseDocument();
        browser()->releaseDocument(); // the body comes after the tags
        QCOMPARE(messageText(), navigatedMeanwhile ? QString() : u"NetscapeNavigetor専用タグが使用されています。"_s);
    }

    void lampBlinksAndTheBarGrows()
    {
        open();
        QVERIFY(m_window->parts().navigation->lampOn());
        const int start = m_window->parts().status->progressTwips();
        QTest::qWait(1100); // two ticks of 500 ms
        QVERIFY(m_window->parts().status->progressTwips() >= start + 20);
        Q_EMIT browser()->DownloadComplete();
        QVERIFY(!m_window->parts().navigation->lampOn());
        QCOMPARE(m_window->parts().status->progressTwips(), 1095);
        Q_EMIT browser()->DownloadBegin();
        QVERIFY(m_window->parts().navigation->lampOn());
        QTRY_COMPARE_WITH_TIMEOUT(m_window->parts().status->progressTwips(), 5, 2000); // full bar starts over
    }

    // After a stop the blinking starts again from white: the first tick turns it green.
    void stopStartsTheBlinkAfresh()
    {
        open();
        auto lampColour = [this] { return control<QFrame>(u"Shape1"_s)->palette().color(QPalette::Window); };
        const QColor green(0x00, 0xFF, 0x00);
        QTRY_COMPARE_WITH_TIMEOUT(lampColour(), green, 2000);
        m_window->parts().navigationCommands->stopLoading();
        QCOMPARE(lampColour(), QColor(Qt::white));
        Q_EMIT browser()->DownloadBegin();
        const int before = m_window->parts().status->progressTwips();
        QTRY_VERIFY_WITH_TIMEOUT(m_window->parts().status->progressTwips() != before, 2000); // one tick
        QCOMPARE(lampColour(), green);
    }

    void statusText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("handOver"); // file content after; "" = untouched
        QTest::newRow("http link") << u"http://127.0.0.1/a"_s << QByteArray("http://127.0.0.1/a\r\n");
        QTest::newRow("https link") << u"https://127.0.0.1/a"_s << QByteArray("https://127.0.0.1/a\r\n");
        QTest::newRow("file link: not handed over") << u"file:///tmp/表.htm"_s << QByteArray();
        QTest::newRow("plain text") << u"ページが表示されました"_s << QByteArray();
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("markup is shown as text") << u"<b>太字</b>"_s << QByteArray();
        QTest::newRow("address the code page cannot hold")
            << u"http://127.0.0.1/café"_s << QByteArray("http://127.0.0.1/caf%C3%A9\r\n");
    }
    void statusText()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, handOver);
        open();
        QVERIFY(m_folder->write(u"urldata.ini"_s, "before\r\n"));
        Q_EMIT browser()->StatusTextChange(text);
        QCOMPARE(m_window->parts().status->statusText(), text);
        QCOMPARE(control<QLabel>(u"Status"_s)->textFormat(), Qt::PlainText);
        QCOMPARE(m_folder->read(u"urldata.ini"_s), handOver.isEmpty() ? QByteArray("before\r\n") : handOver);
    }

    void newWindow_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QByteArray>("handOverBefore");
        QTest::addColumn<QString>("requested");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<int>("starts");
        QTest::addColumn<QByteArray>("handOverAfter");
        QTest::addColumn<bool>("userInitiated");
        QTest::newRow("requested address handed over") << QString() << QByteArray() << u"http://127.0.0.1/new"_s << true
                                                       << 1 << QByteArray("http://127.0.0.1/new\r\n") << true;
        QTest::newRow("opened by the page on its own: refused")
            << QString() << QByteArray() << u"http://127.0.0.1/new"_s << true << 0 << QByteArray() << false;
        QTest::newRow("no requested address: the last status text")
            << QString() << QByteArray("http://127.0.0.1/hover\r\n") << QString() << true << 1
            << QByteArray("http://127.0.0.1/hover\r\n") << true;
        QTest::newRow("nothing to hand over")
            << QString() << QByteArray() << QString() << true << 0 << QByteArray() << true;
        QTest::newRow("equal to the address box")
            << QString() << QByteArray() << u"http://127.0.0.1/current"_s << true << 0 << QByteArray() << true;
        QTest::newRow("a web page opening a local file: refused")
            << QString() << QByteArray() << u"file:///etc/passwd"_s << true << 0 << QByteArray() << true;
        QTest::newRow("a web page opening a script address: refused")
            << QString() << QByteArray() << u"javascript:alert(1)"_s << true << 0 << QByteArray() << true;
        QTest::newRow("script status text: the browser's own window")
            << u"JavaScript:open()"_s << QByteArray() << u"http://127.0.0.1/new"_s << false << 0 << QByteArray()
            << true;
    }
    void newWindow()
    {
        QFETCH(QString, status);
        QFETCH(QByteArray, handOverBefore);
        QFETCH(QString, requested);
        QFETCH(bool, cancelled);
        QFETCH(int, starts);
        QFETCH(QByteArray, handOverAfter);
        QFETCH(bool, userInitiated);
        open();
        QFile::remove(m_folder->filePath(u"urldata.ini"_s));
        m_window->setAddressText(u"http://127.0.0.1/current"_s);
        browser()->url = u"http://127.0.0.1/current"_s;
        Q_EMIT browser()->StatusTextChange(status);
        if (!handOverBefore.isEmpty())
            QVERIFY(m_folder->write(u"urldata.ini"_s, handOverBefore));
        QCOMPARE(browser()->raiseNewWindow(requested, userInitiated), cancelled);
        QCOMPARE(m_fake->processes.starts().size(), starts);
        // The requested address also goes on the command line, so a later request cannot
        // change what the new process opens.
        if (starts)
            QCOMPARE(m_fake->processes.starts().first().arguments,
                     requested.isEmpty() ? QStringList() : QStringList {requested});
        // The address's line as other readers see it; marked for the process started only.
        const QByteArray after = m_folder->read(u"urldata.ini"_s);
        QCOMPARE(after.left(after.indexOf('\n') + 1), handOverAfter);
        QCOMPARE(!handover::readForStart(QDateTime::currentMSecsSinceEpoch()).isEmpty(), starts > 0);
        const bool refused = requested.startsWith(u"file:") || requested.startsWith(u"javascript:");
        QCOMPARE(messageText(),
                 !userInitiated ? u"ポップアップウィンドウをブロックしました。"_s
                     : refused  ? u"このページからは開けないアドレスです: "_s + requested
                                : QString());
    }

    // A download the page starts with no click or key of the user.
    void unrequestedDownload_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("Yes saves") << MessageAnswer::Yes;
        QTest::newRow("No cancels") << MessageAnswer::No;
    }
    void unrequestedDownload()
    {
        QFETCH(MessageAnswer, answer);
        open();
        m_fake->dialogs.answerMessage(answer);
        bool allow = answer == MessageAnswer::No; // set by the handler
        Q_EMIT browser()->unrequestedDownload(u"請求書.desktop"_s, u"evil.test"_s, allow);
        QCOMPARE(allow, answer == MessageAnswer::Yes);
        const auto &asked = m_fake->dialogs.requests().last();
        QCOMPARE(asked.text,
                 u"このページが、ファイルを保存しようとしています。\r\n\r\nファイル名 : 請求書.desktop\r\n"
                 u"サーバー : evil.test\r\n\r\n保存しますか？"_s);
        QCOMPARE(asked.title, u"ダウンロードの確認"_s);
        QCOMPARE(asked.buttons, platform::MessageButtons::YesNoDefaultNo);
        Q_EMIT browser()->downloadRefused(u"evil.test"_s);
        QCOMPARE(messageText(), u"このページが次々に始めたダウンロードを止めました（evil.test）。"_s);
    }

    // What a page asks to use is asked about, No by default.
    void pagePermission_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("Yes allows") << MessageAnswer::Yes;
        QTest::newRow("No refuses") << MessageAnswer::No;
    }
    void pagePermission()
    {
        QFETCH(MessageAnswer, answer);
        open();
        m_fake->dialogs.answerMessage(answer);
        bool allow = answer == MessageAnswer::No; // set by the handler
        Q_EMIT browser()->permissionRequested(u"https://evil.test"_s, u"カメラ"_s, allow);
        QCOMPARE(allow, answer == MessageAnswer::Yes);
        const auto &asked = m_fake->dialogs.requests().last();
        QCOMPARE(asked.text,
                 u"https://evil.test がカメラの使用を求めています。\r\n\r\n許可しますか？\r\n"
                 u"（この答えはゆらぎねを終了するまで有効です）"_s);
        QCOMPARE(asked.title, u"アクセス許可の確認"_s);
        QCOMPARE(asked.buttons, platform::MessageButtons::YesNoDefaultNo);
    }

    // A local file shown without its script: the bar offers to run it; a local page kept
    // from leaving on its own is told.
    void localPageNotices()
    {
        open();
        Q_EMIT browser()->localScriptBlocked(u"file:///home/u/Downloads/a.htm"_s);
        QCOMPARE(messageText(), u"このファイルのスクリプトは、ほかのファイルを読み取られないように止めています。"_s);
        auto *run = m_window->findChild<QPushButton *>(u"messageChoice1"_s);
        QVERIFY(run && run->isVisible());
        QCOMPARE(run->text(), u"このファイルのスクリプトを実行"_s);
        run->click();
        QCOMPARE(browser()->calls.count(u"runLocalScript"_s), 1);
        QVERIFY(!m_window->messageBarVisible());
        Q_EMIT browser()->localNavigationRefused(u"http://evil.test/"_s);
        QCOMPARE(messageText(),
                 u"ローカルファイルのページは、クリックなしでほかのアドレスを開けません: http://evil.test/"_s);
        QVERIFY(!m_window->findChild<QPushButton *>(u"messageChoice1"_s)
                || !m_window->findChild<QPushButton *>(u"messageChoice1"_s)->isVisible());
    }

    // A page's full screen hides the bars and brings back each as it was, storing nothing.
    void pageFullScreen_data()
    {
        QTest::addColumn<int>("leaveBy"); // a key, or 0: the page leaves by itself
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("F11") << int(Qt::Key_F11);
        QTest::newRow("the page") << 0;
    }
    void pageFullScreen()
    {
        QFETCH(int, leaveBy);
        const QByteArray settings = "[Window]\r\nFrame2=False\r\n[Data]\r\nFirstOpen=1\r\n";
        open(settings);
        const QList<QWidget *> bars {m_window->menuBar(), m_window->parts().navigation, m_window->parts().sidebar,
                                     m_window->parts().status};
        auto shown = [&bars] {
            QList<bool> visible;
            for (QWidget *bar : bars)
                visible.append(bar->isVisible());
            return visible;
        };
        const QList<bool> before = shown();
        QCOMPARE(before, (QList {true, true, false, true}));
        const QByteArray stored = m_folder->read(u"Yura3.ini"_s);
        QWidget *page = browser()->widget();

        Q_EMIT browser()->fullScreenChanged(true);
        QVERIFY(m_window->isFullScreen());
        QCOMPARE(shown(), (QList {false, false, false, false}));
        auto *notice = m_window->findChild<QLabel *>(u"fullScreenNotice"_s);
        QVERIFY(notice && notice->isVisible());
        QCOMPARE(notice->text(), u"全画面表示です。Esc キーまたは F11 キーで元の表示に戻ります。"_s);
        QCOMPARE(page->geometry().top(), 0);
        // What the page does next does not take it away; it is no message of the page's.
        QVERIFY(!browser()->raiseBeforeNavigate(u"http://127.0.0.1/204"_s));
        QVERIFY(notice->isVisible());
        QCOMPARE(messageText(), QString());
        if (!leaveBy) {
            // It steps aside after a while and comes back where the bars were.
            QTRY_VERIFY_WITH_TIMEOUT(notice->isHidden(), FullScreenMode::kNoticeMs * 3);
            QTest::mouseMove(page, QPoint(200, 300));
            QVERIFY(notice->isHidden());
            QTest::mouseMove(page, QPoint(200, 0));
            QTRY_VERIFY(notice->isVisible());
        }

        if (leaveBy) {
            QTest::keyClick(page, Qt::Key(leaveBy));
            QVERIFY(browser()->calls.contains(u"exitFullScreen"_s));
            QVERIFY(!browser()->calls.contains(u"stop"_s)); // Esc here is not the page's
        }
        Q_EMIT browser()->fullScreenChanged(false); // what the engine answers
        QVERIFY(!m_window->isFullScreen());
        QCOMPARE(shown(), before);
        QVERIFY(notice->isHidden());
        QVERIFY(page->geometry().top() > 0);
        QCOMPARE(m_folder->read(u"Yura3.ini"_s), stored);
    }

    void newWindowsAreLimited()
    {
        open();
        for (int i = 0; i < 6; ++i)
            QVERIFY(browser()->raiseNewWindow(u"http://127.0.0.1/p%1"_s.arg(i)));
        QCOMPARE(m_fake->processes.starts().size(), 5);
        QCOMPARE(m_fake->processes.starts().last().arguments, QStringList {u"http://127.0.0.1/p4"_s});
        QCOMPARE(messageText(), u"ポップアップウィンドウをブロックしました。"_s);
    }

    void windowClosing_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("closes");
        QTest::newRow("closes") << QByteArray("[Data]\r\nFirstOpen=1\r\n") << true;
        QTest::newRow("exit refused: no message")
            << QByteArray("[Window]\r\nEndC=True\r\n[Data]\r\nFirstOpen=1\r\n") << false;
    }
    void windowClosing()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, closes);
        open(settings);
        if (!closes)
            m_fake->dialogs.answerMessage(MessageAnswer::No);
        QVERIFY(browser()->raiseWindowClosing()); // the browser never closes itself
        QTRY_COMPARE(m_unloaded + (closes ? 0 : 1), 1);
        QTest::qWait(50);
        QCOMPARE(m_unloaded, closes ? 1 : 0);
        QCOMPARE(messageText(), QString()); // refusing is no failure
    }

    void navigateErrorWithAScriptAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("message");
        QTest::newRow("javascript") << u"javascript:x()"_s << true;
        QTest::newRow("JavaScript") << u"JavaScript:x()"_s << false;
        QTest::newRow("web address") << u"http://127.0.0.1/"_s << false;
    }
    void navigateErrorWithAScriptAddress()
    {
        QFETCH(QString, address);
        QFETCH(bool, message);
        open();
        m_window->setAddressText(address);
        Q_EMIT browser()->NavigateError(address);
        QCOMPARE(messageText(), message ? u"実行不可能なJavaScriptが読み込まれました。"_s : QString());
    }

    void closeScriptInTheAddressBoxClosesAfterLoading()
    {
        open();
        m_window->setAddressText(u"javascript:window.close();"_s);
        Q_EMIT browser()->DownloadComplete();
        QCOMPARE(m_unloaded, 1);
    }

    // One row per way a download ends; the cancel row goes through the menu item.
    void downloadIsFollowed_data()
    {
        QTest::addColumn<int>("end"); // DownloadEnd, or -1: the user cancels from the menu
        QTest::addColumn<QString>("message");
        QTest::newRow("saved") << int(platform::DownloadEnd::Saved)
                               << u"ダウンロードしました: /home/u/ダウンロード/表 (2).zip"_s;
        QTest::newRow("failed") << int(platform::DownloadEnd::Failed)
                                << u"ダウンロードに失敗しました: 表.zip（ネットワークエラー）"_s;
        QTest::newRow("cancelled from the menu") << -1 << u"ダウンロードを中止しました: 表.zip"_s;
    }
    void downloadIsFollowed()
    {
        QFETCH(int, end);
        QFETCH(QString, message);
        open();
        browser()->url = u"http://127.0.0.1/list.htm"_s;
        QAction *cancel = item(u"mnuFileDownloadCancel"_s);
        QVERIFY(!cancel->isEnabled());
        // The click showed the download's address and lit the lamp; the list page stays.
        QVERIFY(!browser()->raiseBeforeNavigate(u"http://127.0.0.1/dl/get.cgi"_s));
        const quint32 id = browser()->raiseDownloadStarted(u"get.cgi"_s);
        Q_EMIT browser()->downloadStarted(id, u"表.zip"_s); // the server's headers named it
        QVERIFY(cancel->isEnabled());
        QCOMPARE(m_window->addressText(), u"http://127.0.0.1/list.htm"_s);
        QVERIFY(!m_window->parts().navigation->lampOn());
        QCOMPARE(m_window->parts().status->statusText(), u"ダウンロード中: 表.zip"_s);
        Q_EMIT browser()->downloadProgress(id, 512, 1024);
        QCOMPARE(m_window->parts().status->progressTwips(), 1095 / 2);
        if (end < 0) {
            cancel->trigger();
            QVERIFY(browser()->calls.contains(u"CancelDownloads"_s));
        } else {
            browser()->runningDownloads.removeOne(id);
            Q_EMIT browser()->downloadFinished(id, platform::DownloadEnd(end),
                                               end == 0 ? u"/home/u/ダウンロード/表 (2).zip"_s : QString(),
                                               end == 0 ? QString() : u"ネットワークエラー"_s);
        }
        QCOMPARE(messageText(), message);
        QVERIFY(!cancel->isEnabled());
        QVERIFY(m_window->parts().pageEvents->downloads().isEmpty());
        // The status bar no longer tells of a download.
        QCOMPARE(m_window->parts().status->statusText(), QString());
        QCOMPARE(m_window->parts().status->progressTwips(), 1095);
    }

    void editorAndSubWindowAreSingle()
    {
        open("[Data]\r\nFirstOpen=1\r\nkoukoku=False\r\n");
        QVERIFY(!item(u"mnuToolSecuNocom"_s)->isChecked()); // restored from koukoku
        item(u"mnuToolSecuNocom"_s)->trigger();
        QVERIFY(!item(u"mnuToolSecuNocom"_s)->isChecked()); // opening does not switch
        BlockListEditor *editor = m_window->parts().blockList->editor();
        QVERIFY(editor && editor->isVisible());
        item(u"mnuToolSecuNocom"_s)->trigger();
        QCOMPARE(m_window->parts().blockList->editor(), editor);

        browser()->url = u"http://127.0.0.1/shown"_s;
        m_window->setAddressText(u"http://127.0.0.1/typed"_s);
        QTest::keySequence(m_window.get(), QKeySequence(u"Ctrl+S"_s));
        // The shortcut alone opens the sub window, before the menu item is touched.
        SubWindow *byKey = m_window->subWindow();
        QVERIFY(byKey && byKey->isVisible());
        QCOMPARE(qobject_cast<FakeBrowser *>(byKey->browser())->navigations(),
                 QStringList({u"http://127.0.0.1/shown"_s, u"http://127.0.0.1/typed"_s}));
        item(u"mnuToolSecusub"_s)->trigger();
        SubWindow *sub = m_window->subWindow();
        QCOMPARE(sub, byKey);
        QVERIFY(sub && sub->isVisible());
        auto *subBrowser = qobject_cast<FakeBrowser *>(sub->browser());
        QCOMPARE(subBrowser->navigations().mid(0, 2),
                 QStringList({u"http://127.0.0.1/shown"_s, u"http://127.0.0.1/typed"_s}));
        item(u"mnuToolSecusub"_s)->trigger();
        QCOMPARE(m_window->subWindow(), sub);
        QCOMPARE(subBrowser->navigations().last(), u"http://127.0.0.1/typed"_s);
    }
};

QTEST_MAIN(TestForm1Events)
#include "tst_mainwindowevents.moc"
