#include "platform/pagerequests.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

bool localPageMayLoad(const QUrl &page, const QUrl &target, LocalRequest request)
{
    if (request == LocalRequest::Read)
        return false;
    const QString folder = QDir::cleanPath(QFileInfo(page.toLocalFile()).absolutePath());
    const QString path = QDir::cleanPath(target.toLocalFile());
    return !folder.isEmpty() && path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

} // namespace platform
