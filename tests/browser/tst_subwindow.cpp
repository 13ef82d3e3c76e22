#include "browser/subwindow.h"
#include "platform/browsercomponent.h"
#include "tests/support/fakebrowser.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/tempprogramfolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

// The sub window: an address box over a browser, with none of the main window's page handling.
class TestSubWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void subWindow()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(u"blacklist.ini"_s, "blocked\r\n"));
        FakePlatform fake;
        SubWindow window(fake.platform(), u"http://127.0.0.1/first"_s);
        auto *browser = qobject_cast<FakeBrowser *>(window.browser());
        QCOMPARE(browser->navigations(), QStringList {u"http://127.0.0.1/first"_s});
        // No block list here.
        QVERIFY(!browser->raiseBeforeNavigate(u"http://127.0.0.1/blocked"_s));
        QCOMPARE(window.findChild<QLineEdit *>(u"Text1"_s)->text(), u"http://127.0.0.1/blocked"_s);
        Q_EMIT browser->StatusTextChange(u"読み込み中"_s);
        QCOMPARE(window.windowTitle(), u"読み込み中 - サブウィンドウ"_s);
        Q_EMIT browser->StatusTextChange(QString());
        QCOMPARE(window.windowTitle(), u" - サブウィンドウ"_s);
        auto *text = window.findChild<QLineEdit *>(u"Text1"_s);
        text->setText(u"example.test"_s);
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(browser->navigations().last(), u"http://www.google.co.jp/search?q=example.test&hl=ja&ie=Shift_JIS"_s);
        // A download the page starts on its own is asked about here too.
        bool allow = true;
        fake.dialogs.answerMessage(platform::MessageAnswer::No);
        Q_EMIT browser->unrequestedDownload(u"a.zip"_s, u"127.0.0.1"_s, allow);
        QVERIFY(!allow);
        QCOMPARE(fake.dialogs.requests().size(), 1);
        QCOMPARE(fake.dialogs.requests().first().title, u"ダウンロードの確認"_s);
        // So is what a page asks to use.
        fake.dialogs.answerMessage(platform::MessageAnswer::Yes);
        Q_EMIT browser->permissionRequested(u"http://127.0.0.1"_s, u"マイク"_s, allow);
        QVERIFY(allow);
        QCOMPARE(fake.dialogs.requests().last().title, u"アクセス許可の確認"_s);
        // And the offer to run a local file's script.
        Q_EMIT browser->localScriptBlocked(u"file:///tmp/a.htm"_s);
        window.findChild<QPushButton *>(u"messageChoice1"_s)->click();
        QCOMPARE(browser->calls.count(u"runLocalScript"_s), 1);
        // A notice takes its line under the page, and gives it back.
        window.resize(500, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget *page = browser->widget();
        const int fullHeight = page->height();
        window.showMessageBar(u"お知らせ"_s);
        QVERIFY(page->height() < fullHeight);
        QCOMPARE(window.findChild<QLabel *>(u"SubLabel"_s)->text(), u"お知らせ"_s);
        window.hideMessageBar();
        QCOMPARE(page->height(), fullHeight);
        // A page's full screen takes the address box's line too.
        Q_EMIT browser->fullScreenChanged(true);
        QVERIFY(window.isFullScreen());
        QTRY_COMPARE(page->geometry().top(), 0);
        QTest::keyClick(page, Qt::Key_Escape);
        QVERIFY(browser->calls.contains(u"exitFullScreen"_s));
        QVERIFY(!window.isFullScreen());
        QVERIFY(text->isVisible());
        QCOMPARE(page->geometry().top(), text->height());
    }
};

QTEST_MAIN(TestSubWindow)
#include "tst_subwindow.moc"
