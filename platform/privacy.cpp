#include "platform/privacy.h"

#include "platform/browsercomponent.h"
#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

using namespace Qt::StringLiterals;

namespace platform {

namespace {
const QString kThirdParty = u"BlockThirdPartyCookies"_s;
const QString kDoNotTrack = u"DoNotTrack"_s;
} // namespace

PrivacySettings storedPrivacy(RegistryGateway &registry)
{
    const QString key = registry::InternetSettings.toString();
    return {registry.readStringValue(registry::CurrentUser, key, kThirdParty) == u"1",
            registry.readStringValue(registry::CurrentUser, key, kDoNotTrack) == u"1"};
}

void storePrivacy(RegistryGateway &registry, const PrivacySettings &settings)
{
    const QString key = registry::InternetSettings.toString();
    auto flag = [](bool on) { return on ? u"1"_s : u"0"_s; };
    registry.writeStringValue(registry::CurrentUser, key, kThirdParty, flag(settings.blockThirdPartyCookies));
    registry.writeStringValue(registry::CurrentUser, key, kDoNotTrack, flag(settings.doNotTrack));
}

PrivacyFollower::PrivacyFollower(IniRegistry &registry, BrowserFactory &browsers)
    : m_registry(registry)
    , m_browsers(browsers)
    , m_watcher(new QFileSystemWatcher(this))
{
    // The file is replaced, not changed in place: its folder tells of every new one.
    const QString folder = QFileInfo(registry.filePath()).absolutePath();
    makePrivatePath(folder);
    m_watcher->addPath(folder);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &PrivacyFollower::follow);
    follow();
}

void PrivacyFollower::follow()
{
    const PrivacySettings stored = storedPrivacy(m_registry);
    if (stored != m_browsers.privacy())
        m_browsers.setPrivacy(stored);
}

} // namespace platform
