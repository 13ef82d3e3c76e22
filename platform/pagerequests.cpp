#include "platform/pagerequests.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

bool isWebAddress(const QString &address)
{
    const QUrl url(address.trimmed());
    const QString scheme = url.scheme(); // QUrl keeps schemes in lower case
    return url.isValid() && !url.host().isEmpty() && (scheme == u"http" || scheme == u"https" || scheme == u"ftp");
}

bool pageMayOpen(const QString &pageAddress, const QString &target)
{
    const QString trimmed = target.trimmed();
    if (trimmed.isEmpty() || trimmed == u"about:blank" || isWebAddress(trimmed))
        return true;
    const bool localTarget = trimmed.startsWith(u'/') || QUrl(trimmed).isLocalFile();
    return localTarget && QUrl(pageAddress).isLocalFile();
}

bool localPageMayLoad(const QUrl &page, const QUrl &target, LocalRequest request)
{
    if (request == LocalRequest::Read)
        return false;
    const QString folder = QDir::cleanPath(QFileInfo(page.toLocalFile()).absolutePath());
    const QString path = QDir::cleanPath(target.toLocalFile());
    return !folder.isEmpty() && path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

} // namespace platform
