// The main window: its parts, the bars and the layout.
#include "browser/mainwindow.h"

#include "app/conversions.h"
#include "app/menuitems.h"
#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "app/singlewindow.h"
#include "app/windowtranslucency.h"
#include "blocking/blocklistmenu.h"
#include "browser/addressbox.h"
#include "browser/fullscreenmode.h"
#include "browser/messagebar.h"
#include "browser/navigationbar.h"
#include "browser/navigationcommands.h"
#include "browser/pagecommands.h"
#include "browser/pageevents.h"
#include "browser/statusarea.h"
#include "browser/subwindow.h"
#include "browser/viewoptions.h"
#include "linktool/linktool.h"
#include "memo/memopadlauncher.h"
#include "platform/browsercomponent.h"
#include "sidebar/sidebarpanel.h"
#include "tools/toolmenus.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr int kTwips = layout::kTwipsPerPixel;

int px(int twips)
{
    return layout::pixels(twips);
}

} // namespace

// A bar, the View menu's item and its twin in the simple-mode menu, and its key.
struct MainWindow::Bar
{
    QWidget *frame;
    QAction *item;
    QAction *twin;
    SettingKey key;
};

MainWindow::MainWindow(platform::Platform services, const QString &commandLine, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_commandLine(commandLine)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ゆらぎね"));
    resize(1024, 720);
    buildParts();
    m_menus = buildMainMenus(this);
    // Shortcuts must work while the menu bar is hidden too, so the window holds every item.
    addActions(findChildren<QAction *>());
    wireParts();
}

// The memo pad, the block-list editor and the sub window have no owner; they end with
// the main window.
MainWindow::~MainWindow()
{
    delete m_subWindow.data();
}

void MainWindow::buildParts()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);
    m_client->installEventFilter(this);
    m_parts.navigation = new NavigationBar(m_client);
    m_parts.sidebar = new SidebarPanel(*this, m_services, m_client); // Frame2
    m_parts.status = new StatusArea(m_client);
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
    m_parts.messageBar = new MessageBar(m_client);
    if (m_browser)
        m_parts.messageBar->takeRoomFrom(m_browser->widget(), px(layout::kMessageBarHeight));
}

void MainWindow::wireParts()
{
    const MainMenus &m = m_menus;
    Parts &p = m_parts;
    p.pageEvents = new PageEvents({*this, this, p.navigation, p.status, m.tools.blockList, m.file.cancelDownloads},
                                  m_services, this);
    connect(p.pageEvents, &PageEvents::closeRequested, this, &QWidget::close);
    connect(p.navigation, &NavigationBar::lampTicked, p.status, &StatusArea::stepProgress);
    p.navigationCommands = new NavigationCommands(*this, m_services, *p.navigation, m, this);
    p.pageCommands = new PageCommands(*this, m_services, m, this);
    connect(p.status, &StatusArea::pictureClicked, m.file.properties, &QAction::trigger);
    p.memo = new MemoPadLauncher(*this, m_services, m.tools.memoPad, m.edit.copyToMemo, this);
    p.viewOptions = new ViewOptions(*this, m_services, this, m, *p.memo, this);
    p.blockList = new BlockListMenu(m_services.dialogs, m.tools.blockList, this);
    connect(m.tools.subWindow, &QAction::triggered, this, [this] { openSubWindow(addressText()); });
    linktool::wireFileMenuItem(m.file.menu, m.file.saveLinks, *this, m_services);
    p.sidebar->wireFavoritesMenu({m.favorites.menu, m.favorites.add, m.favorites.organize, m.favorites.openFolder,
                                  m.favorites.desktopShortcut, m.favorites.importBookmarks, m.favorites.exportBookmarks,
                                  m.favorites.netscape4, m.favorites.netscape6});
    const ToolMenus::Items tools {m.tools.menu,
                                  {m.tools.englishToJapanese, m.tools.japaneseToEnglish, m.tools.chineseToJapanese,
                                   m.tools.japaneseToChinese, m.tools.koreanToJapanese, m.tools.japaneseToKorean},
                                  m.tools.cookies,
                                  m.tools.firstRun,
                                  m.simple.firstRun,
                                  m.tools.privacy,
                                  m.tools.userInfo,
                                  m.tools.capture,
                                  m.tools.windowsUpdate,
                                  m.tools.internetOptions,
                                  m.view.languages,
                                  m.help.offlineHelp,
                                  m.help.faq,
                                  m.help.newVersion,
                                  m.help.association,
                                  m.help.bugReport,
                                  m.help.about};
    p.tools = new ToolMenus(*this, m_services, this, tools, this);
    connect(p.tools, &ToolMenus::bugReportWritten, p.memo, &MemoPadLauncher::show);
    connect(p.tools, &ToolMenus::subWindowRequested, this, &MainWindow::openSubWindow);
    connect(p.tools, &ToolMenus::translucencyMarked, m.view.translucent, &QAction::setChecked);
    connect(p.tools, &ToolMenus::translucencyChanged, this,
            [this](int opacity) { setWindowTranslucency(m_services.windows, this, opacity); });

    // The window's own: its bars and its close.
    connect(m.file.quit, &QAction::triggered, this, &QWidget::close);
    // The check mark only tells that the kept page was not reopened; keep it as it was.
    connectCheckableItem(this, m.file.keepPageAndQuit, [this] { keepPageAndClose(); });
    connect(m.simple.keepPageAndQuit, &QAction::triggered, this, &MainWindow::keepPageAndClose);
    connectCheckableItem(this, m.view.menuBar, [this] { toggleMenuBar(); });
    connectCheckableItem(this, m.simple.menuBar, [this] { toggleMenuBar(); });
    for (int frame = 1; frame <= 3; ++frame) {
        const auto toggle = [this, frame] { setFrameVisible(frame, !bar(frame).item->isChecked()); };
        connectCheckableItem(this, bar(frame).item, toggle);
        connectCheckableItem(this, bar(frame).twin, toggle);
    }
    connectCheckableItem(this, m.view.sidebarFifth, [this] { chooseSideWidth(5); });
    connectCheckableItem(this, m.view.sidebarSixth, [this] { chooseSideWidth(6); });
    connectCheckableItem(this, m.view.sidebarSeventh, [this] { chooseSideWidth(7); });
    connect(m.view.simpleMode, &QAction::triggered, this, &MainWindow::enterSimpleMode);
    connect(m_menuButton, &QPushButton::clicked, this, &MainWindow::toggleMenuBar);
    connect(m_menuButton, &QPushButton::customContextMenuRequested, this, [this](const QPoint &at) {
        m_menuButton->setFocus();
        m_menus.simple.menu->popup(m_menuButton->mapToGlobal(at));
    });
    QToolButton *sidebarButton = p.navigation->button(NavigationBar::Button::Sidebar);
    connect(sidebarButton, &QToolButton::clicked, this, &MainWindow::toggleSidebar);
    connect(sidebarButton, &QToolButton::customContextMenuRequested, this, [this, sidebarButton](const QPoint &at) {
        m_menus.view.sidebarWidthMenu->popup(sidebarButton->mapToGlobal(at));
    });
    connect(p.status->sidebarButton(), &QPushButton::clicked, this, &MainWindow::toggleSidebar);
    p.fullScreen = new FullScreenMode(
        {*this, this, {menuBar(), p.navigation, p.sidebar, p.status, m_menuButton}, [this] { layoutWindow(); }}, this);
}

QAction *MainWindow::menuItem(const QString &name) const
{
    return findChild<QAction *>(name);
}

QString MainWindow::addressText() const
{
    return m_parts.navigation->addressBox()->text();
}

void MainWindow::setAddressText(const QString &text)
{
    AddressBox *box = m_parts.navigation->addressBox();
    if (box->text() == text)
        return; // no repaint, and the cursor stays where the user left it
    box->setText(text);
}

QString MainWindow::pageTitle() const
{
    return m_browser ? m_browser->title() : QString();
}

void MainWindow::showMessageBar(const QString &message)
{
    m_parts.messageBar->showMessage(message);
}

void MainWindow::hideMessageBar()
{
    m_parts.messageBar->dismiss();
}

void MainWindow::offerInMessageBar(const QString &message, const QList<MessageChoice> &choices)
{
    m_parts.messageBar->showMessage(message, choices);
}

bool MainWindow::messageBarVisible() const
{
    return m_parts.messageBar->isShown();
}

MemoPadWindow *MainWindow::memoPad() const
{
    return m_parts.memo->memoPad();
}

SubWindow *MainWindow::subWindow() const
{
    return m_subWindow;
}

void MainWindow::openSubWindow(const QString &address)
{
    showSingleWindow(m_subWindow, [this] {
        return new SubWindow(m_services, m_browser ? m_browser->address() : QString());
    }).navigate(address);
}

MainWindow::Bar MainWindow::bar(int frame) const
{
    const MainMenus &m = m_menus;
    switch (frame) {
    case 1:
        return {m_parts.navigation, m.view.buttonBar, m.simple.buttonBar, settingkeys::Frame1};
    case 2:
        return {m_parts.sidebar, m.view.sidebar, m.simple.sidebar, settingkeys::Frame2};
    default:
        return {m_parts.status, m.view.statusBar, m.simple.statusBar, settingkeys::Frame3};
    }
}

layout::Input MainWindow::layoutInput() const
{
    layout::Input in;
    in.windowWidth = m_client->width() * kTwips;
    in.clientWidth = m_client->width() * kTwips;
    in.clientHeight = m_client->height() * kTwips;
    in.buttonBarVisible = !m_parts.navigation->isHidden();
    in.sidebarVisible = !m_parts.sidebar->isHidden();
    in.statusBarVisible = !m_parts.status->isHidden();
    in.sideW = settingsRecord().SideW;
    in.buttonWidth = m_parts.navigation->buttonWidth() * kTwips;
    in.lampWidth = m_parts.navigation->lampWidth() * kTwips;
    in.tabClientTop = m_parts.sidebar->tabStripHeight() * kTwips;
    in.tabClientWidthMargin = 70; // the lists sit just inside the strip's edges
    in.tabClientHeightMargin = m_parts.sidebar->tabStripHeight() * kTwips + 40;
    return in;
}

void MainWindow::layoutWindow()
{
    const layout::Result out = layout::compute(layoutInput());
    if (out.buttonBar)
        m_parts.navigation->setGeometry(layout::pixels(*out.buttonBar));
    m_parts.sidebar->arrange(out);
    if (out.statusBar)
        m_parts.status->setGeometry(layout::pixels(*out.statusBar));
    if (out.page && m_browser)
        m_browser->widget()->setGeometry(layout::pixels(*out.page));
    if (out.addressWidth)
        m_parts.navigation->setAddressWidth(px(*out.addressWidth));
    if (out.statusWidth)
        m_parts.status->arrange(px(*out.statusWidth));
    if (out.menuButtonLeft && out.menuButtonTop)
        m_menuButton->move(px(*out.menuButtonLeft), px(*out.menuButtonTop));
    m_menuButton->raise();
    // The page height above leaves no room for the message bar.
    m_parts.messageBar->reset();
}

// The layout follows the client area, which is what changes when the window is resized
// and when the menu bar comes or goes.
bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        layoutWindow();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setMenusVisible(bool visible)
{
    for (QMenu *menu : std::as_const(m_menus.topMenus))
        menu->menuAction()->setVisible(visible);
    menuBar()->setVisible(visible);
    // The client area takes its new height now, not when the posted relayout comes,
    // so the layout below runs on the height it really gets.
    if (layout())
        layout()->activate();
}

void MainWindow::toggleMenuBar()
{
    const bool show = !m_menus.view.menuBar->isChecked();
    m_menus.view.menuBar->setChecked(show);
    m_menus.simple.menuBar->setChecked(show);
    setMenusVisible(show);
    m_menuButton->setVisible(!show);
    layoutWindow();
    storeSetting(settingkeys::Menu, convert::booleanText(show));
}

void MainWindow::setFrameVisible(int frame, bool visible)
{
    const Bar b = bar(frame);
    b.item->setChecked(visible);
    b.twin->setChecked(visible);
    b.frame->setVisible(visible);
    layoutWindow();
    storeSetting(b.key, convert::booleanText(visible));
}

void MainWindow::toggleSidebar()
{
    const bool show = m_parts.sidebar->isHidden();
    if (show)
        m_parts.sidebar->showSelectedTab();
    setFrameVisible(2, show);
}

void MainWindow::chooseSideWidth(int sideW)
{
    QAction *const widths[] = {m_menus.view.sidebarFifth, m_menus.view.sidebarSixth, m_menus.view.sidebarSeventh};
    if (!widths[sideW - 5]->isChecked() || settingsRecord().SideW != sideW) {
        for (int w = 5; w <= 7; ++w)
            widths[w - 5]->setChecked(w == sideW);
        storeSetting(settingkeys::SideW, QString::number(sideW));
    }
    layoutWindow();
}

void MainWindow::enterSimpleMode()
{
    if (!m_services.dialogs.askYesNo(
            this,
            QStringLiteral(
                "シンプルモードに移行します。\r\n\r\n・メニューの非表示\r\n・ナビゲートボタンとURL入力欄の非表示\r\n"
                "・ステータスバーの非表示\r\n・NetscapeNavigetor専用タグ検出機能のオフ\r\n\r\nが実行されます。\r\nよろ"
                "しいですか？"),
            QStringLiteral("シンプルモード"), platform::MessageIcon::Information))
        return;
    m_menus.view.menuBar->setChecked(false);
    m_menus.simple.menuBar->setChecked(false);
    setMenusVisible(false);
    m_menuButton->show();
    layoutWindow();
    storeSetting(settingkeys::Menu, convert::booleanText(false));
    setFrameVisible(1, false);
    setFrameVisible(3, false);
    storeSetting(settingkeys::NSTag, QStringLiteral("0"));
}
