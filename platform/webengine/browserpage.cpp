#include "platform/webengine/browserpage.h"

#include "platform/pagerequests.h"

#include <QPointer>
#include <QWebEngineHistory>
#include <QWebEngineScript>
#include <QWebEngineSettings>

namespace platform {

namespace {

LocalRequest requestKind(QWebEngineUrlRequestInfo::ResourceType type)
{
    using R = QWebEngineUrlRequestInfo;
    switch (type) {
    case R::ResourceTypeMainFrame:
        return LocalRequest::MainFrame;
    case R::ResourceTypeSubFrame:
        return LocalRequest::Frame;
    case R::ResourceTypeStylesheet:
    case R::ResourceTypeScript:
    case R::ResourceTypeImage:
    case R::ResourceTypeFontResource:
    case R::ResourceTypeMedia:
        return LocalRequest::Embedded;
    case R::ResourceTypeFavicon:
        return LocalRequest::Icon;
    case R::ResourceTypeWebSocket:
        return LocalRequest::Socket;
    default:
        return LocalRequest::Read;
    }
}

NavigationCause causeOf(QWebEnginePage::NavigationType type)
{
    switch (type) {
    case QWebEnginePage::NavigationTypeLinkClicked:
        return NavigationCause::Link;
    case QWebEnginePage::NavigationTypeFormSubmitted:
        return NavigationCause::Form;
    case QWebEnginePage::NavigationTypeTyped:
        return NavigationCause::Typed;
    case QWebEnginePage::NavigationTypeBackForward:
        return NavigationCause::BackForward;
    case QWebEnginePage::NavigationTypeReload:
        return NavigationCause::Reload;
    case QWebEnginePage::NavigationTypeRedirect:
        return NavigationCause::Redirect;
    default:
        return NavigationCause::Other;
    }
}

// Whether the document has script of its own: elements, handlers or script links.
const QString kHasScript =
    QStringLiteral("(function(){if(document.scripts.length)return true;"
                   "var all=document.getElementsByTagName('*');"
                   "for(var i=0;i<all.length;++i){var a=all[i].attributes;"
                   "for(var j=0;j<a.length;++j){var n=a[j].name.toLowerCase();"
                   "if(n.lastIndexOf('on',0)===0)return true;"
                   "if((n==='href'||n==='src'||n==='action')&&/^\\s*javascript:/i.test(a[j].value))return true;}}"
                   "return false;})()");

} // namespace

void PageRequestGuard::setLocalDocument(const QUrl &document, bool scriptRuns)
{
    m_localDocument = document;
    m_scriptRuns = scriptRuns;
}

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
    if (!m_localDocument.isEmpty()
        && !localPageMayRequest(m_localDocument, {url, info.initiator(), requestKind(info.resourceType())},
                                m_scriptRuns))
        info.block(true);
}

BrowserPage::BrowserPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    // What the page shows once a load ends decides, whatever was asked for on the way.
    connect(this, &QWebEnginePage::loadFinished, this, &BrowserPage::settle);
    // Once a page from elsewhere is shown, its own navigations are its own; the local page
    // it replaced stays guarded until the load ends, for its handlers may still run.
    connect(this, &QWebEnginePage::urlChanged, this, [this] {
        if (m_leaving && !committedUrl().isLocalFile() && committedUrl() == url()) {
            m_leaving = false;
            m_localDocument.clear();
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

QUrl BrowserPage::committedUrl() const
{
    const QWebEngineHistoryItem current = history()->currentItem();
    return current.isValid() ? current.url() : url();
}

QUrl BrowserPage::localDocument() const
{
    const QUrl shown = committedUrl();
    return shown.isLocalFile() ? shown : QUrl();
}

void BrowserPage::updateGuard()
{
    m_guard.setLocalDocument(m_guardedDocument, localScriptRuns());
    // Every request a guard sees waits for this thread, which at start-up is busy drawing
    // the first frame; online web pages need none.
    setUrlRequestInterceptor(m_guard.offline() || m_guard.guardsLocalDocument() ? &m_guard : nullptr);
}

void BrowserPage::applyScriptPolicy(bool local)
{
    // A local file's script reads every file it may show, as one origin; a file allowed
    // its script is kept an origin of its own, which the engine shows no other file.
    const bool scriptOn = !local || localScriptRuns();
    if (m_scriptSettingsKnown && scriptOn == m_scriptOn)
        return;
    m_scriptSettingsKnown = true;
    m_scriptOn = scriptOn;
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, scriptOn);
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, !scriptOn);
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (!m_localDocument.isEmpty()) {
        const bool userActed = m_userActed && m_userActed();
        if (isMainFrame && !localPageMayNavigate(url, causeOf(type), userActed, m_leaving)) {
            Q_EMIT localNavigationRefused(url);
            return false;
        }
        // A local page's frames stay on this machine.
        if (!isMainFrame && !url.isLocalFile() && url.scheme() != u"about" && url.scheme() != u"data")
            return false;
    }
    bool cancel = false;
    Q_EMIT navigationAsked(url, type, isMainFrame, cancel);
    if (cancel)
        return false;
    if (isMainFrame && type != NavigationTypeRedirect)
        enter(url);
    return true;
}

void BrowserPage::enter(const QUrl &url)
{
    if (url.isLocalFile()) {
        if (url.adjusted(QUrl::RemoveFragment) != m_scriptFile)
            m_scriptFile.clear();
        m_localDocument = url;
        m_guardedDocument = url;
        m_leaving = false;
        // Set before the file's document exists.
        applyScriptPolicy(true);
    } else {
        m_scriptFile.clear();
        // The local page stays guarded until it is gone: its handlers may still run.
        m_leaving = !m_localDocument.isEmpty();
        applyScriptPolicy(false);
    }
    updateGuard();
}

void BrowserPage::settle(bool loaded)
{
    const QUrl shown = committedUrl();
    if (shown.isLocalFile()) {
        m_localDocument = shown;
        m_guardedDocument = shown;
        m_leaving = false;
        if (shown.adjusted(QUrl::RemoveFragment) != m_scriptFile)
            m_scriptFile.clear();
        applyScriptPolicy(true);
        updateGuard();
        if (loaded && !localScriptRuns()) {
            QPointer<BrowserPage> self(this);
            runJavaScript(kHasScript, QWebEngineScript::ApplicationWorld, [self, shown](const QVariant &result) {
                // The answer comes later; the user may have let the script run meanwhile.
                if (self && result.toBool() && self->committedUrl() == shown && !self->localScriptRuns())
                    Q_EMIT self->localScriptBlocked(shown);
            });
        }
        return;
    }
    m_localDocument.clear();
    m_guardedDocument.clear();
    m_leaving = false;
    m_scriptFile.clear();
    applyScriptPolicy(false);
    updateGuard();
}

bool BrowserPage::runLocalScript()
{
    const QUrl shown = committedUrl();
    if (!shown.isLocalFile())
        return false;
    m_scriptFile = shown.adjusted(QUrl::RemoveFragment);
    applyScriptPolicy(true);
    updateGuard();
    triggerAction(Reload);
    return true;
}

// The engine's own dialogs are modal, unlimited and in English: a page could raise one
// after another and keep the window from closing.
namespace {
struct DialogUp
{
    explicit DialogUp(int &count)
        : m_count(++count)
    { }
    ~DialogUp() { --m_count; }
    DialogUp(const DialogUp &) = delete;
    DialogUp &operator=(const DialogUp &) = delete;
    int &m_count;
};
} // namespace

void BrowserPage::javaScriptAlert(const QUrl &, const QString &msg)
{
    const DialogUp up(m_dialogsUp);
    if (m_scriptDialogs)
        m_scriptDialogs({PageDialogRequest::Kind::Alert, {}, msg, {}, false});
}

bool BrowserPage::javaScriptConfirm(const QUrl &, const QString &msg)
{
    const DialogUp up(m_dialogsUp);
    return m_scriptDialogs && m_scriptDialogs({PageDialogRequest::Kind::Confirm, {}, msg, {}, false}).accepted;
}

bool BrowserPage::javaScriptPrompt(const QUrl &, const QString &msg, const QString &defaultValue, QString *result)
{
    const DialogUp up(m_dialogsUp);
    if (!m_scriptDialogs)
        return false;
    const PageDialogAnswer answer = m_scriptDialogs({PageDialogRequest::Kind::Prompt, {}, msg, defaultValue, false});
    if (answer.accepted && result)
        *result = answer.text;
    return answer.accepted;
}

} // namespace platform
