#pragma once

#include "platform/registry.h"

#include <QString>

namespace platform {

// The home page as the Internet options store it; "" when none is set.
inline QString storedHomePage(RegistryGateway &registry)
{
    return registry.readStringValue(registry::CurrentUser,
                                    QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main"),
                                    QStringLiteral("Start Page"));
}

} // namespace platform
