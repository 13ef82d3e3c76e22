#include "platform/platform.h"

#include "platform/networktransfer.h"
#include "platform/privacy.h"

namespace platform {

struct RealPlatform::Services
{
    explicit Services(const Options &options)
        : registry(options.registryFile.isEmpty() ? IniRegistry::defaultFilePath() : options.registryFile)
        , shell(options.favoritesFolder)
    { }

    NetworkTransfer transfer;
    IniRegistry registry;
    QtDialogs dialogs;
    SystemClipboard clipboard;
    SystemProcessLauncher processes;
    SystemShell shell;
    HostSystemFacts system;
    QtWindowServices windows;
    QtInputMethodState inputMethod;
    SystemDriveList drives;
    std::unique_ptr<PrivacyFollower> privacy;
};

RealPlatform::RealPlatform(BrowserFactory &browsers, const Options &options)
    : m_browsers(browsers)
    , m_services(std::make_unique<Services>(options))
{
    m_services->privacy = std::make_unique<PrivacyFollower>(m_services->registry, browsers);
}

RealPlatform::~RealPlatform() = default;

Platform RealPlatform::platform()
{
    Services &s = *m_services;
    return Platform {m_browsers, s.transfer, s.registry, s.dialogs,     s.clipboard, s.processes,
                     s.shell,    s.system,   s.windows,  s.inputMethod, s.drives};
}

} // namespace platform
