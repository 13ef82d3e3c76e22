#pragma once

#include <QHostAddress>
#include <QList>
#include <QSize>
#include <QString>

namespace platform {

// The machine's host name, "" when the system cannot tell.
QString hostName();

// An address of one of the machine's network interfaces.
struct InterfaceAddress
{
    QHostAddress address;
    bool interfaceUp = false; // up and running
};

// The first IPv4 address that is not a loopback one, on an interface that is up, dotted;
// "" when there is none.
QString firstOutsideIPv4(const QList<InterfaceAddress> &addresses);

// firstOutsideIPv4 of the machine's interfaces as the system lists them. No name is looked
// up: a host name that maps to 127.0.1.1 (as Debian sets it) says nothing, and a resolver
// that does not answer would hold the caller.
QString machineIPv4Address();

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
    // machineIPv4Address().
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
