#pragma once

#include "platform/webengine/browserui.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

#include <atomic>
#include <functional>

namespace platform {

// Refuses network requests while the page is offline, and keeps a local page to itself:
// no server, and of the local files only what it shows from its own folder. Set on a page
// only while it has something to do: every request it sees waits for the UI thread.
class PageRequestGuard : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void setOffline(bool offline) { m_offline = offline; }
    bool offline() const { return m_offline; }
    // The local file the page shows or is leaving, "" for none; scriptRuns: the user let
    // its script run.
    void setLocalDocument(const QUrl &document, bool scriptRuns);
    bool guardsLocalDocument() const { return !m_localDocument.isEmpty(); }
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    static bool isNetworkScheme(const QString &scheme);

private:
    std::atomic<bool> m_offline {false};
    // Both are set and read on the UI thread, where Qt 6 asks the interceptor.
    QUrl m_localDocument;
    bool m_scriptRuns = false;
};

// Holds the navigation policy and reports every navigation, frames included, before it
// starts. A local file shows without its script, which could read the user's other files
// through the frames and pictures it shows: the user may let one file run it, in this
// window, until it shows another page; it then loads no other file.
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    BrowserPage(QWebEngineProfile *profile, QObject *parent);
    ~BrowserPage() override;

    bool offline() const { return m_guard.offline(); }
    void setOffline(bool offline);

    // Whether a click or key of the user in the page just now led to what it asks for.
    void setUserActionCheck(std::function<bool()> check) { m_userActed = std::move(check); }
    // Shows the alert, confirm and prompt dialogs of the page's script; without one they
    // are answered at once, as if cancelled.
    using ScriptDialogs = std::function<PageDialogAnswer(PageDialogRequest request)>;
    void setScriptDialogs(ScriptDialogs dialogs) { m_scriptDialogs = std::move(dialogs); }
    // While one is up the page's script waits for the user, not in a loop of its own.
    bool scriptDialogUp() const { return m_dialogsUp > 0; }

    // The address of the document shown: not one still loading or refused.
    QUrl committedUrl() const;
    // The local file shown, "" when the page shows none.
    QUrl localDocument() const;
    bool localScriptRuns() const { return !m_scriptFile.isEmpty(); }
    // Lets the local file shown run its own script and shows it again; false without one.
    bool runLocalScript();

Q_SIGNALS:
    void navigationAsked(const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame, bool &cancel);
    // A local page asked for an address it may not go to on its own.
    void localNavigationRefused(const QUrl &url);
    // A local file with script has been shown without it.
    void localScriptBlocked(const QUrl &file);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;

private:
    void enter(const QUrl &url);
    void settle(bool loaded);
    void applyScriptPolicy(bool local);
    void updateGuard();

    PageRequestGuard m_guard;
    std::function<bool()> m_userActed;
    ScriptDialogs m_scriptDialogs;
    int m_dialogsUp = 0;
    QUrl m_localDocument;   // the local file whose navigations are watched
    QUrl m_guardedDocument; // the local file whose requests are, until its page has gone
    bool m_leaving = false; // for an address elsewhere, not yet shown
    QUrl m_scriptFile;      // the file the user lets run its script
    bool m_scriptSettingsKnown = false;
    bool m_scriptOn = true;
};

} // namespace platform
