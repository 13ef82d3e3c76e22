// A bookmark file imported into an empty favorites folder: every file written must stay
// inside that folder.
#include "sidebar/bookmarks.h"

#include <QDirIterator>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024)
        return 0; // every entry is a file on disk; keep runs fast
    QTemporaryDir root;
    const QString favorites = root.filePath(QStringLiteral("Favorites"));
    QDir().mkpath(favorites);
    (void)bookmarks::importNetscapeHtml(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), favorites);
    QDirIterator outside(root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    while (outside.hasNext()) {
        if (outside.next() != favorites)
            std::abort();
    }
    return 0;
}
