#include "platform/downloadpolicy.h"

namespace platform {

bool followsUserInput(qint64 now, qint64 lastInput, qint64 pageStart)
{
    return lastInput >= 0 && lastInput > pageStart && now - lastInput <= kUserActionMs;
}

bool engineNameMayBeWrong(const QString &engineName)
{
    // Newer engines (Chromium 122) read those bytes as windows-1252, whose 0x80 to 0x9F
    // are these characters rather than Latin-1's controls.
    static const QString windows1252 = QStringLiteral(
        "\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D"
        "\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178");
    for (const QChar c : engineName) {
        if ((c.unicode() >= 0x80 && c.unicode() <= 0xFF) || c == QChar::ReplacementCharacter || windows1252.contains(c))
            return true;
    }
    return false;
}

QString downloadOrigin(const QUrl &url)
{
    if (!url.host().isEmpty())
        return url.host();
    if (url.scheme() == u"blob") {
        const QUrl inner(url.path());
        if (!inner.host().isEmpty())
            return inner.host();
    }
    return url.scheme() + u':';
}

} // namespace platform
