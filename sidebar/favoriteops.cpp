#include "sidebar/favoriteops.h"

#include <QDir>
#include <QDirIterator>

namespace favorites {

QString fileNameFromTitle(const QString &title)
{
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString name = title;
    for (QChar &c : name) {
        if (refused.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u'_';
    }
    while (!name.isEmpty() && (name.front() == u'.' || name.front().isSpace()))
        name.remove(0, 1);
    name = name.trimmed().left(100).trimmed();
    return name.isEmpty() ? QStringLiteral("無題") : name;
}

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
