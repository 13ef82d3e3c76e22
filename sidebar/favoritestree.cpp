#include "sidebar/favoritestree.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace favorites {

QList<ListedName> FileSystemLister::list(const QString &folder) const
{
    QList<ListedName> names;
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

// Code points of a name, a surrogate pair read as one.
struct CodePoints
{
    QStringView text;
    qsizetype at = 0;

    bool atEnd() const { return at >= text.size(); }
    char32_t peek() const
    {
        const QChar c = text[at];
        if (c.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
            return QChar::surrogateToUcs4(c, text[at + 1]);
        return c.unicode();
    }
    void next() { at += peek() > 0xFFFF ? 2 : 1; }

    bool atDigit() const { return !atEnd() && QChar::isDigit(peek()); }
};

// Compares the numbers written from here on in both names, leading zeros left out, digit
// by digit so that no length can overflow; equal numbers are passed over in both.
int compareNumbers(CodePoints &x, CodePoints &y)
{
    const auto skipZeros = [](CodePoints &p) {
        while (p.atDigit() && QChar::digitValue(p.peek()) == 0)
            p.next();
    };
    skipZeros(x);
    skipZeros(y);
    int firstDifference = 0; // decides when both have as many digits
    for (;;) {
        const bool more = x.atDigit();
        if (more != y.atDigit())
            return more ? 1 : -1; // more digits, larger number
        if (!more)
            return firstDifference;
        if (firstDifference == 0) {
            const int m = QChar::digitValue(x.peek());
            const int n = QChar::digitValue(y.peek());
            if (m != n)
                firstDifference = m < n ? -1 : 1;
        }
        x.next();
        y.next();
    }
}

bool listedBefore(const ListedName &a, const ListedName &b)
{
    if (a.isFolder != b.isFolder)
        return a.isFolder;
    return compareNames(a.name, b.name) < 0;
}

void scan(const DirectoryLister &lister, const QString &folder, QList<FavoriteEntry> &entries)
{
    QList<ListedName> names = lister.list(folder);
    if (names.size() > kMaxNamesPerFolder) {
        // Only the first names in order are kept, so only they need sorting.
        std::partial_sort(names.begin(), names.begin() + kMaxNamesPerFolder, names.end(), listedBefore);
        names.resize(kMaxNamesPerFolder);
    } else {
        sortListing(names);
    }
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

int compareNames(QStringView a, QStringView b)
{
    CodePoints x {a};
    CodePoints y {b};
    while (!x.atEnd() && !y.atEnd()) {
        if (x.atDigit() && y.atDigit()) {
            if (const int order = compareNumbers(x, y))
                return order;
            continue;
        }
        // A number stands where "0" would, whatever script its digits are in; otherwise
        // full-width numbers would sort after letters and ASCII ones before them, and the
        // order would go round in circles.
        const auto key = [](char32_t c) { return QChar::isDigit(c) ? U'0' : QChar::toCaseFolded(c); };
        const char32_t p = key(x.peek());
        const char32_t q = key(y.peek());
        if (p != q)
            return p < q ? -1 : 1;
        x.next();
        y.next();
    }
    if (!x.atEnd() || !y.atEnd())
        return x.atEnd() ? -1 : 1;
    const int exact = a.compare(b, Qt::CaseSensitive);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

void sortListing(QList<ListedName> &names)
{
    std::sort(names.begin(), names.end(), listedBefore);
}

QList<FavoriteEntry> scanFavoritesFolder(const DirectoryLister &lister, const QString &folder)
{
    QList<FavoriteEntry> entries;
    scan(lister, folder, entries);
    return entries;
}

QString favoriteDisplayName(const QString &text)
{
    const qsizetype at = text.indexOf(QStringLiteral(".url"), 0, Qt::CaseSensitive);
    return at < 0 ? text : text.left(at);
}

std::pair<QString, QString> splitAtLastBackslash(const QString &path)
{
    const qsizetype at = path.lastIndexOf(QDir::separator());
    if (at < 0)
        return {QString(), path};
    return {path.left(at), path.mid(at + 1)};
}

QList<TreeNode> buildFavoritesTree(const QList<FavoriteEntry> &entries, const QString &folder)
{
    if (entries.isEmpty())
        return {};
    QList<TreeNode> nodes;
    QSet<QString> keys;
    nodes.append({folder, QString(), favoriteDisplayName(folder), QStringLiteral("folder")});
    keys.insert(folder);
    auto add = [&](const QString &path, bool isFolder) {
        const auto [parent, leaf] = splitAtLastBackslash(path);
        if (!keys.contains(parent) || keys.contains(path))
            return;
        nodes.append(
            {path, parent, favoriteDisplayName(leaf), isFolder ? QStringLiteral("folder") : QStringLiteral("exp")});
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
