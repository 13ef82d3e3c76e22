#include "platform/webengine/webenginebrowser.h"

#include "platform/codepage.h"
#include "platform/downloadname.h"
#include "platform/downloadpolicy.h"
#include "platform/files.h"
#include "platform/hostdisplay.h"
#include "platform/pagerequests.h"
#include "platform/webengine/browserpage.h"
#include "platform/webengine/downloads.h"
#include "platform/webengine/findbar.h"
#include "platform/webengine/pagecontextmenu.h"
#include "platform/webengine/rendererwatch.h"
#include "platform/webengine/userinputclock.h"
#include "platform/webengine/webenginefactory.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <array>
#include <chrono>
#include <utility>

namespace platform {

namespace {

// Chromium's ERR_ABORTED: the load was stopped or refused by us, which is no failure.
constexpr int kAborted = -3;

constexpr std::array<double, 5> kZoomFactors {0.7, 0.85, 1.0, 1.25, 1.5};

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
std::optional<PageFeature> pageFeatureOf(QWebEnginePermission::PermissionType type)
{
    using T = QWebEnginePermission::PermissionType;
    switch (type) {
    case T::MediaVideoCapture:
        return PageFeature::Camera;
    case T::MediaAudioCapture:
        return PageFeature::Microphone;
    case T::MediaAudioVideoCapture:
        return PageFeature::CameraAndMicrophone;
    case T::Geolocation:
        return PageFeature::Location;
    case T::Notifications:
        return PageFeature::Notifications;
    case T::DesktopVideoCapture:
        return PageFeature::ScreenSharing;
    case T::DesktopAudioVideoCapture:
        return PageFeature::ScreenSharingWithSound;
    case T::MouseLock:
        return PageFeature::MousePointerLock;
    default:
        return std::nullopt; // refused unasked
    }
}
#else
std::optional<PageFeature> pageFeatureOf(QWebEnginePage::Feature feature)
{
    switch (feature) {
    case QWebEnginePage::MediaVideoCapture:
        return PageFeature::Camera;
    case QWebEnginePage::MediaAudioCapture:
        return PageFeature::Microphone;
    case QWebEnginePage::MediaAudioVideoCapture:
        return PageFeature::CameraAndMicrophone;
    case QWebEnginePage::Geolocation:
        return PageFeature::Location;
    case QWebEnginePage::Notifications:
        return PageFeature::Notifications;
    case QWebEnginePage::DesktopVideoCapture:
        return PageFeature::ScreenSharing;
    case QWebEnginePage::DesktopAudioVideoCapture:
        return PageFeature::ScreenSharingWithSound;
    case QWebEnginePage::MouseLock:
        return PageFeature::MousePointerLock;
    }
    return std::nullopt;
}
#endif

} // namespace

WebEngineBrowser::WebEngineBrowser(QWebEngineProfile *profile, PopupWindows *popups, BrowserUi ui, QWidget *parent)
    : BrowserComponent(parent)
    , m_profile(profile)
    , m_popups(popups)
    , m_ui(std::move(ui))
{
    m_container = new QWidget(parent);
    auto *layout = new QVBoxLayout(m_container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_view = new QWebEngineView(m_container);
    m_page = new BrowserPage(profile, m_view);
    m_view->setPage(m_page);
    layout->addWidget(m_view, 1);

    m_gone = new QWidget(m_container);
    m_gone->setObjectName(QStringLiteral("pageGone"));
    m_gone->setAutoFillBackground(true);
    auto *goneLayout = new QVBoxLayout(m_gone);
    auto *goneTitle = new QLabel(QStringLiteral("このページは表示できなくなりました"), m_gone);
    QFont bold = goneTitle->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    goneTitle->setFont(bold);
    auto *goneText = new QLabel(m_gone);
    goneText->setObjectName(QStringLiteral("pageGoneText"));
    goneText->setTextFormat(Qt::PlainText);
    goneText->setWordWrap(true);
    goneText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *reloadButton = new QPushButton(QStringLiteral("再読み込み"), m_gone);
    reloadButton->setObjectName(QStringLiteral("pageGoneReload"));
    connect(reloadButton, &QPushButton::clicked, this, [this] { reload(ReloadMode::Normal); });
    goneLayout->addStretch(1);
    goneLayout->addWidget(goneTitle, 0, Qt::AlignHCenter);
    goneText->setAlignment(Qt::AlignHCenter);
    goneLayout->addWidget(goneText);
    goneLayout->addWidget(reloadButton, 0, Qt::AlignHCenter);
    goneLayout->addStretch(2);
    layout->addWidget(m_gone, 1);
    m_gone->hide();

    m_input = new UserInputClock(m_view, this);
    m_renderer = new RendererWatch(
        m_page, m_ui.notAnsweringMs, [page = m_page] { return page->scriptDialogUp(); }, this);
    connect(m_renderer, &RendererWatch::ended, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) { showPageGone(rendererEndReason(status)); });
    connect(m_renderer, &RendererWatch::answering, this, [this](bool yes) { Q_EMIT pageNotAnswering(!yes); });
    // Our notice goes as soon as a page is on its way again.
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] {
        if (m_gone->isVisible()) {
            m_gone->hide();
            m_view->show();
        }
    });
    // A local page goes elsewhere only by the user's own click.
    m_page->setUserActionCheck([this] { return followsUserInput(m_input->now(), m_input->lastInput(), m_pageStart); });
    connect(m_page, &BrowserPage::localScriptBlocked, this,
            [this](const QUrl &file) { Q_EMIT localScriptBlocked(file.toString()); });
    connect(m_page, &BrowserPage::localNavigationRefused, this,
            [this](const QUrl &url) { Q_EMIT localNavigationRefused(url.toString()); });
    connect(m_page, &BrowserPage::navigationAsked, this,
            [this](const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame, bool &cancel) {
                Q_EMIT BeforeNavigate2(url.toString(), cancel, isMainFrame);
                noteNavigation(url, type, isMainFrame, cancel);
            });
    connect(m_page, &QWebEnginePage::loadStarted, this, &BrowserComponent::DownloadBegin);
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        const QString url = info.url().toString();
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            break;
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            Q_EMIT NavigateComplete2(url);
            Q_EMIT DownloadComplete();
            break;
        case QWebEngineLoadingInfo::LoadFailedStatus:
            if (info.errorCode() != kAborted) {
                Q_EMIT NavigateError(url);
                Q_EMIT NavigateComplete2(url);
            }
            Q_EMIT DownloadComplete();
            break;
        case QWebEngineLoadingInfo::LoadStoppedStatus:
            Q_EMIT DownloadComplete();
            break;
        }
    });
    connect(m_page, &QWebEnginePage::titleChanged, this, &BrowserComponent::TitleChange);
    connect(m_page, &QWebEnginePage::linkHovered, this, &BrowserComponent::StatusTextChange);
    connect(m_page, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest &request) {
        bool cancel = false;
        Q_EMIT NewWindow2(request.requestedUrl().toString(), cancel, request.isUserInitiated());
        // Not calling openIn() refuses the window.
        if (!cancel && m_popups)
            m_popups->open(request);
    });
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, [this] {
        bool cancel = false;
        Q_EMIT WindowClosing(cancel);
        if (!cancel && m_container)
            m_container->window()->close();
    });
    // The engine's own menu is in English; this one speaks Japanese and runs the window's
    // commands.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, &WebEngineBrowser::showPageMenu);
    answerSignIns(m_page, m_container, m_ui.signIn, m_gate);
    showScriptDialogs(m_page, m_container, m_ui.pageDialog, m_gate);
    connect(m_page, &QWebEnginePage::fullScreenRequested, this, [this](QWebEngineFullScreenRequest request) {
        request.accept();
        Q_EMIT fullScreenChanged(request.toggleOn());
    });
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    connect(m_page, &QWebEnginePage::permissionRequested, this, [this](QWebEnginePermission permission) {
        askPermission(permission.origin(), pageFeatureOf(permission.permissionType()),
                      [permission](bool allow) mutable { allow ? permission.grant() : permission.deny(); });
    });
#else
    connect(m_page, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, QWebEnginePage::Feature feature) {
                QPointer<QWebEnginePage> page(m_page);
                askPermission(origin, pageFeatureOf(feature), [page, origin, feature](bool allow) {
                    if (page)
                        page->setFeaturePermission(origin, feature,
                                                   allow ? QWebEnginePage::PermissionGrantedByUser
                                                         : QWebEnginePage::PermissionDeniedByUser);
                });
            });
#endif
    watchHistory();
}

WebEngineBrowser::~WebEngineBrowser()
{
    if (m_printing && m_view) {
        // The engine keeps painting into the printer and reading the page until
        // printFinished; hand both over to outlive this component until then.
        QWebEngineView *view = m_view;
        std::shared_ptr<QPrinter> printer = m_printer; // made when printing began
        view->setParent(nullptr);
        view->hide();
        connect(view, &QWebEngineView::printFinished, view, [view, printer](bool) { view->deleteLater(); });
    }
    delete m_container.data();
}

void WebEngineBrowser::watchHistory()
{
    // The page's own Back and Forward actions know when the history allows a move.
    QAction *back = m_page->action(QWebEnginePage::Back);
    QAction *forward = m_page->action(QWebEnginePage::Forward);
    connect(back, &QAction::changed, this, [this, back] {
        if (back->isEnabled() != m_backEnabled) {
            m_backEnabled = back->isEnabled();
            Q_EMIT CommandStateChange(command::Back, m_backEnabled);
        }
    });
    connect(forward, &QAction::changed, this, [this, forward] {
        if (forward->isEnabled() != m_forwardEnabled) {
            m_forwardEnabled = forward->isEnabled();
            Q_EMIT CommandStateChange(command::Forward, m_forwardEnabled);
        }
    });
}

QWidget *WebEngineBrowser::widget()
{
    return m_container;
}

QUrl WebEngineBrowser::urlFromAddress(const QString &address)
{
    if (address.isEmpty())
        return {};
    if (address.startsWith(u'/'))
        return QUrl::fromLocalFile(address);
    if (address.startsWith(u"\\\\")) {
        QString path = address.mid(2);
        path.replace(u'\\', u'/');
        return QUrl(QStringLiteral("file://") + path);
    }
    const QUrl url(address, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromUserInput(address);
}

void WebEngineBrowser::noteNavigation(const QUrl &url, int type, bool isMainFrame, bool cancelled)
{
    const qint64 now = m_input->now();
    // The engine may take that long to start before the first page.
    constexpr qint64 kProgramNavigationMs = 30'000;
    const bool programs = m_programNavigation >= 0 && now - m_programNavigation <= kProgramNavigationMs;
    if (isMainFrame && type != QWebEnginePage::NavigationTypeRedirect)
        m_programNavigation = -1; // this was it, refused or not
    if (cancelled)
        return;
    if (type == QWebEnginePage::NavigationTypeFormSubmitted) {
        constexpr qsizetype kKept = 16;
        m_formTargets.append(url);
        if (m_formTargets.size() > kKept)
            m_formTargets.removeFirst();
    }
    if (!isMainFrame)
        return;
    if (type == QWebEnginePage::NavigationTypeRedirect) {
        m_navigationChain.append(url);
        return;
    }
    m_navigationByUser = programs || followsUserInput(now, m_input->lastInput(), m_pageStart);
    m_navigationByProgram = programs;
    m_navigationFromForm = type == QWebEnginePage::NavigationTypeFormSubmitted;
    m_pageStart = now;
    m_navigationChain = {url};
}

bool WebEngineBrowser::cameFromForm(const QUrl &url) const
{
    return m_formTargets.contains(url) || (m_navigationFromForm && m_navigationChain.contains(url));
}

bool WebEngineBrowser::mayStartDownload(QWebEngineDownloadRequest *download)
{
    const qint64 now = m_input->now();
    const QUrl url = download->url();
    // The address the program was asked for is the user's; in the page a click or key
    // allows one download, and what else follows it is asked about.
    const bool navigated = m_navigationByUser && m_navigationChain.contains(url);
    if (navigated && std::exchange(m_navigationByProgram, false))
        return true;
    if ((navigated || followsUserInput(now, m_input->lastInput(), m_pageStart)) && m_input->takeDownloadAllowance())
        return true;
    const QString from = downloadOrigin(url);
    if (!m_unrequestedDownloads.allow(now)) {
        Q_EMIT downloadRefused(from);
        return false;
    }
    bool allow = false;
    QPointer<WebEngineBrowser> self(this);
    Q_EMIT unrequestedDownload(downloadFileName({}, url, download->suggestedFileName()), from, allow);
    return self && allow;
}

bool WebEngineBrowser::navigate(const QString &address)
{
    const QUrl url = urlFromAddress(address);
    if (!url.isValid() || url.isEmpty())
        return false;
    m_programNavigation = m_input->now();
    m_page->load(url);
    return true;
}

bool WebEngineBrowser::goBack()
{
    if (!m_page->history()->canGoBack())
        return false;
    m_programNavigation = m_input->now();
    m_page->triggerAction(QWebEnginePage::Back);
    return true;
}

bool WebEngineBrowser::goForward()
{
    if (!m_page->history()->canGoForward())
        return false;
    m_programNavigation = m_input->now();
    m_page->triggerAction(QWebEnginePage::Forward);
    return true;
}

bool WebEngineBrowser::goHome()
{
    const QString home = m_ui.homePage ? m_ui.homePage() : QString();
    return navigate(home.isEmpty() ? QStringLiteral("about:blank") : home);
}

bool WebEngineBrowser::stop()
{
    m_page->triggerAction(QWebEnginePage::Stop);
    return true;
}

bool WebEngineBrowser::reload(ReloadMode mode)
{
    if (!hasDocument())
        return false;
    m_programNavigation = m_input->now();
    m_page->triggerAction(mode == ReloadMode::BypassCache ? QWebEnginePage::ReloadAndBypassCache
                                                          : QWebEnginePage::Reload);
    return true;
}

bool WebEngineBrowser::hasDocument() const
{
    return !m_page->url().isEmpty();
}

double WebEngineBrowser::zoomFactorFor(TextSize size)
{
    return kZoomFactors[size_t(size)];
}

bool WebEngineBrowser::setTextSize(TextSize size)
{
    if (!hasDocument())
        return false;
    m_page->setZoomFactor(zoomFactorFor(size));
    return true;
}

bool WebEngineBrowser::copy()
{
    if (!hasDocument())
        return false;
    m_page->triggerAction(QWebEnginePage::Copy);
    return true;
}

bool WebEngineBrowser::selectAll()
{
    if (!hasDocument())
        return false;
    // The engine's command acts only in a focused view (a field's text there); from the
    // address box or a menu the whole document is meant.
    if (m_view->focusProxy() && m_view->focusProxy()->hasFocus())
        m_page->triggerAction(QWebEnginePage::SelectAll);
    else
        m_page->runJavaScript(
            QStringLiteral("getSelection().selectAllChildren(document.body || document.documentElement)"),
            QWebEngineScript::ApplicationWorld);
    return true;
}

bool WebEngineBrowser::showProperties()
{
    if (!hasDocument() || !m_ui.showProperties)
        return false;
    // The dialog waits for what only the page can tell.
    QPointer<WebEngineBrowser> self(this);
    pageInfo([self](const PageInfo &info) {
        if (!self || !self->m_ui.showProperties)
            return;
        self->m_ui.showProperties(self->m_container,
                                  {self->title(), self->address(), self->m_page->url().scheme(), info.encoding,
                                   info.size, info.lastModified});
    });
    return true;
}

bool WebEngineBrowser::saveAs()
{
    if (!hasDocument() || !m_ui.saveFileName)
        return false;
    // A PDF shown by the engine's viewer is saved as the file itself; only the page knows
    // what it is, and tells it later.
    QPointer<WebEngineBrowser> self(this);
    const QUrl shown = m_page->url();
    m_page->runJavaScript(QStringLiteral("document.contentType"), QWebEngineScript::ApplicationWorld,
                          [self, shown](const QVariant &type) {
                              if (self && self->m_page->url() == shown)
                                  self->saveShownPage(type.toString() == u"application/pdf");
                          });
    return true;
}

void WebEngineBrowser::saveShownPage(bool pdf)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    const QString suggested =
        unusedPath(folder, cleanFileName(title()), pdf ? QStringLiteral(".pdf") : QStringLiteral(".htm"));
    QPointer<WebEngineBrowser> self(this);
    const QString path = m_ui.saveFileName(m_container, suggested);
    if (!self || path.isEmpty())
        return;
    if (pdf) {
        m_requestedSaveUrl = m_page->url();
        m_requestedSavePath = path;
        m_page->download(m_requestedSaveUrl, QFileInfo(path).fileName());
        return;
    }
    const bool mime = path.endsWith(u".mht", Qt::CaseInsensitive) || path.endsWith(u".mhtml", Qt::CaseInsensitive);
    // The profile's download handler accepts this save (see WebEngineBrowserFactory).
    m_page->save(
        path, mime ? QWebEngineDownloadRequest::MimeHtmlSaveFormat : QWebEngineDownloadRequest::CompleteHtmlSaveFormat);
}

QString WebEngineBrowser::title() const
{
    return m_page->title();
}

QString WebEngineBrowser::address() const
{
    return m_page->committedUrl().toString();
}

QString WebEngineBrowser::selectedText() const
{
    return m_page->selectedText();
}

bool WebEngineBrowser::isOffline() const
{
    return m_page->offline();
}

void WebEngineBrowser::setOffline(bool offline)
{
    m_page->setOffline(offline);
}

void WebEngineBrowser::documentHtml(std::function<void(const QString &)> done)
{
    if (!hasDocument()) {
        done(QString());
        return;
    }
    QPointer<WebEngineBrowser> self(this);
    m_page->toHtml([self, done = std::move(done)](const QString &html) {
        if (self)
            done(html);
    });
}

void WebEngineBrowser::pageInfo(std::function<void(const PageInfo &)> done)
{
    if (!hasDocument()) {
        done(PageInfo {});
        return;
    }
    // The navigation entry knows the body's size as received; a page built by a script
    // (about:blank, data:) has none, and its markup's length stands in.
    static const QString script = QStringLiteral(
        "(function(){var n=(performance.getEntriesByType&&performance.getEntriesByType('navigation')[0])||{};"
        "var size=n.decodedBodySize;"
        "if(!size&&document.documentElement)size=new Blob([document.documentElement.outerHTML]).size;"
        "return [document.contentType||'',document.characterSet||'',size||-1,document.lastModified||''];})()");
    QPointer<WebEngineBrowser> self(this);
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [self, done = std::move(done)](const QVariant &result) {
                              if (!self)
                                  return;
                              const QVariantList values = result.toList();
                              PageInfo info;
                              if (values.size() == 4) {
                                  info.contentType = values[0].toString();
                                  info.encoding = values[1].toString();
                                  info.size = qint64(values[2].toDouble());
                                  info.lastModified = values[3].toString();
                              }
                              done(info);
                          });
}

void WebEngineBrowser::bodyOuterHtml(std::function<void(const QString &)> done)
{
    if (!hasDocument()) {
        done(QString());
        return;
    }
    QPointer<WebEngineBrowser> self(this);
    m_page->runJavaScript(QStringLiteral("document.body ? document.body.outerHTML : ''"),
                          QWebEngineScript::ApplicationWorld, [self, done = std::move(done)](const QVariant &result) {
                              if (self)
                                  done(result.toString());
                          });
}

void WebEngineBrowser::elementTagNames(std::function<void(const QStringList &)> done)
{
    if (!hasDocument()) {
        done(QStringList());
        return;
    }
    QPointer<WebEngineBrowser> self(this);
    m_page->runJavaScript(QStringLiteral("Array.prototype.map.call(document.getElementsByTagName('*'),"
                                         " function (e) { return e.tagName; })"),
                          QWebEngineScript::ApplicationWorld, [self, done = std::move(done)](const QVariant &result) {
                              if (self)
                                  done(result.toStringList());
                          });
}

void WebEngineBrowser::saveDocument(const QString &path, std::function<void(bool)> done)
{
    documentHtml([path, done = std::move(done), this](const QString &html) {
        if (!hasDocument()) {
            done(false);
            return;
        }
        done(writeFileAtomically(path, ansi::encode(html)));
    });
}

void WebEngineBrowser::showFindBar()
{
    if (!m_findBar) {
        // Made on first use: its icons come from the theme, a slow lookup.
        m_findBar = new FindBar(m_page, m_view, m_container);
        m_container->layout()->addWidget(m_findBar);
    }
    m_findBar->open();
}

QWidget *WebEngineBrowser::findBar() const
{
    return m_findBar;
}

void WebEngineBrowser::focusPage()
{
    m_view->setFocus();
}

bool WebEngineBrowser::openInSystemBrowser()
{
    if (!hasDocument() || !m_ui.openExternally)
        return false;
    return m_ui.openExternally(m_page->url());
}

bool WebEngineBrowser::cancelDownloads()
{
    bool any = false;
    for (const QPointer<SavedDownload> &download : std::as_const(m_downloads)) {
        if (download && download->isRunning()) {
            any = true;
            download->cancel();
        }
    }
    return any;
}

void WebEngineBrowser::adoptDownload(SavedDownload *download)
{
    m_downloads.removeIf([](const QPointer<SavedDownload> &known) { return !known || !known->isRunning(); });
    m_downloads.append(download);
    const quint32 id = download->id();
    connect(download, &SavedDownload::renamed, this,
            [this, id](const QString &name) { Q_EMIT downloadStarted(id, name); });
    connect(download, &SavedDownload::progress, this,
            [this, id](qint64 received, qint64 total) { Q_EMIT downloadProgress(id, received, total); });
    connect(download, &SavedDownload::finished, this,
            [this, id](DownloadEnd end, const QString &path, const QString &reason) {
                Q_EMIT downloadFinished(id, end, path, reason);
            });
    Q_EMIT downloadStarted(id, download->fileName());
}

bool WebEngineBrowser::takeRequestedSave(QWebEngineDownloadRequest *download)
{
    if (m_requestedSavePath.isEmpty() || download->url() != m_requestedSaveUrl)
        return false;
    const QFileInfo target(m_requestedSavePath);
    m_requestedSavePath.clear();
    m_requestedSaveUrl.clear();
    // The user chose this path in the save dialog, which asked before replacing a file.
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    download->accept();
    return true;
}

void WebEngineBrowser::setPageMenuTwins(const QMap<PageMenuItem, QAction *> &twins)
{
    m_menuTwins.clear();
    for (auto it = twins.begin(); it != twins.end(); ++it)
        m_menuTwins.insert(it.key(), it.value());
}

QMenu *WebEngineBrowser::showPageMenu(const QPoint &pos)
{
    // Choosing an item is the user's action, however long the menu stayed open.
    return popUpPageMenu(m_view, m_menuTwins, pos, [this] { m_input->noteInput(); });
}

bool WebEngineBrowser::runLocalScript()
{
    return m_page->runLocalScript();
}

void WebEngineBrowser::exitFullScreen()
{
    m_page->triggerAction(QWebEnginePage::ExitFullScreen);
}

void WebEngineBrowser::askPermission(const QUrl &origin, std::optional<PageFeature> feature,
                                     std::function<void(bool)> answer)
{
    // The answer belongs to the page the user sees, by the address the box shows; a frame
    // from elsewhere inside it could only be named by a site the user cannot see.
    const QString site = siteOf(m_page->committedUrl());
    if (!feature || siteOf(origin) != site) {
        answer(false);
        return;
    }
    switch (m_permissions->decide(site, *feature)) {
    case PermissionAnswers::Decision::Allow:
        answer(true);
        return;
    case PermissionAnswers::Decision::Deny:
        answer(false);
        return;
    case PermissionAnswers::Decision::Ask:
        break;
    }
    // One question at a time, asked outside the engine's call; requests meanwhile wait for
    // its answer, which may settle them. A page that asks without end is refused.
    constexpr qsizetype kWaitingAtMost = 16;
    if (m_waitingPermissions.size() >= kWaitingAtMost) {
        answer(false);
        return;
    }
    m_waitingPermissions.append({site, *feature, std::move(answer)});
    QTimer::singleShot(0, this, &WebEngineBrowser::askWaitingPermissions);
}

void WebEngineBrowser::askWaitingPermissions()
{
    using Kind = PageQuestionGate::Kind;
    while (!m_asking && !m_waitingPermissions.isEmpty()) {
        WaitingPermission next = m_waitingPermissions.takeFirst();
        const PermissionAnswers::Decision decision = m_permissions->decide(next.site, next.feature);
        if (decision != PermissionAnswers::Decision::Ask) {
            next.answer(decision == PermissionAnswers::Decision::Allow);
            continue;
        }
        if (!m_gate->mayAsk(next.site, Kind::Question, steadyMs())) {
            next.answer(false);
            continue;
        }
        bool allow = false;
        QPointer<WebEngineBrowser> self(this);
        const std::shared_ptr<PageQuestionGate> gate = m_gate;
        m_asking = true;
        gate->opened(next.site, Kind::Question);
        Q_EMIT permissionRequested(addressForBox(next.site), pageFeatureName(next.feature), allow);
        gate->closed();
        if (!self)
            return;
        m_asking = false;
        m_permissions->remember(next.site, next.feature, allow);
        if (!allow)
            gate->refused(next.site, steadyMs());
        next.answer(allow);
    }
}

void WebEngineBrowser::showPageGone(const QString &reason)
{
    m_gone->findChild<QLabel *>(QStringLiteral("pageGoneText"))
        ->setText(QStringLiteral("理由: %1\nアドレス: %2").arg(reason, m_page->url().toString()));
    m_view->hide();
    m_gone->show();
    Q_EMIT pageGone(reason);
}

void WebEngineBrowser::endPage()
{
    m_renderer->endRenderer();
}

} // namespace platform
