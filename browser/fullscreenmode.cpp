#include "browser/fullscreenmode.h"

#include "app/browserhost.h"
#include "platform/browsercomponent.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
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
    showNotice();
}

void FullScreenMode::showNotice()
{
    if (!m_notice) {
        m_notice = new QLabel(notice(), m_parts.window);
        m_notice->setObjectName(QStringLiteral("fullScreenNotice"));
        m_notice->setTextFormat(Qt::PlainText);
        m_notice->setAlignment(Qt::AlignCenter);
        m_notice->setStyleSheet(
            QStringLiteral("QLabel { background: rgba(32, 32, 32, 230); color: white;"
                           " border: 1px solid #c0c0c0; border-radius: 6px; padding: 10px 18px; }"));
        m_notice->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_noticeTime = new QTimer(this);
        m_noticeTime->setSingleShot(true);
        m_noticeTime->setInterval(kNoticeMs);
        connect(m_noticeTime, &QTimer::timeout, m_notice, &QWidget::hide);
    }
    placeNotice();
    m_notice->show();
    m_notice->raise();
    m_noticeTime->start();
}

void FullScreenMode::placeNotice()
{
    m_notice->adjustSize();
    const int width = m_parts.window->width();
    m_notice->move(qMax(0, (width - m_notice->width()) / 2), 16);
}

void FullScreenMode::leave()
{
    if (!m_active)
        return;
    m_active = false;
    if (m_notice) {
        m_noticeTime->stop();
        m_notice->hide();
    }
    qApp->removeEventFilter(this);
    for (const auto &[bar, hidden] : std::as_const(m_hiddenBefore)) {
        if (bar)
            bar->setHidden(hidden);
    }
    m_hiddenBefore.clear();
    m_parts.window->setWindowState(m_stateBefore);
    m_parts.arrange();
}

bool FullScreenMode::isOwnKey(QObject *watched, const QEvent *event) const
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->key() != Qt::Key_Escape && key->key() != Qt::Key_F11)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && widget->window() == m_parts.window;
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
    case QEvent::MouseMove: {
        // The pointer at the top edge, where the bars were: say again what is whose.
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!m_active || !widget || widget->window() != m_parts.window)
            break;
        const QPoint at = m_parts.window->mapFromGlobal(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        if (at.y() <= 2 && (!m_notice || m_notice->isHidden()))
            showNotice();
        break;
    }
    case QEvent::Resize:
        if (m_active && watched == m_parts.window && m_notice && m_notice->isVisible())
            placeNotice();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
