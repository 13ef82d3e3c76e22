#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "app/startup.h"
#include "browser/addressbox.h"
#include "browser/mainwindow.h"
#include "tests/browser/mainwindowtest.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/tempprogramfolder.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QFrame>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;

namespace {
const QString kYes = u"yes"_s;
const QString kNo = u"no"_s;
} // namespace

// The real main window with the fake platform and a temporary program folder.
class TestMainWindow : public MainWindowTest
{
    Q_OBJECT
private:
    // Writes the settings file and loads a window, with the answers to its questions.
    void open(const QByteArray &settings, const QString &commandLine = {}, const QList<MessageAnswer> &answers = {},
              bool show = true)
    {
        if (!settings.isEmpty())
            QVERIFY(m_folder->write(u"Yura3.ini"_s, settings));
        for (MessageAnswer answer : answers)
            m_fake->dialogs.answerMessage(answer);
        startWindow(commandLine, show);
    }

    QString setting(const QString &section, const QString &key) const { return readSetting(section, key); }

private Q_SLOTS:
    void init() { setUpWindowTest(); }
    void cleanup() { tearDownWindowTest(); }

    void namedControlsAndMenus()
    {
        open({});
        for (const QString &name : {u"Frame1"_s, u"Frame2"_s, u"Frame3"_s, u"Shape1"_s, u"ProgressBar1"_s})
            QVERIFY2(control<QFrame>(name), qPrintable(name));
        for (const QString &name :
             {u"Command1"_s, u"Command2"_s, u"Command3"_s, u"Command4"_s, u"Command7"_s, u"Command8"_s})
            QVERIFY2(control<QToolButton>(name), qPrintable(name));
        for (const QString &name : {u"Command5"_s, u"Command9"_s, u"subtitlebutton"_s})
            QVERIFY2(control<QPushButton>(name), qPrintable(name));
        QVERIFY(control<QWidget>(u"WebBrowser"_s));
        QVERIFY(control<AddressBox>(u"txtURL"_s));
        for (const QString &name : {u"Command1"_s, u"Command4"_s, u"Command7"_s})
            QVERIFY2(!control<QToolButton>(name)->icon().pixmap(24).isNull(), qPrintable(name)); // resources linked in
        QCOMPARE(control<QToolButton>(u"Command3"_s)->toolTip(), u"ページの読み込みを中止"_s);
        QCOMPARE(control<QToolButton>(u"Command8"_s)->toolTip(), u"サイドバーの表示・非表示"_s);
        QCOMPARE(control<QPushButton>(u"Command9"_s)->toolTip(), u"メニューを表示する"_s);
        QVERIFY(control<QTimer>(u"Timer1"_s));
        QStringList captions;
        for (QAction *action : m_window->menuBar()->actions())
            captions.append(action->text());
        QCOMPARE(captions,
                 QStringList({u"ファイル(&F)"_s, u"編集(&E)"_s, u"表示(&V)"_s, u"ページ移動(&M)"_s, u"お気に入り(&A)"_s,
                              u"ツール(&T)"_s, u"ヘルプ(&H)"_s}));
        QCOMPARE(item(u"mnuMoveRefrashNoChash"_s)->shortcut(), QKeySequence(u"Ctrl+F5"_s));
        QVERIFY(!item(u"mnuMoveBack"_s)->isEnabled());
        QVERIFY(!item(u"mnuMoveC"_s)->isEnabled());
        QVERIFY(item(u"mnuToolSecuNocom"_s)->isChecked());
        QCOMPARE(item(u"mnuToolSecusub"_s)->shortcut(), QKeySequence(u"Ctrl+S"_s));
    }

    void firstPage_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QByteArray>("handOver");
        QTest::addColumn<QString>("endK");
        QTest::addColumn<QString>("yomikake");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected"); // navigation, or "home"
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("yomikakeAfter");
        QTest::addColumn<bool>("restartChecked");
        const QString kept = u"http://127.0.0.1/kept.htm"_s;
        // As a window opening a new one leaves it.
        const QByteArray forNewWindow =
            "http://127.0.0.1/h\r\nnew-window " + QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + "\r\n";
        QTest::newRow("command line beats the reading session")
            << u"http://127.0.0.1/cmd"_s << QByteArray() << QString() << kept << QString() << u"http://127.0.0.1/cmd"_s
            << false << kept << false;
        QTest::newRow("hand-over address without its line end")
            << QString() << forNewWindow << QString() << kept << QString() << u"http://127.0.0.1/h"_s << false << kept
            << false;
        QTest::newRow("a link only pointed at: start page")
            << QString() << QByteArray("http://127.0.0.1/h\r\n") << QString() << QString() << QString()
            << u"about:blank"_s << false << QString() << false;
        QTest::newRow("local hand-over address: start page")
            << QString() << QByteArray("file:///tmp/evil.htm\r\n") << QString() << QString() << QString()
            << u"about:blank"_s << false << QString() << false;
        QTest::newRow("command line equal to the hand-over address")
            << u"http://127.0.0.1/h"_s << forNewWindow << QString() << QString() << QString() << u"http://127.0.0.1/h"_s
            << false << QString() << false;
        QTest::newRow("command line and another hand-over address: kept")
            << u"http://127.0.0.1/cmd"_s << forNewWindow << QString() << QString() << QString()
            << u"http://127.0.0.1/cmd"_s << false << QString() << false;
        QTest::newRow("hand-over empty line: start page")
            << QString() << QByteArray("\r\n") << QString() << QString() << QString() << u"about:blank"_s << false
            << QString() << false;
        QTest::newRow("reading session, Yes")
            << QString() << QByteArray() << QString() << kept << kYes << kept << true << QString() << false;
        QTest::newRow("reading session, No")
            << QString() << QByteArray() << u"False"_s << kept << kNo << u"home"_s << true << kept << true;
        QTest::newRow("EndK False: home page") << QString() << QByteArray() << u"False"_s << QString() << QString()
                                               << u"home"_s << false << QString() << false;
        QTest::newRow("EndK empty: blank") << QString() << QByteArray() << QString() << QString() << QString()
                                           << u"about:blank"_s << false << QString() << false;
        QTest::newRow("EndK True: blank") << QString() << QByteArray() << u"True"_s << QString() << QString()
                                          << u"about:blank"_s << false << QString() << false;
        QTest::newRow("EndK false: blank") << QString() << QByteArray() << u"false"_s << QString() << QString()
                                           << u"about:blank"_s << false << QString() << false;
    }
    void firstPage()
    {
        QFETCH(QString, commandLine);
        QFETCH(QByteArray, handOver);
        QFETCH(QString, endK);
        QFETCH(QString, yomikake);
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        QFETCH(bool, asked);
        QFETCH(QString, yomikakeAfter);
        QFETCH(bool, restartChecked);
        if (!handOver.isEmpty())
            QVERIFY(m_folder->write(u"urldata.ini"_s, handOver));
        writeSetting(u"Window"_s, u"EndK"_s, endK);
        writeSetting(u"Data"_s, u"Yomikake"_s, yomikake);
        writeSetting(u"Data"_s, u"YPage"_s, u"前のページ"_s);
        QList<MessageAnswer> answers;
        if (!answer.isEmpty())
            answers.append(answer == kYes ? MessageAnswer::Yes : MessageAnswer::No);
        open({}, commandLine, answers);

        if (expected == u"home") {
            QVERIFY(browser()->calls.contains(u"goHome"_s));
            QVERIFY(browser()->navigations().isEmpty());
        } else {
            QCOMPARE(browser()->navigations(), QStringList {expected});
        }
        QCOMPARE(m_fake->dialogs.requests().size(), asked ? 1 : 0);
        if (asked) {
            const auto &request = m_fake->dialogs.requests().first();
            QCOMPARE(
                request.text,
                u"読みかけのページ情報があります。\r\n読みかけのページから開きますか？\r\nページタイトル : 前のページ"_s);
            QCOMPARE(request.title, u"読みかけ終了"_s);
            QCOMPARE(request.icon, platform::MessageIcon::Question);
        }
        QCOMPARE(setting(u"Data"_s, u"Yomikake"_s), yomikakeAfter);
        QCOMPARE(setting(u"Data"_s, u"YPage"_s), u"前のページ"_s);
        QCOMPARE(item(u"mnuFileRestart"_s)->isChecked(), restartChecked);
        // An address taken is cleared, so that a later plain start does not open it again.
        if (!handOver.isEmpty()) {
            const bool taken = expected == QString::fromLatin1(handOver).section(u'\r', 0, 0);
            QCOMPARE(m_folder->read(u"urldata.ini"_s), taken ? QByteArray("\r\n") : handOver);
        }
    }

    void closeRequest_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<int>("memo"); // 0 closed, 1 open, 2 closed with its check mark set by hand
        QTest::addColumn<QList<MessageAnswer>>("answers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("keepsPage");
        const QByteArray plain("[Window]\r\nFWidth=9000\r\nFHeight=6000\r\nFLeft=300\r\nFTop=450\r\n");
        QTest::newRow("nothing to ask") << plain << 0 << QList<MessageAnswer> {} << true << 0 << false;
        QTest::newRow("memo open, No") << plain + "EndC=True\r\n"
                                       << 1 << QList<MessageAnswer> {MessageAnswer::No} << false << 1 << false;
        QTest::newRow("memo open, Yes") << plain << 1 << QList<MessageAnswer> {MessageAnswer::Yes} << true << 1
                                        << false;
        QTest::newRow("memo check mark alone") << plain << 2 << QList<MessageAnswer> {} << true << 0 << false;
        QTest::newRow("EndC True, No") << plain + "EndC=True\r\n"
                                       << 0 << QList<MessageAnswer> {MessageAnswer::No} << false << 1 << false;
        QTest::newRow("EndC true is not asked") << plain + "EndC=true\r\n"
                                                << 0 << QList<MessageAnswer> {} << true << 0 << false;
        QTest::newRow("EndY True keeps the page") << plain + "EndY=True\r\n"
                                                  << 0 << QList<MessageAnswer> {} << true << 0 << true;
        QTest::newRow("EndC and EndY, No keeps nothing")
            << plain + "EndC=True\r\nEndY=True\r\n"
            << 0 << QList<MessageAnswer> {MessageAnswer::No} << false << 1 << false;
    }
    void closeRequest()
    {
        QFETCH(QByteArray, settings);
        QFETCH(int, memo);
        QFETCH(QList<MessageAnswer>, answers);
        QFETCH(bool, closes);
        QFETCH(int, questions);
        QFETCH(bool, keepsPage);
        QVERIFY(m_folder->write(u"urldata.ini"_s, "http://127.0.0.1/x\r\n"));
        open(settings + "[Data]\r\nFirstOpen=1\r\n", u"http://127.0.0.1/cmd"_s, answers);
        browser()->pageTitle = u"いまのページ"_s;
        m_window->setAddressText(u"http://127.0.0.1/now"_s);
        if (memo == 1)
            item(u"mnuToolFusekko"_s)->trigger();
        else if (memo == 2)
            item(u"mnuToolFusekko"_s)->setChecked(true);
        m_window->setGeometry(40, 60, 700, 500);

        QCOMPARE(m_window->close(), closes);
        QCOMPARE(m_unloaded, closes ? 1 : 0);
        QCOMPARE(m_fake->dialogs.requests().size(), questions);
        // Geometry and the hand-over file are written also when the close is cancelled.
        QCOMPARE(setting(u"Window"_s, u"FWidth"_s), QString::number(700 * 15));
        QCOMPARE(setting(u"Window"_s, u"FHeight"_s), QString::number(500 * 15));
        QCOMPARE(setting(u"Window"_s, u"FLeft"_s), QString::number(40 * 15));
        QCOMPARE(setting(u"Window"_s, u"FTop"_s), QString::number(60 * 15));
        QCOMPARE(m_folder->read(u"urldata.ini"_s), QByteArray("\r\n"));
        QCOMPARE(setting(u"Data"_s, u"Yomikake"_s), keepsPage ? u"http://127.0.0.1/now"_s : QString());
        QCOMPARE(setting(u"Data"_s, u"YPage"_s), keepsPage ? u"いまのページ"_s : QString());
        // An exit closes the memo pad without asking again; its text is in the backup.
        if (memo == 1) {
            QCOMPARE(m_window->memoPad()->isVisible(), !closes);
            QCOMPARE(m_folder->read(u"fusekkobackup.txt"_s), closes ? QByteArray("\r\n") : QByteArray());
        }
    }

    void memoCommands()
    {
        open({});
        QAction *memoItem = item(u"mnuToolFusekko"_s);
        for (int i = 0; i < 2; ++i) { // a second click only brings it up
            memoItem->trigger();
            QVERIFY(memoItem->isChecked());
        }
        QPointer<MemoPadWindow> memo = m_window->memoPad();
        QVERIFY(memo && memo->isVisible());

        m_fake->dialogs.answerMessage(MessageAnswer::Yes);
        QVERIFY(memo->close());
        QVERIFY(!memoItem->isChecked());
        QTRY_VERIFY(!memo);

        // Copying with the memo pad closed opens it with the page's selection, or with
        // what the clipboard held when nothing is selected.
        m_fake->clipboard.setText(u"前の文"_s);
        item(u"mnuEditFusekkoCopy"_s)->trigger();
        QCOMPARE(m_window->memoPad()->memoText(), u"前の文"_s);
        browser()->selection = u"選んだ文\r\n二行目"_s;
        item(u"mnuEditFusekkoCopy"_s)->trigger();
        QCOMPARE(m_window->memoPad()->memoText(), u"選んだ文\n二行目"_s);
        QCOMPARE(m_fake->clipboard.text(), browser()->selection);
        QVERIFY(memoItem->isChecked());
    }

    void closeQuestionTexts()
    {
        open("[Window]\r\nEndC=True\r\n", {}, {MessageAnswer::Yes, MessageAnswer::Yes});
        item(u"mnuToolFusekko"_s)->trigger();
        QVERIFY(m_window->close());
        QCOMPARE(m_fake->dialogs.messageTexts(),
                 QStringList({u"ふせっこが起動中です\r\nセーブしてないとデータが消えますが、終了しますか？"_s,
                              u"ゆらぎねを終了しますか？"_s}));
        for (const auto &request : m_fake->dialogs.requests()) {
            QCOMPARE(request.title, u"終了"_s);
            QCOMPARE(request.buttons, platform::MessageButtons::YesNo);
        }
    }

    void maximizedWritesZeroSize()
    {
        open("[Window]\r\nFLeft=300\r\nFTop=450\r\n");
        QVERIFY(m_window->windowState().testFlag(Qt::WindowMaximized)); // FWidth 0
        QVERIFY(m_window->close());
        QCOMPARE(setting(u"Window"_s, u"FWidth"_s), u"0"_s);
        QCOMPARE(setting(u"Window"_s, u"FHeight"_s), u"0"_s);
        QCOMPARE(setting(u"Window"_s, u"FLeft"_s), u"300"_s);
    }

    void storedGeometryIsRestored_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("plain") << QByteArray("FWidth=12000\r\nFHeight=9000\r\nFLeft=1500\r\nFTop=750")
                               << QRect(100, 50, 800, 600);
        QTest::newRow("wide and far right, as on a 4K screen")
            << QByteArray("FWidth=38400\r\nFHeight=21600\r\nFLeft=48000\r\nFTop=1500") << QRect(3200, 100, 2560, 1440);
    }
    void storedGeometryIsRestored()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QRect, geometry);
        open("[Window]\r\n" + stored + "\r\n", {}, {}, false);
        QCOMPARE(m_window->geometry(), geometry);
        QVERIFY(!m_window->windowState().testFlag(Qt::WindowMaximized));
    }

    void readOnlyFolderClosesQuietly()
    {
        open("[Window]\r\nEndY=True\r\n");
        QVERIFY(QFile::setPermissions(m_folder->path(), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(m_window->close());
        QCOMPARE(m_unloaded, 1);
        QCOMPARE(m_fake->dialogs.requests().size(), 0);
    }

    void restartKeepsThePageAndCloses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("kept");
        QTest::newRow("as shown") << u"http://127.0.0.1/reading"_s << u"http://127.0.0.1/reading"_s;
        // The settings file is CP932: what it cannot hold is kept percent-encoded.
        QTest::newRow("accent") << u"http://127.0.0.1/café"_s << u"http://127.0.0.1/caf%C3%A9"_s;
    }
    void restartKeepsThePageAndCloses()
    {
        QFETCH(QString, address);
        QFETCH(QString, kept);
        open({});
        browser()->pageTitle = u"読んでいる"_s;
        m_window->setAddressText(address);
        item(u"mnuFileRestart"_s)->trigger();
        QCOMPARE(m_unloaded, 1);
        QCOMPARE(setting(u"Data"_s, u"Yomikake"_s), kept);
        QCOMPARE(setting(u"Data"_s, u"YPage"_s), u"読んでいる"_s);
    }

    // The unload ends the process even when another window would refuse to close.
    void unloadEndsTheProcess()
    {
        struct Stubborn : QWidget
        {
            void closeEvent(QCloseEvent *event) override { event->ignore(); }
        } other;
        other.show();
        open({});
        endProcessWithWindow(*m_window);
        QTimer::singleShot(0, m_window.get(), [this] { m_window->close(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); }); // not ended: fail, not hang
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(m_unloaded, 1);
    }

    void barsFollowTheirItems_data()
    {
        QTest::addColumn<QString>("itemName");
        QTest::addColumn<QString>("twin");
        QTest::addColumn<QString>("frame");
        QTest::newRow("button bar") << u"mnuVisiBottonURL"_s << u"mnuSimpleURL"_s << u"Frame1"_s;
        QTest::newRow("sidebar") << u"mnuVisiSidebar"_s << u"mnuSimpleSidebar"_s << u"Frame2"_s;
        QTest::newRow("status bar, from the twin") << u"mnuSimpleState"_s << u"mnuVisiStatusbar"_s << u"Frame3"_s;
    }
    void barsFollowTheirItems()
    {
        QFETCH(QString, itemName);
        QFETCH(QString, twin);
        QFETCH(QString, frame);
        open({});
        item(itemName)->trigger();
        QVERIFY(!item(itemName)->isChecked());
        QVERIFY(!item(twin)->isChecked());
        QVERIFY(control<QFrame>(frame)->isHidden());
        QCOMPARE(setting(u"Window"_s, frame), u"False"_s);
        item(twin)->trigger();
        QVERIFY(item(itemName)->isChecked());
        QVERIFY(!control<QFrame>(frame)->isHidden());
        QCOMPARE(setting(u"Window"_s, frame), u"True"_s);
    }

    void hiddenBarsAtLoad_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("visible");
        QTest::newRow("False") << u"False"_s << false;
        QTest::newRow("0") << u"0"_s << false;
        QTest::newRow("true") << u"true"_s << true;
        QTest::newRow("not a Boolean keeps it") << u"maybe"_s << true;
    }
    void hiddenBarsAtLoad()
    {
        QFETCH(QString, stored);
        QFETCH(bool, visible);
        writeSetting(u"Window"_s, u"Frame3"_s, stored);
        open({});
        QCOMPARE(!control<QFrame>(u"Frame3"_s)->isHidden(), visible);
        QCOMPARE(item(u"mnuVisiStatusbar"_s)->isChecked(), visible);
        QCOMPARE(item(u"mnuSimpleState"_s)->isChecked(), visible);
    }

    void sideWidthItems()
    {
        open("[Window]\r\nSideW=6\r\n");
        QVERIFY(item(u"mnuVisiWS16"_s)->isChecked());
        const QByteArray before = m_folder->read(u"Yura3.ini"_s);
        item(u"mnuVisiWS16"_s)->trigger(); // already chosen: only lays out again
        QVERIFY(item(u"mnuVisiWS16"_s)->isChecked());
        QCOMPARE(m_folder->read(u"Yura3.ini"_s), before);
        item(u"mnuVisiWS15"_s)->trigger();
        QVERIFY(item(u"mnuVisiWS15"_s)->isChecked());
        QVERIFY(!item(u"mnuVisiWS16"_s)->isChecked());
        QCOMPARE(setting(u"Window"_s, u"SideW"_s), u"5"_s);
        QCOMPARE(int(settingsRecord().SideW), 5);
        QCOMPARE(control<QFrame>(u"Frame2"_s)->width(), m_window->centralWidget()->width() / 5);
    }

    void menuBarAtLoad_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("menus");
        QTest::addColumn<bool>("button");
        QTest::newRow("missing") << QString() << true << false;
        QTest::newRow("True") << u"True"_s << true << false;
        QTest::newRow("False") << u"False"_s << false << true;
        QTest::newRow("false") << u"false"_s << false << true;
        QTest::newRow("1: menus, and the button too") << u"1"_s << true << true;
    }
    void menuBarAtLoad()
    {
        QFETCH(QString, stored);
        QFETCH(bool, menus);
        QFETCH(bool, button);
        writeSetting(u"Window"_s, u"Menu"_s, stored);
        open({});
        QCOMPARE(item(u"mnuFile"_s)->isVisible(), menus);
        QCOMPARE(item(u"mnuHelp"_s)->isVisible(), menus);
        QCOMPARE(!control<QPushButton>(u"Command9"_s)->isHidden(), button);
    }

    void showMenuButtonBringsTheMenusBack()
    {
        open("[Window]\r\nMenu=False\r\n");
        auto *button = control<QPushButton>(u"Command9"_s);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(item(u"mnuFile"_s)->isVisible());
        QVERIFY(button->isHidden());
        QVERIFY(item(u"mnuVisiWmenu"_s)->isChecked());
        QVERIFY(item(u"mnuSimpleMenu"_s)->isChecked());
        QCOMPARE(setting(u"Window"_s, u"Menu"_s), u"True"_s);
        item(u"mnuVisiWmenu"_s)->trigger();
        QVERIFY(!item(u"mnuFile"_s)->isVisible());
        QVERIFY(!button->isHidden());
        QCOMPARE(setting(u"Window"_s, u"Menu"_s), u"False"_s);
    }

    void simpleMode_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("Yes") << MessageAnswer::Yes;
        QTest::newRow("No") << MessageAnswer::No;
    }
    void simpleMode()
    {
        QFETCH(MessageAnswer, answer);
        open("[Data]\r\nNSTag=1\r\nFirstOpen=1\r\n", {}, {answer});
        const QByteArray before = m_folder->read(u"Yura3.ini"_s);
        item(u"mnuVisihaiSinple"_s)->trigger();
        const auto &request = m_fake->dialogs.requests().first();
        QCOMPARE(request.title, u"シンプルモード"_s);
        QCOMPARE(request.icon, platform::MessageIcon::Information);
        QVERIFY(request.text.startsWith(u"シンプルモードに移行します。\r\n\r\n・メニューの非表示\r\n"_s));
        if (answer == MessageAnswer::No) {
            QCOMPARE(m_folder->read(u"Yura3.ini"_s), before);
            QVERIFY(item(u"mnuFile"_s)->isVisible());
            return;
        }
        QVERIFY(!item(u"mnuFile"_s)->isVisible());
        QVERIFY(control<QFrame>(u"Frame1"_s)->isHidden());
        QVERIFY(control<QFrame>(u"Frame3"_s)->isHidden());
        QVERIFY(!control<QFrame>(u"Frame2"_s)->isHidden()); // the sidebar stays
        QVERIFY(!control<QPushButton>(u"Command9"_s)->isHidden());
        QCOMPARE(setting(u"Window"_s, u"Menu"_s), u"False"_s);
        QCOMPARE(setting(u"Window"_s, u"Frame1"_s), u"False"_s);
        QCOMPARE(setting(u"Window"_s, u"Frame3"_s), u"False"_s);
        QCOMPARE(setting(u"Window"_s, u"Frame2"_s), QString());
        QCOMPARE(setting(u"Data"_s, u"NSTag"_s), u"0"_s);
        QCOMPARE(int(settingsRecord().NSTag), 0);
    }

    // The bars follow the client area's real height when the menu bar comes or goes.
    void barsStayInsideWhenTheMenusChange_data()
    {
        QTest::addColumn<QByteArray>("menuLine");
        QTest::addColumn<QString>("command");
        QTest::newRow("Command9 brings the menus back") << QByteArray("Menu=False\r\n") << u"Command9"_s;
        QTest::newRow("mnuVisiWmenu hides them") << QByteArray() << u"mnuVisiWmenu"_s;
        QTest::newRow("simple mode hides them") << QByteArray() << u"mnuVisihaiSinple"_s;
    }
    void barsStayInsideWhenTheMenusChange()
    {
        QFETCH(QByteArray, menuLine);
        QFETCH(QString, command);
        open("[Window]\r\nFWidth=12000\r\nFHeight=9000\r\n" + menuLine + "[Data]\r\nFirstOpen=1\r\n");
        if (command == u"mnuVisihaiSinple")
            m_fake->dialogs.answerMessage(MessageAnswer::Yes);
        const bool menusBefore = item(u"mnuFile"_s)->isVisible();
        if (command == u"Command9")
            QTest::mouseClick(control<QPushButton>(command), Qt::LeftButton);
        else
            item(command)->trigger();
        QCOMPARE(item(u"mnuFile"_s)->isVisible(), !menusBefore);
        for (int pass = 0; pass < 2; ++pass) { // at once, and once the events have run
            const int client = m_window->centralWidget()->height();
            QFrame *status = control<QFrame>(u"Frame3"_s);
            const QRect page = control<QWidget>(u"WebBrowser"_s)->geometry();
            if (!status->isHidden())
                QCOMPARE(status->geometry().bottom() + 1, client);
            QCOMPARE(page.bottom() + 1, status->isHidden() ? client : status->y());
            QTest::qWait(50);
        }
    }

    void optionsAreWrittenAtOnce()
    {
        open({});
        QVERIFY(!item(u"mnuVisiManiaEndC"_s)->isChecked());
        item(u"mnuVisiManiaEndC"_s)->trigger();
        QCOMPARE(setting(u"Window"_s, u"EndC"_s), u"True"_s);
        QCOMPARE(settingsRecord().EndC, u"True"_s);
        item(u"mnuVisiManiakuuhaku"_s)->trigger(); // checked at start: now off
        QCOMPARE(setting(u"Window"_s, u"EndK"_s), u"False"_s);
        // The exit question follows the option in the same run.
        m_fake->dialogs.answerMessage(MessageAnswer::No);
        QVERIFY(!m_window->close());
    }

    void typedAddresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("target");
        QTest::newRow("http") << u"http://127.0.0.1/"_s << u"http://127.0.0.1/"_s;
        QTest::newRow("https") << u"https://127.0.0.1/"_s << u"https://127.0.0.1/"_s;
        QTest::newRow("Japanese search")
            << u"ゆらぎね"_s << u"http://www.google.co.jp/search?q=%82%E4%82%E7%82%AC%82%CB&hl=ja&ie=Shift_JIS"_s;
        QTest::newRow("empty") << QString() << u"http://www.google.co.jp/search?q=&hl=ja&ie=Shift_JIS"_s;
    }
    void typedAddresses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, target);
        open({});
        browser()->calls.clear();
        auto *box = control<AddressBox>(u"txtURL"_s);
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(browser()->navigations(), QStringList {target});
    }

    void enterWhileComposingNavigatesNowhere()
    {
        open({});
        browser()->calls.clear();
        auto *box = control<AddressBox>(u"txtURL"_s);
        box->setFocus();
        QInputMethodEvent composing(u"にほんご"_s, {});
        QApplication::sendEvent(box, &composing);
        QVERIFY(box->composing());
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(browser()->navigations().isEmpty());
        QInputMethodEvent commit;
        commit.setCommitString(u"日本語"_s);
        QApplication::sendEvent(box, &commit);
        QVERIFY(!box->composing());
        QCOMPARE(box->text(), u"日本語"_s);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(browser()->navigations().size(), 1);
    }

    void addressShortcutsAndEscape()
    {
        open({});
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto *box = control<AddressBox>(u"txtURL"_s);
        box->setText(u"http://127.0.0.1/"_s);
        for (const QString &keys : {u"Ctrl+L"_s, u"Alt+D"_s, u"F6"_s}) {
            auto *elsewhere = control<QToolButton>(u"Command1"_s);
            elsewhere->setFocus();
            box->deselect();
            QTest::keySequence(elsewhere, QKeySequence(keys));
            QTRY_VERIFY2(box->hasFocus(), qPrintable(keys));
            QCOMPARE(box->selectedText(), box->text());
        }
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(browser()->calls.contains(u"stop"_s));
        // Esc on the page stops too.
        browser()->calls.clear();
        QWidget *page = control<QWidget>(u"WebBrowser"_s);
        page->setFocusPolicy(Qt::StrongFocus);
        page->setFocus();
        QTest::keyClick(page, Qt::Key_Escape);
        QCOMPARE(browser()->calls, QStringList {u"stop"_s});
        // A double click in the box selects the whole address.
        box->deselect();
        QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(box->selectedText(), box->text());
    }

    void addressTooltipFollowsTheInputMethod()
    {
        open({});
        auto *box = control<AddressBox>(u"txtURL"_s);
        auto hover = [box] {
            QMouseEvent move(QEvent::MouseMove, QPointF(10, 5), box->mapToGlobal(QPointF(10, 5)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(box, &move);
        };
        m_fake->inputMethod.current = platform::ImeState::Hiragana;
        hover();
        QCOMPARE(box->toolTip(), u"◯日本語入力　[Google検索:OK]"_s);
        m_fake->inputMethod.current = platform::ImeState::Other;
        hover();
        QCOMPARE(box->toolTip(), QString());
    }

    void quickJump_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("jumps");
        QTest::newRow("http") << u"http://127.0.0.1/q"_s << true;
        QTest::newRow("https") << u"https://127.0.0.1/q"_s << true;
        QTest::newRow("HTTP://") << u"HTTP://127.0.0.1/q"_s << false;
        QTest::newRow("empty") << QString() << false;
    }
    void quickJump()
    {
        QFETCH(QString, clipboard);
        QFETCH(bool, jumps);
        open({});
        browser()->calls.clear();
        m_fake->clipboard.setText(clipboard);
        item(u"mnuEditQuick"_s)->trigger();
        QCOMPARE(browser()->navigations(), jumps ? QStringList {clipboard} : QStringList {});
        QCOMPARE(m_window->addressText(), jumps ? clipboard : QString());
    }

    void quickJumpIgnoresAPicture()
    {
        open({});
        browser()->calls.clear();
        QImage picture(4, 4, QImage::Format_RGB32);
        m_fake->clipboard.setImage(picture);
        item(u"mnuEditQuick"_s)->trigger();
        QVERIFY(browser()->navigations().isEmpty());
    }

    void backAndForwardFollowTheHistory()
    {
        open({});
        auto *back = control<QToolButton>(u"Command1"_s);
        auto *forward = control<QToolButton>(u"Command2"_s);
        QVERIFY(!back->isEnabled());
        Q_EMIT browser()->CommandStateChange(platform::command::Back, true);
        QVERIFY(back->isEnabled());
        QVERIFY(item(u"mnuMoveBack"_s)->isEnabled());
        QVERIFY(!forward->isEnabled());
        Q_EMIT browser()->CommandStateChange(platform::command::Forward, true);
        QVERIFY(item(u"mnuMoveFoward"_s)->isEnabled());
        Q_EMIT browser()->CommandStateChange(platform::command::Back, false);
        QVERIFY(!back->isEnabled());
        Q_EMIT browser()->CommandStateChange(5, true); // other commands are ignored
        QVERIFY(!back->isEnabled());
        browser()->calls.clear();
        QTest::mouseClick(forward, Qt::LeftButton);
        item(u"mnuMoveRefrashNoChash"_s)->trigger();
        QTest::mouseClick(control<QToolButton>(u"Command7"_s), Qt::LeftButton);
        QTest::mouseClick(control<QToolButton>(u"Command4"_s), Qt::LeftButton);
        QCOMPARE(browser()->calls, QStringList({u"goForward"_s, u"reload:bypassCache"_s, u"reload"_s, u"goHome"_s}));
    }

    void onTopAndTranslucencyAtLoad_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("onTop");
        QTest::addColumn<int>("opacity"); // -1: not touched
        QTest::newRow("nothing set") << QByteArray() << false << -1;
        QTest::newRow("Windowfoward True") << QByteArray("Windowfoward=True\r\n") << true << -1;
        QTest::newRow("Windowfoward 1 is not exactly True") << QByteArray("Windowfoward=1\r\n") << false << -1;
        QTest::newRow("translucent") << QByteArray("EXSTYLE=1\r\nEXSTYLEValue=150\r\n") << false << 150;
        QTest::newRow("translucency off") << QByteArray("EXSTYLE=0\r\nEXSTYLEValue=150\r\n") << false << -1;
    }
    void onTopAndTranslucencyAtLoad()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, onTop);
        QFETCH(int, opacity);
        open("[Data]\r\nFirstOpen=1\r\n" + data);
        QCOMPARE(m_fake->windows.alwaysOnTop(m_window.get()).value_or(false), onTop);
        QCOMPARE(item(u"mnuVisiWindowfoward"_s)->isChecked(), onTop);
        QCOMPARE(m_fake->windows.opacity(m_window.get()).value_or(-1), opacity);
        QCOMPARE(item(u"mnuVisiWindowEXstyle"_s)->isChecked(), opacity >= 0);
    }

    // Where the display refuses them, both items say why and do nothing, F9 included.
    void windowEffectsWhereTheDisplayRefusesThem_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::newRow("possible") << QString();
        QTest::newRow("refused") << u"Wayland では使えません"_s;
    }
    void windowEffectsWhereTheDisplayRefusesThem()
    {
        QFETCH(QString, reason);
        m_fake->windows.setWindowEffectsLimit(reason);
        open("[Data]\r\nFirstOpen=1\r\n");
        for (const QString &name : {u"mnuVisiWindowfoward"_s, u"mnuVisiWindowEXstyle"_s}) {
            QCOMPARE(item(name)->isEnabled(), reason.isEmpty());
            QCOMPARE(item(name)->toolTip() == reason, !reason.isEmpty());
        }
        QTest::keyClick(m_window.get(), Qt::Key_F9);
        QCOMPARE(m_fake->windows.opacity(m_window.get()).has_value(), reason.isEmpty());
        QCOMPARE(setting(u"Data"_s, u"EXSTYLE"_s), reason.isEmpty() ? u"1"_s : QString());
        // The tool windows' items alike, and the first-run dialog neither stays on top nor
        // offers translucency.
        item(u"mnuToolFusekko"_s)->trigger();
        QAction *memoOnTop = m_window->memoPad()->findChild<QAction *>(u"mnuvisfor"_s);
        QCOMPARE(memoOnTop->isEnabled(), reason.isEmpty());
        QCOMPARE(memoOnTop->toolTip() == reason, !reason.isEmpty());
        m_window->setAddressText(u"http://127.0.0.1/a.htm"_s);
        item(u"mnufilelink"_s)->setEnabled(true);
        item(u"mnufilelink"_s)->trigger();
        QWidget *tool = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            tool = window->objectName() == u"Form3m" ? window : tool;
        QVERIFY(tool);
        QCOMPARE(tool->findChild<QAction *>(u"mnuvisituneni"_s)->isEnabled(), reason.isEmpty());
        delete tool;
        item(u"mnuToolFirstOpen"_s)->trigger();
        QWidget *firstRun = m_window->parts().tools->firstRunDialog();
        QCOMPARE(firstRun->findChild<QWidget *>(u"Check4"_s)->isEnabled(), reason.isEmpty());
        QCOMPARE(firstRun->findChild<QWidget *>(u"Check4"_s)->toolTip() == reason, !reason.isEmpty());
        QCOMPARE(m_fake->windows.alwaysOnTop(firstRun).has_value(), reason.isEmpty());
    }

    void showMenuButtonPopsUpTheSimpleMenu()
    {
        open("[Window]\r\nMenu=False\r\n");
        auto *button = control<QPushButton>(u"Command9"_s);
        auto *menu = m_window->findChild<QMenu *>(u"mnuSimple"_s);
        QVERIFY(menu);
        QVERIFY(!menu->isVisible());
        Q_EMIT button->customContextMenuRequested(QPoint(2, 2));
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        QVERIFY(!item(u"mnuSimpleMenu"_s)->isChecked());
        item(u"mnuSimpleMenu"_s)->trigger();
        QVERIFY(item(u"mnuFile"_s)->isVisible());
    }

    void driveItemsFollowFixedDisks()
    {
        open({});
        m_fake->drives.list = {{u"D"_s, platform::Drive::Type::Fixed},
                               {u"E"_s, platform::Drive::Type::CdRom},
                               {u"G"_s, platform::Drive::Type::Fixed}};
        auto *move = m_window->findChild<QMenu *>(u"mnuMove"_s);
        Q_EMIT move->aboutToShow();
        QVERIFY(item(u"mnuMoveD"_s)->isEnabled());
        QVERIFY(!item(u"mnuMoveE"_s)->isEnabled());
        QVERIFY(!item(u"mnuMoveC"_s)->isEnabled());
        m_fake->drives.list.clear();
        Q_EMIT move->aboutToShow();
        QVERIFY(item(u"mnuMoveD"_s)->isEnabled()); // never disabled again
        browser()->calls.clear();
        item(u"mnuMoveD"_s)->trigger();
        QCOMPARE(browser()->navigations(), QStringList {u"D:\\"_s});
    }

    void messageBar()
    {
        open({});
        QWidget *page = control<QWidget>(u"WebBrowser"_s);
        const int height = page->height();
        m_window->showMessageBar(u"一つ目"_s);
        m_window->showMessageBar(u"<b>二つ目</b>"_s);
        QCOMPARE(page->height(), height - 280 / 15); // moved once
        QCOMPARE(control<QLabel>(u"SubLabel"_s)->text(), u"<b>二つ目</b>"_s);
        QCOMPARE(control<QLabel>(u"SubLabel"_s)->textFormat(), Qt::PlainText); // texts from pages stay text
        QTest::mouseClick(control<QPushButton>(u"subtitlebutton"_s), Qt::LeftButton);
        QVERIFY(!m_window->messageBarVisible());
        QCOMPARE(page->height(), height);
        m_window->hideMessageBar();
        QCOMPARE(page->height(), height);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
