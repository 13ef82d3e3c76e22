#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

// The favorites folder as a tree: scanned depth first, folders before files within each
// folder, each group in name order.
namespace favorites {

constexpr int kFolderKind = 16;
constexpr int kMaxNamesPerFolder = 257;
constexpr int kMaxEntries = 769;

struct ListedName
{
    QString name;
    bool isFolder = false;
};

// A folder's visible names in the order the file system gives them, which on Linux looks
// shuffled; tests fix the order.
class DirectoryLister
{
public:
    virtual ~DirectoryLister() = default;
    virtual QList<ListedName> list(const QString &folder) const = 0;
};

// The real file system: hidden entries (names beginning with "." and those marked
// hidden) are left out.
class FileSystemLister : public DirectoryLister
{
public:
    QList<ListedName> list(const QString &folder) const override;
};

struct FavoriteEntry
{
    int kind = 0; // kFolderKind for a folder
    QString path;
    friend bool operator==(const FavoriteEntry &, const FavoriteEntry &) = default;
};

struct TreeNode
{
    QString key;       // the full path
    QString parentKey; // "" for the root
    QString text;
    QString image; // "folder" or "exp"
    friend bool operator==(const TreeNode &, const TreeNode &) = default;
};

// Names as file managers order them: letter case aside, and a run of digits by its
// value ("a2" before "a10"). Names that differ only in case or leading zeros fall back
// to their code points, so the order never depends on the locale. <0, 0 or >0.
int compareNames(QStringView a, QStringView b);

// A folder's listing as the tree shows it: folders, then files, each in name order.
void sortListing(QList<ListedName> &names);

// Every folder's listing is read to its end and sorted (sortListing) before its
// subfolders are scanned; at most kMaxNamesPerFolder names a folder, the first in that
// order, and kMaxEntries entries in all.
QList<FavoriteEntry> scanFavoritesFolder(const DirectoryLister &lister, const QString &folder);

// The nodes of the tree, root first, then the folders, then the files; a node whose parent
// is missing or whose key repeats is left out. No entries: no nodes (the tree keeps what
// it shows).
QList<TreeNode> buildFavoritesTree(const QList<FavoriteEntry> &entries, const QString &folder);

// The text before the first ".url" (letter case counting); other texts whole.
QString favoriteDisplayName(const QString &text);

// Parent and leaf of a path, split at its last separator.
std::pair<QString, QString> splitAtLastBackslash(const QString &path);

} // namespace favorites
