#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;

// The main window's menus, built once, grouped by menu. Each member is the item named in
// the comment beside it: its objectName, by which the tests know it.
struct MainMenus
{
    struct File
    {
        QMenu *menu;                  // mnuFile
        QAction *newWindow;           // mnuFileNewWindow
        QAction *openInSystemBrowser; // mnuFileNewIE
        QAction *openLocalFile;       // mnuFileLoaclFileOpen
        QAction *savePage;            // mnuFileHozon
        QAction *saveLinks;           // mnufilelink
        QAction *cancelDownloads;     // mnuFileDownloadCancel
        QMenu *printMenu;             // mnuFilePrint
        QAction *pageSetup;           // mnuFilePrintEditpage
        QAction *print;               // mnuFilePrintPrint
        QAction *printPreview;        // mnuFilePrintPrintPreview
        QAction *properties;          // mnuFilePropates
        QAction *offline;             // mnuFileOffline
        QAction *keepPageAndQuit;     // mnuFileRestart
        QAction *quit;                // mnuFileClose
    } file;
    struct Edit
    {
        QMenu *menu;          // mnuEdit
        QAction *copy;        // mnuEditCopy
        QAction *selectAll;   // mnuEditAll
        QAction *copyTitle;   // mnuEditTitle
        QAction *copyAddress; // mnuEditURL
        QAction *copyToMemo;  // mnuEditFusekkoCopy
        QAction *find;        // mnuEditFind
    } edit;
    struct View
    {
        QMenu *menu;             // mnuVisi
        QAction *menuBar;        // mnuVisiWmenu
        QAction *buttonBar;      // mnuVisiBottonURL
        QAction *sidebar;        // mnuVisiSidebar
        QAction *statusBar;      // mnuVisiStatusbar
        QMenu *sidebarWidthMenu; // mnuVisiWS
        QAction *sidebarFifth;   // mnuVisiWS15
        QAction *sidebarSixth;   // mnuVisiWS16
        QAction *sidebarSeventh; // mnuVisiWS17
        QMenu *textSizeMenu;     // mnuVisiFont
        QAction *textLargest;    // mnuVisiFont00
        QAction *textLarger;     // mnuVisiFont01
        QAction *textMedium;     // mnuVisiFont02
        QAction *textSmaller;    // mnuVisiFont03
        QAction *textSmallest;   // mnuVisiFont04
        QAction *source;         // mnuVisiSorce
        QAction *alwaysOnTop;    // mnuVisiWindowfoward
        QAction *translucent;    // mnuVisiWindowEXstyle
        QMenu *moreMenu;         // mnuVisiMania
        QAction *confirmExit;    // mnuVisiManiaEndC
        QAction *alwaysKeepPage; // mnuVisiManiaEndY
        QAction *blankAtStart;   // mnuVisiManiakuuhaku
        QAction *languages;      // mnuVisiManiaLang
        QAction *simpleMode;     // mnuVisihaiSinple
    } view;
    struct Move
    {
        QMenu *menu;                   // mnuMove
        QAction *back;                 // mnuMoveBack
        QAction *forward;              // mnuMoveFoward
        QAction *quickJump;            // mnuEditQuick
        QAction *stop;                 // mnuMoveStap
        QAction *reload;               // mnuMoveRefrash
        QAction *reloadBypassingCache; // mnuMoveRefrashNoChash
        QAction *home;                 // mnuMoveHome
        QAction *driveC;               // mnuMoveC
        QAction *driveD;               // mnuMoveD
        QAction *driveE;               // mnuMoveE
        QAction *driveF;               // mnuMoveF
    } move;
    struct Favorites
    {
        QMenu *menu;              // mnuOkiniiri
        QAction *add;             // mnuOkiniiriAdd
        QAction *organize;        // mnuOkiniiriOrganizeFavorites
        QAction *openFolder;      // mnuOkiniiriF
        QAction *desktopShortcut; // mnuOkiniiriShort
        QAction *importBookmarks; // mnuFileinport
        QAction *exportBookmarks; // mnuFileexport
        QMenu *netscapeMenu;      // mnuOkiniiriNetscape
        QAction *netscape4;       // mnuOkiniiriNetscape4
        QAction *netscape6;       // mnuOkiniiriNetscape6
    } favorites;
    struct Tools
    {
        QMenu *menu;                // mnuTool
        QAction *memoPad;           // mnuToolFusekko
        QMenu *autoReloadMenu;      // mnuToolAutoRe
        QAction *reloadEvery30;     // mnuToolAutoRe30
        QAction *reloadEvery60;     // mnuToolAutoRe60
        QMenu *translationMenu;     // mnuToolT
        QAction *englishToJapanese; // mnuVisihonyaku
        QAction *japaneseToEnglish; // mnuVisihonyaku2
        QAction *chineseToJapanese; // mnuVisihonyaku3
        QAction *japaneseToChinese; // mnuVisihonyaku4
        QAction *koreanToJapanese;  // mnuVisihonyaku5
        QAction *japaneseToKorean;  // mnuVisihonyaku6
        QMenu *securityMenu;        // mnuToolSecu
        QAction *blockList;         // mnuToolSecuNocom
        QAction *subWindow;         // mnuToolSecusub
        QAction *cookies;           // mnuToolCookies
        QAction *privacy;           // mnuToolSecuP
        QAction *userInfo;          // mnuToolSecuUser
        QAction *capture;           // mnuToolPS
        QAction *windowsUpdate;     // mnuToolWindowsUpdate
        QAction *internetOptions;   // mnuToolInternetOption
        QAction *firstRun;          // mnuToolFirstOpen
    } tools;
    struct Help
    {
        QMenu *menu;          // mnuHelp
        QAction *offlineHelp; // mnuHelpHelp
        QAction *faq;         // mnuHelpBasicHelp
        QAction *newVersion;  // mnuHelpNewVersion
        QAction *association; // mnuHelpAssociation
        QAction *bugReport;   // mnuHelpBag
        QAction *about;       // mnuHelpVersion
    } help;
    struct Simple
    {
        QMenu *menu;              // mnuSimple
        QAction *menuBar;         // mnuSimpleMenu
        QAction *buttonBar;       // mnuSimpleURL
        QAction *sidebar;         // mnuSimpleSidebar
        QAction *statusBar;       // mnuSimpleState
        QAction *newWindow;       // mnuSimpleNewWindow
        QAction *openLocalFile;   // mnuSimpleOpenFile
        QAction *savePage;        // mnuSimpleSaveFile
        QAction *printPreview;    // mnuSimplePrintP
        QAction *home;            // mnuSimpleHome
        QAction *find;            // mnuSimpleSearch
        QAction *firstRun;        // mnuSimpleFirstDialog
        QAction *keepPageAndQuit; // mnuSimpleYEnd
    } simple;
    QList<QMenu *> topMenus; // in the menu bar's order
};

// Builds the menu bar of window and the simple-mode popup (a child of window, shown from
// its menu button), and returns them.
MainMenus buildMainMenus(QMainWindow *window);
