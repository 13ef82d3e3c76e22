#pragma once

#include "platform/registry.h"

#include <QObject>

class QFileSystemWatcher;

namespace platform {

class BrowserFactory;

// What every page of the profile keeps to itself.
struct PrivacySettings
{
    bool blockThirdPartyCookies = false;
    bool doNotTrack = false;

    bool operator==(const PrivacySettings &) const = default;
};

// Kept with the other Internet settings of the registry store.
PrivacySettings storedPrivacy(RegistryGateway &registry);
void storePrivacy(RegistryGateway &registry, const PrivacySettings &settings);

// Keeps the browsers of this process on the stored privacy choices: applied at once, and
// again whenever a process of the program stores others. The processes share cookies, so
// they must share the rules for them.
class PrivacyFollower : public QObject
{
public:
    PrivacyFollower(IniRegistry &registry, BrowserFactory &browsers);

private:
    void follow();

    IniRegistry &m_registry;
    BrowserFactory &m_browsers;
    QFileSystemWatcher *m_watcher;
};

} // namespace platform
