#pragma once

#include "app/browserhost.h"
#include "app/layout.h"
#include "app/navigation.h"
#include "blocking/blocklisteditor.h"
#include "blocking/blocklist.h"
#include "browser/subwindow.h"
#include "browser/mainmenus.h"
#include "memo/memopadwindow.h"
#include "platform/eventratelimit.h"
#include "platform/platform.h"
#include "tools/cookieeditordialog.h"
#include "tools/firstrundialog.h"
#include "tools/aboutbox.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;
class AddressBox;
class SidebarPanel;

namespace platform {
class BrowserComponent;
enum class DownloadEnd;
}

// The main browser window: the page, the button bar with the address box, the sidebar,
// the status bar, the message bar and the menus. Controls and menu items carry their
// names as objectName. Handlers live in several files by concern.
class MainWindow : public QMainWindow, public BrowserHost
{
    Q_OBJECT
public:
    // commandLine: the address or path the program was started with, "" for none.
    MainWindow(platform::Platform services, const QString &commandLine, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Applies the settings record and opens the first page. Runs once, before show().
    void load();

    platform::BrowserComponent *browser() const override { return m_browser; }
    QString addressText() const override;
    void setAddressText(const QString &text) override;
    QString pageTitle() const override;
    void ShowMessageBar(const QString &message) override;
    void HideMessageBar() override;
    QWidget *dialogParent() override { return this; }

    // A menu item by its objectName.
    QAction *menuItem(const QString &name) const;
    bool messageBarVisible() const;

    // The layout procedure; also run on every resize.
    void layoutWindow();

    // Menu commands, callable as the menus call them.
    void keepPageAndClose();
    void toggleMenuBar(); // Command9 and mnuVisiWmenu
    void toggleBar(int frame); // 1 button bar, 2 sidebar, 3 status bar
    void chooseSideWidth(int sideW);
    void enterSimpleMode();
    void chooseLanguages();
    void quickJump();
    void navigateTyped();
    void stopLoading();
    void openFirstRunDialog(); // mnuToolFirstOpen, mnuSimpleFirstDialog and start-up
    void openCookieEditor();
    void openAboutBox();
    AboutBox *aboutBox() const { return m_about; }

    // The sidebar button.
    void toggleSidebar();
    SidebarPanel *sidebar() const { return m_sidebar; }

    // The activity lamp and the page-type picture, as the events leave them.
    bool lampOn() const;
    int progressTwips() const { return m_progressTwips; }
    int picture() const { return m_picture; } // position in the page-type image list
    QString statusText() const;
    // The names of the downloads still running, by id.
    QHash<quint32, QString> downloads() const { return m_downloads; }
    BlockListEditor *blockEditor() const { return m_editor; }
    SubWindow *subWindow() const { return m_subWindow; }
    MemoPadWindow *memoPad() const { return m_memo; }
    // Shows the memo pad, opening it first when it is not open.
    MemoPadWindow &openMemoPad();
    FirstRunDialog *firstRunDialog() const { return m_firstRunDialog; }
    CookieEditorDialog *cookieEditor() const { return m_cookieEditor; }

Q_SIGNALS:
    // The close request went through: the window is gone and the process should end.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void wireCommands();
    void wireNavigation();
    void wireBrowserEvents();
    void wireSidebar();
    void wireTools();
    void wirePageCommands();
    // Connects a checkable item whose handler sets the check mark itself.
    void onCheckable(QAction *item, std::function<void()> handler);
    void copyToMemo();
    // Always-on-top and translucency, disabled with the reason where the display refuses them.
    void toggleAlwaysOnTop();
    void toggleTranslucency();
    void showPageSource();
    void chooseAutoReload(QAction *item);
    void openLocalFile();
    void pageCommand(bool (platform::BrowserComponent::*command)(), const QString &refusal);
    void toggleOffline();
    void writeBugReport();
    void captureWindow();
    void associateWithBrowser();
    void onBeforeNavigate(const QString &url, bool &cancel, bool mainFrame);
    void onNavigateComplete(const QString &url);
    void onDownloadComplete();
    void onStatusText(const QString &text);
    void onNewWindow(const QString &url, bool &cancel, bool userInitiated);
    void onWindowClosing(bool &cancel);
    void onNavigateError();
    void onDownloadStarted(quint32 id, const QString &fileName);
    void onDownloadProgress(quint32 id, qint64 received, qint64 total);
    void onDownloadFinished(quint32 id, platform::DownloadEnd end, const QString &path, const QString &reason);
    void checkNetscapeTags();
    void setLamp(bool on);
    void lampTick();
    void setPicture(int position);
    void openBlockEditor();
    void openSubWindow(const QString &address);
    void setMenusVisible(bool visible);
    bool menusVisible() const;
    void openStartPage();
    void writeGeometry();
    void keepReadingSession();
    void setFrameVisible(int frame, bool visible);
    layout::Input layoutInput() const;
    struct Bar;
    Bar bar(int frame) const; // 1 button bar, 2 sidebar, 3 status bar

    platform::Platform m_services;
    QString m_commandLine;
    platform::BrowserComponent *m_browser = nullptr;

    QWidget *m_client = nullptr;
    QFrame *m_frame1 = nullptr;
    SidebarPanel *m_sidebar = nullptr;      // Frame2
    QFrame *m_frame3 = nullptr;
    QList<QToolButton *> m_buttons; // Command1..4, Command7, Command8
    QFrame *m_lamp = nullptr;       // Shape1
    AddressBox *m_address = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_sidebarButton = nullptr; // Command5
    QLabel *m_pageIcon = nullptr;           // Image1
    QFrame *m_progress = nullptr;           // ProgressBar1
    QPushButton *m_menuButton = nullptr;    // Command9
    QPushButton *m_messageClose = nullptr;  // subtitlebutton
    QLabel *m_messageLabel = nullptr;       // SubLabel
    QTimer *m_lampTimer = nullptr;          // Timer1
    QTimer *m_reloadTimer = nullptr;        // Timer2
    MainMenus m_menus{};
    int m_progressTwips = 0;
    int m_picture = 0;
    bool m_lampGreen = false;
    quint64 m_pageSerial = 0; // counts the pages navigated to
    platform::EventRateLimit m_newWindows{5, 10'000};
    QElapsedTimer m_clock;
    blocklist::ListCache m_blockList;
    QPointer<BlockListEditor> m_editor;
    QPointer<SubWindow> m_subWindow;
    QPointer<MemoPadWindow> m_memo;
    QPointer<FirstRunDialog> m_firstRunDialog;
    QPointer<CookieEditorDialog> m_cookieEditor;
    QPointer<AboutBox> m_about;
    QHash<quint32, QString> m_downloads;
};

// Ends the process's event loop once the window has unloaded. No other window is asked:
// QApplication::quit would let any of them refuse.
void EndProcessWithWindow(MainWindow &window);

// Start-up's windows: the main window loaded and shown, and the first-run dialog beside
// it when it is due.
void ShowStartupWindows(MainWindow &window, bool firstRunDue);
