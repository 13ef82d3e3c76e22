#include "browser/mainmenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace {

QAction *addItem(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &shortcut = {},
                 bool checkable = false, bool checked = false)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setCheckable(checkable);
    action->setChecked(checked);
    return action;
}

void addSeparator(QMenu *menu, const QString &name)
{
    menu->addSeparator()->setObjectName(name);
}

QMenu *named(QMenu *menu, const QString &name)
{
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

constexpr bool check = true;

} // namespace

// Each member beside the objectName it gets.
#define TOP(member, name, caption)                                                                                     \
    m.topMenus.append(m.member = named(window->menuBar()->addMenu(caption), QStringLiteral(name)))
#define SUB(parent, member, name, caption) m.member = named(m.parent->addMenu(caption), QStringLiteral(name))
#define ITEM(menu, member, name, ...) (m.member = addItem(m.menu, QStringLiteral(name), __VA_ARGS__))

MainMenus buildMainMenus(QMainWindow *window)
{
    MainMenus m {};
    TOP(file.menu, "mnuFile", u"ファイル(&F)"_s);
    ITEM(file.menu, file.newWindow, "mnuFileNewWindow", u"新規ウィンドウを開く(&N)"_s);
    ITEM(file.menu, file.openInSystemBrowser, "mnuFileNewIE", u"IEで開く(&I)"_s, QKeySequence(Qt::CTRL | Qt::Key_N));
    ITEM(file.menu, file.openLocalFile, "mnuFileLoaclFileOpen", u"ローカルファイルを開く(&O)..."_s,
         QKeySequence(Qt::CTRL | Qt::Key_O));
    addSeparator(m.file.menu, u"mnuFilehai1"_s);
    ITEM(file.menu, file.savePage, "mnuFileHozon", u"HTMLファイルを保存(&H)..."_s, QKeySequence(Qt::CTRL | Qt::Key_H));
    ITEM(file.menu, file.saveLinks, "mnufilelink", u"リンクのみ抽出して保存(&L)...."_s);
    ITEM(file.menu, file.cancelDownloads, "mnuFileDownloadCancel", u"ダウンロードを中止(&D)"_s);
    addSeparator(m.file.menu, u"mnuFilehai2"_s);
    SUB(file.menu, file.printMenu, "mnuFilePrint", u"印刷(&P)"_s);
    ITEM(file.printMenu, file.pageSetup, "mnuFilePrintEditpage", u"ページ設定(&E)..."_s);
    ITEM(file.printMenu, file.print, "mnuFilePrintPrint", u"印刷(&P)..."_s, QKeySequence(Qt::CTRL | Qt::Key_P));
    ITEM(file.printMenu, file.printPreview, "mnuFilePrintPrintPreview", u"印刷プレビュー(&V)..."_s);
    ITEM(file.menu, file.properties, "mnuFilePropates", u"ページのプロパティ(&R)..."_s);
    addSeparator(m.file.menu, u"mnuFilehai3"_s);
    ITEM(file.menu, file.offline, "mnuFileOffline", u"オフライン作業(&L)"_s, {}, check);
    addSeparator(m.file.menu, u"mnuFilehai4"_s);
    ITEM(file.menu, file.keepPageAndQuit, "mnuFileRestart", u"読みかけ終了(&R)"_s, {}, check);
    ITEM(file.menu, file.quit, "mnuFileClose", u"終了(&C)"_s);

    TOP(edit.menu, "mnuEdit", u"編集(&E)"_s);
    ITEM(edit.menu, edit.copy, "mnuEditCopy", u"コピー(&C)"_s, QKeySequence(Qt::CTRL | Qt::Key_C));
    ITEM(edit.menu, edit.selectAll, "mnuEditAll", u"すべて選択(&A)"_s, QKeySequence(Qt::CTRL | Qt::Key_A));
    addSeparator(m.edit.menu, u"mnuEdithai1"_s);
    ITEM(edit.menu, edit.copyTitle, "mnuEditTitle", u"ページタイトルをコピー(&T)"_s,
         QKeySequence(Qt::CTRL | Qt::Key_T));
    ITEM(edit.menu, edit.copyAddress, "mnuEditURL", u"URLをコピー(&U)"_s, QKeySequence(Qt::CTRL | Qt::Key_U));
    ITEM(edit.menu, edit.copyToMemo, "mnuEditFusekkoCopy", u"ふせっこminiにコピー(&M)"_s);
    addSeparator(m.edit.menu, u"mnuEdithai2"_s);
    ITEM(edit.menu, edit.find, "mnuEditFind", u"ページ内を検索(&F)..."_s, QKeySequence(Qt::CTRL | Qt::Key_F));

    TOP(view.menu, "mnuVisi", u"表示(&V)"_s);
    ITEM(view.menu, view.menuBar, "mnuVisiWmenu", u"メニュー(&M)"_s, {}, check, true);
    ITEM(view.menu, view.buttonBar, "mnuVisiBottonURL", u"ナビゲートボタン＆URL入力欄(&B)"_s, {}, check, true);
    ITEM(view.menu, view.sidebar, "mnuVisiSidebar", u"サイドバー（お気に入りバー）(&S)"_s, {}, check, true);
    ITEM(view.menu, view.statusBar, "mnuVisiStatusbar", u"ステータスバー(&F)"_s, {}, check, true);
    SUB(view.menu, view.sidebarWidthMenu, "mnuVisiWS", u"サイドバー表示サイズ(&E)"_s);
    ITEM(view.sidebarWidthMenu, view.sidebarFifth, "mnuVisiWS15", u"ウィンドウの1/5"_s, {}, check);
    ITEM(view.sidebarWidthMenu, view.sidebarSixth, "mnuVisiWS16", u"ウィンドウの1/6"_s, {}, check);
    ITEM(view.sidebarWidthMenu, view.sidebarSeventh, "mnuVisiWS17", u"ウィンドウの1/7"_s, {}, check, true);
    addSeparator(m.view.menu, u"mnuVisihai1"_s);
    SUB(view.menu, view.textSizeMenu, "mnuVisiFont", u"文字サイズ(&X)"_s);
    ITEM(view.textSizeMenu, view.textLargest, "mnuVisiFont00", u"最大(&G)"_s);
    ITEM(view.textSizeMenu, view.textLarger, "mnuVisiFont01", u"大(&L)"_s);
    ITEM(view.textSizeMenu, view.textMedium, "mnuVisiFont02", u"中(&M)"_s);
    ITEM(view.textSizeMenu, view.textSmaller, "mnuVisiFont03", u"小(&S)"_s);
    ITEM(view.textSizeMenu, view.textSmallest, "mnuVisiFont04", u"最小(&A)"_s);
    ITEM(view.menu, view.source, "mnuVisiSorce", u"ソース(&C)"_s);
    addSeparator(m.view.menu, u"mnuVisihai2"_s);
    ITEM(view.menu, view.alwaysOnTop, "mnuVisiWindowfoward", u"ウィンドウを常に手前に表示(&W)"_s, {}, check);
    ITEM(view.menu, view.translucent, "mnuVisiWindowEXstyle", u"半透明ウィンドウ(&E)"_s, QKeySequence(Qt::Key_F9),
         check);
    addSeparator(m.view.menu, u"mnuVisihai3"_s);
    SUB(view.menu, view.moreMenu, "mnuVisiMania", u"詳細設定(&E)"_s);
    ITEM(view.moreMenu, view.confirmExit, "mnuVisiManiaEndC", u"終了時に必ず確認する"_s, {}, check);
    ITEM(view.moreMenu, view.alwaysKeepPage, "mnuVisiManiaEndY", u"必ず「読みかけ終了」で終了する"_s, {}, check);
    ITEM(view.moreMenu, view.blankAtStart, "mnuVisiManiakuuhaku", u"起動時に空白ページを開く"_s, {}, check, true);
    ITEM(view.moreMenu, view.languages, "mnuVisiManiaLang", u"言語の優先順位..."_s);
    addSeparator(m.view.menu, u"mnuVisihai4"_s);
    ITEM(view.menu, view.simpleMode, "mnuVisihaiSinple", u"シンプルモード"_s);

    TOP(move.menu, "mnuMove", u"ページ移動(&M)"_s);
    ITEM(move.menu, move.back, "mnuMoveBack", u"１つ前に戻る(&B)"_s)->setEnabled(false);
    ITEM(move.menu, move.forward, "mnuMoveFoward", u"１つ先に進む(&F)"_s)->setEnabled(false);
    ITEM(move.menu, move.quickJump, "mnuEditQuick", u"クィックジャンプ(&Q)"_s, QKeySequence(Qt::CTRL | Qt::Key_Q));
    addSeparator(m.move.menu, u"mnuMovehai1"_s);
    ITEM(move.menu, move.stop, "mnuMoveStap", u"中止(&S)"_s);
    ITEM(move.menu, move.reload, "mnuMoveRefrash", u"再読込(&R)"_s, QKeySequence(Qt::Key_F5));
    ITEM(move.menu, move.reloadBypassingCache, "mnuMoveRefrashNoChash", u"キャッシュ使わず再読込(&N)"_s,
         QKeySequence(Qt::CTRL | Qt::Key_F5));
    ITEM(move.menu, move.home, "mnuMoveHome", u"ホームページ(&H)"_s);
    addSeparator(m.move.menu, u"mnuMovehai2"_s);
    // This platform has no drive letters: the drive items stay disabled.
    ITEM(move.menu, move.driveC, "mnuMoveC", u"C:\\"_s)->setEnabled(false);
    ITEM(move.menu, move.driveD, "mnuMoveD", u"D:\\"_s)->setEnabled(false);
    ITEM(move.menu, move.driveE, "mnuMoveE", u"E:\\"_s)->setEnabled(false);
    ITEM(move.menu, move.driveF, "mnuMoveF", u"F:\\"_s)->setEnabled(false);

    TOP(favorites.menu, "mnuOkiniiri", u"お気に入り(&A)"_s);
    ITEM(favorites.menu, favorites.add, "mnuOkiniiriAdd", u"お気に入りに追加(&A)...."_s);
    ITEM(favorites.menu, favorites.organize, "mnuOkiniiriOrganizeFavorites", u"お気に入りの整理(&O)..."_s);
    ITEM(favorites.menu, favorites.openFolder, "mnuOkiniiriF", u"お気に入りフォルダを開く(&F)..."_s);
    addSeparator(m.favorites.menu, u"mnuOkiniirihai1"_s);
    ITEM(favorites.menu, favorites.desktopShortcut, "mnuOkiniiriShort", u"デスクトップにショートカットの作成(&T)"_s);
    addSeparator(m.favorites.menu, u"mnuOkiniirihai2"_s);
    ITEM(favorites.menu, favorites.importBookmarks, "mnuFileinport", u"インポート(&I)..."_s);
    ITEM(favorites.menu, favorites.exportBookmarks, "mnuFileexport", u"エクスポート(&X)..."_s);
    addSeparator(m.favorites.menu, u"mnuOkiniirihai3"_s);
    SUB(favorites.menu, favorites.netscapeMenu, "mnuOkiniiriNetscape", u"Netscapeブックマーク(&N)"_s);
    ITEM(favorites.netscapeMenu, favorites.netscape4, "mnuOkiniiriNetscape4", u"Netscape4.x系ブックマークを閲覧(&N)"_s);
    ITEM(favorites.netscapeMenu, favorites.netscape6, "mnuOkiniiriNetscape6", u"Netscape6.x系ブックマークを閲覧(&M)"_s);

    TOP(tools.menu, "mnuTool", u"ツール(&T)"_s);
    ITEM(tools.menu, tools.memoPad, "mnuToolFusekko", u"ふせっこmini(&M)"_s, {}, check);
    SUB(tools.menu, tools.autoReloadMenu, "mnuToolAutoRe", u"自動更新(&A)"_s);
    ITEM(tools.autoReloadMenu, tools.reloadEvery30, "mnuToolAutoRe30", u"３０秒毎(&S)"_s, {}, check);
    ITEM(tools.autoReloadMenu, tools.reloadEvery60, "mnuToolAutoRe60", u"１分毎(&1)"_s, {}, check);
    addSeparator(m.tools.menu, u"mnuToolhai1"_s);
    SUB(tools.menu, tools.translationMenu, "mnuToolT", u"ページ翻訳(&T)"_s);
    ITEM(tools.translationMenu, tools.englishToJapanese, "mnuVisihonyaku", u"和訳(英語→日本語)(&E)"_s);
    ITEM(tools.translationMenu, tools.japaneseToEnglish, "mnuVisihonyaku2", u"英訳(日本語→英語)(&J)"_s);
    addSeparator(m.tools.translationMenu, u"mnuToolThai1"_s);
    ITEM(tools.translationMenu, tools.chineseToJapanese, "mnuVisihonyaku3", u"和訳(中国語→日本語)(&C)"_s);
    ITEM(tools.translationMenu, tools.japaneseToChinese, "mnuVisihonyaku4", u"中訳(日本語→中国語)(&N)"_s);
    addSeparator(m.tools.translationMenu, u"mnuToolThai2"_s);
    ITEM(tools.translationMenu, tools.koreanToJapanese, "mnuVisihonyaku5", u"和訳(ハングル語→日本語)(&H)"_s);
    ITEM(tools.translationMenu, tools.japaneseToKorean, "mnuVisihonyaku6", u"韓訳(日本語→ハングル語)(&Y)"_s);
    addSeparator(m.tools.menu, u"mnuToolhai2"_s);
    SUB(tools.menu, tools.securityMenu, "mnuToolSecu", u"セキュリティー(&S)"_s);
    ITEM(tools.securityMenu, tools.blockList, "mnuToolSecuNocom", u"ページ、ウィンドウ非表示機能(&N)..."_s, {}, check,
         true);
    ITEM(tools.securityMenu, tools.subWindow, "mnuToolSecusub", u"サブウィンドウで開く(&S)..."_s,
         QKeySequence(Qt::CTRL | Qt::Key_S));
    ITEM(tools.securityMenu, tools.cookies, "mnuToolCookies", u"Cookieの編集(&C)..."_s)->setEnabled(false);
    addSeparator(m.tools.securityMenu, u"mnuToolSecuhai1"_s);
    ITEM(tools.securityMenu, tools.privacy, "mnuToolSecuP", u"プライバシー設定(&P)..."_s);
    ITEM(tools.securityMenu, tools.userInfo, "mnuToolSecuUser", u"ユーザ情報一覧(&U)..."_s);
    addSeparator(m.tools.menu, u"mnuToolhai3"_s);
    ITEM(tools.menu, tools.capture, "mnuToolPS", u"ウィンドウキャプチャ機能(&P)"_s);
    addSeparator(m.tools.menu, u"mnuToolhai4"_s);
    ITEM(tools.menu, tools.windowsUpdate, "mnuToolWindowsUpdate", u"Windows Update(&U)"_s);
    addSeparator(m.tools.menu, u"mnuToolhai5"_s);
    ITEM(tools.menu, tools.internetOptions, "mnuToolInternetOption", u"インターネットオプション(&O)..."_s);
    ITEM(tools.menu, tools.firstRun, "mnuToolFirstOpen", u"初回設定ダイアログ(&F)..."_s);

    TOP(help.menu, "mnuHelp", u"ヘルプ(&H)"_s);
    ITEM(help.menu, help.offlineHelp, "mnuHelpHelp", u"オフラインヘルプ(&H)"_s);
    ITEM(help.menu, help.faq, "mnuHelpBasicHelp", u"よくある質問(&Q)"_s);
    addSeparator(m.help.menu, u"mnuHelphai1"_s);
    ITEM(help.menu, help.newVersion, "mnuHelpNewVersion", u"最新バージョンチェック....(&C)"_s);
    addSeparator(m.help.menu, u"mnuHelphai2"_s);
    ITEM(help.menu, help.association, "mnuHelpAssociation", u"関連づけ(&A)...."_s);
    addSeparator(m.help.menu, u"mnuHelphai3"_s);
    ITEM(help.menu, help.bugReport, "mnuHelpBag", u"バグレポート(&B)..."_s);
    ITEM(help.menu, help.about, "mnuHelpVersion", u"バージョン情報(&V)..."_s);

    // Pops up from Command9 while the menu bar is hidden.
    m.simple.menu = new QMenu(u"シンプルモード時のメニュー"_s, window);
    m.simple.menu->setObjectName(u"mnuSimple"_s);
    ITEM(simple.menu, simple.menuBar, "mnuSimpleMenu", u"メニューを表示(&M)"_s, {}, check, true);
    ITEM(simple.menu, simple.buttonBar, "mnuSimpleURL", u"ナビゲートボタン＆URL入力欄(&B)"_s, {}, check, true);
    ITEM(simple.menu, simple.sidebar, "mnuSimpleSidebar", u"サイドバー（お気に入りバー）(&S)"_s, {}, check, true);
    ITEM(simple.menu, simple.statusBar, "mnuSimpleState", u"ステータスバー(&F)"_s, {}, check, true);
    addSeparator(m.simple.menu, u"mnuSimplehai1"_s);
    ITEM(simple.menu, simple.newWindow, "mnuSimpleNewWindow", u"新規ウィンドウを開く(&N)"_s);
    ITEM(simple.menu, simple.openLocalFile, "mnuSimpleOpenFile", u"ローカルファイルを開く(&O)..."_s);
    ITEM(simple.menu, simple.savePage, "mnuSimpleSaveFile", u"HTMLファイルを保存(&H)..."_s);
    ITEM(simple.menu, simple.printPreview, "mnuSimplePrintP", u"印刷プレビュー(&V)..."_s);
    ITEM(simple.menu, simple.home, "mnuSimpleHome", u"ホームページ(&H)"_s);
    ITEM(simple.menu, simple.find, "mnuSimpleSearch", u"ページ内を検索(&F)..."_s);
    ITEM(simple.menu, simple.firstRun, "mnuSimpleFirstDialog", u"初回設定ダイアログ(&F)..."_s);
    addSeparator(m.simple.menu, u"mnuSimplehai2"_s);
    ITEM(simple.menu, simple.keepPageAndQuit, "mnuSimpleYEnd", u"読みかけ終了(&R)"_s);
    return m;
}
