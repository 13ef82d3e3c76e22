#include "platform/systeminfo.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QSysInfo>

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

namespace platform {

QString hostName()
{
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0)
        return {};
    return QString::fromLocal8Bit(buffer);
}

QString firstIPv4Address(const QString &host)
{
    if (host.isEmpty())
        return {};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.toLocal8Bit().constData(), nullptr, &hints, &found) != 0 || !found)
        return {};
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(found, &::freeaddrinfo);
    for (const addrinfo *entry = found; entry; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || !entry->ai_addr)
            continue;
        const auto *address = reinterpret_cast<const sockaddr_in *>(entry->ai_addr);
        char text[INET_ADDRSTRLEN] = {};
        if (::inet_ntop(AF_INET, &address->sin_addr, text, sizeof text))
            return QString::fromLatin1(text);
    }
    return {};
}

OsVersion parseKernelRelease(const QString &release)
{
    OsVersion version;
    // Leading dotted numbers only: "5.15.90.1-microsoft-standard" has a fourth part and a
    // suffix, "6.8" no build.
    static const QRegularExpression dotted(QStringLiteral("^\\s*(\\d{1,9})(?!\\d)(?:\\.(\\d{1,9})(?!\\d))?(?:\\.(\\d{1,9})(?!\\d))?"));
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
    return firstIPv4Address(platform::hostName());
}

} // namespace platform
