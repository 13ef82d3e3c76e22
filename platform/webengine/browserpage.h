#pragma once

#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

#include <atomic>

namespace platform {

// Refuses network requests while the page is offline; local pages still load.
class OfflineInterceptor : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void setOffline(bool offline) { m_offline = offline; }
    bool offline() const { return m_offline; }
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    static bool isNetworkScheme(const QString &scheme);

private:
    std::atomic<bool> m_offline{false};
};

// Holds the navigation policy and reports every navigation, frames included, before it
// starts.
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    BrowserPage(QWebEngineProfile *profile, QObject *parent);
    ~BrowserPage() override;

    bool offline() const { return m_interceptor.offline(); }
    void setOffline(bool offline);

Q_SIGNALS:
    void navigationAsked(const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame, bool &cancel);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    OfflineInterceptor m_interceptor;
};

} // namespace platform
