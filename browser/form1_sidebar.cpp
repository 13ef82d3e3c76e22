// The sidebar: the favorites tree, the folder tree with its file list, the tabs and the
// sidebar button.
#include "browser/form1.h"

#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "platform/browsercomponent.h"
#include "sidebar/bookmarks.h"
#include "sidebar/favoritestree.h"
#include "sidebar/filelistview.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QHash>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

namespace {
constexpr int kKeyRole = Qt::UserRole;
}

void Form1::buildSidebarViews()
{
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    // The root is set the first time the file tab shows: the model starts watching the
    // file system then, not at every start.
    m_shellTree = new QTreeView(m_frame2);
    m_shellTree->setObjectName(QStringLiteral("SHTree1"));
    m_shellTree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_shellTree->hideColumn(column);
    m_shellTree->setHeaderHidden(true);
    m_files = new FileListView(m_frame2);
    m_files->setPath(QDir::homePath());
    m_shellTree->lower();
    m_files->lower();

    m_fileFilterMenu = new QMenu(QStringLiteral("ファイルフィルタ"), this);
    m_fileFilterMenu->setObjectName(QStringLiteral("mnufileF"));
    addItem(m_fileFilterMenu, QStringLiteral("mnufileFF"), QStringLiteral("■ファイルフィルタ■"))->setEnabled(false);
    addItem(m_fileFilterMenu, QStringLiteral("mnufileFTEXT"), QStringLiteral("テキストのみ表示"), {}, true);
    addItem(m_fileFilterMenu, QStringLiteral("mnufileFCG"), QStringLiteral("画像のみ表示"), {}, true);
    addItem(m_fileFilterMenu, QStringLiteral("mnufileFALL"), QStringLiteral("すべて表示"), {}, true, true);
    m_favorites->setContextMenuPolicy(Qt::CustomContextMenu);
    m_buttons[5]->setContextMenuPolicy(Qt::CustomContextMenu);
}

void Form1::wireSidebar()
{
    connect(m_tabs, &QTabBar::tabBarClicked, this, [this](int index) {
        m_tabs->setCurrentIndex(index);
        TabStrip1_Click();
    });
    connect(m_shellTree, &QTreeView::clicked, this,
            [this](const QModelIndex &index) { m_files->setPath(m_folders->filePath(index)); });
    connect(m_files, &FileListView::openRequested, this, &Form1::openSelectedFile);
    connect(m_files, &FileListView::menuRequested, this, [this](const QPoint &at) { m_fileFilterMenu->popup(at); });
    for (const char *name : {"mnufileFTEXT", "mnufileFCG", "mnufileFALL"}) {
        connect(menuItem(QString::fromLatin1(name)), &QAction::triggered, this,
                [this, name] { chooseFileFilter(QString::fromLatin1(name)); });
    }
    connect(m_favorites, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_favorites->setFocus();
        findChild<QMenu *>(QStringLiteral("mnuOkiniiri"))->popup(m_favorites->viewport()->mapToGlobal(at));
    });
    connect(m_favorites, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { openFavorite(item); });
    connect(m_buttons[5], &QToolButton::clicked, this, &Form1::Command8_Click);
    connect(m_buttons[5], &QToolButton::customContextMenuRequested, this, [this](const QPoint &at) {
        findChild<QMenu *>(QStringLiteral("mnuVisiWS"))->popup(m_buttons[5]->mapToGlobal(at));
    });
}

void Form1::BuildFavoritesTree(const QString &folder)
{
    const QList<favorites::TreeNode> nodes =
        favorites::BuildFavoritesTree(favorites::ScanFavoritesFolder(favorites::FileSystemLister(), folder), folder);
    if (nodes.isEmpty())
        return; // the tree keeps what it shows
    m_favorites->clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileLinkIcon);
    QHash<QString, QTreeWidgetItem *> byKey;
    for (const favorites::TreeNode &node : nodes) {
        QTreeWidgetItem *item = node.parentKey.isEmpty()
            ? new QTreeWidgetItem(m_favorites)
            : new QTreeWidgetItem(byKey.value(node.parentKey));
        item->setText(0, node.text);
        item->setData(0, kKeyRole, node.key);
        item->setIcon(0, node.image == u"folder" ? folderIcon : fileIcon);
        byKey.insert(node.key, item);
    }
    m_favorites->topLevelItem(0)->setExpanded(true);
}

void Form1::arrangeSidebarViews()
{
    if (m_tabs->currentIndex() == 0) {
        m_shellTree->lower();
        m_files->lower();
        m_favorites->raise();
        BuildFavoritesTree(Settings().FavoritesFolder);
        if (QTreeWidgetItem *root = m_favorites->topLevelItem(0))
            m_favorites->setCurrentItem(root);
    } else {
        if (m_folders->rootPath().isEmpty() || m_folders->rootPath() == u".")
            m_folders->setRootPath(QStringLiteral("/"));
        m_shellTree->raise();
        m_files->raise();
        m_favorites->lower();
    }
}

void Form1::TabStrip1_Click()
{
    arrangeSidebarViews();
}

void Form1::Command8_Click()
{
    const bool show = m_frame2->isHidden();
    if (show)
        arrangeSidebarViews();
    menuItem(QStringLiteral("mnuVisiSidebar"))->setChecked(show);
    menuItem(QStringLiteral("mnuSimpleSidebar"))->setChecked(show);
    m_frame2->setVisible(show);
    layoutWindow();
    writeWindowSetting(QStringLiteral("Frame2"), show);
}

void Form1::openSelectedFile()
{
    setAddressText(FileListView::fileAddress(m_files->path(), m_files->fileName()));
    if (m_browser)
        m_browser->Navigate2(addressText());
}

void Form1::chooseFileFilter(const QString &name)
{
    static const QHash<QString, QString> patterns{
        {QStringLiteral("mnufileFTEXT"), QStringLiteral("*.htm;*.html;*.mht;*.txt")},
        {QStringLiteral("mnufileFCG"), QStringLiteral("*.gif;*.jpg;*.jpeg;*.jpe;*.png;*.swf")},
        {QStringLiteral("mnufileFALL"), QStringLiteral("*.*")},
    };
    for (auto it = patterns.cbegin(); it != patterns.cend(); ++it)
        menuItem(it.key())->setChecked(it.key() == name);
    m_files->setPattern(patterns.value(name));
}

void Form1::openFavorite(QTreeWidgetItem *item)
{
    // Folders and the root are no shortcut files: nothing happens but their own expanding.
    const QString path = item ? item->data(0, kKeyRole).toString() : QString();
    if (!item || !item->parent() || !QFileInfo(path).isFile())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    setAddressText(QString());
    const auto address = bookmarks::parseShortcutAddress(file.readAll());
    if (!address)
        return;
    setAddressText(*address);
    if (m_browser)
        m_browser->Navigate(addressText());
}
