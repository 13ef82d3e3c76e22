// The link tool window against a fake host window, the transfer double and scripted
// dialogs; and the main window's File menu item that opens it.
#include "linktool/linkexport.h"
#include "linktool/linklistmodel.h"
#include "linktool/linktoolaboutbox.h"
#include "linktool/linktoolwindow.h"
#include "platform/codepage.h"
#include "tests/browser/mainwindowtest.h"
#include "tests/support/fakebrowserhost.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/tempprogramfolder.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;
using platform::TransferError;

namespace {

const QString kPage = u"http://s.test/d/p.htm"_s;
const QString kLinks = u"<html><body>\n<A HREF=\"./b.htm\">Bee</A>\n<a href=\"../a.htm\">Ay</a>\n"
                       u"<a href=\"/c.htm\"><img src=\"c.png\"></a>\n</body></html>"_s;

} // namespace

class TestLinkToolWindow : public MainWindowTest
{
    Q_OBJECT
private:
    std::unique_ptr<TempProgramFolder> m_home;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<FakeBrowserHost> m_host;
    QPointer<LinkToolWindow> m_tool;

    void openTool(const QString &address = kPage)
    {
        m_host->address = address;
        m_tool = new LinkToolWindow(*m_host, m_platform->platform());
        m_tool->show();
    }
    template <typename T> T *control(const char *name) const
    {
        return m_tool->findChild<T *>(QString::fromLatin1(name));
    }
    QLineEdit *url() const { return control<QLineEdit>("txtURL"); }
    QString status() const { return control<QLabel>("txtBar")->text(); }
    QTreeView *list() const { return control<QTreeView>("lvwLink"); }
    QStringList column(int c) const
    {
        QStringList texts;
        const LinkListModel *model = m_tool->links();
        for (int row = 0; row < model->rowCount(); ++row)
            texts.append(model->data(model->index(row, c)).toString());
        return texts;
    }
    // Enabled state of txtURL, Command3, Command1 and mnufilehtml.
    QList<bool> startControls() const
    {
        return {url()->isEnabled(), control<QPushButton>("Command3")->isEnabled(),
                control<QPushButton>("Command1")->isEnabled(), m_tool->menuItem(u"mnufilehtml"_s)->isEnabled()};
    }
    void waitForEnd() { QTRY_VERIFY(!m_tool->isRunning()); }
    void clickHeader(int section)
    {
        QHeaderView *header = list()->header();
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    void analyse(const QString &page)
    {
        m_platform->transfer.setText(QUrl(url()->text()), page);
        control<QPushButton>("Command3")->click();
        waitForEnd();
    }

private Q_SLOTS:
    void init()
    {
        m_home = std::make_unique<TempProgramFolder>();
        m_platform = std::make_unique<FakePlatform>();
        m_host = std::make_unique<FakeBrowserHost>();
        m_host->fakeBrowser->pageTitle = u"Page Title"_s;
    }
    void cleanup()
    {
        delete m_tool.data();
        m_host.reset();
        m_platform.reset();
        m_home.reset();
        tearDownWindowTest();
    }

    void loadTakesTheAddressAndChecksIt()
    {
        openTool();
        QCOMPARE(m_tool->windowTitle(), u"ツタノハPro"_s);
        QCOMPARE(url()->text(), kPage);
        QCOMPARE(status(), u"処理可能なURLです"_s);
        QCOMPARE(startControls(), (QList<bool> {true, true, true, true}));
        QVERIFY(!control<QTimer>("Timer1")->isActive());
        QVERIFY(!m_tool->menuItem(u"mnuvisiendcheck"_s)->isChecked());
        // The check runs on every change.
        url()->setText(u"http://s.test/d/"_s);
        QCOMPARE(status(), u"ちゃんとファイル名を指定してください"_s);
        QCOMPARE(startControls(), (QList<bool> {true, false, false, false}));
    }

    void analysisListsTheLinks()
    {
        openTool();
        m_platform->transfer.setText(QUrl(kPage), kLinks);
        m_platform->transfer.setHolding(true);
        QSignalSpy ended(m_tool.data(), &LinkToolWindow::runEnded);
        control<QPushButton>("Command3")->click();
        // Running: start controls off, busy bar moving, the window handling events.
        QVERIFY(m_tool->isRunning());
        QCOMPARE(status(), kPage + u"のリンクを解析中"_s);
        QCOMPARE(startControls(), (QList<bool> {false, false, false, false}));
        QVERIFY(m_tool->menuItem(u"mnufilere"_s)->isEnabled());
        QTRY_VERIFY(m_tool->busyBarTwips() < LinkToolWindow::kBarFullTwips);
        const int before = m_tool->busyBarTwips();
        QTRY_VERIFY(m_tool->busyBarTwips() > before);
        // Another start while running does nothing.
        m_tool->menuItem(u"mnufilere"_s)->trigger();
        QCOMPARE(m_platform->transfer.requests().size(), 1);
        QCOMPARE(m_platform->transfer.releaseAll(), 1);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(column(0), (QStringList {u"Bee"_s, u"Ay"_s, u"<<画像>> "_s}));
        QCOMPARE(column(1), (QStringList {u"./b.htm"_s, u"../a.htm"_s, u"/c.htm"_s}));
        QCOMPARE(status(), kPage + u"のリンク解析終了"_s);
        QCOMPARE(startControls(), (QList<bool> {true, true, true, true}));
        QCOMPARE(m_tool->busyBarTwips(), LinkToolWindow::kBarFullTwips);
        // The next run empties the list first; a failed fetch leaves it empty, quietly.
        m_platform->transfer.setHolding(false);
        m_platform->transfer.setError(QUrl(kPage), TransferError::Timeout);
        control<QPushButton>("Command3")->click();
        QCOMPARE(m_tool->links()->count(), 0);
        waitForEnd();
        QCOMPARE(m_tool->links()->count(), 0);
        QVERIFY(m_platform->dialogs.requests().isEmpty());
    }

    void preChecks_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("folder") << u"http://s.test/d/"_s;
        QTest::newRow("jpg") << u"http://s.test/p.jpg"_s;
    }
    void preChecks()
    {
        QFETCH(QString, address);
        openTool(address);
        m_platform->dialogs.answerMessage(MessageAnswer::Ok);
        m_tool->menuItem(u"mnufilere"_s)->trigger(); // the item works while the button is off
        const auto &asked = m_platform->dialogs.requests();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].text, u"パスはファイル名まで入力してください"_s);
        QCOMPARE(asked[0].title, u"ツタノハPro"_s);
        QCOMPARE(asked[0].buttons, platform::MessageButtons::Ok);
        QVERIFY(m_platform->transfer.requests().isEmpty());
        QVERIFY(!m_tool->isRunning());
        QCOMPARE(status(), address + u"のリンク解析終了"_s);
    }

    void enterWithAWordFailsQuietly()
    {
        openTool();
        url()->setText(u"hello"_s);
        QVERIFY(!control<QPushButton>("Command3")->isEnabled());
        QTest::keyClick(url(), Qt::Key_Return);
        QCOMPARE(m_platform->transfer.requests().size(), 1);
        waitForEnd();
        QCOMPARE(m_tool->links()->count(), 0);
        QCOMPARE(status(), u"helloのリンク解析終了"_s);
        QVERIFY(m_platform->dialogs.requests().isEmpty());
        // The end step enables the start controls whatever the URL check said.
        QCOMPARE(startControls(), (QList<bool> {true, true, true, true}));
    }

    void sortingFlipsOnEveryHeaderClick()
    {
        openTool();
        analyse(kLinks);
        QHeaderView *header = list()->header();
        clickHeader(1);
        QCOMPARE(column(1), (QStringList {u"../a.htm"_s, u"./b.htm"_s, u"/c.htm"_s}));
        QCOMPARE(header->sortIndicatorSection(), 1);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        clickHeader(1);
        QCOMPARE(column(1), (QStringList {u"/c.htm"_s, u"./b.htm"_s, u"../a.htm"_s}));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        clickHeader(0);
        QCOMPARE(column(0), (QStringList {u"<<画像>> "_s, u"Ay"_s, u"Bee"_s}));
        QCOMPARE(header->sortIndicatorSection(), 0);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    }

    void doubleClickOpensInTheHostBrowser()
    {
        openTool();
        // An empty list: nothing happens.
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        QVERIFY(m_host->fakeBrowser->navigations().isEmpty());
        analyse(kLinks);
        const auto open = [this](int row) {
            const QRect cell = list()->visualRect(m_tool->links()->index(row, 0));
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
            return m_host->fakeBrowser->navigations().value(m_host->fakeBrowser->navigations().size() - 1);
        };
        QCOMPARE(open(0), u"http://s.test/d/b.htm"_s);
        QCOMPARE(open(2), u"http://s.test/c.htm"_s);
        // Resolved against the URL box as it is now.
        url()->setText(u"https://o.test/x/y/z.htm"_s);
        QCOMPARE(open(1), u"https://o.test/x/a.htm"_s);
        QCOMPARE(m_host->fakeBrowser->calls.filter(u"navigate:"_s).size(), 3);
    }

    // The page wrote these: nothing but a web address reaches the main window's browser.
    void onlyWebLinksOpen_data()
    {
        QTest::addColumn<QString>("urlBox");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("opened"); // "" when refused
        QTest::newRow("web") << u"http://s.test/d/p.htm"_s << u"b.htm"_s << u"http://s.test/d/b.htm"_s;
        QTest::newRow("ftp") << u"http://s.test/d/p.htm"_s << u"ftp://s.test/pub/"_s << u"ftp://s.test/pub/"_s;
        QTest::newRow("script") << u"http://s.test/d/p.htm"_s << u"javascript:alert(document.cookie)"_s << QString();
        QTest::newRow("local file") << u"http://s.test/d/p.htm"_s << u"file:///etc/hostname"_s << QString();
        QTest::newRow("relative to a local page") << u"file:///tmp/d/p.htm"_s << u"b.htm"_s << QString();
    }
    void onlyWebLinksOpen()
    {
        QFETCH(QString, urlBox);
        QFETCH(QString, reference);
        QFETCH(QString, opened);
        openTool();
        url()->setText(urlBox);
        m_tool->links()->setEntries({{u"<b>太字</b>"_s, reference}});
        list()->setCurrentIndex(m_tool->links()->index(0, 0));
        m_tool->openSelectedLink();
        QCOMPARE(m_host->fakeBrowser->navigations(), opened.isEmpty() ? QStringList() : QStringList {opened});
        if (opened.isEmpty())
            QVERIFY2(status().startsWith(u"このリンクはここでは開けません: "_s), qPrintable(status()));
        // The page's markup is shown as it is written, not drawn.
        const QString tip = m_tool->links()->index(0, 0).data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(u"&lt;b&gt;"_s), qPrintable(tip));
    }

    void exportWritesTheLinkList()
    {
        openTool();
        QTemporaryDir folder;
        const QString path = folder.filePath(u"links.htm"_s);
        const QString page = u"<a href=\"x.htm\">エックス</a><A HREF=\"y.htm\">Y</A>"_s;
        m_platform->transfer.setText(QUrl(kPage), page);
        m_platform->dialogs.answerSaveFile(folder.filePath(u"links"_s)); // the dialog adds ".htm"
        m_platform->dialogs.answerMessage(MessageAnswer::Ok);
        control<QPushButton>("Command1")->click();
        QCOMPARE(status(), kPage + u"のリンクをファイルに出力中"_s);
        QVERIFY(m_tool->isRunning());
        waitForEnd();
        const auto &asked = m_platform->dialogs.requests();
        QCOMPARE(asked.size(), 2);
        const platform::FileDialogRequest &save = asked[0].file;
        QCOMPARE(save.title, u"作成リンク集の出力先"_s);
        QCOMPARE(save.filter, u"HTMLファイル(*.htm,*.html)|*.htm;*.html|すべてのファイル(*.*)|*.*|"_s);
        QCOMPARE(save.defaultExtension, u"htm"_s);
        QCOMPARE(save.fileName, u"Page Titleのリンク集"_s);
        QVERIFY(save.overwritePrompt);
        QCOMPARE(asked[1].text,
                 u"お待たせしました。\r\nファイルにリンクを出力完了です。\r\n\r\n出力ファイル："_s + path);
        QCOMPARE(asked[1].title, u"ツタノハ"_s);
        QCOMPARE(status(), kPage + u"のリンクをファイルに出力完了"_s);
        QCOMPARE(startControls(), (QList<bool> {true, true, true, true}));
        // The builder's document (its bytes are tested on their own) in CP932.
        const auto document = linktool::buildLinkList(page, u"links.htm"_s, kPage);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes, ansi::encode(*document));
        QVERIFY(bytes.contains("<TITLE>links.htm</TITLE>"));
        QVERIFY(bytes.contains("\x83\x47\x83\x62\x83\x4e\x83\x58"));                        // エックス in CP932
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList {u"links.htm"_s}); // no temporary left
        QCOMPARE(m_tool->links()->count(), 0); // the export leaves the list alone
    }

    void exportEndsEarly()
    {
        openTool(u"http://s.test/d/"_s);
        // A folder address: refused before the dialog.
        m_platform->dialogs.answerMessage(MessageAnswer::Ok);
        m_tool->menuItem(u"mnufilehtml"_s)->setEnabled(true);
        m_tool->menuItem(u"mnufilehtml"_s)->trigger();
        QCOMPARE(m_platform->dialogs.requests().size(), 1);
        QCOMPARE(m_platform->dialogs.requests()[0].title, u"ツタノハ"_s);
        QCOMPARE(m_platform->dialogs.requests()[0].text, u"パスはファイル名まで入力してください"_s);
        QVERIFY(!control<QTimer>("Timer1")->isActive());
        // A cancelled dialog: nothing fetched, idle at once.
        url()->setText(kPage);
        m_platform->dialogs.cancelSaveFile();
        control<QPushButton>("Command1")->click();
        QVERIFY(!m_tool->isRunning());
        QVERIFY(m_platform->transfer.requests().isEmpty());
        QCOMPARE(m_tool->busyBarTwips(), LinkToolWindow::kBarFullTwips);
        QCOMPARE(startControls(), (QList<bool> {true, true, true, true}));
        // A failed fetch: no file, no message box; the status line says so.
        QTemporaryDir folder;
        m_platform->dialogs.answerSaveFile(folder.filePath(u"l.htm"_s));
        control<QPushButton>("Command1")->click();
        waitForEnd();
        QVERIFY2(status().startsWith(kPage + u"のリンクを出力できませんでした（"_s), qPrintable(status()));
        QCOMPARE(startControls(), (QList<bool> {true, true, true, true}));
        // An anchor without its end, likewise.
        m_platform->transfer.setText(QUrl(kPage), u"<A HREF=\"x.htm\">x"_s);
        m_platform->dialogs.answerSaveFile(folder.filePath(u"l.htm"_s));
        control<QPushButton>("Command1")->click();
        waitForEnd();
        QCOMPARE(status(), kPage + u"のリンクを出力できませんでした（リンクの終わりが見つかりません）"_s);
        // Stopped while the page is on its way.
        m_platform->transfer.setHolding(true);
        m_platform->dialogs.answerSaveFile(folder.filePath(u"l.htm"_s));
        control<QPushButton>("Command1")->click();
        control<QPushButton>("Command4")->click();
        waitForEnd();
        QCOMPARE(status(), kPage + u"のリンク出力を中止しました"_s);
        QVERIFY(!QFile::exists(folder.filePath(u"l.htm"_s)));
        QCOMPARE(m_platform->dialogs.unansweredCount(), 0);
        QVERIFY(!m_platform->dialogs.hadUnexpected());
    }

    void exportWriteErrorIsShown()
    {
        openTool();
        m_platform->transfer.setText(QUrl(kPage), kLinks);
        QTemporaryDir folder;
        m_platform->dialogs.answerSaveFile(folder.filePath(u"missing/l.htm"_s));
        m_platform->dialogs.answerMessage(MessageAnswer::Ok);
        control<QPushButton>("Command1")->click();
        waitForEnd();
        const auto &asked = m_platform->dialogs.requests();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[1].title, u"ゆらぎね"_s);
        QVERIFY(!asked[1].text.isEmpty());
        QVERIFY(!asked[1].text.contains(u"出力完了"_s));
        QCOMPARE(status(), kPage + u"のリンクを出力できませんでした（"_s + asked[1].text + u"）"_s);
        QCOMPARE(startControls(), (QList<bool> {true, true, true, true}));
    }

    void closeConfirmation()
    {
        m_home->write(u"Yura3.ini"_s, "[Tsutano]\r\nEndCM=True\r\n");
        openTool();
        QAction *check = m_tool->menuItem(u"mnuvisiendcheck"_s);
        QVERIFY(check->isChecked());
        QCOMPARE(m_tool->exitConfirmation(), u"True"_s);
        m_platform->dialogs.answerMessage(MessageAnswer::No);
        QVERIFY(!m_tool->close());
        const auto &asked = m_platform->dialogs.requests().last();
        QCOMPARE(asked.text, u"ツタノハProを閉じますか？"_s);
        QCOMPARE(asked.title, u"閉じる"_s);
        QCOMPARE(asked.buttons, platform::MessageButtons::YesNo);
        QCOMPARE(asked.icon, platform::MessageIcon::Question);
        QVERIFY(m_tool->isVisible());
        // Off: stored, and the close asks nothing.
        check->trigger();
        QVERIFY(!check->isChecked());
        QVERIFY(m_home->read(u"Yura3.ini"_s).contains("EndCM=False"));
        m_tool->menuItem(u"mnufileend"_s)->trigger();
        QTRY_VERIFY(m_tool.isNull());
        // Reopened: read again.
        openTool();
        QVERIFY(!m_tool->menuItem(u"mnuvisiendcheck"_s)->isChecked());
    }

    void menusOfTheWindow()
    {
        openTool();
        QAction *onTop = m_tool->menuItem(u"mnuvisituneni"_s);
        onTop->trigger();
        QVERIFY(onTop->isChecked());
        QCOMPARE(m_platform->windows.alwaysOnTop(m_tool), std::optional(true));
        onTop->trigger();
        QVERIFY(!onTop->isChecked());
        QCOMPARE(m_platform->windows.alwaysOnTop(m_tool), std::optional(false));
        // Items that do nothing.
        m_tool->menuItem(u"mnulinkoption"_s)->trigger();
        m_tool->menuItem(u"mnuhelphelp"_s)->trigger();
        QVERIFY(m_platform->dialogs.requests().isEmpty());
        // The about box: modeless, with its hover colours; a click on "OK" closes it.
        m_tool->menuItem(u"mnuhelpvertion"_s)->trigger();
        auto *about = m_host->window.findChild<LinkToolAboutBox *>(u"Form2m"_s);
        QVERIFY(about);
        QVERIFY(about->isVisible());
        QVERIFY(!about->isModal());
        QCOMPARE(about->windowTitle(), u"バージョン情報"_s);
        auto *ok = about->findChild<QLabel *>(u"Label7"_s);
        QCOMPARE(about->findChild<QLabel *>(u"Label3"_s)->text(), u"Ver1.07"_s);
        QCOMPARE(about->okColor(), QColor(0, 0, 0));
        const auto moveOver = [](QWidget *widget) {
            const QPointF at(2, 2);
            QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(widget, &move);
        };
        moveOver(ok);
        QCOMPARE(about->okColor(), QColor(255, 153, 255));
        moveOver(about->findChild<QLabel *>(u"Label2"_s)); // another label is part of the box
        QCOMPARE(about->okColor(), QColor(0, 0, 0));
        moveOver(ok);
        moveOver(about);
        QCOMPARE(about->okColor(), QColor(0, 0, 0));
        // The box stays when the tool closes.
        QPointer<LinkToolAboutBox> box(about);
        delete m_tool.data();
        QVERIFY(box);
        QTest::mouseClick(ok, Qt::LeftButton);
        QTRY_VERIFY(box.isNull());
    }

    // The main window: the File menu's enabling rule and the item that opens the tool.
    void fileMenuOpensTheTool_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("http .html") << u"http://s.test/p.html"_s << true;
        QTest::newRow("https") << u"https://s.test/p.htm"_s << true;
        QTest::newRow("folder") << u"http://s.test/d/"_s << false;
        QTest::newRow(".HTM") << u"http://s.test/P.HTM"_s << false;
        QTest::newRow("drive path") << u"C:\\p.htm"_s << false;
    }
    void fileMenuOpensTheTool()
    {
        QFETCH(QString, address);
        QFETCH(bool, enabled);
        setUpWindowTest();
        startWindow({}, false);
        m_window->setAddressText(address);
        auto *menu = m_window->findChild<QMenu *>(u"mnuFile"_s);
        Q_EMIT menu->aboutToShow();
        QAction *link = item(u"mnufilelink"_s);
        QCOMPARE(link->isEnabled(), enabled);
        QCOMPARE(link->text(), u"リンクのみ抽出して保存(&L)...."_s);
        link->setEnabled(true);
        link->trigger();
        const auto findTool = [] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *tool = qobject_cast<LinkToolWindow *>(w))
                    return tool;
            }
            return static_cast<LinkToolWindow *>(nullptr);
        };
        QPointer<LinkToolWindow> tool = findTool();
        QVERIFY(tool);
        QVERIFY(tool->isVisible());
        QCOMPARE(tool->findChild<QLineEdit *>(u"txtURL"_s)->text(), address);
        // Open already: shown again, its URL box as it was.
        m_window->setAddressText(u"http://other.test/o.htm"_s);
        link->trigger();
        QCOMPARE(findTool(), tool.data());
        QCOMPARE(tool->findChild<QLineEdit *>(u"txtURL"_s)->text(), address);
        // A double-click opens the link in the main window's browser.
        auto *model = tool->links();
        model->setEntries({{u"t"_s, u"http://s.test/x.htm"_s}});
        auto *view = tool->findChild<QTreeView *>(u"lvwLink"_s);
        view->setCurrentIndex(model->index(0, 0));
        tool->openSelectedLink();
        QCOMPARE(browser()->navigations().value(browser()->navigations().size() - 1), u"http://s.test/x.htm"_s);
        // The tool goes with the main window.
        m_window.reset();
        QVERIFY(tool.isNull());
    }
};

QTEST_MAIN(TestLinkToolWindow)
#include "tst_linktoolwindow.moc"
