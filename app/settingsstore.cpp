#include "app/settingsstore.h"

#include "app/inifile.h"
#include "platform/codepage.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype kMaxValueBytes = 254;
const char kSettingsFileName[] = "Yura3.ini";

// Closes a POSIX descriptor on every path out of a write.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1)
        : m_fd(fd)
    { }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

// Follows the read-only attribute rather than access(): the program runs as root on some
// machines, where access() grants everything, yet a folder or file that nobody may write
// is meant to stay as it is.
bool hasNoWriteBit(const QByteArray &path, bool *exists)
{
    struct stat info
    { };
    if (::stat(path.constData(), &info) != 0) {
        *exists = false;
        return false;
    }
    *exists = true;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Reads the whole file; a missing file is empty, any other failure is reported so that a
// file we could not read is never replaced.
bool readExisting(const QByteArray &path, QByteArray *bytes)
{
    Descriptor fd(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return errno == ENOENT;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        bytes->append(buffer, got);
    }
}

bool unsafeName(const QString &name, QChar forbidden)
{
    return name.trimmed().isEmpty() || name.contains(u'\r') || name.contains(u'\n') || name.contains(QChar(0))
        || name.contains(forbidden);
}

} // namespace

QString chooseProgramFolder(const ProgramFolderFacts &facts)
{
    QString folder = facts.homeVariable;
    if (folder.isEmpty()) {
        folder =
            facts.installedLayout && !facts.executableFolderWritable ? facts.userDataFolder : facts.executableFolder;
    }
    if (folder.isEmpty())
        return {};
    const QString separator = QDir::separator();
    if (!folder.endsWith(separator))
        folder += separator;
    return folder;
}

ProgramFolderFacts programFolderFactsFor(const QString &executableFolder)
{
    ProgramFolderFacts facts;
    facts.executableFolder = executableFolder;
    const QFileInfo folder(executableFolder);
    facts.installedLayout = folder.fileName() == QLatin1String("bin")
        && QFileInfo(folder.absolutePath() + QStringLiteral("/share/yuragine")).isDir();
    // The same test the writes apply: no write bit means read-only, even for root.
    bool exists = false;
    const QByteArray path = QFile::encodeName(executableFolder);
    facts.executableFolderWritable = !hasNoWriteBit(path, &exists) && exists && ::access(path.constData(), W_OK) == 0;
    // Not through QStandardPaths' application name: tests and helpers run under other
    // names and must find the same folder.
    facts.userDataFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/yuragine");
    return facts;
}

QString programFolder()
{
    const QString home = qEnvironmentVariable("YURAGINE_HOME");
    if (!home.isEmpty()) {
        ProgramFolderFacts facts;
        facts.homeVariable = home;
        return chooseProgramFolder(facts);
    }
    const QString executableFolder = QCoreApplication::instance()
        ? QCoreApplication::applicationDirPath()
        : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
    const ProgramFolderFacts facts = programFolderFactsFor(executableFolder);
    const QString chosen = chooseProgramFolder(facts);
    if (chosen.startsWith(facts.userDataFolder))
        platform::makePrivatePath(facts.userDataFolder);
    return chosen;
}

QString programDocument(const QString &name)
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const QString candidates[] = {
        programFolder() + QStringLiteral("doc/"),
        executableFolder + QStringLiteral("/doc/"),
        executableFolder + QStringLiteral("/../share/yuragine/doc/"),
    };
    for (const QString &folder : candidates) {
        if (QFileInfo::exists(folder + name))
            return QDir::cleanPath(folder + name);
    }
    return candidates[0] + name;
}

QString settingsFilePath()
{
    return programFolder() + QLatin1String(kSettingsFileName);
}

namespace {

IniDocument readSettingsFile()
{
    QFile file(settingsFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return IniDocument();
    return IniDocument(file.readAll());
}

QString settingText(const IniDocument &document, QStringView section, QStringView key)
{
    const std::optional<QByteArray> bytes = document.value(section, key);
    if (!bytes)
        return {};
    QString text = ansi::decode(ansi::cut(*bytes, kMaxValueBytes));
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

} // namespace

QString readSetting(const QString &section, const QString &key)
{
    return settingText(readSettingsFile(), section, key);
}

QStringList readSettings(std::span<const SettingKey> keys)
{
    const IniDocument document = readSettingsFile();
    QStringList values;
    values.reserve(qsizetype(keys.size()));
    for (const SettingKey &key : keys)
        values.append(settingText(document, key.section, key.name));
    return values;
}

QString readSetting(SettingKey key)
{
    return readSetting(key.section.toString(), key.name.toString());
}

int writeSetting(SettingKey key, const QString &value)
{
    return writeSetting(key.section.toString(), key.name.toString(), value);
}

int writeSetting(const QString &section, const QString &key, const QString &value)
{
    if (unsafeName(section, u']') || unsafeName(key, u'=') || value.contains(u'\r') || value.contains(u'\n'))
        return 0;

    const QString settingsPath = settingsFilePath();
    const QByteArray path = QFile::encodeName(settingsPath);
    const QByteArray folder = QFile::encodeName(programFolder());

    bool exists = false;
    if (hasNoWriteBit(folder, &exists) || !exists)
        return 0;
    if (hasNoWriteBit(path, &exists))
        return 0;

    // The folder itself is the lock: flock on its descriptor serialises every process
    // writing here, and the kernel drops it when a writer dies, so nothing goes stale.
    Descriptor lock(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!lock.valid())
        return 0;
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return 0;
    }

    // Re-read under the lock so that another process's keys written a moment ago stay.
    QByteArray before;
    if (!readExisting(path, &before))
        return 0;
    IniDocument document(before);
    document.setValue(section, key, ansi::encode(value));
    const QByteArray after = document.toBytes();

    // Replaced whole, never edited in place; the program's own file, the user's alone.
    if (!platform::writeFileAtomically(settingsPath, after))
        return 0;
    ::fsync(lock.get()); // makes the rename itself durable
    return 1;
}
