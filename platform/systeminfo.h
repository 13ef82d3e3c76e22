#pragma once

#include <QString>

namespace platform {

// The machine's host name, "" when the system cannot tell.
QString hostName();

// The first IPv4 address the resolver gives for a host name, dotted; "" on any failure.
QString firstIPv4Address(const QString &host);

} // namespace platform
