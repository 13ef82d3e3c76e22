#include "app/layout.h"
#include "app/settingsrecord.h"
#include "sidebar/filelistview.h"
#include "sidebar/sidebarpanel.h"
#include "tests/support/fakebrowserhost.h"
#include "tests/support/fakeplatform.h"

#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

// The sidebar on its own, against a fake window: what reaches the window goes through
// the host or a signal.
class TestSidebarPanel : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_favorites;
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<FakeBrowserHost> m_host;
    std::unique_ptr<SidebarPanel> m_panel;

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_favorites.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTreeWidget *tree() const { return m_panel->findChild<QTreeWidget *>(u"TreeView1"_s); }
    QTreeWidgetItem *itemNamed(const QString &text) const
    {
        const auto found = tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    QTabBar *tabs() const { return m_panel->findChild<QTabBar *>(u"TabStrip1"_s); }
    QTreeView *folderTree() const { return m_panel->findChild<QTreeView *>(u"SHTree1"_s); }
    void clickTab(int index)
    {
        QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(index).center());
        QCOMPARE(tabs()->currentIndex(), index);
    }
    bool favoritesInFront() const
    {
        const QList<QObject *> order = m_panel->children();
        return order.indexOf(tree()) > order.indexOf(folderTree());
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir(m_favorites.path()).mkpath(u"Sub"_s));
        write(u"News.url"_s, "[InternetShortcut]\r\nURL=http://127.0.0.1/news\r\n");
        write(u"Big.url"_s, "[InternetShortcut]\r\n" + QByteArray(70000, ';') + "\r\nURL=http://127.0.0.1/big\r\n");
        settingsRecord().FavoritesFolder = m_favorites.path();
        m_fake = std::make_unique<FakePlatform>();
        m_host = std::make_unique<FakeBrowserHost>();
        m_panel = std::make_unique<SidebarPanel>(*m_host, m_fake->platform(), &m_host->window);
        m_panel->load();
        m_host->window.resize(300, 400);
        m_panel->resize(300, 400);
        tabs()->resize(tabs()->sizeHint());
    }
    void cleanup()
    {
        m_panel.reset();
        m_host.reset();
        m_fake.reset();
        settingsRecord() = SettingsRecord();
    }

    void everyWayOfChoosingATabSwapsTheViews_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("click to files") << u"click"_s << 0 << 1;
        QTest::newRow("click to favorites") << u"click"_s << 1 << 0;
        QTest::newRow("click on the chosen tab") << u"click"_s << 0 << 0;
        QTest::newRow("keys to files") << u"keys"_s << 0 << 1;
        QTest::newRow("keys to favorites") << u"keys"_s << 1 << 0;
        QTest::newRow("wheel to favorites") << u"wheel"_s << 1 << 0;
    }
    void everyWayOfChoosingATabSwapsTheViews()
    {
        QFETCH(QString, how);
        QFETCH(int, from);
        QFETCH(int, to);
        clickTab(from);
        QSignalSpy rebuilt(tree()->model(), &QAbstractItemModel::modelReset);
        if (how == u"click") {
            clickTab(to);
        } else if (how == u"keys") {
            QTest::keyClick(tabs(), to > from ? Qt::Key_Right : Qt::Key_Left);
        } else {
            const QPointF at = tabs()->tabRect(from).center();
            QWheelEvent wheel(at, tabs()->mapToGlobal(at), {}, QPoint(0, to < from ? 120 : -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(tabs(), &wheel);
        }
        QCOMPARE(tabs()->currentIndex(), to);
        QCOMPARE(tabs()->toolTip(), u"使用するサイドバー機能を選択できます。"_s);
        QCOMPARE(favoritesInFront(), to == 0);
        QCOMPARE(folderTree()->isHidden(), to == 0); // no layout or listing behind the favorites
        QCOMPARE(rebuilt.size(), to == 0 ? 1 : 0);   // the favorites tab builds the tree once
    }

    void folderTreeFillsTheListWithTheCurrentFolder()
    {
        clickTab(1);
        auto *model = qobject_cast<QFileSystemModel *>(folderTree()->model());
        auto *files = m_panel->findChild<FileListView *>(u"FileView1"_s);
        const QModelIndex favorites = model->index(m_favorites.path());
        folderTree()->setCurrentIndex(favorites);
        QCOMPARE(files->path(), m_favorites.path());
        for (QModelIndex shown = favorites; shown.isValid(); shown = shown.parent())
            folderTree()->expand(shown);
        QTRY_COMPARE(model->rowCount(favorites), 1);
        QTest::keyClick(folderTree(), Qt::Key_Down); // into the folder Sub
        QCOMPARE(files->path(), m_favorites.filePath(u"Sub"_s));
    }

    void openingGoesThroughTheHost()
    {
        m_host->address = u"kept"_s;
        Q_EMIT tree()->itemDoubleClicked(itemNamed(u"Big"_s), 0); // its address lies past what is read
        QCOMPARE(m_host->address, QString());
        Q_EMIT tree()->itemDoubleClicked(itemNamed(u"News"_s), 0);
        QCOMPARE(m_host->address, u"http://127.0.0.1/news"_s);
        QCOMPARE(m_host->fakeBrowser->navigations(), QStringList {u"http://127.0.0.1/news"_s});
    }

    void importReports_data()
    {
        QTest::addColumn<QByteArray>("html"); // null: no such file
        QTest::addColumn<QString>("into");    // below the favorites folder
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown"); // in the tree at once, "" for none
        const QString failed = u"インポートが実行できません。WinXP SP2環境に対応していません。"_s;
        QTest::newRow("all taken") << QByteArray(
            "<DL><DT><H3>F</H3><DL><DT><A HREF=\"http://127.0.0.1/a\">取込A</A></DL></DL>")
                                   << u"new"_s << u"お気に入りを 1 件、フォルダを 1 件インポートしました。"_s
                                   << u"取込A"_s;
        QTest::newRow("some skipped")
            << QByteArray("<DL><DT><A HREF=\"http://127.0.0.1/a\">取込B</A><DT><A HREF=\"javascript:x()\">J</A></DL>")
            << u"new2"_s << u"お気に入りを 1 件、フォルダを 0 件インポートしました。（1 件は取り込めませんでした。）"_s
            << u"取込B"_s;
        QTest::newRow("file cannot be read") << QByteArray() << u"new"_s << failed << QString();
        QTest::newRow("folder cannot be made") << QByteArray("<DL><DT><A HREF=\"http://127.0.0.1/a\">A</A></DL>")
                                               << u"News.url/new"_s << failed << QString();
    }
    void importReports()
    {
        QFETCH(QByteArray, html);
        QFETCH(QString, into);
        QFETCH(QString, message);
        const QString file = QString::fromLatin1(QTest::currentDataTag()) + u".html"_s;
        if (!html.isNull())
            write(file, html);
        m_fake->dialogs.answerOpenFile(m_favorites.filePath(file));
        QFETCH(QString, shown);
        settingsRecord().FavoritesFolder = m_favorites.filePath(into);
        m_panel->importBookmarks();
        QCOMPARE(m_host->messages, QStringList {message});
        if (!shown.isEmpty())
            QVERIFY(itemNamed(shown));
    }

    void viewsFollowTheLayout()
    {
        layout::Input in;
        in.windowWidth = in.clientWidth = 900 * layout::kTwipsPerPixel;
        in.clientHeight = 600 * layout::kTwipsPerPixel;
        in.sideW = 5;
        in.tabClientTop = m_panel->tabStripHeight() * layout::kTwipsPerPixel;
        in.tabClientWidthMargin = 70;
        in.tabClientHeightMargin = in.tabClientTop + 40;
        const layout::Result out = layout::compute(in);
        m_panel->arrange(out);

        QCOMPARE(m_panel->geometry(), layout::pixels(*out.sidebar));
        const QRect strip(QPoint(0, 0), m_panel->size());
        QCOMPARE(tree()->geometry(), layout::pixels(*out.favorites) & strip);
        const QRect folders = m_panel->findChild<QTreeView *>(u"SHTree1"_s)->geometry();
        const QRect files = m_panel->findChild<FileListView *>(u"FileView1"_s)->geometry();
        QCOMPARE(folders, layout::pixels(*out.folders));
        QCOMPARE(files.top(), layout::pixels(out.files->top));
        QVERIFY(folders.bottom() < files.top());
        QVERIFY(strip.contains(files)); // the list ends at the panel's edge
    }
};

QTEST_MAIN(TestSidebarPanel)
#include "tst_sidebarpanel.moc"
