#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
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

constexpr QFileDevice::Permissions kPrivateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kPrivateFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// The same replacement without waiting for the disk: a temporary file beside the target,
// renamed over it. Only for the program's own files, which are 0600.
bool writeUnsynced(const QString &path, QByteArrayView bytes, QString *error)
{
    if (QFileInfo(path).isDir()) {
        *error = qt_error_string(EISDIR);
        return false;
    }
    QTemporaryFile temp(path + u".XXXXXX"_s);
    if (!temp.open()) {
        *error = temp.errorString();
        return false;
    }
    if (!temp.setPermissions(kPrivateFile) || temp.write(bytes.data(), bytes.size()) != bytes.size() || !temp.flush()) {
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
    const bool isPrivate = options.access == FileAccess::Private;
    if (options.syncToDisk || !isPrivate) {
        // QSaveFile gives its new file the old one's permissions, or the umask's.
        QSaveFile file(path);
        ok = file.open(QIODevice::WriteOnly);
        if (ok && isPrivate)
            ok = file.setPermissions(kPrivateFile);
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
        ok = writeUnsynced(path, bytes, &reason);
    }
    if (error)
        *error = ok ? QString() : reason;
    return ok;
}

bool preparePrivateFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    // O_EXCL: a file another process makes meanwhile is never emptied.
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        // The umask may have taken the owner's bits too.
        const bool narrowed = ::fchmod(fd, 0600) == 0;
        ::close(fd);
        return narrowed;
    }
    if (errno != EEXIST)
        return false;
    struct stat info
    { };
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    // The owner's bits stay: a file the user made read-only is still refused by its writer.
    return (info.st_mode & 077) == 0 || ::chmod(name.constData(), info.st_mode & 0700) == 0;
}

bool makePrivateFolder(const QString &path)
{
    // mkdir's mode passes through the umask; the mode is set again once the folder is ours.
    return QDir().mkdir(path, kPrivateFolder) && QFile::setPermissions(path, kPrivateFolder);
}

bool makePrivatePath(const QString &path)
{
    const QString target = QDir::cleanPath(QDir(path).absolutePath());
    QStringList missing;
    for (QString folder = target; !QFileInfo::exists(folder); folder = QFileInfo(folder).path()) {
        if (QFileInfo(folder).isSymLink())
            return false; // a dangling link: nothing is made through it
        missing.prepend(folder);
        if (folder == QFileInfo(folder).path())
            break;
    }
    for (const QString &folder : std::as_const(missing)) {
        // Another process may make the same folder meanwhile; then it keeps its mode.
        if (!makePrivateFolder(folder) && !QFileInfo(folder).isDir())
            return false;
    }
    return QFileInfo(target).isDir();
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
