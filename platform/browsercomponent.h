#pragma once

#include "platform/pagemenu.h"
#include "platform/privacy.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QWidget;

namespace platform {

// How reload() treats the cache.
enum class ReloadMode { Normal, BypassCache };

// The text sizes of the View menu, smallest first; Medium is 100%.
enum class TextSize { Smallest, Smaller, Medium, Larger, Largest };

// Commands of CommandStateChange.
namespace command {
constexpr int Forward = 1;
constexpr int Back = 2;
} // namespace command

// How a download ended.
enum class DownloadEnd { Saved, Cancelled, Failed };

// What the page itself says about the document it shows.
struct PageInfo
{
    QString contentType;  // "text/html", "image/png", ...; "" without a page
    QString encoding;     // the character set the page was read in
    qint64 size = -1;     // bytes of the document as received; -1 when unknown
    QString lastModified; // as the page reports it
};

// The HTML browser component a window hosts. Operations return at once; whether the
// component accepted an operation is its result (a refusal is how callers learn that no
// page is shown). Notifications with a cancel argument must be connected directly: the
// handler sets cancel before the signal returns.
//
// The program's names for the browser control's calls, and where they are here:
//   Navigate, Navigate2                          navigate
//   GoBack, GoForward, GoHome, Stop             goBack, goForward, goHome, stop
//   Refresh, Refresh2 level 0 / level 3         reload(Normal) / reload(BypassCache)
//   ExecWB 4 save as, 6 print, 7 print preview  saveAs, print, printPreview
//   ExecWB 8 page setup, 10 properties          pageSetup, showProperties
//   ExecWB 12 copy, 17 select all, 19 zoom      copy, selectAll, setTextSize
//   LocationName, LocationURL, Offline          title, address (of the document shown),
//                                               isOffline / setOffline
//   SetFocus (the control's)                    focusPage
//   the events (BeforeNavigate2, ...)           the signals of the same names
class BrowserComponent : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~BrowserComponent() override = default;

    // The widget to place in the window.
    virtual QWidget *widget() = 0;

    virtual bool navigate(const QString &address) = 0;
    virtual bool goBack() = 0;
    virtual bool goForward() = 0;
    virtual bool goHome() = 0;
    virtual bool stop() = 0;
    virtual bool reload(ReloadMode mode = ReloadMode::Normal) = 0;
    // The page commands; false when there is no page or the command cannot run.
    virtual bool saveAs() = 0;
    virtual bool print() = 0;
    virtual bool printPreview() = 0;
    virtual bool pageSetup() = 0;
    virtual bool showProperties() = 0;
    virtual bool copy() = 0;
    virtual bool selectAll() = 0;
    virtual bool setTextSize(TextSize size) = 0;

    virtual QString title() const = 0;
    virtual QString address() const = 0;
    // The text selected in the page, "" without a selection.
    virtual QString selectedText() const = 0;
    virtual bool isOffline() const = 0;
    virtual void setOffline(bool offline) = 0;

    // The document arrives later; the callback is dropped if the component goes first.
    // No page gives "" (or an empty list).
    virtual void documentHtml(std::function<void(const QString &)> done) = 0;
    virtual void bodyOuterHtml(std::function<void(const QString &)> done) = 0;
    virtual void elementTagNames(std::function<void(const QStringList &)> done) = 0;
    // No page gives an empty PageInfo.
    virtual void pageInfo(std::function<void(const PageInfo &)> done) = 0;
    // Writes the current document's HTML to a file of the program's own (0600) as CP932
    // text; done(false) when there is no document or the file cannot be written.
    virtual void saveDocument(const QString &path, std::function<void(bool)> done) = 0;

    virtual void focusPage() = 0;
    virtual void showFindBar() = 0;
    // Hands the current address to the system's default browser.
    virtual bool openInSystemBrowser() = 0;
    // Stops every download this component's pages started; each ends with
    // downloadFinished(..., DownloadEnd::Cancelled, ...). false when none was running.
    virtual bool cancelDownloads() = 0;
    // The window's menu items that the page's right-click menu runs for the program's own
    // commands (back, copy, translation, ...). An item with a menu stands for that menu.
    virtual void setPageMenuTwins(const QMap<PageMenuItem, QAction *> &twins) { Q_UNUSED(twins); }
    // Ends a page's full screen; fullScreenChanged(false) follows.
    virtual void exitFullScreen() { }
    // Lets the local file shown run its own script, in this window until it shows another
    // page, and shows it again; false when no local file is shown.
    virtual bool runLocalScript() { return false; }
    // Ends the page whose renderer no longer answers; it shows as gone, ready to reload.
    virtual void endPage() { }

Q_SIGNALS:
    // Raised for the frames inside the page too; mainFrame tells which.
    void BeforeNavigate2(const QString &url, bool &cancel, bool mainFrame);
    void NavigateComplete2(const QString &url);
    void DownloadBegin();
    void DownloadComplete();
    void CommandStateChange(int command, bool enabled);
    void StatusTextChange(const QString &text);
    void TitleChange(const QString &title);
    // url: the address the page asked to open ("" when unknown). userInitiated: the
    // request follows a click or key of the user, not a script on its own.
    void NewWindow2(const QString &url, bool &cancel, bool userInitiated);
    void WindowClosing(bool &cancel);
    void NavigateError(const QString &url);
    // A print job started by print() has ended.
    void printingEnded(bool success);
    // A file the page cannot show is being saved in the user's download folder. id is
    // the same in the progress and the end of that download. Raised again with the same
    // id when the server's headers give a better name than the first guess.
    void downloadStarted(quint32 id, const QString &fileName);
    // total is -1 while the size is unknown.
    void downloadProgress(quint32 id, qint64 received, qint64 total);
    // path: where the file now is ("" when nothing was kept); reason: why it failed, for
    // the user.
    void downloadFinished(quint32 id, platform::DownloadEnd end, const QString &path, const QString &reason);
    // The page starts a download that follows no click or key of the user: it is saved
    // only when a handler sets allow. from: the server's host.
    void unrequestedDownload(const QString &fileName, const QString &from, bool &allow);
    // The page started too many downloads on its own; this one was refused unasked.
    void downloadRefused(const QString &from);
    // The page shows an element on the whole screen (a video), or stops.
    void fullScreenChanged(bool on);
    // A local file whose script does not run is shown (runLocalScript lets it).
    void localScriptBlocked(const QString &file);
    // A local page asked to go to url on its own, and stays.
    void localNavigationRefused(const QString &url);
    // The page's renderer ended (reason for the user): the component shows so in its
    // place, with a button to load the page again.
    void pageGone(const QString &reason);
    // The page has stopped answering (a script that never ends), or answers again.
    void pageNotAnswering(bool notAnswering);
    // site asks to use feature (its name for the user); granted only when a handler sets
    // allow. Answers are kept: the same site is not asked twice for one feature.
    void permissionRequested(const QString &site, const QString &feature, bool &allow);
};

// Makes the browser components of the windows.
class BrowserFactory
{
public:
    virtual ~BrowserFactory() = default;
    virtual BrowserComponent *createBrowser(QWidget *parent) = 0;
    // The languages pages are asked for, as an Accept-Language header value.
    virtual void setAcceptLanguage(const QString &header) { Q_UNUSED(header); }
    // Deletes every cookie of the browsers' profile, in every process of the program, and
    // calls done when it is over: false when some could not be deleted.
    virtual void deleteAllCookies(std::function<void(bool)> done)
    {
        if (done)
            done(true);
    }
    // The folder the profile keeps its files in; "" when it keeps none.
    virtual QString cookieFolder() const { return {}; }
    // Third-party cookies and the Do Not Track header for every page from now on.
    virtual void setPrivacy(const PrivacySettings &settings) { Q_UNUSED(settings); }
    virtual PrivacySettings privacy() const { return {}; }
    // The version of the engine that shows the pages, "" when unknown.
    virtual QString engineVersion() const { return {}; }
    // Forgets which pages were visited, and the cached copies of pages.
    virtual void clearHistory() { }
    virtual void clearCache() { }
};

} // namespace platform
