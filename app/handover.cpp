#include "app/handover.h"

#include "app/navigation.h"
#include "app/settingsstore.h"
#include "app/sharedprocs.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/pagerequests.h"

namespace handover {

namespace {
const QString kNewWindowMark = QStringLiteral("new-window ");
}

QString filePath()
{
    return programFolder() + QStringLiteral("urldata.ini");
}

QString firstLine(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n')
            return text.left(i);
    }
    return text;
}

bool accepts(const QString &text)
{
    return platform::isWebAddress(text);
}

QString read()
{
    const QString address = firstLine(readWholeFile(filePath()));
    return accepts(address) ? address : QString();
}

bool write(const QString &address)
{
    if (!accepts(address))
        return false;
    // Rewritten at every pointer move onto a link: not worth waiting for the disk.
    return platform::writeFileAtomically(filePath(), ansi::encode(storableAddress(address)) + "\r\n", nullptr,
                                         {.syncToDisk = false});
}

bool writeForNewWindow(const QString &address, qint64 nowMs)
{
    if (!accepts(address))
        return false;
    return platform::writeFileAtomically(filePath(),
                                         ansi::encode(storableAddress(address)) + "\r\n" + kNewWindowMark.toLatin1()
                                             + QByteArray::number(nowMs) + "\r\n",
                                         nullptr, {.syncToDisk = false});
}

QString addressForStart(const QString &text, qint64 nowMs)
{
    const QString address = firstLine(text);
    if (!accepts(address))
        return {};
    QStringView rest = QStringView(text).sliced(address.size());
    while (rest.startsWith(u'\r') || rest.startsWith(u'\n'))
        rest = rest.sliced(1);
    const QString mark = firstLine(rest.toString());
    if (!mark.startsWith(kNewWindowMark))
        return {};
    bool ok = false;
    const qint64 written = mark.sliced(kNewWindowMark.size()).toLongLong(&ok);
    // A clock set back must not make an old address new either.
    if (!ok || written > nowMs + 1000 || nowMs - written > kNewWindowWaitMs)
        return {};
    return address;
}

QString readForStart(qint64 nowMs)
{
    return addressForStart(readWholeFile(filePath()), nowMs);
}

bool clear()
{
    return platform::writeFileAtomically(filePath(), "\r\n", nullptr, {.syncToDisk = false});
}

} // namespace handover
