#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;

// The main window's menus, built once. Each menu and item is held by the name that is
// also its objectName, so code reaches it without a look-up by string.
struct MainMenus
{
    QMenu *mnuFile, *mnuFilePrint, *mnuEdit, *mnuVisi, *mnuVisiWS, *mnuVisiFont, *mnuVisiMania,
        *mnuMove, *mnuOkiniiri, *mnuOkiniiriNetscape, *mnuTool, *mnuToolAutoRe, *mnuToolT,
        *mnuToolSecu, *mnuHelp, *mnuSimple;
    QAction *mnuFileNewWindow, *mnuFileNewIE, *mnuFileLoaclFileOpen, *mnuFileHozon, *mnuFileDownloadCancel,
        *mnufilelink, *mnuFilePrintEditpage, *mnuFilePrintPrint, *mnuFilePrintPrintPreview,
        *mnuFilePropates, *mnuFileOffline, *mnuFileRestart, *mnuFileClose, *mnuEditCopy,
        *mnuEditAll, *mnuEditTitle, *mnuEditURL, *mnuEditFusekkoCopy, *mnuEditFind,
        *mnuVisiWmenu, *mnuVisiBottonURL, *mnuVisiSidebar, *mnuVisiStatusbar, *mnuVisiWS15,
        *mnuVisiWS16, *mnuVisiWS17, *mnuVisiFont00, *mnuVisiFont01, *mnuVisiFont02,
        *mnuVisiFont03, *mnuVisiFont04, *mnuVisiSorce, *mnuVisiWindowfoward,
        *mnuVisiWindowEXstyle, *mnuVisiManiaEndC, *mnuVisiManiaEndY, *mnuVisiManiakuuhaku,
        *mnuVisiManiaLang, *mnuVisihaiSinple, *mnuMoveBack, *mnuMoveFoward, *mnuEditQuick,
        *mnuMoveStap, *mnuMoveRefrash, *mnuMoveRefrashNoChash, *mnuMoveHome, *mnuMoveC,
        *mnuMoveD, *mnuMoveE, *mnuMoveF, *mnuOkiniiriAdd, *mnuOkiniiriOrganizeFavorites,
        *mnuOkiniiriF, *mnuOkiniiriShort, *mnuFileinport, *mnuFileexport, *mnuOkiniiriNetscape4,
        *mnuOkiniiriNetscape6, *mnuToolFusekko, *mnuToolAutoRe30, *mnuToolAutoRe60,
        *mnuVisihonyaku, *mnuVisihonyaku2, *mnuVisihonyaku3, *mnuVisihonyaku4, *mnuVisihonyaku5,
        *mnuVisihonyaku6, *mnuToolSecuNocom, *mnuToolSecusub, *mnuToolCookies, *mnuToolSecuP,
        *mnuToolSecuUser, *mnuToolPS, *mnuToolWindowsUpdate, *mnuToolInternetOption,
        *mnuToolFirstOpen, *mnuHelpHelp, *mnuHelpBasicHelp, *mnuHelpNewVersion,
        *mnuHelpAssociation, *mnuHelpBag, *mnuHelpVersion, *mnuSimpleMenu, *mnuSimpleURL,
        *mnuSimpleSidebar, *mnuSimpleState, *mnuSimpleNewWindow, *mnuSimpleOpenFile,
        *mnuSimpleSaveFile, *mnuSimplePrintP, *mnuSimpleHome, *mnuSimpleSearch,
        *mnuSimpleFirstDialog, *mnuSimpleYEnd;
    QList<QMenu *> topMenus; // in the menu bar's order
};

// Builds the menu bar of window and the simple-mode popup (a child of window, shown from
// its menu button), and returns them.
MainMenus buildMainMenus(QMainWindow *window);
