#pragma once

#include "app/layout.h"
#include "platform/platform.h"

#include <QFrame>

class BrowserHost;
class FileListView;
class QFileSystemModel;
class QMenu;
class QTabBar;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

// The sidebar: the favorites tree and, on the second tab, a folder tree over a file list
// with its filter menu; also the favorites menu's commands. It reaches the window around
// it only through the host; the window keeps the menu items and calls the commands.
class SidebarPanel : public QFrame
{
    Q_OBJECT
public:
    SidebarPanel(BrowserHost &host, platform::Platform services, QWidget *parent);

    // Places the panel and its views where the window's layout puts them.
    void arrange(const layout::Result &layout);
    int tabStripHeight() const;

    // At load: the tree of the favorites folder with its root chosen, the two tabs, the
    // favorites tab in front.
    void load();
    // Shows the views of the chosen tab; the favorites tab rebuilds the tree.
    void showSelectedTab();
    void buildFavoritesTree(const QString &folder);

    // The favorites menu's items, each wired to its command here; the menu also pops up
    // from a right click on the favorites tree.
    struct FavoritesItems
    {
        QMenu *menu;
        QAction *add, *organize, *openFolder, *desktopShortcut, *importBookmarks, *exportBookmarks, *netscape4,
            *netscape6;
    };
    void wireFavoritesMenu(const FavoritesItems &items);

    // The favorites menu.
    void addFavorite();
    void openFavoritesFolder();
    void desktopShortcut();
    void importBookmarks();
    void exportBookmarks();
    void openNetscape4Bookmarks();
    void openNetscape6Bookmarks();

Q_SIGNALS:
    // A right click on the favorites tree asks for the favorites menu there.
    void favoritesMenuRequested(const QPoint &globalPosition);

private:
    void wire();
    void openSelectedFile();
    void openFavorite(QTreeWidgetItem *item);
    void chooseFileFilter(QAction *chosen);
    void navigate(const QString &address);
    bool writeShortcut(const QString &path, const QString &address);

    BrowserHost &m_host;
    platform::Platform m_services;
    QTabBar *m_tabs = nullptr;          // TabStrip1
    QTreeWidget *m_favorites = nullptr; // TreeView1
    QTreeView *m_shellTree = nullptr;   // SHTree1
    QFileSystemModel *m_folders = nullptr;
    FileListView *m_files = nullptr;                // FileView1
    QMenu *m_fileFilterMenu = nullptr;              // mnufileF
    QList<std::pair<QAction *, QString>> m_filters; // item and its patterns
};
