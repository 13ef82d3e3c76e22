#pragma once

#include "platform/files.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QUrl>

#include <optional>

namespace platform {

enum class ShortcutResult { Written, Exists, BadAddress, WriteFailed };

// %NAME% replaced by the variable's value (exact name first, then any case, as names
// are on Windows). Unknown names, "%%" and a lone "%" stay as they are; values are not
// expanded again.
QString expandEnvironmentStrings(const QString &text, const QProcessEnvironment &environment);

// The bytes of an Internet shortcut file: "[InternetShortcut]" CR LF "URL=" address CR LF,
// CP932. Characters CP932 lacks are percent-encoded as UTF-8 so the address still works.
// nullopt for an empty address or one with control characters (a CR or LF would add
// lines of its own to the file).
std::optional<QByteArray> internetShortcutBytes(const QString &address);

// Writes the shortcut atomically. Without overwrite an existing file is left alone.
ShortcutResult writeInternetShortcutFile(const QString &path, const QString &address, bool overwrite,
                                         const AtomicWriteOptions &options = {});

class ShellServices
{
public:
    virtual ~ShellServices() = default;
    // Shows an existing folder in the file manager.
    virtual bool openFolder(const QString &path) = 0;
    // Hands an http or https address to the system's default browser.
    virtual bool openInBrowser(const QUrl &address) = 0;
    // Starts a new message to the address in the desktop's mail program.
    virtual bool openMail(const QString &address) = 0;
    virtual QString desktopFolder() const = 0;
    virtual QString favoritesFolder() const = 0;
    virtual QString expandEnvironment(const QString &text) const = 0;
    virtual ShortcutResult writeInternetShortcut(const QString &path, const QString &address, bool overwrite) = 0;
};

class SystemShell : public ShellServices
{
public:
    // favoritesFolder "" means defaultFavoritesFolder().
    explicit SystemShell(const QString &favoritesFolder = {});

    // This platform has no Favorites folder of its own: "Favorites" in the program's
    // data folder (~/.local/share/<program>/Favorites).
    static QString defaultFavoritesFolder();

    bool openFolder(const QString &path) override;
    bool openInBrowser(const QUrl &address) override;
    bool openMail(const QString &address) override;
    QString desktopFolder() const override;
    QString favoritesFolder() const override;
    QString expandEnvironment(const QString &text) const override;
    ShortcutResult writeInternetShortcut(const QString &path, const QString &address, bool overwrite) override;

private:
    QString m_favoritesFolder;
};

// Whether openInBrowser takes an address: only http and https, so a page cannot have the
// system open local files or other handlers.
bool isBrowsableAddress(const QUrl &address);

} // namespace platform
