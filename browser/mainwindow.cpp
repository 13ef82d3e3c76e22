#include "browser/mainwindow.h"

#include "browser/addressbox.h"
#include "browser/pictures.h"
#include "blocking/blocklisteditor.h"
#include "browser/subwindow.h"
#include "platform/browsercomponent.h"
#include "sidebar/sidebarpanel.h"

#include <QAction>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {

QFrame *plainFrame(QWidget *parent, const QString &name)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    return frame;
}

} // namespace

MainWindow::MainWindow(platform::Platform services, const QString &commandLine, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_commandLine(commandLine)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ゆらぎね"));
    resize(1024, 720);
    buildControls();
    m_menus = buildMainMenus(this);
    // Shortcuts must work while the menu bar is hidden too, so the window holds every item.
    addActions(findChildren<QAction *>());
    wireCommands();
    wireNavigation();
    wireBrowserEvents();
    wireSidebar();
    wireTools();
    wirePageCommands();
}

MainWindow::~MainWindow()
{
    // The editor, the sub window and the memo pad have no owner; they end with the main window.
    delete m_editor.data();
    delete m_subWindow.data();
    delete m_memo.data();
}

void MainWindow::buildControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);
    m_client->installEventFilter(this);
    m_clock.start();

    // Button bar: five navigation buttons, the sidebar button, the lamp, the address box.
    m_frame1 = plainFrame(m_client, QStringLiteral("Frame1"));
    struct Button
    {
        const char *name;
        const char *icon;
        const char *tip;
    };
    const Button buttons[] = {
        {"Command1", ":/icons/back.png", "１つ前のページに戻る"},
        {"Command2", ":/icons/forward.png", "１つ先のページに進む"},
        {"Command3", ":/icons/stop.png", "ページの読み込みを中止"},
        {"Command4", ":/icons/home.png", "ホームページにジャンプ"},
        {"Command7", ":/icons/reload.png", "再読込をします"},
        {"Command8", ":/icons/sidebar.png", "サイドバーの表示・非表示"},
    };
    int x = 0;
    for (const Button &entry : buttons) {
        auto *button = new QToolButton(m_frame1);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setIcon(sharpIcon(QString::fromLatin1(entry.icon)));
        button->setToolTip(QString::fromUtf8(entry.tip));
        button->setAutoRaise(true);
        button->setGeometry(x, 3, 25, 25);
        x += 25;
        m_buttons.append(button);
    }
    m_buttons[0]->setEnabled(false); // back and forward wait for the browser to allow them
    m_buttons[1]->setEnabled(false);
    m_lamp = plainFrame(m_frame1, QStringLiteral("Shape1"));
    m_lamp->setGeometry(x, 8, 15, 15);
    m_lamp->setAutoFillBackground(true);
    m_lamp->setFrameShape(QFrame::Box);
    m_address = new AddressBox(m_frame1);
    m_address->setObjectName(QStringLiteral("txtURL"));
    m_address->setGeometry(x + 16, 4, 400, 24);

    m_sidebar = new SidebarPanel(*this, m_services, m_client); // Frame2
    m_buttons[5]->setContextMenuPolicy(Qt::CustomContextMenu);

    // Status bar.
    m_frame3 = plainFrame(m_client, QStringLiteral("Frame3"));
    m_status = new QLabel(m_frame3);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setTextFormat(Qt::PlainText); // link texts come from pages
    m_sidebarButton = new QPushButton(QStringLiteral("サイドバー"), m_frame3);
    m_sidebarButton->setObjectName(QStringLiteral("Command5"));
    m_pageIcon = new QLabel(m_frame3);
    m_pageIcon->setObjectName(QStringLiteral("Image1"));
    m_pageIcon->setToolTip(QStringLiteral("ページのプロパティ"));
    m_progress = plainFrame(m_frame3, QStringLiteral("ProgressBar1"));
    // The window opens with its first page on the way.
    setPicture(3);

    m_browser = m_services.browsers.createBrowser(m_client);
    if (m_browser) {
        m_browser->widget()->setParent(m_client);
        m_browser->widget()->setObjectName(QStringLiteral("WebBrowser"));
    }

    m_menuButton = new QPushButton(QStringLiteral("メニューを表示する"), m_client);
    m_menuButton->setObjectName(QStringLiteral("Command9"));
    m_menuButton->setToolTip(QStringLiteral("メニューを表示する"));
    m_menuButton->adjustSize();
    m_menuButton->setContextMenuPolicy(Qt::CustomContextMenu);
    m_menuButton->hide();

    m_messageClose = new QPushButton(QStringLiteral("閉じる"), m_client);
    m_messageClose->setObjectName(QStringLiteral("subtitlebutton"));
    m_messageClose->hide();
    m_messageLabel = new QLabel(m_client);
    m_messageLabel->setObjectName(QStringLiteral("SubLabel"));
    m_messageLabel->setTextFormat(Qt::PlainText);
    m_messageLabel->hide();

    m_lampTimer = new QTimer(this);
    m_lampTimer->setObjectName(QStringLiteral("Timer1"));
    m_lampTimer->setInterval(500);
    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setObjectName(QStringLiteral("Timer2"));
    m_reloadTimer->setInterval(59999);
}

QAction *MainWindow::menuItem(const QString &name) const
{
    return findChild<QAction *>(name);
}

QString MainWindow::addressText() const
{
    return m_address->text();
}

void MainWindow::setAddressText(const QString &text)
{
    if (m_address->text() == text)
        return; // no repaint, and the cursor stays where the user left it
    m_address->setText(text);
}

QString MainWindow::pageTitle() const
{
    return m_browser ? m_browser->title() : QString();
}

void MainWindow::wireSidebar()
{
    SidebarPanel *panel = m_sidebar;
    const MainMenus &m = m_menus;
    connect(m.favorites.add, &QAction::triggered, panel, &SidebarPanel::addFavorite);
    connect(m.favorites.organize, &QAction::triggered, panel, &SidebarPanel::openFavoritesFolder);
    connect(m.favorites.openFolder, &QAction::triggered, panel, &SidebarPanel::openFavoritesFolder);
    connect(m.favorites.desktopShortcut, &QAction::triggered, panel, &SidebarPanel::desktopShortcut);
    connect(m.favorites.importBookmarks, &QAction::triggered, panel, &SidebarPanel::importBookmarks);
    connect(m.favorites.exportBookmarks, &QAction::triggered, panel, &SidebarPanel::exportBookmarks);
    connect(m.favorites.netscape4, &QAction::triggered, panel, &SidebarPanel::openNetscape4Bookmarks);
    connect(m.favorites.netscape6, &QAction::triggered, panel, &SidebarPanel::openNetscape6Bookmarks);
    connect(panel, &SidebarPanel::favoritesMenuRequested, m.favorites.menu, [menu = m.favorites.menu](const QPoint &at) { menu->popup(at); });
    connect(m_buttons[5], &QToolButton::clicked, this, &MainWindow::toggleSidebar);
    connect(m_buttons[5], &QToolButton::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menus.view.sidebarWidthMenu->popup(m_buttons[5]->mapToGlobal(at)); });
}
