#pragma once

#include "browser/mainmenus.h"
#include "platform/platform.h"

#include <QObject>

class BrowserHost;
class MemoPadLauncher;
class QTimer;
class QWidget;

// The View and Tools menus' options of the browser window that are not its bars: text
// size, the page source in the memo pad, always on top, translucency, automatic reload
// and the detailed settings stored as they change.
class ViewOptions : public QObject
{
    Q_OBJECT
public:
    ViewOptions(BrowserHost &host, platform::Platform services, QWidget *window, const MainMenus &menus,
                MemoPadLauncher &memo, QObject *parent);

    // The choices the settings record keeps, at start.
    void restore();

private:
    void toggleAlwaysOnTop();
    void toggleTranslucency();
    void chooseAutoReload(QAction *item);
    void showPageSource();

    BrowserHost &m_host;
    platform::Platform m_services;
    QWidget *m_window;
    const MainMenus &m_menus;
    MemoPadLauncher &m_memo;
    QTimer *m_reloadTimer; // Timer2
};
