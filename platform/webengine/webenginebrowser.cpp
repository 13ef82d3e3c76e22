#include "platform/webengine/webenginebrowser.h"

#include "platform/codepage.h"
#include "platform/downloadname.h"
#include "platform/downloadpolicy.h"
#include "platform/files.h"
#include "platform/pagerequests.h"
#include "platform/fonts.h"
#include "platform/webengine/browserpage.h"
#include "platform/webengine/downloads.h"
#include "platform/webengine/sharedcookiejar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QPrinter>
#include <QShortcut>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <array>

namespace platform {

namespace {

// Asks every site not to track the user while the choice is on.
class DoNotTrackHeader : public QWebEngineUrlRequestInterceptor
{
public:
    DoNotTrackHeader(std::shared_ptr<std::atomic<bool>> on, QObject *parent)
        : QWebEngineUrlRequestInterceptor(parent)
        , m_on(std::move(on))
    {
    }
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (m_on->load())
            info.setHttpHeader("DNT", "1");
    }

private:
    std::shared_ptr<std::atomic<bool>> m_on;
};

} // namespace

namespace {

// Chromium's ERR_ABORTED: the load was stopped or refused by us, which is no failure.
constexpr int kAborted = -3;

constexpr std::array<double, 5> kZoomFactors{0.7, 0.85, 1.0, 1.25, 1.5};

} // namespace

WebEngineBrowser::WebEngineBrowser(QWebEngineProfile *profile, PopupWindows *popups, BrowserUi ui,
                                   QWidget *parent)
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
    connect(m_page, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest &request) {
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
    watchHistory();
    m_clock.start();
    // Clicks and keys anywhere in the window count, the address box and the sidebar
    // included; an application filter sees them before any widget takes them.
    qApp->installEventFilter(this);
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
        connect(view, &QWebEngineView::printFinished, view, [view, printer](bool) {
            view->deleteLater();
        });
    }
    delete m_container.data();
}

std::shared_ptr<QPrinter> WebEngineBrowser::sharedPrinter()
{
    // Made on first use: a printer asks the print system for its printers, which may
    // take long and is no business of the first page.
    if (!m_printer)
        m_printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    return m_printer;
}

QPrinter &WebEngineBrowser::printer()
{
    return *sharedPrinter();
}

void WebEngineBrowser::buildFindBar()
{
    m_findBar = new QWidget(m_container);
    m_findBar->setObjectName(QStringLiteral("findBar"));
    auto *row = new QHBoxLayout(m_findBar);
    row->setContentsMargins(4, 2, 4, 2);
    m_findText = new QLineEdit(m_findBar);
    m_findText->setObjectName(QStringLiteral("findText"));
    m_findText->setPlaceholderText(QStringLiteral("ページ内を検索"));
    m_findText->setClearButtonEnabled(true);
    auto *previous = new QToolButton(m_findBar);
    previous->setText(QStringLiteral("前へ"));
    auto *next = new QToolButton(m_findBar);
    next->setText(QStringLiteral("次へ"));
    auto *close = new QToolButton(m_findBar);
    close->setText(QStringLiteral("閉じる"));
    row->addWidget(m_findText, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(close);
    m_findBar->hide();

    connect(m_findText, &QLineEdit::textChanged, this, [this] { findNext(false); });
    connect(m_findText, &QLineEdit::returnPressed, this, [this] { findNext(false); });
    connect(previous, &QToolButton::clicked, this, [this] { findNext(true); });
    connect(next, &QToolButton::clicked, this, [this] { findNext(false); });
    connect(close, &QToolButton::clicked, this, &WebEngineBrowser::hideFindBar);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_findBar);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &WebEngineBrowser::hideFindBar);
    m_container->layout()->addWidget(m_findBar);
}

void WebEngineBrowser::findNext(bool backward)
{
    m_page->findText(m_findText->text(),
                     backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void WebEngineBrowser::hideFindBar()
{
    m_page->findText(QString()); // clears the highlight
    m_findBar->hide();
    m_view->setFocus();
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

bool WebEngineBrowser::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || (type == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->isAutoRepeat()))
        && watched->isWidgetType() && m_container && static_cast<QWidget *>(watched)->window() == m_container->window())
        m_lastInput = m_clock.elapsed();
    return false;
}

void WebEngineBrowser::noteNavigation(const QUrl &url, int type, bool isMainFrame, bool cancelled)
{
    const qint64 now = m_clock.elapsed();
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
    m_navigationByUser = programs || followsUserInput(now, m_lastInput, m_pageStart);
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
    const qint64 now = m_clock.elapsed();
    const QUrl url = download->url();
    if ((m_navigationByUser && m_navigationChain.contains(url)) || followsUserInput(now, m_lastInput, m_pageStart))
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
    m_programNavigation = m_clock.elapsed();
    m_page->load(url);
    return true;
}

bool WebEngineBrowser::goBack()
{
    if (!m_page->history()->canGoBack())
        return false;
    m_programNavigation = m_clock.elapsed();
    m_page->triggerAction(QWebEnginePage::Back);
    return true;
}

bool WebEngineBrowser::goForward()
{
    if (!m_page->history()->canGoForward())
        return false;
    m_programNavigation = m_clock.elapsed();
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
    m_programNavigation = m_clock.elapsed();
    m_page->triggerAction(mode == ReloadMode::BypassCache ? QWebEnginePage::ReloadAndBypassCache : QWebEnginePage::Reload);
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
        m_page->runJavaScript(QStringLiteral("getSelection().selectAllChildren(document.body || document.documentElement)"),
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
        self->m_ui.showProperties(self->m_container, {self->title(), self->address(), self->m_page->url().scheme(),
                                                      info.encoding, info.size, info.lastModified});
    });
    return true;
}

bool WebEngineBrowser::print()
{
    if (!hasDocument() || m_printing || !m_ui.printDialog)
        return false;
    std::shared_ptr<QPrinter> printer = sharedPrinter();
    QPointer<WebEngineBrowser> self(this);
    m_printing = true; // the dialog must not let a second print start
    const bool accepted = m_ui.printDialog(*printer, m_container);
    if (!self)
        return false;
    if (!accepted) {
        m_printing = false;
        return true; // the user chose not to print; the command itself worked
    }
    connect(m_view, &QWebEngineView::printFinished, this, [this](bool success) {
        m_printing = false;
        Q_EMIT printingEnded(success);
    }, Qt::SingleShotConnection);
    m_view->print(printer.get());
    return true;
}

bool WebEngineBrowser::printPreview()
{
    if (!hasDocument() || m_printing || !m_ui.printPreview)
        return false;
    std::shared_ptr<QPrinter> printer = sharedPrinter();
    QPointer<WebEngineBrowser> self(this);
    QPointer<QWebEngineView> view(m_view);
    m_printing = true;
    // The preview asks for its pages synchronously while the engine prints
    // asynchronously: wait for printFinished in a local loop, as Qt's own example does.
    auto paint = [view](QPrinter *target) {
        if (!view)
            return false;
        QEventLoop loop;
        bool result = false;
        QObject::connect(view, &QWebEngineView::printFinished, &loop, [&](bool success) {
            result = success;
            loop.quit();
        });
        QObject::connect(view, &QObject::destroyed, &loop, &QEventLoop::quit);
        view->print(target);
        loop.exec();
        return result;
    };
    m_ui.printPreview(*printer, m_container, paint);
    if (!self)
        return false;
    m_printing = false;
    return true;
}

bool WebEngineBrowser::pageSetup()
{
    if (!hasDocument() || m_printing || !m_ui.pageSetupDialog)
        return false;
    std::shared_ptr<QPrinter> printer = sharedPrinter();
    QPointer<WebEngineBrowser> self(this);
    m_printing = true;
    m_ui.pageSetupDialog(*printer, m_container);
    if (self)
        m_printing = false;
    return bool(self);
}

bool WebEngineBrowser::saveAs()
{
    if (!hasDocument() || !m_ui.saveFileName)
        return false;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    const QString suggested = unusedPath(folder, cleanFileName(title()), QStringLiteral(".htm"));
    QPointer<WebEngineBrowser> self(this);
    const QString path = m_ui.saveFileName(m_container, suggested);
    if (!self)
        return false;
    if (path.isEmpty())
        return true;
    const bool mime = path.endsWith(u".mht", Qt::CaseInsensitive)
        || path.endsWith(u".mhtml", Qt::CaseInsensitive);
    // The profile's download handler accepts this save (see WebEngineBrowserFactory).
    m_page->save(path, mime ? QWebEngineDownloadRequest::MimeHtmlSaveFormat
                            : QWebEngineDownloadRequest::CompleteHtmlSaveFormat);
    return true;
}

QString WebEngineBrowser::title() const
{
    return m_page->title();
}

QString WebEngineBrowser::address() const
{
    return m_page->url().toString();
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
        done(PageInfo{});
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
                          QWebEngineScript::ApplicationWorld,
                          [self, done = std::move(done)](const QVariant &result) {
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
    m_page->runJavaScript(
        QStringLiteral("Array.prototype.map.call(document.getElementsByTagName('*'),"
                       " function (e) { return e.tagName; })"),
        QWebEngineScript::ApplicationWorld,
        [self, done = std::move(done)](const QVariant &result) {
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

void WebEngineBrowser::focusPage()
{
    m_view->setFocus();
}

void WebEngineBrowser::showFindBar()
{
    if (!m_findBar)
        buildFindBar(); // on first use: its icons come from the theme, a slow lookup
    m_findBar->show();
    m_findText->setFocus();
    m_findText->selectAll();
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

// Windows the engine opens its own way for pages that asked for them: each is a plain
// window with its own view, so window.opener keeps working.
PopupWindows::PopupWindows(QWebEngineProfile *profile)
    : m_profile(profile)
{
}

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
    auto *page = new QWebEnginePage(m_profile, view);
    view->setPage(page);
    layout->addWidget(view);
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
    , m_popups(m_profile)
{
    if (!storageName.isEmpty()) {
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        m_cookieJar = new SharedCookieJar(m_profile->cookieStore(),
                            QDir(m_profile->persistentStoragePath()).filePath(QStringLiteral("shared-cookies/cookies.txt")),
                            m_profile);
    }
    // Without this the engine shows a local page without its own pictures and style
    // sheets; each page's request guard decides what a local page may load.
    m_profile->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
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
        {QWebEngineSettings::StandardFont, fonts.proportional},
        {QWebEngineSettings::SansSerifFont, fonts.proportional},
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
    // A page the engine cannot show: saved at once when the user asked for it, shown in
    // the window that asked. A window the engine opened for a page has no one to ask.
    const QPointer<QWebEngineDownloadRequest> request(download);
    const QPointer<WebEngineBrowser> browser = m_browsers.value(download->page());
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
