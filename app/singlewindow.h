#pragma once

#include <QPointer>
#include <QWidget>

// Shows a window and brings it to the front: out of its minimized state, raised, active.
inline void bringToFront(QWidget *window)
{
    window->show();
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

// A tool window that exists once: made by make() the first time, brought to the front
// every time.
template <typename Window, typename Make> Window &showSingleWindow(QPointer<Window> &window, Make make)
{
    if (!window)
        window = make();
    bringToFront(window);
    return *window;
}
