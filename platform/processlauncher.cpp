#include "platform/processlauncher.h"

#include <QCoreApplication>
#include <QProcess>

namespace platform {

SystemProcessLauncher::SystemProcessLauncher(const QString &selfPath)
    : m_selfPath(selfPath)
{ }

bool SystemProcessLauncher::startSelf(const QStringList &arguments)
{
    return start(m_selfPath.isEmpty() ? QCoreApplication::applicationFilePath() : m_selfPath, arguments);
}

bool SystemProcessLauncher::start(const QString &program, const QStringList &arguments)
{
    if (program.trimmed().isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

} // namespace platform
