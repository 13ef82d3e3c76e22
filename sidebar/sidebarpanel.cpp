#include "sidebar/sidebarpanel.h"

#include "app/browserhost.h"
#include "app/settingsrecord.h"
#include "platform/browsercomponent.h"
#include "platform/files.h"
#include "sidebar/addfavoritedialog.h"
#include "sidebar/bookmarks.h"
#include "sidebar/favoriteops.h"
#include "sidebar/favoritestree.h"
#include "sidebar/filelistview.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QTabBar>
#include <QTreeView>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int kKeyRole = Qt::UserRole;
const QString kBookmarkFilter = u"ブックマーク (*.htm;*.html)|*.htm;*.html|すべてのファイル (*.*)|*.*|"_s;

} // namespace

SidebarPanel::SidebarPanel(BrowserHost &host, platform::Platform services, QWidget *parent)
    : QFrame(parent)
    , m_host(host)
    , m_services(services)
{
    setObjectName(u"Frame2"_s);
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(u"TabStrip1"_s);
    m_tabs->setToolTip(u"使用するサイドバー機能を選択できます。"_s);
    m_tabs->addTab(QString());
    m_favorites = new QTreeWidget(this);
    m_favorites->setObjectName(u"TreeView1"_s);
    m_favorites->header()->hide();
    m_favorites->setContextMenuPolicy(Qt::CustomContextMenu);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    // The root is set the first time the file tab shows: the model starts watching the
    // file system then, not at every start.
    m_shellTree = new QTreeView(this);
    m_shellTree->setObjectName(u"SHTree1"_s);
    m_shellTree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_shellTree->hideColumn(column);
    m_shellTree->setHeaderHidden(true);
    m_files = new FileListView(this);
    // Hidden until the file tab shows: neither lays out, lists or paints before then.
    m_shellTree->hide();
    m_files->hide();

    m_fileFilterMenu = new QMenu(u"ファイルフィルタ"_s, this);
    m_fileFilterMenu->setObjectName(u"mnufileF"_s);
    QAction *title = m_fileFilterMenu->addAction(u"■ファイルフィルタ■"_s);
    title->setObjectName(u"mnufileFF"_s);
    title->setEnabled(false);
    const struct
    {
        const char16_t *name;
        const char16_t *caption;
        const char16_t *patterns;
    } filters[] = {
        {u"mnufileFTEXT", u"テキストのみ表示", u"*.htm;*.html;*.mht;*.txt"},
        {u"mnufileFCG", u"画像のみ表示", u"*.gif;*.jpg;*.jpeg;*.jpe;*.png;*.swf"},
        {u"mnufileFALL", u"すべて表示", u"*.*"},
    };
    for (const auto &filter : filters) {
        QAction *item = m_fileFilterMenu->addAction(QString::fromUtf16(filter.caption));
        item->setObjectName(QString::fromUtf16(filter.name));
        item->setCheckable(true);
        m_filters.append({item, QString::fromUtf16(filter.patterns)});
    }
    m_filters.last().first->setChecked(true);
    wire();
}

void SidebarPanel::wire()
{
    // Keys and the wheel change tabs too. A click on the tab already chosen changes
    // nothing, yet still refreshes the favorites tree; a click on another tab comes
    // through currentChanged alone, so the tree is built once.
    connect(m_tabs, &QTabBar::currentChanged, this, &SidebarPanel::showSelectedTab);
    connect(m_tabs, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index == m_tabs->currentIndex())
            showSelectedTab();
    });
    // The folder under the cursor, whether the mouse or the keys put it there.
    connect(m_shellTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_files->setPath(m_folders->filePath(current));
            });
    connect(m_files, &FileListView::openRequested, this, &SidebarPanel::openSelectedFile);
    connect(m_files, &FileListView::menuRequested, this, [this](const QPoint &at) { m_fileFilterMenu->popup(at); });
    for (const auto &[item, patterns] : std::as_const(m_filters)) {
        QAction *chosen = item;
        connect(item, &QAction::triggered, this, [this, chosen] { chooseFileFilter(chosen); });
    }
    connect(m_favorites, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_favorites->setFocus();
        Q_EMIT favoritesMenuRequested(m_favorites->viewport()->mapToGlobal(at));
    });
    connect(m_favorites, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { openFavorite(item); });
}

void SidebarPanel::arrange(const layout::Result &out)
{
    if (out.sidebar)
        setGeometry(layout::pixels(*out.sidebar));
    if (!out.tabStrip)
        return;
    const QRect strip = layout::pixels(*out.tabStrip);
    m_tabs->setGeometry(0, 0, strip.width(), m_tabs->sizeHint().height());
    // The views may reach a few pixels past the strip; they end at its edge instead.
    if (out.favorites)
        m_favorites->setGeometry(layout::pixels(*out.favorites) & strip);
    if (out.folders)
        m_shellTree->setGeometry(layout::pixels(*out.folders) & strip);
    if (out.files)
        m_files->setGeometry(layout::pixels(*out.files) & strip);
}

int SidebarPanel::tabStripHeight() const
{
    return m_tabs->sizeHint().height();
}

void SidebarPanel::load()
{
    buildFavoritesTree(settingsRecord().FavoritesFolder);
    if (QTreeWidgetItem *root = m_favorites->topLevelItem(0))
        m_favorites->setCurrentItem(root);
    m_tabs->setTabText(0, u"お気に入り"_s);
    if (m_tabs->count() < 2)
        m_tabs->addTab(u"ﾌｧｲﾙ"_s);
    m_tabs->setCurrentIndex(0);
}

void SidebarPanel::buildFavoritesTree(const QString &folder)
{
    const QList<favorites::TreeNode> nodes =
        favorites::buildFavoritesTree(favorites::scanFavoritesFolder(favorites::FileSystemLister(), folder), folder);
    if (nodes.isEmpty())
        return; // the tree keeps what it shows
    m_favorites->clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileLinkIcon);
    QHash<QString, QTreeWidgetItem *> byKey;
    for (const favorites::TreeNode &node : nodes) {
        QTreeWidgetItem *item = node.parentKey.isEmpty() ? new QTreeWidgetItem(m_favorites)
                                                         : new QTreeWidgetItem(byKey.value(node.parentKey));
        item->setText(0, node.text);
        item->setData(0, kKeyRole, node.key);
        item->setIcon(0, node.image == u"folder" ? folderIcon : fileIcon);
        byKey.insert(node.key, item);
    }
    m_favorites->topLevelItem(0)->setExpanded(true);
}

void SidebarPanel::showSelectedTab()
{
    if (m_tabs->currentIndex() == 0) {
        m_shellTree->hide();
        m_files->hide();
        m_favorites->raise();
        buildFavoritesTree(settingsRecord().FavoritesFolder);
        if (QTreeWidgetItem *root = m_favorites->topLevelItem(0))
            m_favorites->setCurrentItem(root);
    } else {
        if (m_folders->rootPath().isEmpty() || m_folders->rootPath() == u".")
            m_folders->setRootPath(u"/"_s);
        if (m_files->path().isEmpty())
            m_files->setPath(QDir::homePath());
        m_shellTree->show();
        m_files->show();
        m_shellTree->raise();
        m_files->raise();
        m_favorites->lower();
    }
}

void SidebarPanel::openSelectedFile()
{
    m_host.setAddressText(FileListView::fileAddress(m_files->path(), m_files->fileName()));
    if (platform::BrowserComponent *browser = m_host.browser())
        browser->navigate(m_host.addressText());
}

void SidebarPanel::chooseFileFilter(QAction *chosen)
{
    for (const auto &[item, patterns] : std::as_const(m_filters)) {
        item->setChecked(item == chosen);
        if (item == chosen)
            m_files->setPattern(patterns);
    }
}

void SidebarPanel::openFavorite(QTreeWidgetItem *item)
{
    // Folders and the root are no shortcut files: nothing happens but their own expanding.
    const QString path = item ? item->data(0, kKeyRole).toString() : QString();
    if (!item || !item->parent() || !QFileInfo(path).isFile())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_host.setAddressText(QString());
    const auto address = bookmarks::readShortcutAddress(file);
    if (!address)
        return;
    navigate(*address);
}

void SidebarPanel::navigate(const QString &address)
{
    m_host.setAddressText(address);
    if (platform::BrowserComponent *browser = m_host.browser())
        browser->navigate(m_host.addressText());
}

// Writes a shortcut under the name the user confirmed, asking before it replaces a file.
bool SidebarPanel::writeShortcut(const QString &path, const QString &address)
{
    platform::ShortcutResult result = m_services.shell.writeInternetShortcut(path, address, false);
    if (result == platform::ShortcutResult::Exists) {
        if (!m_services.dialogs.askYesNo(
                m_host.dialogParent(),
                u"「%1」はすでにあります。置き換えますか？"_s.arg(QDir::toNativeSeparators(path)), u"お気に入り"_s))
            return false;
        result = m_services.shell.writeInternetShortcut(path, address, true);
    }
    if (result != platform::ShortcutResult::Written) {
        m_host.showMessageBar(u"ショートカットを作成できませんでした。"_s);
        return false;
    }
    return true;
}

void SidebarPanel::wireFavoritesMenu(const FavoritesItems &items)
{
    connect(items.add, &QAction::triggered, this, &SidebarPanel::addFavorite);
    connect(items.organize, &QAction::triggered, this, &SidebarPanel::openFavoritesFolder);
    connect(items.openFolder, &QAction::triggered, this, &SidebarPanel::openFavoritesFolder);
    connect(items.desktopShortcut, &QAction::triggered, this, &SidebarPanel::desktopShortcut);
    connect(items.importBookmarks, &QAction::triggered, this, &SidebarPanel::importBookmarks);
    connect(items.exportBookmarks, &QAction::triggered, this, &SidebarPanel::exportBookmarks);
    connect(items.netscape4, &QAction::triggered, this, &SidebarPanel::openNetscape4Bookmarks);
    connect(items.netscape6, &QAction::triggered, this, &SidebarPanel::openNetscape6Bookmarks);
    connect(this, &SidebarPanel::favoritesMenuRequested, items.menu,
            [menu = items.menu](const QPoint &at) { menu->popup(at); });
}

void SidebarPanel::addFavorite()
{
    platform::BrowserComponent *browser = m_host.browser();
    if (!browser)
        return;
    const QString address = browser->address();
    const QString folder = settingsRecord().FavoritesFolder;
    QPointer<AddFavoriteDialog> dialog =
        new AddFavoriteDialog(browser->title(), favorites::favoriteFolders(folder), m_host.dialogParent());
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return;
    const QString name = platform::cleanFileName(dialog->name());
    const QString target = dialog->folder();
    delete dialog.data();
    if (accepted)
        writeShortcut(QDir(target).filePath(name + u".url"_s), address);
}

void SidebarPanel::openFavoritesFolder()
{
    m_services.shell.openFolder(settingsRecord().FavoritesFolder);
}

void SidebarPanel::desktopShortcut()
{
    platform::BrowserComponent *browser = m_host.browser();
    if (!browser)
        return;
    // The title comes from the page, so it never replaces a file: a taken name gets
    // " (2)", " (3)", ... Only the folder is expanded; the address is the page's own text.
    const QString desktop = m_services.shell.expandEnvironment(m_services.shell.desktopFolder());
    const QString address = browser->address();
    const QString written = desktop.isEmpty()
        ? QString()
        : favorites::writeShortcutUnderFreeName(desktop, platform::cleanFileName(browser->title()),
                                                [this, &address](const QString &path) {
                                                    return m_services.shell.writeInternetShortcut(path, address, false);
                                                });
    if (written.isEmpty())
        m_host.showMessageBar(u"ショートカットを作成できませんでした。"_s);
}

void SidebarPanel::importBookmarks()
{
    platform::FileDialogRequest request;
    request.title = u"インポートするブックマーク"_s;
    request.filter = kBookmarkFilter;
    request.mustExist = true;
    const platform::FileDialogResult chosen = m_services.dialogs.openFile(m_host.dialogParent(), request);
    if (!chosen.accepted)
        return;
    bool ok = false;
    const bookmarks::ImportResult result =
        bookmarks::importFromFile(chosen.path, settingsRecord().FavoritesFolder, &ok);
    if (!ok) {
        m_host.showMessageBar(u"インポートが実行できません。WinXP SP2環境に対応していません。"_s);
        return;
    }
    buildFavoritesTree(settingsRecord().FavoritesFolder);
    QString message =
        u"お気に入りを %1 件、フォルダを %2 件インポートしました。"_s.arg(result.shortcuts).arg(result.folders);
    if (result.skipped > 0)
        message += u"（%1 件は取り込めませんでした。）"_s.arg(result.skipped);
    m_host.showMessageBar(message);
}

void SidebarPanel::exportBookmarks()
{
    platform::FileDialogRequest request;
    request.title = u"ブックマークのエクスポート先"_s;
    request.filter = kBookmarkFilter;
    request.fileName = u"bookmarks.html"_s;
    request.defaultExtension = u"html"_s;
    request.overwritePrompt = true;
    const platform::FileDialogResult chosen = m_services.dialogs.saveFile(m_host.dialogParent(), request);
    if (!chosen.accepted)
        return;
    QString error;
    if (!bookmarks::exportToFile(settingsRecord().FavoritesFolder, chosen.path, &error))
        m_host.showMessageBar(u"エクスポートが実行できません。WinXP SP2環境に対応していません。"_s);
}

void SidebarPanel::openNetscape4Bookmarks()
{
    constexpr int user = platform::registry::CurrentUser;
    const QString install = m_services.registry.readStringValue(user, u"Software\\Netscape\\Netscape Navigator\\Main"_s,
                                                                u"Install Directory"_s);
    const QString name =
        m_services.registry.readStringValue(user, u"Software\\Netscape\\Netscape Navigator\\biff"_s, u"CurrentUser"_s);
    navigate(favorites::netscape4Address(install, name));
}

void SidebarPanel::openNetscape6Bookmarks()
{
    constexpr int user = platform::registry::CurrentUser;
    const QString version =
        m_services.registry.readStringValue(user, u"Software\\Netscape\\Netscape 6"_s, u"CurrentVersion"_s);
    const QString install = m_services.registry.readStringValue(
        user, u"Software\\Netscape\\Netscape 6\\"_s + version + u"\\Main"_s, u"Install Directory"_s);
    navigate(favorites::netscape6Address(install));
}
