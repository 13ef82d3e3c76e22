#include "app/settingsstore.h"
#include "app/startup.h"
#include "browser/mainwindow.h"
#include "sidebar/filelistview.h"
#include "sidebar/sidebarpanel.h"
#include "tests/browser/mainwindowtest.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/tempprogramfolder.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFileSystemModel>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QProcessEnvironment>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(platform::MessageAnswer)

// The sidebar of the real main window over a real favorites folder.
class TestForm1Sidebar : public MainWindowTest
{
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_favorites;

    void touch(const QString &name)
    {
        QFile file(m_favorites->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[InternetShortcut]\r\nURL=http://127.0.0.1/\r\n");
    }
    void open()
    {
        writeSetting(u"Data"_s, u"FirstOpen"_s, u"1"_s);
        writeSetting(u"Data"_s, u"FavoritesFolder"_s, m_favorites->path());
        startWindow();
    }
    QTreeWidget *tree() const { return m_window->findChild<QTreeWidget *>(u"TreeView1"_s); }
    QStringList shown() const
    {
        QStringList names;
        QTreeWidgetItem *root = tree()->topLevelItem(0);
        if (!root)
            return names;
        names.append(root->text(0));
        for (int i = 0; i < root->childCount(); ++i)
            names.append(root->child(i)->text(0));
        return names;
    }

private Q_SLOTS:
    void init()
    {
        setUpWindowTest();
        m_favorites = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_favorites->path()).mkdir(u"Sub"_s));
        touch(u"News.url"_s);
        touch(u"Sub/Inner.url"_s);
        touch(u".hidden.url"_s);
    }
    void cleanup()
    {
        tearDownWindowTest();
        m_favorites.reset();
    }

    void treeAtLoadAndOnTheTab()
    {
        open();
        QCOMPARE(shown(), QStringList({m_favorites->path(), u"Sub"_s, u"News"_s}));
        QVERIFY(tree()->topLevelItem(0)->isExpanded());
        QVERIFY(!tree()->topLevelItem(0)->child(0)->isExpanded());
        QCOMPARE(tree()->currentItem(), tree()->topLevelItem(0));
        auto *tabs = m_window->findChild<QTabBar *>(u"TabStrip1"_s);
        QCOMPARE(tabs->tabText(0), u"お気に入り"_s);
        QCOMPARE(tabs->tabText(1), u"ﾌｧｲﾙ"_s);

        touch(u"Added.url"_s);
        QFile::remove(m_favorites->filePath(u"News.url"_s));
        tabs->setCurrentIndex(0);
        m_window->parts().sidebar->showSelectedTab();
        QCOMPARE(shown(), QStringList({m_favorites->path(), u"Sub"_s, u"Added"_s}));
    }

    void sidebarButtonKeepsTheFileTab()
    {
        open();
        auto *tabs = m_window->findChild<QTabBar *>(u"TabStrip1"_s);
        tabs->setCurrentIndex(1);
        m_window->parts().sidebar->showSelectedTab();
        auto *folders = qobject_cast<QFileSystemModel *>(control<QTreeView>(u"SHTree1"_s)->model());
        QCOMPARE(folders->rootPath(), u"/"_s); // the folder tree fills when first shown
        touch(u"Later.url"_s);
        auto *button = m_window->findChild<QToolButton *>(u"Command8"_s);
        auto *frame = m_window->findChild<QFrame *>(u"Frame2"_s);
        button->click();
        QVERIFY(frame->isHidden());
        QCOMPARE(readSetting(u"Window"_s, u"Frame2"_s), u"False"_s);
        QVERIFY(!m_window->menuItem(u"mnuVisiSidebar"_s)->isChecked());
        button->click();
        QVERIFY(!frame->isHidden());
        QCOMPARE(readSetting(u"Window"_s, u"Frame2"_s), u"True"_s);
        QVERIFY(!shown().contains(u"Later"_s)); // the file tab stays in front, no rebuild
        // On the favorites tab the button rebuilds the tree.
        tabs->setCurrentIndex(0);
        QVERIFY(shown().contains(u"Later"_s)); // choosing the tab rebuilt it
        touch(u"Latest.url"_s);
        button->click();
        button->click();
        QVERIFY(shown().contains(u"Latest"_s));
    }

    void fileListFiltersAndOpens()
    {
        QTemporaryDir files;
        for (const QString &name : {u"a.htm"_s, u"b.png"_s, u"c.bin"_s, u"README"_s}) {
            QFile file(files.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        open();
        auto *list = m_window->findChild<FileListView *>(u"FileView1"_s);
        list->setPath(files.path());
        QCOMPARE(list->count(), 4); // "*.*" lists names without a dot too
        m_window->menuItem(u"mnufileFCG"_s)->trigger();
        QCOMPARE(list->count(), 1);
        QVERIFY(m_window->menuItem(u"mnufileFCG"_s)->isChecked());
        QVERIFY(!m_window->menuItem(u"mnufileFALL"_s)->isChecked());
        QVERIFY(!m_window->menuItem(u"mnufileFF"_s)->isEnabled());
        m_window->menuItem(u"mnufileFTEXT"_s)->trigger();
        QCOMPARE(list->item(0)->text(), u"a.htm"_s);
        list->setCurrentRow(0);
        auto *browser = qobject_cast<FakeBrowser *>(m_window->browser());
        browser->calls.clear();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(browser->navigations(), QStringList {files.path() + u"/a.htm"_s});
        QCOMPARE(m_window->addressText(), files.path() + u"/a.htm"_s);
        QCOMPARE(FileListView::fileAddress(u"/"_s, u"a.htm"_s), u"/a.htm"_s);
    }

    void rightClicksPopUpMenus()
    {
        open();
        auto *menu = m_window->findChild<QMenu *>(u"mnuOkiniiri"_s);
        Q_EMIT tree()->customContextMenuRequested(QPoint(5, 5));
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        auto *widths = m_window->findChild<QMenu *>(u"mnuVisiWS"_s);
        Q_EMIT m_window->findChild<QToolButton *>(u"Command8"_s)->customContextMenuRequested(QPoint(2, 2));
        QTRY_VERIFY(widths->isVisible());
        widths->hide();
    }

    void addFavoriteWritesAShortcut()
    {
        open();
        auto *browser = qobject_cast<FakeBrowser *>(m_window->browser());
        browser->pageTitle = u"天気: 今日/明日"_s;
        browser->url = u"http://127.0.0.1/weather"_s;
        const QString sub = m_favorites->filePath(u"Sub"_s);
        QTimer::singleShot(0, this, [sub] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto *name = dialog->findChild<QLineEdit *>(u"favoriteName"_s);
            QCOMPARE(name->text(), u"天気: 今日/明日"_s);
            auto *folder = dialog->findChild<QComboBox *>(u"favoriteFolder"_s);
            folder->setCurrentIndex(folder->findText(sub));
            dialog->accept();
        });
        m_window->menuItem(u"mnuOkiniiriAdd"_s)->trigger();
        QCOMPARE(m_fake->shell.shortcuts().size(), 1);
        QCOMPARE(m_fake->shell.shortcuts().first().first, sub + u"/天気_ 今日_明日.url"_s);
        QCOMPARE(m_fake->shell.shortcuts().first().second, u"http://127.0.0.1/weather"_s);
    }

    // Add favorite asks before it replaces a file under the name the user confirmed; the
    // desktop shortcut, named by the page, never replaces one and asks nothing. Neither
    // expands the page's address.
    void shortcutReplacesOnlyWhenAsked_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("taken"); // a ページ.url is there already
        QTest::addColumn<platform::MessageAnswer>("answer");
        QTest::addColumn<QString>("written");          // "" = nothing written
        const auto none = platform::MessageAnswer::Ok; // not asked
        QTest::newRow("add, replace") << u"mnuOkiniiriAdd"_s << true << platform::MessageAnswer::Yes << u"ページ.url"_s;
        QTest::newRow("add, keep") << u"mnuOkiniiriAdd"_s << true << platform::MessageAnswer::No << QString();
        QTest::newRow("desktop, name free") << u"mnuOkiniiriShort"_s << false << none << u"ページ.url"_s;
        QTest::newRow("desktop, name taken") << u"mnuOkiniiriShort"_s << true << none << u"ページ (2).url"_s;
    }
    void shortcutReplacesOnlyWhenAsked()
    {
        QFETCH(QString, command);
        QFETCH(bool, taken);
        QFETCH(platform::MessageAnswer, answer);
        QFETCH(QString, written);
        const bool add = command == u"mnuOkiniiriAdd";
        QTemporaryDir desktop;
        QProcessEnvironment environment;
        environment.insert(u"USER"_s, u"taro"_s);
        environment.insert(u"DESK"_s, desktop.path());
        m_fake->shell.setEnvironment(environment);
        m_fake->shell.setDesktopFolder(u"%DESK%"_s);
        const QDir folder(add ? m_favorites->path() : desktop.path());
        const QByteArray old = "[InternetShortcut]\r\nURL=http://127.0.0.1/old\r\n";
        QFile existing(folder.filePath(u"ページ.url"_s));
        QVERIFY(!taken || (existing.open(QIODevice::WriteOnly) && existing.write(old) == old.size()));
        existing.close();
        open();
        auto *browser = qobject_cast<FakeBrowser *>(m_window->browser());
        browser->pageTitle = u"ページ"_s;
        browser->url = u"http://127.0.0.1/p?u=%USER%"_s;
        if (answer != platform::MessageAnswer::Ok)
            m_fake->dialogs.answerMessage(answer);
        if (add)
            QTimer::singleShot(0, this, [] { qobject_cast<QDialog *>(QApplication::activeModalWidget())->accept(); });
        m_window->menuItem(command)->trigger();

        QCOMPARE(m_fake->dialogs.messageTexts().size(), answer != platform::MessageAnswer::Ok ? 1 : 0);
        auto read = [&folder](const QString &name) {
            QFile file(folder.filePath(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        if (taken && written != u"ページ.url")
            QCOMPARE(read(u"ページ.url"_s), old);
        if (!written.isEmpty())
            QCOMPARE(read(written), QByteArray("[InternetShortcut]\r\nURL=http://127.0.0.1/p?u=%USER%\r\n"));
    }

    void favoritesFolderOpens()
    {
        open();
        m_window->menuItem(u"mnuOkiniiriF"_s)->trigger();
        m_window->menuItem(u"mnuOkiniiriOrganizeFavorites"_s)->trigger();
        QCOMPARE(m_fake->shell.openedFolders(), QStringList({m_favorites->path(), m_favorites->path()}));
    }

    void otherBrowsersBookmarks()
    {
        open();
        auto set = [this](const QString &path, const QString &name, const QString &value) {
            const auto key = m_fake->registry.openKey(platform::registry::CurrentUser, path);
            m_fake->registry.writeString(key, name, value);
            m_fake->registry.closeKey(key);
        };
        set(u"Software\\Netscape\\Netscape Navigator\\Main"_s, u"Install Directory"_s,
            u"/opt/Netscape/Communicator/Program"_s);
        set(u"Software\\Netscape\\Netscape Navigator\\biff"_s, u"CurrentUser"_s, u"taro"_s);
        set(u"Software\\Netscape\\Netscape 6"_s, u"CurrentVersion"_s, u"6.2 (ja)"_s);
        set(u"Software\\Netscape\\Netscape 6\\6.2 (ja)\\Main"_s, u"Install Directory"_s, u"/opt/Netscape 6/"_s);
        auto *browser = qobject_cast<FakeBrowser *>(m_window->browser());
        browser->calls.clear();
        m_window->menuItem(u"mnuOkiniiriNetscape4"_s)->trigger();
        m_window->menuItem(u"mnuOkiniiriNetscape6"_s)->trigger();
        QCOMPARE(browser->navigations(),
                 QStringList({u"/opt/Netscape/Users/taro/bookmark.htm"_s,
                              u"/opt/Netscape 6/defaults/profile/bookmarks.html"_s}));
    }

    void doubleClickOpensAShortcut()
    {
        QFile odd(m_favorites->filePath(u"Odd.url"_s));
        QVERIFY(odd.open(QIODevice::WriteOnly));
        odd.write("[InternetShortcut]\r\nModified=0\r\nURL=http://127.0.0.1/odd\r\nIconIndex=1\r\n");
        odd.close();
        open();
        auto *browser = qobject_cast<FakeBrowser *>(m_window->browser());
        browser->calls.clear();
        m_window->setAddressText(u"kept"_s);
        QTreeWidgetItem *root = tree()->topLevelItem(0);
        Q_EMIT tree()->itemDoubleClicked(root, 0);           // the root: nothing
        Q_EMIT tree()->itemDoubleClicked(root->child(0), 0); // the folder Sub: nothing
        QCOMPARE(m_window->addressText(), u"kept"_s);
        for (int i = 0; i < root->childCount(); ++i) {
            if (root->child(i)->text(0) == u"Odd")
                Q_EMIT tree()->itemDoubleClicked(root->child(i), 0);
        }
        QCOMPARE(browser->navigations(), QStringList {u"http://127.0.0.1/odd"_s});
        QCOMPARE(m_window->addressText(), u"http://127.0.0.1/odd"_s);
    }

    void importAndExportThroughTheMenu()
    {
        open();
        QTemporaryDir out;
        const QString file = out.filePath(u"bookmarks.html"_s);
        m_fake->dialogs.answerSaveFile(file);
        m_window->menuItem(u"mnuFileexport"_s)->trigger();
        QVERIFY(QFile(file).size() > 0);
        // Into a fresh favorites folder.
        QTemporaryDir fresh;
        writeSetting(u"Data"_s, u"FavoritesFolder"_s, fresh.path());
        runStartup();
        m_fake->dialogs.answerOpenFile(file);
        m_window->menuItem(u"mnuFileinport"_s)->trigger();
        QVERIFY(QFile::exists(fresh.filePath(u"News.url"_s)));
        QVERIFY(QFile::exists(fresh.filePath(u"Sub/Inner.url"_s)));
        // A file that cannot be read reports in the message bar.
        m_fake->dialogs.answerOpenFile(out.filePath(u"missing.html"_s));
        m_window->menuItem(u"mnuFileinport"_s)->trigger();
        QVERIFY(m_window->messageBarVisible());
    }

    void missingFavoritesFolderLeavesTheTreeEmpty()
    {
        m_favorites->remove();
        open();
        QCOMPARE(tree()->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(TestForm1Sidebar)
#include "tst_mainwindowsidebar.moc"
