#include "platform/webengine/browserpage.h"

namespace platform {

bool OfflineInterceptor::isNetworkScheme(const QString &scheme)
{
    return scheme == u"http" || scheme == u"https" || scheme == u"ftp" || scheme == u"ws"
        || scheme == u"wss";
}

void OfflineInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (m_offline && isNetworkScheme(info.requestUrl().scheme()))
        info.block(true);
}

BrowserPage::BrowserPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
}

BrowserPage::~BrowserPage()
{
    // The interceptor is a member and dies before the page's base; detach it first.
    setUrlRequestInterceptor(nullptr);
}

void BrowserPage::setOffline(bool offline)
{
    m_interceptor.setOffline(offline);
    // Every request an interceptor sees waits for this thread, which at start-up is busy
    // drawing the first frame; online pages need none.
    setUrlRequestInterceptor(offline ? &m_interceptor : nullptr);
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    bool cancel = false;
    Q_EMIT navigationAsked(url, type, isMainFrame, cancel);
    return !cancel;
}

} // namespace platform
