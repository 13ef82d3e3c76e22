#include "platform/webengine/browserpage.h"

#include "platform/pagerequests.h"

namespace platform {

namespace {

LocalRequest requestKind(QWebEngineUrlRequestInfo::ResourceType type)
{
    using R = QWebEngineUrlRequestInfo;
    switch (type) {
    case R::ResourceTypeSubFrame:
        return LocalRequest::Frame;
    case R::ResourceTypeStylesheet:
    case R::ResourceTypeScript:
    case R::ResourceTypeImage:
    case R::ResourceTypeFontResource:
    case R::ResourceTypeMedia:
    case R::ResourceTypeFavicon:
        return LocalRequest::Embedded;
    default:
        return LocalRequest::Read;
    }
}

} // namespace

bool PageRequestGuard::isNetworkScheme(const QString &scheme)
{
    return scheme == u"http" || scheme == u"https" || scheme == u"ftp" || scheme == u"ws" || scheme == u"wss";
}

void PageRequestGuard::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const QUrl url = info.requestUrl();
    if (m_offline && isNetworkScheme(url.scheme())) {
        info.block(true);
        return;
    }
    // The engine lets a local page read every local file once it may show its own
    // pictures; what it may not have is decided here.
    const QUrl page = info.firstPartyUrl();
    if (url.isLocalFile() && page.isLocalFile()
        && info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame
        && !localPageMayLoad(page, url, requestKind(info.resourceType())))
        info.block(true);
}

BrowserPage::BrowserPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    connect(this, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        if (m_localPage != url.isLocalFile()) {
            m_localPage = url.isLocalFile();
            updateGuard();
        }
    });
}

BrowserPage::~BrowserPage()
{
    // The guard is a member and dies before the page's base; detach it first.
    setUrlRequestInterceptor(nullptr);
}

void BrowserPage::setOffline(bool offline)
{
    m_guard.setOffline(offline);
    updateGuard();
}

void BrowserPage::updateGuard()
{
    // Every request a guard sees waits for this thread, which at start-up is busy drawing
    // the first frame; online web pages need none.
    setUrlRequestInterceptor(m_guard.offline() || m_localPage ? &m_guard : nullptr);
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    bool cancel = false;
    Q_EMIT navigationAsked(url, type, isMainFrame, cancel);
    // Guarded before the local document asks for anything; urlChanged lifts it again.
    if (!cancel && isMainFrame && url.isLocalFile() && !m_localPage) {
        m_localPage = true;
        updateGuard();
    }
    return !cancel;
}

} // namespace platform
