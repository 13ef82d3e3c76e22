#include "platform/systeminfo.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QSysInfo>

#include <QNetworkInterface>

#include <unistd.h>

namespace platform {

QString hostName()
{
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0)
        return {};
    return QString::fromLocal8Bit(buffer);
}

QString firstOutsideIPv4(const QList<InterfaceAddress> &addresses)
{
    for (const InterfaceAddress &entry : addresses) {
        if (entry.interfaceUp && entry.address.protocol() == QAbstractSocket::IPv4Protocol
            && !entry.address.isLoopback())
            return entry.address.toString();
    }
    return {};
}

QString machineIPv4Address()
{
    QList<InterfaceAddress> addresses;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        const bool up = flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning)
            && !flags.testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry &entry : interface.addressEntries())
            addresses.append({entry.ip(), up});
    }
    return firstOutsideIPv4(addresses);
}

OsVersion parseKernelRelease(const QString &release)
{
    OsVersion version;
    // Leading dotted numbers only: "5.15.90.1-microsoft-standard" has a fourth part and a
    // suffix, "6.8" no build.
    static const QRegularExpression dotted(
        QStringLiteral("^\\s*(\\d{1,9})(?!\\d)(?:\\.(\\d{1,9})(?!\\d))?(?:\\.(\\d{1,9})(?!\\d))?"));
    const QRegularExpressionMatch match = dotted.match(release);
    if (!match.hasMatch())
        return version;
    version.major = match.captured(1).toInt();
    version.minor = match.captured(2).toInt();
    version.build = match.captured(3).toInt();
    return version;
}

OsVersion HostSystemFacts::osVersion() const
{
    return parseKernelRelease(QSysInfo::kernelVersion());
}

QSize HostSystemFacts::screenSize() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

QString HostSystemFacts::hostName() const
{
    return platform::hostName();
}

QString HostSystemFacts::ipv4Address() const
{
    return machineIPv4Address();
}

} // namespace platform
