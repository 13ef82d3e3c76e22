#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace platform {

namespace registry {
constexpr int CurrentUser = 1; // the only root this store keeps
// The key of the Internet settings under CurrentUser.
constexpr QStringView InternetSettings = u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
} // namespace registry

// Registry values named as on Windows: a key path with "\" between levels under a root,
// value names within a key. Names compare without regard to case, as there. A key is
// opened for one operation and closed again; reading a missing value gives "".
class RegistryGateway
{
public:
    using Handle = int;

    virtual ~RegistryGateway() = default;

    // 0 when the root is refused.
    Handle openKey(int root, const QString &path);
    void closeKey(Handle key);
    bool isOpen(Handle key) const { return m_open.contains(key); }

    // Numbers read as their decimal text.
    QString readString(Handle key, const QString &name) const;
    bool writeString(Handle key, const QString &name, const QString &value);
    bool writeNumber(Handle key, const QString &name, quint32 value);

    // One value through a key opened for it alone; "" or false when the root is refused.
    QString readStringValue(int root, const QString &path, const QString &name);
    bool writeStringValue(int root, const QString &path, const QString &name, const QString &value);

    // The stored form of a key path: levels in lower case, empty levels dropped.
    static QString normalizedPath(const QString &path);

protected:
    // Storage, by normalized path and value name.
    virtual QVariant value(const QString &path, const QString &name) const = 0;
    virtual bool setValue(const QString &path, const QString &name, const QVariant &value) = 0;

private:
    QHash<Handle, QString> m_open;
    Handle m_lastHandle = 0;
};

// Keeps the values in an INI file. QSettings takes "\" and "/" as group separators, so
// levels and names are escaped to keep both round-tripping.
class IniRegistry : public RegistryGateway
{
public:
    explicit IniRegistry(const QString &filePath);
    QString filePath() const { return m_filePath; }

    // "registry.ini" in the user's configuration folder for this program.
    static QString defaultFilePath();

protected:
    QVariant value(const QString &path, const QString &name) const override;
    bool setValue(const QString &path, const QString &name, const QVariant &value) override;

private:
    QString m_filePath;
};

} // namespace platform
