#include "sidebar/favoriteops.h"

#include <QDir>
#include <QDirIterator>

namespace favorites {

QStringList favoriteFolders(const QString &root)
{
    QStringList folders{root};
    QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDirIterator::Subdirectories);
    QStringList below;
    while (it.hasNext())
        below.append(it.next());
    below.sort(Qt::CaseInsensitive);
    return folders + below;
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
