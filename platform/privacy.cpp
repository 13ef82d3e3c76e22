#include "platform/privacy.h"

using namespace Qt::StringLiterals;

namespace platform {

namespace {
const QString kThirdParty = u"BlockThirdPartyCookies"_s;
const QString kDoNotTrack = u"DoNotTrack"_s;
}

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

} // namespace platform
