#include "platform/downloadpolicy.h"

#include "platform/hostdisplay.h"

#include "platform/textdecoding.h"

namespace platform {

bool followsUserInput(qint64 now, qint64 lastInput, qint64 pageStart)
{
    return lastInput >= 0 && lastInput > pageStart && now - lastInput <= kUserActionMs;
}

bool engineNameMayBeWrong(const QString &engineName)
{
    for (const QChar c : engineName) {
        if (c == QChar::ReplacementCharacter || (c.unicode() >= 0x80 && bytesReadAsWestern(QStringView(&c, 1))))
            return true;
    }
    return false;
}

QString downloadOrigin(const QUrl &url)
{
    if (!url.host().isEmpty())
        return displayHost(url.host());
    if (url.scheme() == u"blob") {
        const QUrl inner(url.path());
        if (!inner.host().isEmpty())
            return displayHost(inner.host());
    }
    return url.scheme() + u':';
}

} // namespace platform
