#include "sidebar/favoriteops.h"

#include "sidebar/favoritestree.h"

#include <QDir>

namespace favorites {

QStringList favoriteFolders(const QString &root)
{
    QStringList folders{root};
    for (const FavoriteEntry &entry : ScanFavoritesFolder(FileSystemLister(), root)) {
        if (entry.kind == kFolderKind)
            folders.append(entry.path);
    }
    return folders;
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
