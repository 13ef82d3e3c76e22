#pragma once

#include "platform/registry.h"

#include <QString>

namespace platform {

inline QString homePageKey()
{
    return QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main");
}

// The home page as the Internet options store it; "" when none is set.
inline QString storedHomePage(RegistryGateway &registry)
{
    return registry.readStringValue(registry::CurrentUser, homePageKey(), QStringLiteral("Start Page"));
}

inline bool storeHomePage(RegistryGateway &registry, const QString &address)
{
    return registry.writeStringValue(registry::CurrentUser, homePageKey(), QStringLiteral("Start Page"), address);
}

} // namespace platform
