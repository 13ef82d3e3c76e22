#include "platform/registry.h"

#include "platform/files.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace platform {

RegistryGateway::Handle RegistryGateway::openKey(int root, const QString &path)
{
    if (root != registry::CurrentUser)
        return 0;
    const Handle key = ++m_lastHandle;
    m_open.insert(key, normalizedPath(path));
    return key;
}

void RegistryGateway::closeKey(Handle key)
{
    m_open.remove(key);
}

QString RegistryGateway::readString(Handle key, const QString &name) const
{
    const auto found = m_open.constFind(key);
    if (found == m_open.constEnd())
        return {};
    return value(*found, name.toLower()).toString();
}

bool RegistryGateway::writeString(Handle key, const QString &name, const QString &text)
{
    const auto found = m_open.constFind(key);
    return found != m_open.constEnd() && setValue(*found, name.toLower(), text);
}

QString RegistryGateway::readStringValue(int root, const QString &path, const QString &name)
{
    const Handle key = openKey(root, path);
    if (!key)
        return {};
    const QString text = readString(key, name);
    closeKey(key);
    return text;
}

bool RegistryGateway::writeStringValue(int root, const QString &path, const QString &name, const QString &text)
{
    const Handle key = openKey(root, path);
    if (!key)
        return false;
    const bool written = writeString(key, name, text);
    closeKey(key);
    return written;
}

bool RegistryGateway::writeNumber(Handle key, const QString &name, quint32 number)
{
    const auto found = m_open.constFind(key);
    return found != m_open.constEnd() && setValue(*found, name.toLower(), number);
}

QString RegistryGateway::normalizedPath(const QString &path)
{
    return path.toLower().split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

namespace {

// Percent-escapes what QSettings would read as structure; the "@" stands for the
// unnamed default value, which QSettings cannot store under an empty key.
QString escapeLevel(const QString &level)
{
    if (level.isEmpty())
        return u"@"_s;
    QString out;
    for (const QChar c : level) {
        if (c == u'%' || c == u'/' || c == u'\\' || c == u'@')
            out += u'%' + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            out += c;
    }
    return out;
}

QString settingsKey(const QString &path, const QString &name)
{
    QStringList parts {u"HKEY_CURRENT_USER"_s};
    for (const QString &level : path.split(u'\\', Qt::SkipEmptyParts))
        parts.append(escapeLevel(level));
    parts.append(escapeLevel(name));
    return parts.join(u'/');
}

} // namespace

IniRegistry::IniRegistry(const QString &filePath)
    : m_filePath(filePath)
{ }

QString IniRegistry::defaultFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath(u"registry.ini"_s);
}

QVariant IniRegistry::value(const QString &path, const QString &name) const
{
    const QSettings settings(m_filePath, QSettings::IniFormat);
    return settings.value(settingsKey(path, name));
}

bool IniRegistry::setValue(const QString &path, const QString &name, const QVariant &value)
{
    // QSettings keeps the permissions of a file that is there, and makes a new one by the umask.
    if (!makePrivatePath(QFileInfo(m_filePath).absolutePath()) || !preparePrivateFile(m_filePath))
        return false;
    QSettings settings(m_filePath, QSettings::IniFormat);
    settings.setValue(settingsKey(path, name), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace platform
