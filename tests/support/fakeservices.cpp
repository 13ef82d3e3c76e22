#include "tests/support/fakeservices.h"

#include <QFileInfo>
#include <QSaveFile>

bool FakeProcessLauncher::startSelf(const QStringList &arguments)
{
    m_starts.append({true, QString(), arguments});
    return !m_failing;
}

bool FakeProcessLauncher::start(const QString &program, const QStringList &arguments)
{
    m_starts.append({false, program, arguments});
    return !m_failing && !program.trimmed().isEmpty();
}

bool FakeShell::openFolder(const QString &path)
{
    m_openedFolders.append(path);
    return QFileInfo(path).isDir();
}

bool FakeShell::openInBrowser(const QUrl &address)
{
    m_openedAddresses.append(address);
    return platform::isBrowsableAddress(address);
}

QString FakeShell::expandEnvironment(const QString &text) const
{
    return platform::expandEnvironmentStrings(text, m_environment);
}

platform::ShortcutResult FakeShell::writeInternetShortcut(const QString &path, const QString &address, bool overwrite)
{
    m_shortcuts.append({path, address});
    return platform::writeInternetShortcutFile(path, address, overwrite);
}

void FakeWindowServices::setAlwaysOnTop(QWidget *window, bool onTop)
{
    m_onTop.insert(window, onTop);
}

void FakeWindowServices::setOpacity(QWidget *window, int alpha)
{
    m_opacity.insert(window, qBound(0, alpha, 255));
}

QImage FakeWindowServices::capture(QWidget *window)
{
    ++m_captures;
    if (!window)
        return {};
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::gray);
    return image;
}

bool FakeWindowServices::saveBitmap(const QImage &image, const QString &path)
{
    m_saved.append(path);
    if (m_saveFails || image.isNull())
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "BMP") && file.commit();
}

std::optional<bool> FakeWindowServices::alwaysOnTop(QWidget *window) const
{
    const auto found = m_onTop.constFind(window);
    return found == m_onTop.constEnd() ? std::nullopt : std::optional(*found);
}

std::optional<int> FakeWindowServices::opacity(QWidget *window) const
{
    const auto found = m_opacity.constFind(window);
    return found == m_opacity.constEnd() ? std::nullopt : std::optional(*found);
}
