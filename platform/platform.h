#pragma once

#include "platform/browsercomponent.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/inputmethod.h"
#include "platform/internettransfer.h"
#include "platform/processlauncher.h"
#include "platform/registry.h"
#include "platform/shellservices.h"
#include "platform/systeminfo.h"
#include "platform/windowservices.h"

#include <memory>

namespace platform {

// The host system as the windows see it. Windows take one at construction; the owner of
// the services outlives every window.
struct Platform
{
    BrowserFactory &browsers;
    InternetTransfer &transfer;
    RegistryGateway &registry;
    Dialogs &dialogs;
    Clipboard &clipboard;
    ProcessLauncher &processes;
    ShellServices &shell;
    SystemFacts &system;
    WindowServices &windows;
    InputMethodState &inputMethod;
    DriveList &drives;
};

// Owns the real services. Needs a QApplication for the clipboard, dialogs and screens.
class RealPlatform
{
public:
    struct Options
    {
        QString registryFile;    // "" : IniRegistry::defaultFilePath()
        QString favoritesFolder; // "" : SystemShell::defaultFavoritesFolder()
    };

    explicit RealPlatform(BrowserFactory &browsers)
        : RealPlatform(browsers, Options {})
    { }
    RealPlatform(BrowserFactory &browsers, const Options &options);
    ~RealPlatform();
    RealPlatform(const RealPlatform &) = delete;
    RealPlatform &operator=(const RealPlatform &) = delete;

    Platform platform();

private:
    struct Services;
    BrowserFactory &m_browsers;
    std::unique_ptr<Services> m_services;
};

} // namespace platform
