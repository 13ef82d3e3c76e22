#pragma once

#include "platform/browsercomponent.h"
#include "platform/eventratelimit.h"
#include "platform/fonts.h"
#include "platform/pagepermissions.h"
#include "platform/webengine/browserui.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QWebEngineView>

#include <atomic>
#include <memory>
#include <optional>

class QLineEdit;
class QMenu;
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
class FindBar;
class PopupWindows;
class RendererWatch;
class SavedDownload;
class SharedCookieJar;
class UserInputClock;

// The browser component on Qt WebEngine: a view with a policy page, a find bar under it.
// Its printing lives in webengineprinting.cpp.
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
    void setPageMenuTwins(const QMap<PageMenuItem, QAction *> &twins) override;
    void exitFullScreen() override;
    bool runLocalScript() override;
    void endPage() override;

    // The answers this component's pages get; shared by the components of one profile.
    void setPermissionAnswers(std::shared_ptr<PermissionAnswers> answers) { m_permissions = std::move(answers); }
    // The page's right-click menu for what lies at pos (in the view), built and shown.
    QMenu *showPageMenu(const QPoint &pos);
    // Takes the download that saveAs asked the engine for, to the path the user chose.
    bool takeRequestedSave(QWebEngineDownloadRequest *download);

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
    QWidget *findBar() const;

    // The zoom factor of a text size.
    static double zoomFactorFor(TextSize size);
    // What navigate makes of an address: a URL, a local path or about:blank.
    static QUrl urlFromAddress(const QString &address);

private:
    void noteNavigation(const QUrl &url, int type, bool isMainFrame, bool cancelled);
    bool hasDocument() const;
    void watchHistory();
    std::shared_ptr<QPrinter> sharedPrinter();
    void askPermission(const QUrl &origin, std::optional<PageFeature> feature, std::function<void(bool)> answer);
    void askWaitingPermissions();
    void saveShownPage(bool pdf);
    void showPageGone(const QString &reason);

    QWebEngineProfile *m_profile;
    PopupWindows *m_popups;
    BrowserUi m_ui;
    QPointer<QWidget> m_container;
    QPointer<QWebEngineView> m_view;
    // Shown in the view's place when the page's renderer has ended.
    QWidget *m_gone = nullptr;
    RendererWatch *m_renderer = nullptr;
    BrowserPage *m_page = nullptr;
    FindBar *m_findBar = nullptr;
    // One printer for page setup and every print, made on first use; shared so that a
    // dialog or a print still running keeps it alive when this component goes.
    std::shared_ptr<QPrinter> m_printer;
    bool m_printing = false;
    QList<QPointer<SavedDownload>> m_downloads;
    // What tells a download the user asked for from one the page started on its own, in
    // milliseconds of its clock.
    UserInputClock *m_input = nullptr;
    qint64 m_pageStart = -1;            // the main frame's last navigation
    qint64 m_programNavigation = -1;    // when the program itself last asked for a page
    bool m_navigationByUser = false;    // the main frame's last navigation followed the user
    bool m_navigationByProgram = false; // ... or the program, whose download needs no click
    bool m_navigationFromForm = false;
    QList<QUrl> m_navigationChain; // that navigation and its redirects
    QList<QUrl> m_formTargets;     // the last addresses forms were sent to
    EventRateLimit m_unrequestedDownloads {3, 10'000};
    QMap<PageMenuItem, QPointer<QAction>> m_menuTwins;
    std::shared_ptr<PermissionAnswers> m_permissions = std::make_shared<PermissionAnswers>();
    // Sign-in, permission questions and script dialogs: how much the page may ask.
    std::shared_ptr<PageQuestionGate> m_gate = std::make_shared<PageQuestionGate>();
    struct WaitingPermission
    {
        QString site;
        PageFeature feature;
        std::function<void(bool)> answer;
    };
    QList<WaitingPermission> m_waitingPermissions;
    bool m_asking = false; // a permission question is open
    QUrl m_requestedSaveUrl;
    QString m_requestedSavePath;
    bool m_backEnabled = false;
    bool m_forwardEnabled = false;
};

} // namespace platform
