#pragma once

#include "blocking/blockeditor.h"
#include "blocking/form3.h"
#include "browser/layout.h"
#include "platform/platform.h"

#include <QMainWindow>
#include <QPointer>

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabBar;
class QTimer;
class QToolButton;
class QTreeWidget;
class AddressBox;
class FileListView;
class QFileSystemModel;
class QTreeView;
class QTreeWidgetItem;

namespace platform {
class BrowserComponent;
}

// The main browser window: the page, the button bar with the address box, the sidebar,
// the status bar, the message bar and the menus. Controls and menu items carry their
// names as objectName. Handlers live in several files by concern.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    // commandLine: the address or path the program was started with, "" for none.
    Form1(platform::Platform services, const QString &commandLine, QWidget *parent = nullptr);
    ~Form1() override;

    // Applies the settings record and opens the first page. Runs once, before show().
    void Form_Load();

    platform::BrowserComponent *browser() const { return m_browser; }
    QAction *menuItem(const QString &name) const;
    QString addressText() const;
    void setAddressText(const QString &text);

    void ShowMessageBar(const QString &message);
    void HideMessageBar();
    bool messageBarVisible() const;

    // The layout procedure; also run on every resize.
    void layoutWindow();

    // Menu commands, callable as the menus call them.
    void mnuFileRestart_Click();
    void toggleMenuBar(); // Command9 and mnuVisiWmenu
    void toggleBar(int frame); // 1 button bar, 2 sidebar, 3 status bar
    void chooseSideWidth(int sideW);
    void mnuVisihaiSinple_Click();
    void mnuVisiManiaLang_Click();
    void quickJump();
    void navigateTyped();
    void stopLoading();

    // The sidebar.
    void BuildFavoritesTree(const QString &folder);
    void TabStrip1_Click();
    void Command8_Click();
    void openSelectedFile();
    void openFavorite(QTreeWidgetItem *item);

    // The activity lamp and the page-type picture, as the events leave them.
    bool lampOn() const;
    int progressTwips() const { return m_progressTwips; }
    int picture() const { return m_picture; } // position in the page-type image list
    QString statusText() const;
    Dialog *blockEditor() const { return m_editor; }
    Form3 *subWindow() const { return m_subWindow; }

Q_SIGNALS:
    // The close request went through: the window is gone and the process should end.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void wireCommands();
    void wireNavigation();
    void wireBrowserEvents();
    void buildSidebarViews();
    void wireSidebar();
    void arrangeSidebarViews();
    void chooseFileFilter(const QString &name);
    void wireFavorites();
    void addFavorite();
    void desktopShortcut();
    void importBookmarks();
    void exportBookmarks();
    bool writeShortcut(const QString &path, const QString &address);
    void onBeforeNavigate(const QString &url, bool &cancel);
    void onNavigateComplete(const QString &url);
    void onDownloadComplete();
    void onStatusText(const QString &text);
    void onNewWindow(const QString &url, bool &cancel);
    void onWindowClosing(bool &cancel);
    void onNavigateError();
    void checkNetscapeTags();
    void setLamp(bool on);
    void lampTick();
    void setPicture(int position);
    void writeHandOver(const QString &text);
    void openBlockEditor();
    void openSubWindow();
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption,
                     const QKeySequence &shortcut = {}, bool checkable = false, bool checked = false);
    void addSeparator(QMenu *menu, const QString &name);
    void setMenusVisible(bool visible);
    bool menusVisible() const;
    void openStartPage();
    void writeGeometry();
    void emptyHandOverFile();
    void keepReadingSession();
    void setFrameVisible(int frame, bool visible);
    layout::Input layoutInput() const;
    bool writeWindowSetting(const QString &key, bool value);

    platform::Platform m_services;
    QString m_commandLine;
    platform::BrowserComponent *m_browser = nullptr;

    QWidget *m_client = nullptr;
    QFrame *m_frame1 = nullptr;
    QFrame *m_frame2 = nullptr;
    QFrame *m_frame3 = nullptr;
    QList<QToolButton *> m_buttons; // Command1..4, Command7, Command8
    QFrame *m_lamp = nullptr;       // Shape1
    AddressBox *m_address = nullptr;
    QTabBar *m_tabs = nullptr;
    QTreeWidget *m_favorites = nullptr;     // TreeView1
    QTreeView *m_shellTree = nullptr;       // SHTree1
    QFileSystemModel *m_folders = nullptr;
    FileListView *m_files = nullptr;        // FileView1
    QMenu *m_fileFilterMenu = nullptr;      // mnufileF
    QLabel *m_status = nullptr;
    QPushButton *m_sidebarButton = nullptr; // Command5
    QLabel *m_pageIcon = nullptr;           // Image1
    QFrame *m_progress = nullptr;           // ProgressBar1
    QPushButton *m_menuButton = nullptr;    // Command9
    QPushButton *m_messageClose = nullptr;  // subtitlebutton
    QLabel *m_messageLabel = nullptr;       // SubLabel
    QTimer *m_lampTimer = nullptr;          // Timer1
    QTimer *m_reloadTimer = nullptr;        // Timer2
    QMenu *m_simpleMenu = nullptr;          // mnuSimple
    QList<QMenu *> m_topMenus;
    int m_progressTwips = 0;
    int m_picture = 0;
    bool m_lampGreen = false;
    QPointer<Dialog> m_editor;
    QPointer<Form3> m_subWindow;
};
