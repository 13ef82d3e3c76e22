#pragma once

#include "platform/registry.h"

#include <QString>

namespace platform {

// The home page as the Internet options store it; "" when none is set.
inline QString storedHomePage(RegistryGateway &registry)
{
    const auto key = registry.openKey(registry::CurrentUser,
                                      QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main"));
    if (!key)
        return {};
    const QString page = registry.readString(key, QStringLiteral("Start Page"));
    registry.closeKey(key);
    return page;
}

} // namespace platform
