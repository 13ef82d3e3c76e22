#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <functional>

namespace platform {

// Who a file the program writes is for.
enum class FileAccess {
    // The program's own store (settings, addresses, block list, cookies, favorites): the
    // user's alone, 0600 whatever the umask, and a file found wider is narrowed.
    Private,
    // A document the user saves where they chose (a picture, an export): the umask
    // decides for a new file and a replaced one keeps its permissions, as with any
    // program the user saves from.
    Document,
};

struct AtomicWriteOptions
{
    FileAccess access = FileAccess::Private;
    // Waits until the bytes are on the disk. A file rewritten many times a second that
    // nothing is lost with (the hand-over address) skips it: the rename alone keeps
    // readers from seeing a part. Documents are always waited for.
    bool syncToDisk = true;
};

// Replaces the file with bytes in one step: a reader sees the old file or the new one,
// never a part, and a failed write leaves the old file as it was. false, with the reason
// in *error, when nothing was replaced.
bool writeFileAtomically(const QString &path, QByteArrayView bytes, QString *error = nullptr,
                         const AtomicWriteOptions &options = {});

// For files of the program's own that another writer fills (QSettings), which keeps the
// permissions of a file that is there and makes a new one by the umask: creates path
// empty and 0600 unless something is there, and takes the group's and others' bits off
// a file that is. false when path is not a file afterwards or stays wider.
bool preparePrivateFile(const QString &path);

// Makes one folder 0700 whatever the umask, for the program's own folders; false when
// something is there already or it cannot be made, as QDir::mkdir.
bool makePrivateFolder(const QString &path);

// Makes path and the missing folders above it, each one made here 0700 whatever the
// umask; folders already there keep theirs. true when path is a folder afterwards.
bool makePrivatePath(const QString &path);

// Waits until everything written to the file system that holds path is on the disk: one
// wait after many unsynced writes instead of one per file.
bool syncFileSystemOf(const QString &path);

// A title from a page or a file as a file or folder name that stays inside its folder:
// path separators, characters Windows forbids in names and control characters become
// "_", format characters (bidirectional overrides) and leading dots and spaces go; at
// most 120 characters and 220 bytes, so that a number, ".part" and the engine's own
// suffix still fit, cut in the stem so that the extension stays; "無題" when nothing is
// left.
QString cleanFileName(const QString &title);

// The first path in folder named name + suffix, then name + " (2)" + suffix, " (3)", ...
// that no file, folder or link takes yet; "" when none is free.
QString unusedPath(const QString &folder, const QString &name, const QString &suffix = {});

enum class CreateResult { Created, Taken, Failed };

// The numbers that names were last created under, so that the next of the same name
// starts its search there: ten thousand links of one title cost one check each, not
// fifty million. Kept for one run of work (an import), whose files only it makes.
class FreeNumbers
{
public:
    int firstToTry(const QString &path) const { return m_next.value(path, 1); }
    void created(const QString &path, int number) { m_next.insert(path, number + 1); }

private:
    QHash<QString, int> m_next; // by folder + name + suffix
};

// Creates something at unusedPath(folder, name, suffix) with create(path), which must
// never replace what is there and says Taken when another process got there first; the
// next free name is tried then. The path created, or "" when nothing was. numbers, when
// given, says where to start and learns where this one went.
QString createUnderFreeName(const QString &folder, const QString &name, const QString &suffix,
                            const std::function<CreateResult(const QString &path)> &create,
                            FreeNumbers *numbers = nullptr);

} // namespace platform
