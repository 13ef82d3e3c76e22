#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The block list: text fragments whose pages are not loaded. One entry a line in
// blacklist.ini, CP932, kept exactly as written; empty lines are no entries.
namespace blocklist {

QString filePath(); // blacklist.ini in the program folder

// The entries of a file; a missing or unreadable file has none.
QStringList read(const QString &path);
QStringList parse(const QByteArray &bytes);

// The entries of one file, read again only when the file has changed since the last
// call (another inode, size or time stamp): a navigation pays a stat() instead of reading
// and decoding the whole list, and a list saved by any process still applies at once.
class ListCache
{
public:
    const QStringList &entries(const QString &path);

private:
    struct Stamp
    {
        bool exists = false;
        unsigned long long device = 0, inode = 0;
        long long size = 0, modifiedNs = 0, changedNs = 0;
        bool operator==(const Stamp &) const = default;
    };
    static Stamp stampOf(const QString &path);

    QString m_path;
    std::optional<Stamp> m_stamp;
    QStringList m_entries;
};

// The first entry found anywhere in the address, letter case counting.
std::optional<QString> firstMatch(const QStringList &entries, const QString &address);

// The first character of an entry that blacklist.ini cannot keep as written: one CP932
// lacks (it would be saved as "?", which matches every address with a query) or a line
// break (it would split the entry in two). nullopt when the whole entry is kept.
std::optional<QString> firstUnstorableCharacter(QStringView entry);

// The file as the editor writes it: each entry and CR LF, then one more CR LF.
QByteArray serialize(const QStringList &entries);
// false, with the system's reason in *error, when the file could not be replaced.
bool write(const QString &path, const QStringList &entries, QString *error = nullptr);

// The message shown when an entry stops a navigation.
QString blockedMessage(const QString &entry);

} // namespace blocklist
