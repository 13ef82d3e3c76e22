#include "platform/webengine/userinputclock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform {

UserInputClock::UserInputClock(QWidget *view, QObject *parent)
    : QObject(parent)
    , m_view(view)
{
    m_clock.start();
    // The engine's own widget inside the view takes the events; an application filter sees
    // them before it does.
    qApp->installEventFilter(this);
}

UserInputClock::~UserInputClock()
{
    qApp->removeEventFilter(this);
}

void UserInputClock::noteInput()
{
    m_lastInput = m_clock.elapsed();
}

bool UserInputClock::takeDownloadAllowance()
{
    if (m_lastInput < 0 || m_downloadAllowanceUsed == m_lastInput)
        return false;
    m_downloadAllowanceUsed = m_lastInput;
    return true;
}

bool UserInputClock::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress
        && !(type == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->isAutoRepeat()))
        return false;
    if (!m_view || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget == m_view || m_view->isAncestorOf(widget))
        noteInput();
    return false;
}

} // namespace platform
