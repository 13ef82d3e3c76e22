#include "sidebar/favoriteops.h"

#include "platform/files.h"
#include "sidebar/favoritestree.h"

#include <QDir>

namespace favorites {

QStringList favoriteFolders(const QString &root)
{
    QStringList folders {root};
    for (const FavoriteEntry &entry : scanFavoritesFolder(FileSystemLister(), root)) {
        if (entry.kind == kFolderKind)
            folders.append(entry.path);
    }
    return folders;
}

QString writeShortcutUnderFreeName(const QString &folder, const QString &name,
                                   const std::function<platform::ShortcutResult(const QString &path)> &write,
                                   platform::FreeNumbers *numbers)
{
    return platform::createUnderFreeName(
        folder, name, QStringLiteral(".url"),
        [&write](const QString &path) {
            switch (write(path)) {
            case platform::ShortcutResult::Written:
                return platform::CreateResult::Created;
            case platform::ShortcutResult::Exists:
                return platform::CreateResult::Taken;
            default:
                return platform::CreateResult::Failed;
            }
        },
        numbers);
}

QString netscape4Address(QString installFolder, const QString &user)
{
    const qsizetype at = installFolder.indexOf(QStringLiteral("Communicator"));
    if (at >= 0)
        installFolder.truncate(at);
    const QString separator = QDir::separator();
    return installFolder + QStringLiteral("Users") + separator + user + separator + QStringLiteral("bookmark.htm");
}

QString netscape6Address(const QString &installFolder)
{
    const QString separator = QDir::separator();
    return installFolder + QStringLiteral("defaults") + separator + QStringLiteral("profile") + separator
        + QStringLiteral("bookmarks.html");
}

} // namespace favorites
