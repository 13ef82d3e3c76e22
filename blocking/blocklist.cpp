#include "blocking/blocklist.h"

#include "app/settingsstore.h"
#include "platform/codepage.h"
#include "platform/files.h"

#include <QFile>

namespace blocklist {

QString filePath()
{
    return ProgramFolder() + QStringLiteral("blacklist.ini");
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
