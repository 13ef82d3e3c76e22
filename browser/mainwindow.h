#pragma once

#include "app/browserhost.h"
#include "app/layout.h"
#include "browser/mainmenus.h"
#include "platform/platform.h"

#include <QMainWindow>
#include <QPointer>

class BlockListMenu;
class FullScreenMode;
class MemoPadLauncher;
class MemoPadWindow;
class MessageBar;
class NavigationBar;
class NavigationCommands;
class PageCommands;
class PageEvents;
class QFrame;
class QPushButton;
class SidebarPanel;
class StatusArea;
class SubWindow;
class ToolMenus;
class ViewOptions;

namespace platform {
class BrowserComponent;
}

// The main browser window. It composes its parts: the navigation bar, the sidebar, the
// page, the message bar, the status area and the menus, each room wiring its own items.
// What is left here is the window's own: its bars and layout, its start and its close.
class MainWindow : public QMainWindow, public BrowserHost
{
    Q_OBJECT
public:
    // The parts, for the windows' wiring and for tests.
    struct Parts
    {
        NavigationBar *navigation = nullptr;
        SidebarPanel *sidebar = nullptr;
        StatusArea *status = nullptr;
        MessageBar *messageBar = nullptr;
        PageEvents *pageEvents = nullptr;
        NavigationCommands *navigationCommands = nullptr;
        PageCommands *pageCommands = nullptr;
        ViewOptions *viewOptions = nullptr;
        MemoPadLauncher *memo = nullptr;
        ToolMenus *tools = nullptr;
        BlockListMenu *blockList = nullptr;
        FullScreenMode *fullScreen = nullptr;
    };

    // commandLine: the address or path the program was started with, "" for none.
    MainWindow(platform::Platform services, const QString &commandLine, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Applies the settings record and opens the first page. Runs once, before show().
    void load();

    platform::BrowserComponent *browser() const override { return m_browser; }
    QString addressText() const override;
    void setAddressText(const QString &text) override;
    QString pageTitle() const override;
    void showMessageBar(const QString &message) override;
    void hideMessageBar() override;
    void offerInMessageBar(const QString &message, const QList<MessageChoice> &choices) override;
    QWidget *dialogParent() override { return this; }

    const Parts &parts() const { return m_parts; }
    // A menu item by its objectName.
    QAction *menuItem(const QString &name) const;
    bool messageBarVisible() const;
    MemoPadWindow *memoPad() const;
    SubWindow *subWindow() const;

    // The layout procedure; also run on every resize.
    void layoutWindow();
    // "読みかけ終了": keeps the page for the next start and closes.
    void keepPageAndClose();
    void toggleSidebar(); // Command5 and Command8
    void openFirstRunDialog();

Q_SIGNALS:
    // The close request went through: the window is gone and the process should end.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Bar;
    Bar bar(int frame) const; // 1 button bar, 2 sidebar, 3 status bar
    void buildParts();
    void wireParts();
    void restoreBars();
    void openFirstPage();
    void openStartPage();
    void setMenusVisible(bool visible);
    void toggleMenuBar(); // Command9, mnuVisiWmenu and mnuSimpleMenu
    void setFrameVisible(int frame, bool visible);
    void chooseSideWidth(int sideW);
    void enterSimpleMode();
    layout::Input layoutInput() const;
    void openSubWindow(const QString &address);
    void writeGeometry();
    void keepReadingSession();

    platform::Platform m_services;
    QString m_commandLine;
    platform::BrowserComponent *m_browser = nullptr;
    QWidget *m_client = nullptr;
    QPushButton *m_menuButton = nullptr; // Command9
    MainMenus m_menus {};
    Parts m_parts;
    QPointer<SubWindow> m_subWindow;
};

// Ends the process's event loop once the window has unloaded. No other window is asked:
// QApplication::quit would let any of them refuse.
void endProcessWithWindow(MainWindow &window);

// Start-up's windows: the main window loaded and shown, and the first-run dialog beside
// it when it is due.
void showStartupWindows(MainWindow &window, bool firstRunDue);
