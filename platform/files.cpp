#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

constexpr qsizetype kMaxNameChars = 120;
// Linux allows 255 bytes a name. What is added later must still fit: " (10000)" for a
// clash, and for a download ".part" and the engine's ".download" while it runs.
constexpr qsizetype kMaxNameUtf8Bytes = 220;
constexpr qsizetype kMaxExtensionChars = 16; // the dot included
constexpr int kMaxClashNumber = 10000;

// The same replacement without waiting for the disk: a temporary file beside the target,
// renamed over it.
bool writeUnsynced(const QString &path, QByteArrayView bytes, QString *error,
                   std::optional<QFileDevice::Permissions> permissions)
{
    const QFileInfo target(path);
    if (target.isDir()) {
        *error = qt_error_string(EISDIR);
        return false;
    }
    QTemporaryFile temp(path + u".XXXXXX"_s);
    if (!temp.open()) {
        *error = temp.errorString();
        return false;
    }
    if (!permissions)
        permissions = target.exists()
            ? target.permissions()
            : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (!temp.setPermissions(*permissions) || temp.write(bytes.data(), bytes.size()) != bytes.size() || !temp.flush()) {
        *error = temp.errorString();
        return false;
    }
    temp.close();
    if (::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        *error = qt_error_string(errno);
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

} // namespace

bool writeFileAtomically(const QString &path, QByteArrayView bytes, QString *error, const AtomicWriteOptions &options)
{
    QString reason;
    bool ok = false;
    if (options.syncToDisk) {
        QSaveFile file(path);
        ok = file.open(QIODevice::WriteOnly);
        if (ok && options.permissions)
            ok = file.setPermissions(*options.permissions);
        // The bytes may still sit in Qt's buffer after write(), and commit() does not
        // notice when pushing them out fails (a full disk): it would rename a cut-off
        // file over the old one. flush() first reports that failure.
        if (ok)
            ok = file.write(bytes.data(), bytes.size()) == bytes.size() && file.flush();
        if (ok)
            ok = file.commit();
        else
            file.cancelWriting();
        if (!ok)
            reason = file.errorString();
    } else {
        ok = writeUnsynced(path, bytes, &reason, options.permissions);
    }
    if (error)
        *error = ok ? QString() : reason;
    return ok;
}

QString cleanFileName(const QString &title)
{
    static const QString forbidden = u"/\\:*?\"<>|"_s;
    QString name;
    name.reserve(title.size());
    for (const QChar c : title) {
        // Format characters (bidirectional overrides among them) would let a name show
        // itself as another: "txt.exe" drawn as "exe.txt".
        if (c.category() == QChar::Other_Format)
            continue;
        if (forbidden.contains(c) || c.category() == QChar::Other_Control || c.unicode() == 0x2028
            || c.unicode() == 0x2029)
            name += u'_';
        else
            name += c;
    }
    qsizetype lead = 0;
    while (lead < name.size() && (name[lead] == u'.' || name[lead].isSpace()))
        ++lead;
    name = name.sliced(lead).trimmed();

    // A long name is cut in its stem, so that it keeps its extension.
    QString extension;
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0 && name.size() - dot <= kMaxExtensionChars && !name.sliced(dot).contains(u' '))
        extension = name.sliced(dot);
    QString stem = name.left(name.size() - extension.size());
    const qsizetype extensionBytes = extension.toUtf8().size();
    // Cut by characters, then by bytes, never through a surrogate pair.
    auto cutAt = [&stem](qsizetype size) {
        if (size < stem.size()) {
            if (size > 0 && stem[size - 1].isHighSurrogate())
                --size;
            stem.truncate(size);
        }
    };
    cutAt(kMaxNameChars - extension.size());
    while (!stem.isEmpty() && stem.toUtf8().size() + extensionBytes > kMaxNameUtf8Bytes)
        cutAt(stem.size() - 1);
    stem = stem.trimmed();
    return stem.isEmpty() ? u"無題"_s + extension : stem + extension;
}

namespace {

// The first free path from number on; 0 in *used and "" when none is free.
QString unusedPathFrom(const QString &folder, const QString &name, const QString &suffix, int first, int *used)
{
    const QDir dir(folder);
    for (int number = std::max(first, 1); number <= kMaxClashNumber; ++number) {
        const QString candidate =
            number == 1 ? name + suffix : name + u" ("_s + QString::number(number) + u')' + suffix;
        const QString path = dir.filePath(candidate);
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink()) {
            *used = number;
            return path;
        }
    }
    *used = 0;
    return {};
}

} // namespace

QString unusedPath(const QString &folder, const QString &name, const QString &suffix)
{
    int used = 0;
    return unusedPathFrom(folder, name, suffix, 1, &used);
}

QString createUnderFreeName(const QString &folder, const QString &name, const QString &suffix,
                            const std::function<CreateResult(const QString &path)> &create, FreeNumbers *numbers)
{
    const QString key = QDir(folder).filePath(name + suffix);
    int first = numbers ? numbers->firstToTry(key) : 1;
    // A name can be taken by another process between choosing and creating it.
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        int used = 0;
        const QString path = unusedPathFrom(folder, name, suffix, first, &used);
        if (path.isEmpty())
            return {};
        switch (create(path)) {
        case CreateResult::Created:
            if (numbers)
                numbers->created(key, used);
            return path;
        case CreateResult::Taken:
            first = used + 1;
            continue;
        case CreateResult::Failed:
            return {};
        }
    }
    return {};
}

bool syncFileSystemOf(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace platform
