#include "tests/support/isolatedhome.h"

#include <QDir>
#include <QFile>

IsolatedHome::IsolatedHome()
{
    if (!m_dir.isValid())
        return;
    QDir dir(m_dir.path());
    m_valid = dir.mkdir(QStringLiteral("data")) && dir.mkdir(QStringLiteral("config"))
        && dir.mkdir(QStringLiteral("cache"))
        && dir.mkdir(QStringLiteral("runtime"))
        // Qt ignores a runtime folder that others could read.
        && QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QProcessEnvironment IsolatedHome::environment(QProcessEnvironment base) const
{
    base.insert(QStringLiteral("HOME"), path());
    base.insert(QStringLiteral("XDG_DATA_HOME"), dataHome());
    base.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    base.insert(QStringLiteral("XDG_CACHE_HOME"), cacheHome());
    base.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    return base;
}
