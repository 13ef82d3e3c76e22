#include "browser/fullscreenmode.h"

#include "app/browserhost.h"
#include "platform/browsercomponent.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

FullScreenMode::FullScreenMode(Parts parts, QObject *parent)
    : QObject(parent)
    , m_parts(std::move(parts))
{
    platform::BrowserComponent *browser = m_parts.host.browser();
    if (!browser)
        return;
    connect(browser, &platform::BrowserComponent::fullScreenChanged, this, [this](bool on) { on ? enter() : leave(); });
}

QString FullScreenMode::notice()
{
    return QStringLiteral("全画面表示です。Esc キーまたは F11 キーで元の表示に戻ります。");
}

void FullScreenMode::enter()
{
    if (m_active)
        return;
    m_active = true;
    m_stateBefore = m_parts.window->windowState();
    m_hiddenBefore.clear();
    for (QWidget *bar : std::as_const(m_parts.bars)) {
        if (!bar)
            continue;
        m_hiddenBefore.append({bar, bar->isHidden()});
        bar->hide();
    }
    // Keys reach the page's own widgets before the window sees them.
    qApp->installEventFilter(this);
    m_parts.window->setWindowState((m_stateBefore & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
    m_parts.arrange();
    m_parts.host.showMessageBar(notice());
    m_noticeShown.start();
}

void FullScreenMode::leave()
{
    if (!m_active)
        return;
    m_active = false;
    m_noticeShown.invalidate();
    qApp->removeEventFilter(this);
    for (const auto &[bar, hidden] : std::as_const(m_hiddenBefore)) {
        if (bar)
            bar->setHidden(hidden);
    }
    m_hiddenBefore.clear();
    m_parts.window->setWindowState(m_stateBefore);
    m_parts.arrange();
    m_parts.host.hideMessageBar();
}

bool FullScreenMode::isOwnKey(QObject *watched, const QEvent *event) const
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->key() != Qt::Key_Escape && key->key() != Qt::Key_F11)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && widget->window() == m_parts.window;
}

bool FullScreenMode::isPageContainer(QObject *watched) const
{
    platform::BrowserComponent *browser = m_parts.host.browser();
    QWidget *page = browser ? browser->widget() : nullptr;
    return page && watched == page->parentWidget();
}

bool FullScreenMode::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken from the shortcuts (Esc also stops loading) so that the key press comes.
        if (isOwnKey(watched, event)) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (isOwnKey(watched, event)) {
            // The page leaves full screen and reports it; leave() follows from there.
            if (platform::BrowserComponent *browser = m_parts.host.browser())
                browser->exitFullScreen();
            leave(); // in case the page has gone meanwhile
            return true;
        }
        break;
    case QEvent::Resize:
        // The bars going and the window growing resize the page's container later, and its
        // layout hides the message bar; the notice comes back after each while they settle.
        if (m_active && m_noticeShown.isValid() && m_noticeShown.elapsed() < kSettleMs && isPageContainer(watched)) {
            QTimer::singleShot(0, this, [this] {
                if (m_active)
                    m_parts.host.showMessageBar(notice());
            });
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
