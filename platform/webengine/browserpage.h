#pragma once

#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

#include <atomic>

namespace platform {

// Refuses network requests while the page is offline, and keeps a local page away from
// the local files it has no business with. Set on a page only while it has something to
// do: every request it sees waits for the UI thread.
class PageRequestGuard : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void setOffline(bool offline) { m_offline = offline; }
    bool offline() const { return m_offline; }
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    static bool isNetworkScheme(const QString &scheme);

private:
    std::atomic<bool> m_offline {false};
};

// Holds the navigation policy and reports every navigation, frames included, before it
// starts.
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    BrowserPage(QWebEngineProfile *profile, QObject *parent);
    ~BrowserPage() override;

    bool offline() const { return m_guard.offline(); }
    void setOffline(bool offline);

Q_SIGNALS:
    void navigationAsked(const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame, bool &cancel);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    void updateGuard();

    PageRequestGuard m_guard;
    bool m_localPage = false; // the main frame shows or is about to show a local file
};

} // namespace platform
