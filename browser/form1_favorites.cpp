// The favorites menu: adding, the favorites folder, desktop shortcuts and the other
// browser's bookmark files. Importing and exporting live beside it.
#include "browser/form1.h"

#include "app/settingsrecord.h"
#include "platform/browsercomponent.h"
#include "sidebar/addfavoritedialog.h"
#include "sidebar/bookmarks.h"
#include "sidebar/favoriteops.h"

#include <QAction>
#include <QDir>
#include <QPointer>

namespace {

QString readRegistry(platform::RegistryGateway &registry, const QString &path, const QString &name)
{
    const auto key = registry.openKey(platform::registry::CurrentUser, path);
    if (!key)
        return {};
    const QString value = registry.readString(key, name);
    registry.closeKey(key);
    return value;
}

} // namespace

void Form1::wireFavorites()
{
    auto on = [this](const char *name, auto handler) {
        connect(menuItem(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("mnuOkiniiriAdd", [this] { addFavorite(); });
    auto openFolder = [this] { m_services.shell.openFolder(Settings().FavoritesFolder); };
    on("mnuOkiniiriOrganizeFavorites", openFolder);
    on("mnuOkiniiriF", openFolder);
    on("mnuOkiniiriShort", [this] { desktopShortcut(); });
    on("mnuFileinport", [this] { importBookmarks(); });
    on("mnuFileexport", [this] { exportBookmarks(); });
    on("mnuOkiniiriNetscape4", [this] {
        const QString install = readRegistry(m_services.registry, QStringLiteral("Software\\Netscape\\Netscape Navigator\\Main"),
                                             QStringLiteral("Install Directory"));
        const QString user = readRegistry(m_services.registry, QStringLiteral("Software\\Netscape\\Netscape Navigator\\biff"),
                                          QStringLiteral("CurrentUser"));
        setAddressText(favorites::netscape4Address(install, user));
        if (m_browser)
            m_browser->Navigate(addressText());
    });
    on("mnuOkiniiriNetscape6", [this] {
        const QString version = readRegistry(m_services.registry, QStringLiteral("Software\\Netscape\\Netscape 6"),
                                             QStringLiteral("CurrentVersion"));
        const QString install = readRegistry(m_services.registry,
                                             QStringLiteral("Software\\Netscape\\Netscape 6\\") + version + QStringLiteral("\\Main"),
                                             QStringLiteral("Install Directory"));
        setAddressText(favorites::netscape6Address(install));
        if (m_browser)
            m_browser->Navigate(addressText());
    });
}

// Writes a shortcut, asking before it replaces a file of that name.
bool Form1::writeShortcut(const QString &path, const QString &address)
{
    platform::ShortcutResult result = m_services.shell.writeInternetShortcut(path, address, false);
    if (result == platform::ShortcutResult::Exists) {
        const auto answer = m_services.dialogs.message(
            this, QStringLiteral("「%1」はすでにあります。置き換えますか？").arg(QDir::toNativeSeparators(path)),
            QStringLiteral("お気に入り"), platform::MessageButtons::YesNo, platform::MessageIcon::Question);
        if (answer != platform::MessageAnswer::Yes)
            return false;
        result = m_services.shell.writeInternetShortcut(path, address, true);
    }
    if (result != platform::ShortcutResult::Written) {
        ShowMessageBar(QStringLiteral("ショートカットを作成できませんでした。"));
        return false;
    }
    return true;
}

void Form1::addFavorite()
{
    if (!m_browser)
        return;
    const QString address = m_browser->LocationURL();
    const QString folder = Settings().FavoritesFolder;
    QPointer<AddFavoriteDialog> dialog =
        new AddFavoriteDialog(m_browser->LocationName(), favorites::favoriteFolders(folder), this);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return;
    const QString name = bookmarks::cleanName(dialog->name());
    const QString target = dialog->folder();
    delete dialog.data();
    if (accepted)
        writeShortcut(QDir(target).filePath(name + QStringLiteral(".url")), address);
}

void Form1::desktopShortcut()
{
    if (!m_browser)
        return;
    const QString name = bookmarks::cleanName(m_browser->LocationName());
    const QString address = m_services.shell.expandEnvironment(m_browser->LocationURL());
    writeShortcut(QDir(m_services.shell.desktopFolder()).filePath(name + QStringLiteral(".url")), address);
}

namespace {
const QString kBookmarkFilter = QStringLiteral("ブックマーク (*.htm;*.html)|*.htm;*.html|すべてのファイル (*.*)|*.*|");
}

void Form1::importBookmarks()
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("インポートするブックマーク");
    request.filter = kBookmarkFilter;
    request.mustExist = true;
    const platform::FileDialogResult chosen = m_services.dialogs.openFile(this, request);
    if (!chosen.accepted)
        return;
    bool ok = false;
    const bookmarks::ImportResult result = bookmarks::importFromFile(chosen.path, Settings().FavoritesFolder, &ok);
    if (!ok) {
        ShowMessageBar(QStringLiteral("インポートが実行できません。WinXP SP2環境に対応していません。"));
        return;
    }
    ShowMessageBar(QStringLiteral("お気に入りを %1 件、フォルダを %2 件インポートしました。")
                       .arg(result.shortcuts)
                       .arg(result.folders));
}

void Form1::exportBookmarks()
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("ブックマークのエクスポート先");
    request.filter = kBookmarkFilter;
    request.fileName = QStringLiteral("bookmarks.html");
    request.defaultExtension = QStringLiteral("html");
    request.overwritePrompt = true;
    const platform::FileDialogResult chosen = m_services.dialogs.saveFile(this, request);
    if (!chosen.accepted)
        return;
    QString error;
    if (!bookmarks::exportToFile(Settings().FavoritesFolder, chosen.path, &error))
        ShowMessageBar(QStringLiteral("エクスポートが実行できません。WinXP SP2環境に対応していません。"));
}
