#pragma once

#include "browser/mainmenus.h"
#include "platform/platform.h"

#include <QObject>

class BrowserHost;

namespace platform {
class BrowserComponent;
}

// The File and Edit menus' commands on the page and their simple-mode twins: new windows,
// opening a local file, saving, printing, properties, offline work, copying and finding.
// A command the browser refuses says so in the message bar. It also hands the page's
// right-click menu the window's items that menu runs.
class PageCommands : public QObject
{
    Q_OBJECT
public:
    PageCommands(BrowserHost &host, platform::Platform services, const MainMenus &menus, QObject *parent);

    // Offline work as the Internet settings keep it, at start.
    void restoreOffline();

private:
    void run(bool (platform::BrowserComponent::*command)(), const QString &refusal);
    void openLocalFile();
    void toggleOffline();

    BrowserHost &m_host;
    platform::Platform m_services;
    QAction *m_offline;
};
