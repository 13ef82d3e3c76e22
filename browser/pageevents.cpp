// Following the browser: address box, caption, lamp, page icon, status text, the block
// list, new windows, downloads and the page's own close.
#include "browser/pageevents.h"

#include "app/browserhost.h"
#include "app/handover.h"
#include "app/pagequestions.h"
#include "app/settingsrecord.h"
#include "blocking/javascript.h"
#include "browser/addressbox.h"
#include "browser/navigationbar.h"
#include "browser/statusarea.h"
#include "platform/browsercomponent.h"
#include "platform/hostdisplay.h"
#include "platform/pagerequests.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Frames from this advertising host load without taking over the address box.
const QString kAdvertisingPrefix = QStringLiteral("http://ad.");
const QString kCaptionSuffix = QStringLiteral("　－ ゆらぎね");
const QString kTagMessage = QStringLiteral("NetscapeNavigetor専用タグが使用されています。");
const QString kScriptMessage = QStringLiteral("実行不可能なJavaScriptが読み込まれました。");
const QString kPopupMessage = QStringLiteral("ポップアップウィンドウをブロックしました。");
const QString kRefusedWindowMessage = QStringLiteral("このページからは開けないアドレスです: %1");
const QString kDownloading = QStringLiteral("ダウンロード中: %1");

} // namespace

PageEvents::PageEvents(Parts parts, platform::Platform services, QObject *parent)
    : QObject(parent)
    , m_parts(parts)
    , m_services(services)
    , m_browser(parts.host.browser())
{
    m_clock.start();
    m_parts.cancelDownloads->setEnabled(false);
    if (!m_browser)
        return;
    using B = platform::BrowserComponent;
    connect(m_browser, &B::BeforeNavigate2, this, &PageEvents::beforeNavigate);
    connect(m_browser, &B::NavigateComplete2, this, &PageEvents::navigateComplete);
    // The caption follows the title as soon as it arrives and whenever a script changes it;
    // the completed navigation sets it once more.
    connect(m_browser, &B::TitleChange, this,
            [this](const QString &title) { m_parts.window->setWindowTitle(title + kCaptionSuffix); });
    connect(m_browser, &B::DownloadBegin, this, [this] { setLamp(true); });
    connect(m_browser, &B::DownloadComplete, this, &PageEvents::loadEnded);
    connect(m_browser, &B::StatusTextChange, this, &PageEvents::statusText);
    connect(m_browser, &B::NewWindow2, this, &PageEvents::newWindow);
    connect(m_browser, &B::WindowClosing, this, [this](bool &cancel) {
        cancel = true;
        // Let the browser finish raising this before the window goes. A user who answers
        // No to the exit question has refused; that is no failure and gets no message.
        QTimer::singleShot(0, this, &PageEvents::closeRequested);
    });
    connect(m_browser, &B::NavigateError, this, &PageEvents::navigateError);
    connect(m_browser, &B::pageGone, this, [this] {
        setLamp(false);
        m_parts.status->setProgressTwips(StatusArea::kProgressFull);
        m_parts.window->setWindowTitle(u"このページは表示できなくなりました"_s + kCaptionSuffix);
    });
    connect(m_browser, &B::downloadStarted, this, &PageEvents::downloadStarted);
    connect(m_browser, &B::downloadProgress, this, &PageEvents::downloadProgress);
    connect(m_browser, &B::downloadFinished, this, &PageEvents::downloadFinished);
    askAboutPageRequests(m_parts.host, m_services.dialogs);
    connect(m_parts.cancelDownloads, &QAction::triggered, m_browser, &B::cancelDownloads);
}

void PageEvents::beforeNavigate(const QString &url, bool &cancel, bool mainFrame)
{
    // The frames inside a page are checked against the block list and nothing else:
    // the address box, the picture, the lamp and the message bar follow the page itself.
    if (mainFrame)
        m_parts.host.hideMessageBar();
    if (url.startsWith(QStringLiteral("javaScript:void")))
        return;
    const bool script = url.toLower().startsWith(QStringLiteral("javascript:"));
    if (mainFrame) {
        if (!script && !url.startsWith(kAdvertisingPrefix)) {
            m_parts.status->setPicture(3);
            m_parts.host.setAddressText(platform::addressForBox(url));
        }
        setLamp(true);
    }
    // The cache rereads a changed file, so a saved list applies at once.
    if (m_parts.blockingSwitch->isChecked()) {
        if (const auto entry = blocklist::firstMatch(m_blockList.entries(blocklist::filePath()), url)) {
            cancel = true;
            m_parts.host.showMessageBar(blocklist::blockedMessage(*entry));
            setLamp(false);
            // The engine must not be stopped from inside its navigation decision.
            QTimer::singleShot(0, this, [this] {
                if (m_browser)
                    m_browser->stop();
            });
            return;
        }
    }
    if (mainFrame && !script)
        ++m_pageSerial; // what the page before it still delivers is out of date
}

void PageEvents::navigateComplete(const QString &url)
{
    m_parts.window->setWindowTitle(m_browser->title() + kCaptionSuffix);
    setLamp(false);
    m_parts.status->setPicture(pictureForAddress(url));
    if (settingsRecord().NSTag == 1)
        checkNetscapeTags();
}

void PageEvents::checkNetscapeTags()
{
    // The document arrives later; a page that cannot give one gives no message, and
    // neither does one the user has left meanwhile.
    QPointer<PageEvents> self(this);
    const quint64 page = m_pageSerial;
    auto current = [self, page] { return self && self->m_pageSerial == page; };
    m_browser->elementTagNames([self, current](const QStringList &tags) {
        if (!current())
            return;
        bool beyondHtml = false;
        for (const QString &tag : tags) {
            if (tag.compare(u"HTML", Qt::CaseInsensitive) != 0) {
                beyondHtml = true;
                break;
            }
        }
        if (!beyondHtml)
            return;
        self->m_browser->bodyOuterHtml([self, current](const QString &body) {
            if (!current())
                return;
            const QString text = body.toUpper();
            if (text.contains(u"<LAYER") || text.contains(u"<BLINK") || text.contains(u"<SPACER"))
                self->m_parts.host.showMessageBar(kTagMessage);
        });
    });
}

void PageEvents::loadEnded()
{
    setLamp(false);
    m_parts.status->setProgressTwips(StatusArea::kProgressFull);
    if (isWindowCloseScript(m_parts.host.addressText()) == 1) {
        Q_EMIT closeRequested();
        return;
    }
    showShownPage();
}

void PageEvents::showShownPage()
{
    // The box showed where the page was going; once it got there, stopped or failed, the
    // box and the caption tell what is shown, whatever the page asked for on the way.
    if (!m_parts.navigation->addressBox()->beingEdited())
        m_parts.host.setAddressText(platform::addressForBox(m_browser->address()));
    m_parts.window->setWindowTitle(m_browser->title() + kCaptionSuffix);
}

void PageEvents::statusText(const QString &text)
{
    // Web links only: handover::write refuses the rest.
    handover::write(text);
    m_parts.status->setStatusText(text);
}

void PageEvents::newWindow(const QString &url, bool &cancel, bool userInitiated)
{
    // A page gets no window the user did not ask for.
    if (!userInitiated) {
        cancel = true;
        m_parts.host.showMessageBar(kPopupMessage);
        return;
    }
    // The address the new window would open: what the page asked for, else the last link
    // shown in the status bar.
    const QString target = url.isEmpty() ? handover::read() : url;
    if (!platform::pageMayOpen(m_browser ? m_browser->address() : QString(), target)) {
        cancel = true;
        // A data: address can run to megabytes; its start tells enough.
        constexpr qsizetype kShown = 100;
        m_parts.host.showMessageBar(
            kRefusedWindowMessage.arg(target.size() > kShown ? target.left(kShown) + u'…' : target));
        return;
    }
    // A script's own window is left to the browser.
    const bool scriptWindow = m_parts.status->statusText().toLower().startsWith(QStringLiteral("javascript:"));
    if (!scriptWindow) {
        cancel = true;
        if (target.isEmpty() || target == m_parts.host.addressText())
            return;
        // The address the page asked for goes to the new process; without one, the last
        // address shown in the status bar does: the link just clicked.
        handover::writeForNewWindow(target, QDateTime::currentMSecsSinceEpoch());
    }
    // Even clicks must not start processes without end.
    if (!m_newWindows.allow(m_clock.elapsed())) {
        cancel = true;
        m_parts.host.showMessageBar(kPopupMessage);
        return;
    }
    // The address also goes on the command line: the hand-over file may be overwritten
    // by the next request before the new process reads it.
    if (!scriptWindow)
        m_services.processes.startSelf(url.isEmpty() ? QStringList() : QStringList {url});
}

void PageEvents::navigateError()
{
    if (m_parts.host.addressText().startsWith(QStringLiteral("javascript")))
        m_parts.host.showMessageBar(kScriptMessage);
}

void PageEvents::downloadStarted(quint32 id, const QString &fileName)
{
    m_downloads.insert(id, fileName);
    m_parts.cancelDownloads->setEnabled(true);
    // The click that led here showed its address as if a page were coming; the page stays.
    setLamp(false);
    m_parts.host.setAddressText(platform::addressForBox(m_browser->address()));
    m_parts.status->setPicture(pictureForAddress(m_browser->address()));
    m_parts.status->setStatusText(kDownloading.arg(fileName));
    downloadProgress(id, 0, -1);
}

void PageEvents::downloadProgress(quint32 id, qint64 received, qint64 total)
{
    if (!m_downloads.contains(id))
        return;
    m_parts.status->setProgressTwips(
        total > 0 ? int(StatusArea::kProgressFull * std::clamp<qint64>(received, 0, total) / total) : 0);
    const QString size =
        total > 0 ? u"%1 / %2 KB"_s.arg(received / 1024).arg(total / 1024) : u"%1 KB"_s.arg(received / 1024);
    m_parts.status->setProgressTip(kDownloading.arg(m_downloads.value(id)) + u' ' + size);
}

void PageEvents::downloadFinished(quint32 id, platform::DownloadEnd end, const QString &path, const QString &reason)
{
    const QString name = m_downloads.take(id);
    m_parts.cancelDownloads->setEnabled(!m_downloads.isEmpty());
    // The line and the bar tell of downloads under way only; a link shown since stays.
    const bool toldOfThis = m_parts.status->statusText() == kDownloading.arg(name);
    if (m_downloads.isEmpty()) {
        m_parts.status->setProgressTip(QString());
        m_parts.status->setProgressTwips(StatusArea::kProgressFull);
        if (toldOfThis)
            m_parts.status->setStatusText(QString());
    } else if (toldOfThis) {
        m_parts.status->setStatusText(kDownloading.arg(m_downloads.cbegin().value()));
    }
    switch (end) {
    case platform::DownloadEnd::Saved:
        m_parts.host.showMessageBar(u"ダウンロードしました: "_s + QDir::toNativeSeparators(path));
        break;
    case platform::DownloadEnd::Cancelled:
        m_parts.host.showMessageBar(u"ダウンロードを中止しました: "_s + name);
        break;
    case platform::DownloadEnd::Failed:
        m_parts.host.showMessageBar(reason.isEmpty() ? u"ダウンロードに失敗しました: "_s + name
                                                     : u"ダウンロードに失敗しました: %1（%2）"_s.arg(name, reason));
        break;
    }
}

void PageEvents::setLamp(bool on)
{
    m_parts.navigation->setLamp(on);
}
