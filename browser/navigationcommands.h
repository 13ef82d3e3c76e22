#pragma once

#include "browser/mainmenus.h"
#include "platform/platform.h"

#include <QObject>

class BrowserHost;
class NavigationBar;
class QWidget;

// Moving between pages: the navigation bar's buttons, the address box (Enter goes, Esc
// stops), the Move menu with its drives and the quick jump, and the keys users of other
// browsers reach for. Back and forward follow the browser's history.
class NavigationCommands : public QObject
{
    Q_OBJECT
public:
    NavigationCommands(BrowserHost &host, platform::Platform services, NavigationBar &bar, const MainMenus &menus,
                       QWidget *window);

    // The address box's text, as an address or a search.
    void navigateTyped();
    // Stops the page and switches the lamp off.
    void stopLoading();

private:
    void quickJump();
    void wireDrives(const MainMenus &menus);
    void wireKeys(QWidget *window);

    BrowserHost &m_host;
    platform::Platform m_services;
    NavigationBar &m_bar;
};
