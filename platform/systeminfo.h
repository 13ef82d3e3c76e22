#pragma once

#include <QSize>
#include <QString>

namespace platform {

// The machine's host name, "" when the system cannot tell.
QString hostName();

// The first IPv4 address the resolver gives for a host name, dotted; "" on any failure.
QString firstIPv4Address(const QString &host);

struct OsVersion
{
    int major = 0;
    int minor = 0;
    int build = 0;
    int platformId = 2; // the value Windows NT reports; the program only compares it

    bool operator==(const OsVersion &) const = default;
};

// Major, minor and build from a kernel release such as "6.1.0-13-amd64"; missing or
// unreadable parts are 0.
OsVersion parseKernelRelease(const QString &release);

class SystemFacts
{
public:
    virtual ~SystemFacts() = default;
    virtual OsVersion osVersion() const = 0;
    // The primary screen in logical pixels; empty without a screen.
    virtual QSize screenSize() const = 0;
    virtual QString hostName() const = 0;
    // The host name's first IPv4 address, "" when there is none.
    virtual QString ipv4Address() const = 0;
};

class HostSystemFacts : public SystemFacts
{
public:
    OsVersion osVersion() const override;
    QSize screenSize() const override;
    QString hostName() const override;
    QString ipv4Address() const override;
};

} // namespace platform
