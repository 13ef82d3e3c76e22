#pragma once

#include "platform/registry.h"

namespace platform {

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

} // namespace platform
