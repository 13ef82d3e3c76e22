#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

// Favorites are a folder tree: a folder is a bookmark folder, "NAME.url" (an Internet
// shortcut file) is a bookmark titled NAME. This moves that tree to and from the bookmark
// HTML file other browsers export and import.
namespace bookmarks {

// The address in an Internet shortcut file: the first "URL=" line of its
// "[InternetShortcut]" section, CP932. nullopt without that section or line, or when the
// address is empty.
std::optional<QString> parseShortcutAddress(const QByteArray &fileBytes);

// The address in an open shortcut file, read from its first 64 KB only: a shortcut is a
// few lines, and a large file is no shortcut worth reading whole. A line the limit cuts
// is left out rather than read as a shorter address.
std::optional<QString> readShortcutAddress(QIODevice &file);

// What the favorites tree shows of favoritesFolder, as bookmark HTML (UTF-8): the same
// walk in the same order, without symbolic links and within the tree's limits. Files
// other than ".url" and shortcuts without a readable address are left out.
QByteArray exportNetscapeHtml(const QString &favoritesFolder);

// Writes exportNetscapeHtml(folder) to htmlPath atomically. false with a message in
// *error when the folder does not exist or the file cannot be written.
bool exportToFile(const QString &folder, const QString &htmlPath, QString *error);

struct ImportResult
{
    int folders = 0;   // folders created
    int shortcuts = 0; // shortcut files written
    int skipped = 0;   // bookmarks and folders not created (unsupported address, write error)
};

// Adds the folders and bookmarks of a bookmark HTML file below favoritesFolder (created
// when missing). Existing files are never replaced: a clashing name gets " (2)", " (3)", ...
// Only http, https, ftp and file addresses are taken.
ImportResult importNetscapeHtml(const QByteArray &html, const QString &favoritesFolder);

// importNetscapeHtml on the file's contents; *ok false, and nothing done, when the file
// cannot be read or the favorites folder neither exists nor can be made.
ImportResult importFromFile(const QString &htmlPath, const QString &favoritesFolder, bool *ok);

} // namespace bookmarks
