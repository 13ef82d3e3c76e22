#include "linktool/linktool.h"

#include "app/browserhost.h"
#include "app/singlewindow.h"
#include "linktool/linkanalysis.h"
#include "linktool/linktoolwindow.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

namespace linktool {

namespace {

// Holds the open tool window; a child of the menu item, so it ends with the window that
// has the menu and takes the tool along.
class Launcher : public QObject
{
public:
    Launcher(QAction *item, BrowserHost &host, platform::Platform services)
        : QObject(item)
        , m_host(host)
        , m_services(services)
    { }
    ~Launcher() override { delete m_window.data(); }

    void open()
    {
        // An open window is only shown again; its URL box keeps its text.
        showSingleWindow(m_window, [this] { return new LinkToolWindow(m_host, m_services); });
    }

private:
    BrowserHost &m_host;
    platform::Platform m_services;
    QPointer<LinkToolWindow> m_window;
};

} // namespace

void wireFileMenuItem(QMenu *fileMenu, QAction *item, BrowserHost &host, platform::Platform services)
{
    auto *launcher = new Launcher(item, host, services);
    QObject::connect(fileMenu, &QMenu::aboutToShow, item,
                     [item, &host] { item->setEnabled(checkUrl(host.addressText()) == UrlCheck::Accepted); });
    QObject::connect(item, &QAction::triggered, launcher, [launcher] { launcher->open(); });
}

} // namespace linktool
