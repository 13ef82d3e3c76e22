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

    bool Navigate(const QString &address) override;
    bool Navigate2(const QString &address) override;
    bool GoBack() override { return record(QStringLiteral("GoBack")); }
    bool GoForward() override { return record(QStringLiteral("GoForward")); }
    bool GoHome() override { return record(QStringLiteral("GoHome")); }
    bool Stop() override { return record(QStringLiteral("Stop")); }
    bool Refresh() override { return record(QStringLiteral("Refresh")); }
    bool Refresh2(int level) override { return record(QStringLiteral("Refresh2:%1").arg(level)); }
    bool ExecWB(int command, int input = 0) override
    {
        return record(QStringLiteral("ExecWB:%1:%2").arg(command).arg(input));
    }

    QString LocationName() const override { return title; }
    QString LocationURL() const override { return url; }
    QString selectedText() const override { return selection; }
    bool Offline() const override { return offline; }
    void setOffline(bool value) override
    {
        offline = value;
        calls.append(QStringLiteral("Offline:%1").arg(value));
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

    void SetFocus() override { record(QStringLiteral("SetFocus")); }
    void showFindBar() override { record(QStringLiteral("FindBar")); }
    bool openInSystemBrowser() override { return record(QStringLiteral("OpenInSystemBrowser")); }
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

    // The addresses given to Navigate and Navigate2, in order.
    QStringList navigations() const;

    QStringList calls;
    bool accepts = true; // what every operation answers
    QString title;
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
