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

namespace {

// What a local page may always name: nothing leaves the machine for these.
bool isInertScheme(const QString &scheme)
{
    return scheme == u"about" || scheme == u"data" || scheme == u"blob";
}

// The folder of the file, links resolved; "" when it does not exist.
QString realFolderOf(const QUrl &file)
{
    return QFileInfo(QFileInfo(file.toLocalFile()).absolutePath()).canonicalFilePath();
}

} // namespace

bool localPageMayRequest(const QUrl &localDocument, const PageRequest &request, bool scriptRuns)
{
    if (request.kind == LocalRequest::MainFrame)
        return true;
    const QUrl &url = request.url;
    if (!url.isLocalFile()) {
        if (isInertScheme(url.scheme()))
            return true;
        // The engine asks for the icon of the page it is about to show; everything else
        // without a web origin comes from the local document (its origin may be opaque).
        const QString from = request.initiator.scheme();
        return from != u"file" && !(request.initiator.isEmpty() && request.kind != LocalRequest::Icon);
    }
    if (!request.initiator.isEmpty() && !request.initiator.isLocalFile())
        return false; // a web page reads no local file
    if (scriptRuns || request.kind == LocalRequest::Read || request.kind == LocalRequest::Socket)
        return false;
    const QString folder = realFolderOf(localDocument);
    const QString target = QFileInfo(url.toLocalFile()).canonicalFilePath();
    return !folder.isEmpty() && !target.isEmpty() && target.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

bool localPageMayNavigate(const QUrl &target, NavigationCause cause, bool userActed, bool leaving)
{
    if (target.isLocalFile() || target.toString() == u"about:blank")
        return true;
    switch (cause) {
    case NavigationCause::Typed:
    case NavigationCause::BackForward:
    case NavigationCause::Reload:
        return true;
    case NavigationCause::Redirect:
        return leaving;
    case NavigationCause::Link:
    case NavigationCause::Form:
        return userActed && !leaving;
    case NavigationCause::Other:
        return false;
    }
    return false;
}

} // namespace platform
