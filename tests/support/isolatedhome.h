#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A private HOME with its own XDG folders for the processes a test starts, so a test run
// never writes into the user's browser profile, registry file or caches.
class IsolatedHome
{
public:
    IsolatedHome();
    IsolatedHome(const IsolatedHome &) = delete;
    IsolatedHome &operator=(const IsolatedHome &) = delete;

    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    QString dataHome() const { return m_dir.filePath(QStringLiteral("data")); }
    QString configHome() const { return m_dir.filePath(QStringLiteral("config")); }
    QString cacheHome() const { return m_dir.filePath(QStringLiteral("cache")); }
    QString runtimeDir() const { return m_dir.filePath(QStringLiteral("runtime")); }

    // base with HOME and the XDG folders pointing in here.
    QProcessEnvironment environment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};
