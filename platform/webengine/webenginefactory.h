#pragma once

#include "platform/browsercomponent.h"
#include "platform/fonts.h"
#include "platform/pagepermissions.h"
#include "platform/webengine/browserui.h"

#include <QHash>
#include <QPointer>

#include <atomic>
#include <memory>

class QWebEngineDownloadRequest;
class QWebEngineNewWindowRequest;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineUrlRequestInterceptor;
class QWidget;

namespace platform {

class DownloadHeaderRequests;
class SharedCookieJar;
class WebEngineBrowser;

// Windows the engine opens its own way for pages that asked for one and were let.
class PopupWindows
{
public:
    PopupWindows(QWebEngineProfile *profile, BrowserUi::SignIn signIn, BrowserUi::PageDialog pageDialog);
    ~PopupWindows();
    PopupWindows(const PopupWindows &) = delete;
    PopupWindows &operator=(const PopupWindows &) = delete;

    void open(QWebEngineNewWindowRequest &request);
    QList<QWidget *> windows() const;
    void closeAll();

private:
    QWebEngineProfile *m_profile;
    BrowserUi::SignIn m_signIn;
    BrowserUi::PageDialog m_pageDialog;
    QList<QPointer<QWidget>> m_windows;
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
    QString engineVersion() const override;
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
    // The user's answers to the pages' permission requests, one set for the profile.
    std::shared_ptr<PermissionAnswers> m_permissions = std::make_shared<PermissionAnswers>();
    // The components made here, by their pages, for the downloads those pages start.
    QHash<const QWebEnginePage *, QPointer<WebEngineBrowser>> m_browsers;
    PopupWindows m_popups;
};

} // namespace platform
