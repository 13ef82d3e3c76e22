#include "blocking/blocklist.h"

#include "app/settingsstore.h"
#include "platform/codepage.h"
#include "platform/files.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>

#include <sys/stat.h>

namespace blocklist {

QString filePath()
{
    return programFolder() + QStringLiteral("blacklist.ini");
}

QStringList parse(const QByteArray &bytes)
{
    QStringList entries;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            entries.append(ansi::decode(line));
    }
    return entries;
}

QStringList read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

namespace {
constexpr long long kSettleNs = 3'000'000'000LL;
} // namespace

ListCache::Stamp ListCache::stampOf(const QString &path)
{
    struct stat info
    { };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {true,
            static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino),
            static_cast<long long>(info.st_size),
            info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec,
            info.st_ctim.tv_sec * 1'000'000'000LL + info.st_ctim.tv_nsec};
}

const QStringList &ListCache::entries(const QString &path)
{
    const Stamp now = stampOf(path);
    if (path != m_path || m_stamp != now) {
        m_entries = now.exists ? read(path) : QStringList();
        m_path = path;
        // Stamped before reading: a change made while reading shows as a new stamp next
        // time rather than being missed. Time stamps advance in coarse steps (seconds on
        // some file systems), so a file changed in the last moments could change again
        // under the same stamp: it is not trusted until it has settled.
        const long long latest = std::max(now.modifiedNs, now.changedNs);
        const long long settled = QDateTime::currentMSecsSinceEpoch() * 1'000'000LL - kSettleNs;
        m_stamp = latest < settled ? std::optional<Stamp>(now) : std::nullopt;
    }
    return m_entries;
}

std::optional<QString> firstMatch(const QStringList &entries, const QString &address)
{
    for (const QString &entry : entries) {
        if (!entry.isEmpty() && address.contains(entry, Qt::CaseSensitive))
            return entry;
    }
    return std::nullopt;
}

std::optional<QString> firstUnstorableCharacter(QStringView entry)
{
    qsizetype i = 0;
    while (i < entry.size()) {
        const qsizetype width =
            (entry[i].isHighSurrogate() && i + 1 < entry.size() && entry[i + 1].isLowSurrogate()) ? 2 : 1;
        const QStringView one = entry.sliced(i, width);
        if (one == u"\r" || one == u"\n" || !ansi::holds(one))
            return one.toString();
        i += width;
    }
    return std::nullopt;
}

QByteArray serialize(const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &entry : entries) {
        bytes += ansi::encode(entry);
        bytes += "\r\n";
    }
    bytes += "\r\n";
    return bytes;
}

bool write(const QString &path, const QStringList &entries, QString *error)
{
    return platform::writeFileAtomically(path, serialize(entries), error);
}

QString blockedMessage(const QString &entry)
{
    return QStringLiteral("『") + entry + QStringLiteral("』が、URLに含まれているので、読み込みを中止しました。");
}

} // namespace blocklist
