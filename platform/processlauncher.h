#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Starts programs detached, with argument lists and never through a shell, so no text
// from a page or the user is ever read as a command line. A failure to start is false.
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;
    // Another process of this program.
    virtual bool startSelf(const QStringList &arguments) = 0;
    // A program by full path, or by name looked up in PATH.
    virtual bool start(const QString &program, const QStringList &arguments) = 0;
};

class SystemProcessLauncher : public ProcessLauncher
{
public:
    // selfPath "" means the running executable.
    explicit SystemProcessLauncher(const QString &selfPath = {});
    bool startSelf(const QStringList &arguments) override;
    bool start(const QString &program, const QStringList &arguments) override;

private:
    QString m_selfPath;
};

} // namespace platform
