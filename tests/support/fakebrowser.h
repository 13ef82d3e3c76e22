#pragma once

#include "platform/browsercomponent.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// A browser component that records what it was asked and lets the test raise the
// notifications (the signals are public: emit them directly, or use the helpers).
class FakeBrowser : public platform::BrowserComponent
{
    Q_OBJECT
public:
    explicit FakeBrowser(QWidget *parent);
    ~FakeBrowser() override;

    QWidget *widget() override { return m_widget; }

    bool navigate(const QString &address) override;
    bool goBack() override { return record(QStringLiteral("goBack")); }
    bool goForward() override { return record(QStringLiteral("goForward")); }
    bool goHome() override { return record(QStringLiteral("goHome")); }
    bool stop() override { return record(QStringLiteral("stop")); }
    bool reload(platform::ReloadMode mode) override
    {
        return record(mode == platform::ReloadMode::BypassCache ? QStringLiteral("reload:bypassCache")
                                                                : QStringLiteral("reload"));
    }
    bool saveAs() override { return record(QStringLiteral("saveAs")); }
    bool print() override { return record(QStringLiteral("print")); }
    bool printPreview() override { return record(QStringLiteral("printPreview")); }
    bool pageSetup() override { return record(QStringLiteral("pageSetup")); }
    bool showProperties() override { return record(QStringLiteral("showProperties")); }
    bool copy() override { return record(QStringLiteral("copy")); }
    bool selectAll() override { return record(QStringLiteral("selectAll")); }
    bool setTextSize(platform::TextSize size) override
    {
        return record(QStringLiteral("setTextSize:%1").arg(int(size)));
    }

    QString title() const override { return pageTitle; }
    QString address() const override { return url; }
    QString selectedText() const override { return selection; }
    bool isOffline() const override { return offline; }
    void setOffline(bool value) override
    {
        offline = value;
        calls.append(QStringLiteral("setOffline:%1").arg(value));
    }

    void documentHtml(std::function<void(const QString &)> done) override
    {
        deliver([this, done] { done(html); });
    }
    void bodyOuterHtml(std::function<void(const QString &)> done) override
    {
        deliver([this, done] { done(bodyHtml); });
    }
    void elementTagNames(std::function<void(const QStringList &)> done) override
    {
        deliver([this, done] { done(tagNames); });
    }
    void pageInfo(std::function<void(const platform::PageInfo &)> done) override
    {
        deliver([this, done] { done(info); });
    }
    // While holding, the document's answers wait, as the engine's do, until released one
    // at a time in the order they were asked for.
    bool holdDocument = false;
    void releaseDocument()
    {
        if (!m_heldDocument.isEmpty())
            m_heldDocument.takeFirst()();
    }
    void saveDocument(const QString &path, std::function<void(bool)> done) override;

    void focusPage() override { record(QStringLiteral("focusPage")); }
    void showFindBar() override { record(QStringLiteral("FindBar")); }
    bool openInSystemBrowser() override { return record(QStringLiteral("OpenInSystemBrowser")); }
    void exitFullScreen() override { record(QStringLiteral("exitFullScreen")); }
    bool runLocalScript() override { return record(QStringLiteral("runLocalScript")); }
    // Ends every download raised by raiseDownload as the engine does.
    bool cancelDownloads() override;

    // Raises the download signals as the engine's pages do; returns the id.
    quint32 raiseDownloadStarted(const QString &fileName);
    // The downloads started and not yet ended.
    QList<quint32> runningDownloads;

    // Raises BeforeNavigate2 and returns whether a handler cancelled.
    bool raiseBeforeNavigate(const QString &address, bool mainFrame = true);
    bool raiseNewWindow(const QString &address, bool userInitiated = true);
    bool raiseWindowClosing();

    // The addresses given to navigate, in order.
    QStringList navigations() const;

    QStringList calls;
    bool accepts = true; // what every operation answers
    QString pageTitle;
    QString url;
    QString selection;
    platform::PageInfo info;
    bool offline = false;
    QString html;
    QString bodyHtml;
    QStringList tagNames;

private:
    bool record(const QString &call)
    {
        calls.append(call);
        return accepts;
    }

    void deliver(std::function<void()> answer)
    {
        if (holdDocument)
            m_heldDocument.append(std::move(answer));
        else
            answer();
    }

    QPointer<QWidget> m_widget;
    QList<std::function<void()>> m_heldDocument;
};

class FakeBrowserFactory : public platform::BrowserFactory
{
public:
    platform::BrowserComponent *createBrowser(QWidget *parent) override;
    void setAcceptLanguage(const QString &header) override { acceptLanguage = header; }
    void deleteAllCookies(std::function<void(bool)> done) override
    {
        ++cookieDeletions;
        if (done)
            done(!cookieDeletionFails);
    }
    QString cookieFolder() const override { return cookieFolderPath; }
    QString engineVersion() const override { return QStringLiteral("102.0.5005.177"); }
    QString acceptLanguage;
    int cookieDeletions = 0;
    bool cookieDeletionFails = false;
    QString cookieFolderPath;
    // Every browser made so far that still exists.
    QList<FakeBrowser *> browsers() const;
    FakeBrowser *last() const;

private:
    QList<QPointer<FakeBrowser>> m_made;
};
