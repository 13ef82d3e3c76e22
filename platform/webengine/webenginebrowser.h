#pragma once

#include "platform/browsercomponent.h"
#include "platform/eventratelimit.h"
#include "platform/fonts.h"
#include "platform/webengine/browserui.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QWebEngineView>

#include <atomic>
#include <memory>

class QLineEdit;
class QNetworkAccessManager;
class QPrinter;
class QWebEngineDownloadRequest;
class QWebEngineNewWindowRequest;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;
class QWidget;

namespace platform {

class BrowserPage;
class DownloadHeaderRequests;
class SavedDownload;
class SharedCookieJar;

// Windows the engine opens its own way for pages that asked for one and were let.
class PopupWindows
{
public:
    explicit PopupWindows(QWebEngineProfile *profile);
    ~PopupWindows();
    PopupWindows(const PopupWindows &) = delete;
    PopupWindows &operator=(const PopupWindows &) = delete;

    void open(QWebEngineNewWindowRequest &request);
    QList<QWidget *> windows() const;
    void closeAll();

private:
    QWebEngineProfile *m_profile;
    QList<QPointer<QWidget>> m_windows;
};

// The browser component on Qt WebEngine: a view with a policy page, a find bar under it.
class WebEngineBrowser : public BrowserComponent
{
    Q_OBJECT
public:
    WebEngineBrowser(QWebEngineProfile *profile, PopupWindows *popups, BrowserUi ui, QWidget *parent);
    ~WebEngineBrowser() override;

    QWidget *widget() override;

    bool navigate(const QString &address) override;
    bool goBack() override;
    bool goForward() override;
    bool goHome() override;
    bool stop() override;
    bool reload(ReloadMode mode = ReloadMode::Normal) override;
    bool saveAs() override;
    bool print() override;
    bool printPreview() override;
    bool pageSetup() override;
    bool showProperties() override;
    bool copy() override;
    bool selectAll() override;
    bool setTextSize(TextSize size) override;

    QString title() const override;
    QString address() const override;
    QString selectedText() const override;
    bool isOffline() const override;
    void setOffline(bool offline) override;

    void documentHtml(std::function<void(const QString &)> done) override;
    void bodyOuterHtml(std::function<void(const QString &)> done) override;
    void elementTagNames(std::function<void(const QStringList &)> done) override;
    void pageInfo(std::function<void(const PageInfo &)> done) override;
    void saveDocument(const QString &path, std::function<void(bool)> done) override;

    void focusPage() override;
    void showFindBar() override;
    bool openInSystemBrowser() override;
    bool cancelDownloads() override;

    // Whether the page may start download: at once when it follows the user, else when
    // a handler of unrequestedDownload allows it. May wait for the user.
    bool mayStartDownload(QWebEngineDownloadRequest *download);
    // Whether url was asked for by a form, whose request may have been a POST.
    bool cameFromForm(const QUrl &url) const;
    // Reports a download of this component's page through its signals.
    void adoptDownload(SavedDownload *download);

    // For tests and the window: the engine objects themselves.
    QWebEngineView *view() const { return m_view; }
    BrowserPage *page() const { return m_page; }
    bool isPrinting() const { return m_printing; }
    QPrinter &printer();
    // Built when first shown.
    QWidget *findBar() const { return m_findBar; }

    // The zoom factor of a text size.
    static double zoomFactorFor(TextSize size);
    // What navigate makes of an address: a URL, a local path or about:blank.
    static QUrl urlFromAddress(const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void noteNavigation(const QUrl &url, int type, bool isMainFrame, bool cancelled);
    bool hasDocument() const;
    void watchHistory();
    void buildFindBar();
    std::shared_ptr<QPrinter> sharedPrinter();
    void findNext(bool backward);
    void hideFindBar();

    QWebEngineProfile *m_profile;
    PopupWindows *m_popups;
    BrowserUi m_ui;
    QPointer<QWidget> m_container;
    QPointer<QWebEngineView> m_view;
    BrowserPage *m_page = nullptr;
    QWidget *m_findBar = nullptr;
    QLineEdit *m_findText = nullptr;
    // One printer for page setup and every print, made on first use; shared so that a
    // dialog or a print still running keeps it alive when this component goes.
    std::shared_ptr<QPrinter> m_printer;
    bool m_printing = false;
    QList<QPointer<SavedDownload>> m_downloads;
    // What tells a download the user asked for from one the page started on its own,
    // in milliseconds of m_clock.
    QElapsedTimer m_clock;
    qint64 m_lastInput = -1;  // the last click or key in this window
    qint64 m_pageStart = -1;  // the main frame's last navigation
    qint64 m_programNavigation = -1;  // when the program itself last asked for a page
    bool m_navigationByUser = false;  // the main frame's last navigation followed the user
    bool m_navigationFromForm = false;
    QList<QUrl> m_navigationChain;    // that navigation and its redirects
    QList<QUrl> m_formTargets;        // the last addresses forms were sent to
    EventRateLimit m_unrequestedDownloads{3, 10'000};
    bool m_backEnabled = false;
    bool m_forwardEnabled = false;
};

// Makes WebEngineBrowser components in one profile, which it owns. A storage name gives
// a persistent profile (cookies and cache on disk); "" an off-the-record one. Every
// component must be gone before the factory.
class WebEngineBrowserFactory : public BrowserFactory
{
public:
    explicit WebEngineBrowserFactory(BrowserUi ui, const QString &storageName = {});
    ~WebEngineBrowserFactory() override;
    WebEngineBrowserFactory(const WebEngineBrowserFactory &) = delete;
    WebEngineBrowserFactory &operator=(const WebEngineBrowserFactory &) = delete;

    BrowserComponent *createBrowser(QWidget *parent) override;
    void setAcceptLanguage(const QString &header) override;
    void deleteAllCookies(std::function<void(bool)> done) override;
    QString cookieFolder() const override;
    // The engine's standard, sans-serif, serif and fixed families.
    void useFonts(const JapaneseFontSet &fonts);
    void setPrivacy(const PrivacySettings &settings) override;
    PrivacySettings privacy() const override;
    void clearHistory() override;
    void clearCache() override;
    QWebEngineProfile *profile() const { return m_profile; }
    PopupWindows &popups() { return m_popups; }
    // Where downloads go: the user's download folder unless set.
    void setDownloadFolder(const QString &folder) { m_downloadFolder = folder; }
    QString downloadFolder() const;

private:
    void handleDownload(QWebEngineDownloadRequest *download);

    BrowserUi m_ui;
    QWebEngineProfile *m_profile;
    SharedCookieJar *m_cookieJar = nullptr; // persistent profiles only
    // Read on the engine's network thread.
    std::shared_ptr<std::atomic<bool>> m_blockThirdParty = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> m_doNotTrack = std::make_shared<std::atomic<bool>>(false);
    QWebEngineUrlRequestInterceptor *m_headers = nullptr;
    DownloadHeaderRequests *m_headerRequests = nullptr;
    QString m_downloadFolder;
    // The components made here, by their pages, for the downloads those pages start.
    QHash<const QWebEnginePage *, QPointer<WebEngineBrowser>> m_browsers;
    PopupWindows m_popups;
};

} // namespace platform
