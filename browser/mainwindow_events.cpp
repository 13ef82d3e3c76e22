// Following the browser: address box, caption, lamp, page icon, status text, the block
// list, new windows and the page's own close.
#include "browser/mainwindow.h"

#include "app/handover.h"
#include "app/pagedownloads.h"
#include "app/settingsrecord.h"
#include "blocking/blocklisteditor.h"
#include "blocking/blocklist.h"
#include "browser/subwindow.h"
#include "blocking/javascript.h"
#include "browser/addressbox.h"
#include "browser/pictures.h"
#include "platform/browsercomponent.h"
#include "platform/pagerequests.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QTimer>

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
constexpr int kProgressFull = 1095;

const char *const kPictures[] = {nullptr, nullptr, ":/icons/page_web.png", ":/icons/page_loading.png",
                                 ":/icons/page_other.png", ":/icons/page_jpeg.png", ":/icons/page_image.png"};

// The picture of a finished page: 2 or 4 by the address's second character, then 5 for
// "pg"/"PG" and 6 for "if"/"IF"/"ng"/"NG" at its end.
int pictureFor(const QString &url)
{
    int picture = url.size() >= 2 && url.at(1) == u't' ? 2 : 4;
    const QString end = url.right(2);
    if (end == u"pg" || end == u"PG")
        picture = 5;
    else if (end == u"if" || end == u"IF" || end == u"ng" || end == u"NG")
        picture = 6;
    return picture;
}

} // namespace

void MainWindow::wireBrowserEvents()
{
    connect(m_lampTimer, &QTimer::timeout, this, &MainWindow::lampTick);
    connect(m_menus.tools.blockList, &QAction::triggered, this, [this] {
        // The item opens the editor; the editor alone changes the switch.
        m_menus.tools.blockList->setChecked(!m_menus.tools.blockList->isChecked());
        openBlockEditor();
    });
    connect(m_menus.tools.subWindow, &QAction::triggered, this, [this] { openSubWindow(addressText()); });
    m_lampTimer->start(); // the lamp blinks from the start until the first page completes
    if (!m_browser)
        return;
    using B = platform::BrowserComponent;
    connect(m_browser, &B::BeforeNavigate2, this, &MainWindow::onBeforeNavigate);
    connect(m_browser, &B::NavigateComplete2, this, &MainWindow::onNavigateComplete);
    // The caption follows the title as soon as it arrives and whenever a script changes it;
    // the completed navigation sets it once more.
    connect(m_browser, &B::TitleChange, this, [this](const QString &title) { setWindowTitle(title + kCaptionSuffix); });
    connect(m_browser, &B::DownloadBegin, this, [this] { setLamp(true); });
    connect(m_browser, &B::DownloadComplete, this, &MainWindow::onDownloadComplete);
    connect(m_browser, &B::StatusTextChange, this, &MainWindow::onStatusText);
    connect(m_browser, &B::NewWindow2, this, &MainWindow::onNewWindow);
    connect(m_browser, &B::WindowClosing, this, &MainWindow::onWindowClosing);
    connect(m_browser, &B::NavigateError, this, &MainWindow::onNavigateError);
    connect(m_browser, &B::downloadStarted, this, &MainWindow::onDownloadStarted);
    connect(m_browser, &B::downloadProgress, this, &MainWindow::onDownloadProgress);
    connect(m_browser, &B::downloadFinished, this, &MainWindow::onDownloadFinished);
    AskAboutUnrequestedDownloads(*this, m_services.dialogs);
    m_menus.file.cancelDownloads->setEnabled(false);
    connect(m_menus.file.cancelDownloads, &QAction::triggered, m_browser, &B::cancelDownloads);
}

void MainWindow::onBeforeNavigate(const QString &url, bool &cancel, bool mainFrame)
{
    // The frames inside a page are checked against the block list and nothing else:
    // the address box, the picture, the lamp and the message bar follow the page itself.
    if (mainFrame)
        HideMessageBar();
    if (url.startsWith(QStringLiteral("javaScript:void")))
        return;
    const bool script = url.toLower().startsWith(QStringLiteral("javascript:"));
    if (mainFrame) {
        if (!script && !url.startsWith(kAdvertisingPrefix)) {
            setPicture(3);
            setAddressText(url);
        }
        setLamp(true);
    }
    // The cache rereads a changed file, so a saved list applies at once.
    if (m_menus.tools.blockList->isChecked()) {
        if (const auto entry = blocklist::firstMatch(m_blockList.entries(blocklist::filePath()), url)) {
            cancel = true;
            ShowMessageBar(blocklist::blockedMessage(*entry));
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

void MainWindow::onNavigateComplete(const QString &url)
{
    setWindowTitle(m_browser->title() + kCaptionSuffix);
    setLamp(false);
    setPicture(pictureFor(url));
    if (Settings().NSTag == 1)
        checkNetscapeTags();
}

void MainWindow::checkNetscapeTags()
{
    // The document arrives later; a page that cannot give one gives no message, and
    // neither does one the user has left meanwhile.
    QPointer<MainWindow> self(this);
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
                self->ShowMessageBar(kTagMessage);
        });
    });
}

void MainWindow::onDownloadComplete()
{
    setLamp(false);
    m_progressTwips = kProgressFull;
    m_progress->resize(kProgressFull / layout::kTwipsPerPixel, m_progress->height());
    if (IsWindowCloseScript(addressText()) == 1)
        close();
}

void MainWindow::onStatusText(const QString &text)
{
    // Web links only: handover::write refuses the rest.
    handover::write(text);
    m_status->setText(text);
}

void MainWindow::onNewWindow(const QString &url, bool &cancel, bool userInitiated)
{
    // A page gets no window the user did not ask for.
    if (!userInitiated) {
        cancel = true;
        ShowMessageBar(kPopupMessage);
        return;
    }
    // The address the new window would open: what the page asked for, else the last link
    // shown in the status bar.
    const QString target = url.isEmpty() ? handover::read() : url;
    if (!platform::pageMayOpen(m_browser ? m_browser->address() : QString(), target)) {
        cancel = true;
        // A data: address can run to megabytes; its start tells enough.
        constexpr qsizetype kShown = 100;
        ShowMessageBar(kRefusedWindowMessage.arg(target.size() > kShown ? target.left(kShown) + u'…' : target));
        return;
    }
    // A script's own window is left to the browser.
    const bool scriptWindow = m_status->text().toLower().startsWith(QStringLiteral("javascript:"));
    if (!scriptWindow) {
        cancel = true;
        // The address the page asked for goes to the new process; without one, the last
        // address shown in the status bar does.
        if (!url.isEmpty())
            handover::write(url);
        if (target.isEmpty() || target == addressText())
            return;
    }
    // Even clicks must not start processes without end.
    if (!m_newWindows.allow(m_clock.elapsed())) {
        cancel = true;
        ShowMessageBar(kPopupMessage);
        return;
    }
    // The address also goes on the command line: the hand-over file may be overwritten
    // by the next request before the new process reads it.
    if (!scriptWindow)
        m_services.processes.startSelf(url.isEmpty() ? QStringList() : QStringList{url});
}

void MainWindow::onWindowClosing(bool &cancel)
{
    cancel = true;
    // Let the browser finish raising this before the window goes. A user who answers No
    // to the exit question has refused; that is no failure and gets no message.
    QTimer::singleShot(0, this, [this] { close(); });
}

void MainWindow::onNavigateError()
{
    if (addressText().startsWith(QStringLiteral("javascript")))
        ShowMessageBar(kScriptMessage);
}

void MainWindow::onDownloadStarted(quint32 id, const QString &fileName)
{
    m_downloads.insert(id, fileName);
    m_menus.file.cancelDownloads->setEnabled(true);
    // The click that led here showed its address as if a page were coming; the page stays.
    setLamp(false);
    setAddressText(m_browser->address());
    setPicture(pictureFor(m_browser->address()));
    m_status->setText(kDownloading.arg(fileName));
    onDownloadProgress(id, 0, -1);
}

void MainWindow::onDownloadProgress(quint32 id, qint64 received, qint64 total)
{
    if (!m_downloads.contains(id))
        return;
    m_progressTwips = total > 0 ? int(kProgressFull * std::clamp<qint64>(received, 0, total) / total) : 0;
    m_progress->resize(m_progressTwips / layout::kTwipsPerPixel, m_progress->height());
    const QString size = total > 0 ? u"%1 / %2 KB"_s.arg(received / 1024).arg(total / 1024)
                                   : u"%1 KB"_s.arg(received / 1024);
    m_progress->setToolTip(kDownloading.arg(m_downloads.value(id)) + u' ' + size);
}

void MainWindow::onDownloadFinished(quint32 id, platform::DownloadEnd end, const QString &path, const QString &reason)
{
    const QString name = m_downloads.take(id);
    m_menus.file.cancelDownloads->setEnabled(!m_downloads.isEmpty());
    if (m_downloads.isEmpty())
        m_progress->setToolTip(QString());
    switch (end) {
    case platform::DownloadEnd::Saved:
        ShowMessageBar(u"ダウンロードしました: "_s + QDir::toNativeSeparators(path));
        break;
    case platform::DownloadEnd::Cancelled:
        ShowMessageBar(u"ダウンロードを中止しました: "_s + name);
        break;
    case platform::DownloadEnd::Failed:
        ShowMessageBar(reason.isEmpty() ? u"ダウンロードに失敗しました: "_s + name
                                        : u"ダウンロードに失敗しました: %1（%2）"_s.arg(name, reason));
        break;
    }
}

bool MainWindow::lampOn() const
{
    return m_lampTimer->isActive();
}

QString MainWindow::statusText() const
{
    return m_status->text();
}

void MainWindow::setLamp(bool on)
{
    if (on) {
        m_lampTimer->start();
        return;
    }
    m_lampTimer->stop();
    m_lampGreen = false;
    QPalette palette = m_lamp->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_lamp->setPalette(palette);
}

void MainWindow::lampTick()
{
    m_lampGreen = !m_lampGreen;
    QPalette palette = m_lamp->palette();
    palette.setColor(QPalette::Window, m_lampGreen ? QColor(0x00, 0xFF, 0x00) : QColor(Qt::white));
    m_lamp->setPalette(palette);
    m_progressTwips = m_progressTwips >= kProgressFull ? 5 : m_progressTwips + 10;
    m_progress->resize(m_progressTwips / layout::kTwipsPerPixel, m_progress->height());
}

void MainWindow::setPicture(int position)
{
    // A repaint here recomposes the whole window with the page; an unchanged icon needs none.
    if (position == m_picture && !m_pageIcon->pixmap().isNull())
        return;
    m_picture = position;
    // The label is 16 pixels wide; the pixmap follows the window's pixel ratio.
    m_pageIcon->setPixmap(sharpIcon(QString::fromLatin1(kPictures[position])).pixmap(QSize(16, 16), devicePixelRatioF()));
}

void MainWindow::openBlockEditor()
{
    if (!m_editor) {
        // No owner: the editor is a window of its own.
        m_editor = new BlockListEditor(m_services.dialogs, m_menus.tools.blockList);
    }
    m_editor->show();
    m_editor->raise();
    m_editor->activateWindow();
}

void MainWindow::openSubWindow(const QString &address)
{
    if (!m_subWindow)
        m_subWindow = new SubWindow(m_services, m_browser ? m_browser->address() : QString());
    m_subWindow->show();
    m_subWindow->raise();
    m_subWindow->navigate(address);
}
