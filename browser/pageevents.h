#pragma once

#include "blocking/blocklist.h"
#include "platform/eventratelimit.h"
#include "platform/platform.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>

class BrowserHost;
class NavigationBar;
class QAction;
class QWidget;
class StatusArea;

namespace platform {
class BrowserComponent;
enum class DownloadEnd;
} // namespace platform

// What the main window does when its browser reports: the caption, the address box, the
// lamp, the page picture and the status text follow the page; every navigation, frames
// included, meets the block list; a page's new windows become new processes within their
// limits; downloads show their progress and their end.
class PageEvents : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        BrowserHost &host;
        QWidget *window; // whose caption follows the page
        NavigationBar *navigation;
        StatusArea *status;
        QAction *blockingSwitch;  // its check mark switches the block list on
        QAction *cancelDownloads; // enabled while a download runs
    };
    PageEvents(Parts parts, platform::Platform services, QObject *parent);

    // The names of the downloads still running, by id.
    QHash<quint32, QString> downloads() const { return m_downloads; }

Q_SIGNALS:
    // The page closed its window by script; the window's own closing path follows.
    void closeRequested();

private:
    void beforeNavigate(const QString &url, bool &cancel, bool mainFrame);
    void navigateComplete(const QString &url);
    void loadEnded();
    void showShownPage();
    void statusText(const QString &text);
    void newWindow(const QString &url, bool &cancel, bool userInitiated);
    void navigateError();
    void checkNetscapeTags();
    void downloadStarted(quint32 id, const QString &fileName);
    void downloadProgress(quint32 id, qint64 received, qint64 total);
    void downloadFinished(quint32 id, platform::DownloadEnd end, const QString &path, const QString &reason);
    void setLamp(bool on);

    Parts m_parts;
    platform::Platform m_services;
    platform::BrowserComponent *m_browser;
    quint64 m_pageSerial = 0; // counts the pages navigated to
    platform::EventRateLimit m_newWindows {5, 10'000};
    QElapsedTimer m_clock;
    blocklist::ListCache m_blockList;
    QHash<quint32, QString> m_downloads;
};
