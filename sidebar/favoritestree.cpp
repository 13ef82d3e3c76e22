#include "sidebar/favoritestree.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

namespace favorites {

QList<ListedName> FileSystemLister::list(const QString &folder) const
{
    QList<ListedName> names;
    // No sorting: the file system's own order, as the tree shows it.
    QDirIterator it(folder, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isHidden() || info.fileName().startsWith(u'.'))
            continue;
        names.append({info.fileName(), info.isDir()});
    }
    return names;
}

namespace {

void scan(const DirectoryLister &lister, const QString &folder, QList<FavoriteEntry> &entries)
{
    QList<ListedName> names = lister.list(folder);
    if (names.size() > kMaxNamesPerFolder)
        names.resize(kMaxNamesPerFolder);
    for (const ListedName &name : std::as_const(names)) {
        if (entries.size() >= kMaxEntries)
            return;
        const QString path = folder + QDir::separator() + name.name;
        entries.append({name.isFolder ? kFolderKind : 0, path});
        if (name.isFolder)
            scan(lister, path, entries);
    }
}

} // namespace

QList<FavoriteEntry> ScanFavoritesFolder(const DirectoryLister &lister, const QString &folder)
{
    QList<FavoriteEntry> entries;
    scan(lister, folder, entries);
    return entries;
}

QString FavoriteDisplayName(const QString &text)
{
    const qsizetype at = text.indexOf(QStringLiteral(".url"), 0, Qt::CaseSensitive);
    return at < 0 ? text : text.left(at);
}

std::pair<QString, QString> SplitAtLastBackslash(const QString &path)
{
    const qsizetype at = path.lastIndexOf(QDir::separator());
    if (at < 0)
        return {QString(), path};
    return {path.left(at), path.mid(at + 1)};
}

QList<TreeNode> BuildFavoritesTree(const QList<FavoriteEntry> &entries, const QString &folder)
{
    if (entries.isEmpty())
        return {};
    QList<TreeNode> nodes;
    QSet<QString> keys;
    nodes.append({folder, QString(), FavoriteDisplayName(folder), QStringLiteral("folder")});
    keys.insert(folder);
    auto add = [&](const QString &path, bool isFolder) {
        const auto [parent, leaf] = SplitAtLastBackslash(path);
        if (!keys.contains(parent) || keys.contains(path))
            return;
        nodes.append({path, parent, FavoriteDisplayName(leaf),
                      isFolder ? QStringLiteral("folder") : QStringLiteral("exp")});
        keys.insert(path);
    };
    for (const FavoriteEntry &entry : entries) {
        if (entry.kind == kFolderKind)
            add(entry.path, true);
    }
    for (const FavoriteEntry &entry : entries) {
        if (entry.kind != kFolderKind)
            add(entry.path, false);
    }
    return nodes;
}

} // namespace favorites
