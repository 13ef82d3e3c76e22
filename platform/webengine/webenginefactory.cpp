#include "platform/webengine/webenginefactory.h"

#include "platform/downloadpolicy.h"
#include "platform/pagepermissions.h"
#include "platform/pagerequests.h"
#include "platform/webengine/browserpage.h"
#include "platform/webengine/downloads.h"
#include "platform/webengine/pagecontextmenu.h"
#include "platform/webengine/sharedcookiejar.h"
#include "platform/webengine/userinputclock.h"
#include "platform/webengine/webenginebrowser.h"

#include <QDir>
#include <QNetworkReply>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace platform {

namespace {

// Asks every site not to track the user while the choice is on.
class DoNotTrackHeader : public QWebEngineUrlRequestInterceptor
{
public:
    DoNotTrackHeader(std::shared_ptr<std::atomic<bool>> on, QObject *parent)
        : QWebEngineUrlRequestInterceptor(parent)
        , m_on(std::move(on))
    { }
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (m_on->load())
            info.setHttpHeader("DNT", "1");
    }

private:
    std::shared_ptr<std::atomic<bool>> m_on;
};

} // namespace

// Windows the engine opens its own way for pages that asked for them: each is a plain
// window with its own view, so window.opener keeps working.
PopupWindows::PopupWindows(QWebEngineProfile *profile, BrowserUi::SignIn signIn, BrowserUi::PageDialog pageDialog)
    : m_profile(profile)
    , m_signIn(std::move(signIn))
    , m_pageDialog(std::move(pageDialog))
{ }

PopupWindows::~PopupWindows()
{
    closeAll();
}

void PopupWindows::open(QWebEngineNewWindowRequest &request)
{
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("popupWindow"));
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *view = new QWebEngineView(window);
    // The same guard and local-file rules as the program's windows.
    auto *page = new BrowserPage(m_profile, view);
    auto *input = new UserInputClock(view, page);
    page->setUserActionCheck([input] { return followsUserInput(input->now(), input->lastInput(), -1); });
    view->setPage(page);
    layout->addWidget(view);
    auto gate = std::make_shared<PageQuestionGate>();
    answerSignIns(page, window, m_signIn, gate);
    showScriptDialogs(page, window, m_pageDialog, gate);
    // No one here to ask: a page in such a window uses no camera, place or screen, and
    // does not cover the screen.
    QObject::connect(page, &QWebEnginePage::fullScreenRequested, page,
                     [](QWebEngineFullScreenRequest request) { request.reject(); });
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QObject::connect(page, &QWebEnginePage::permissionRequested, page,
                     [](QWebEnginePermission permission) { permission.deny(); });
#else
    QObject::connect(page, &QWebEnginePage::featurePermissionRequested, page,
                     [page](const QUrl &origin, QWebEnginePage::Feature feature) {
                         page->setFeaturePermission(origin, feature, QWebEnginePage::PermissionDeniedByUser);
                     });
#endif
    // The same Japanese menu as the program's windows, without their items.
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, view, [view, input](const QPoint &pos) {
        popUpPageMenu(view, {}, pos, [input] { input->noteInput(); });
    });
    QObject::connect(page, &QWebEnginePage::windowCloseRequested, window, &QWidget::close);
    QObject::connect(page, &QWebEnginePage::titleChanged, window, &QWidget::setWindowTitle);
    // A window the engine opened gets no more windows than the main one would give it.
    QObject::connect(page, &QWebEnginePage::newWindowRequested, window, [this, page](QWebEngineNewWindowRequest &next) {
        if (next.isUserInitiated() && pageMayOpen(page->url().toString(), next.requestedUrl().toString()))
            open(next);
    });
    const QRect geometry = request.requestedGeometry();
    if (geometry.width() > 0 && geometry.height() > 0)
        window->setGeometry(geometry);
    else
        window->resize(800, 600);
    request.openIn(page);
    m_windows.append(window);
    window->show();
}

QList<QWidget *> PopupWindows::windows() const
{
    QList<QWidget *> open;
    for (const QPointer<QWidget> &window : m_windows) {
        if (window)
            open.append(window);
    }
    return open;
}

void PopupWindows::closeAll()
{
    for (const QPointer<QWidget> &window : std::as_const(m_windows))
        delete window.data();
    m_windows.clear();
}

WebEngineBrowserFactory::WebEngineBrowserFactory(BrowserUi ui, const QString &storageName)
    : m_ui(std::move(ui))
    , m_profile(storageName.isEmpty() ? new QWebEngineProfile : new QWebEngineProfile(storageName))
    , m_popups(m_profile, m_ui.signIn, m_ui.pageDialog)
{
    if (!storageName.isEmpty()) {
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        m_cookieJar = new SharedCookieJar(
            m_profile->cookieStore(),
            QDir(m_profile->persistentStoragePath()).filePath(QStringLiteral("shared-cookies/cookies.txt")), m_profile);
    }
    // Without this the engine shows a local page without its own pictures and style
    // sheets; each page's request guard decides what a local page may load.
    QWebEngineSettings *settings = m_profile->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    // A PDF shows in the page with the engine's viewer instead of going to the downloads.
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    // Without these the engine refuses full screen and screen sharing before anyone is
    // asked; the window and the permission question decide instead.
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    settings->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, true);
    m_headers = new DoNotTrackHeader(m_doNotTrack, m_profile);
    m_headerRequests = new DownloadHeaderRequests(m_profile, m_doNotTrack);
    // Downloads must be accepted inside this slot or the engine cancels them.
    QObject::connect(m_profile, &QWebEngineProfile::downloadRequested, m_profile,
                     [this](QWebEngineDownloadRequest *download) { handleDownload(download); });
}

WebEngineBrowserFactory::~WebEngineBrowserFactory()
{
    // Pages must go before their profile.
    m_popups.closeAll();
    delete m_profile;
}

BrowserComponent *WebEngineBrowserFactory::createBrowser(QWidget *parent)
{
    auto *browser = new WebEngineBrowser(m_profile, &m_popups, m_ui, parent);
    browser->setPermissionAnswers(m_permissions);
    m_browsers.removeIf([](const auto &known) { return known.value().isNull(); });
    m_browsers.insert(browser->page(), browser);
    return browser;
}

QString WebEngineBrowserFactory::downloadFolder() const
{
    if (!m_downloadFolder.isEmpty())
        return m_downloadFolder;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    // Without a download folder of its own the home folder stands in, as XDG says.
    return folder.isEmpty() ? QDir::homePath() : folder;
}

void WebEngineBrowserFactory::setAcceptLanguage(const QString &header)
{
    m_profile->setHttpAcceptLanguage(header);
}

void WebEngineBrowserFactory::useFonts(const JapaneseFontSet &fonts)
{
    // Left to itself the engine may draw kanji with Chinese glyph shapes.
    QWebEngineSettings *settings = m_profile->settings();
    const std::pair<QWebEngineSettings::FontFamily, QString> families[] = {
        {QWebEngineSettings::StandardFont, fonts.sansSerif},
        {QWebEngineSettings::SansSerifFont, fonts.sansSerif},
        {QWebEngineSettings::SerifFont, fonts.serif},
        {QWebEngineSettings::FixedFont, fonts.fixed},
    };
    for (const auto &[which, family] : families) {
        if (!family.isEmpty())
            settings->setFontFamily(which, family);
    }
}

void WebEngineBrowserFactory::setPrivacy(const PrivacySettings &settings)
{
    m_blockThirdParty->store(settings.blockThirdPartyCookies);
    m_doNotTrack->store(settings.doNotTrack);
    // The engine stops every request for the UI thread while an interceptor is set, and
    // that thread is busiest when the first page is asked for; so the hooks are set only
    // while they have something to do.
    m_profile->setUrlRequestInterceptor(settings.doNotTrack ? m_headers : nullptr);
    if (settings.blockThirdPartyCookies) {
        m_profile->cookieStore()->setCookieFilter(
            [blocked = m_blockThirdParty](const QWebEngineCookieStore::FilterRequest &request) {
                return !(request.thirdParty && blocked->load());
            });
    } else {
        m_profile->cookieStore()->setCookieFilter(nullptr);
    }
}

PrivacySettings WebEngineBrowserFactory::privacy() const
{
    return {m_blockThirdParty->load(), m_doNotTrack->load()};
}

QString WebEngineBrowserFactory::engineVersion() const
{
    return QString::fromLatin1(qWebEngineChromiumVersion());
}

void WebEngineBrowserFactory::clearHistory()
{
    m_profile->clearAllVisitedLinks();
}

void WebEngineBrowserFactory::clearCache()
{
    m_profile->clearHttpCache();
}

void WebEngineBrowserFactory::deleteAllCookies(std::function<void(bool)> done)
{
    if (m_cookieJar) {
        m_cookieJar->clearAll(std::move(done));
        return;
    }
    // Off the record nothing outlives the process; the engine's cookies are all there is.
    m_profile->cookieStore()->deleteAllCookies();
    if (done)
        done(true);
}

QString WebEngineBrowserFactory::cookieFolder() const
{
    return m_profile->isOffTheRecord() ? QString() : m_profile->persistentStoragePath();
}

void WebEngineBrowserFactory::handleDownload(QWebEngineDownloadRequest *download)
{
    if (download->isSavePageDownload()) {
        download->accept(); // path and format were chosen by the save command
        return;
    }
    const QPointer<QWebEngineDownloadRequest> request(download);
    const QPointer<WebEngineBrowser> browser = m_browsers.value(download->page());
    // A file the save command asked for (a PDF shown by the viewer), to where the user chose.
    if (browser && browser->page() == download->page() && browser->takeRequestedSave(download))
        return;
    // A page the engine cannot show: saved at once when the user asked for it, shown in
    // the window that asked. A window the engine opened for a page has no one to ask.
    if (!browser || browser->page() != download->page() || !browser->mayStartDownload(download) || !request) {
        if (request)
            request->cancel();
        return;
    }
    // The second request repeats a GET; a form may have sent a POST, which must not be
    // sent again.
    const QUrl url = download->url();
    QNetworkReply *headers = nullptr;
    if ((url.scheme() == u"http" || url.scheme() == u"https") && engineNameMayBeWrong(download->suggestedFileName())
        && !browser->cameFromForm(url))
        headers = m_headerRequests->get(url);
    auto *saved = new SavedDownload(download, downloadFolder(), headers, m_profile);
    QObject::connect(saved, &SavedDownload::finished, saved, &QObject::deleteLater);
    browser->adoptDownload(saved);
}

} // namespace platform
