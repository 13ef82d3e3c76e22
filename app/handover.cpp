#include "app/handover.h"

#include "app/navigation.h"
#include "app/settingsstore.h"
#include "app/sharedprocs.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/pagerequests.h"

namespace handover {

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

bool clear()
{
    return platform::writeFileAtomically(filePath(), "\r\n", nullptr, {.syncToDisk = false});
}

} // namespace handover
