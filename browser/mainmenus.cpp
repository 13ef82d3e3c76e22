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

// The member and its objectName come from one name, so they cannot drift apart.
#define TOP(name, caption) \
    m.topMenus.append(m.name = named(window->menuBar()->addMenu(caption), QString::fromLatin1(#name)))
#define SUB(parent, name, caption) m.name = named(m.parent->addMenu(caption), QString::fromLatin1(#name))
#define ITEM(menu, name, ...) (m.name = addItem(m.menu, QString::fromLatin1(#name), __VA_ARGS__))

MainMenus buildMainMenus(QMainWindow *window)
{
    MainMenus m{};
    TOP(mnuFile, u"ファイル(&F)"_s);
    ITEM(mnuFile, mnuFileNewWindow, u"新規ウィンドウを開く(&N)"_s);
    ITEM(mnuFile, mnuFileNewIE, u"IEで開く(&I)"_s, QKeySequence(Qt::CTRL | Qt::Key_N));
    ITEM(mnuFile, mnuFileLoaclFileOpen, u"ローカルファイルを開く(&O)..."_s, QKeySequence(Qt::CTRL | Qt::Key_O));
    addSeparator(m.mnuFile, u"mnuFilehai1"_s);
    ITEM(mnuFile, mnuFileHozon, u"HTMLファイルを保存(&H)..."_s, QKeySequence(Qt::CTRL | Qt::Key_H));
    ITEM(mnuFile, mnufilelink, u"リンクのみ抽出して保存(&L)...."_s);
    ITEM(mnuFile, mnuFileDownloadCancel, u"ダウンロードを中止(&D)"_s);
    addSeparator(m.mnuFile, u"mnuFilehai2"_s);
    SUB(mnuFile, mnuFilePrint, u"印刷(&P)"_s);
    ITEM(mnuFilePrint, mnuFilePrintEditpage, u"ページ設定(&E)..."_s);
    ITEM(mnuFilePrint, mnuFilePrintPrint, u"印刷(&P)..."_s, QKeySequence(Qt::CTRL | Qt::Key_P));
    ITEM(mnuFilePrint, mnuFilePrintPrintPreview, u"印刷プレビュー(&V)..."_s);
    ITEM(mnuFile, mnuFilePropates, u"ページのプロパティ(&R)..."_s);
    addSeparator(m.mnuFile, u"mnuFilehai3"_s);
    ITEM(mnuFile, mnuFileOffline, u"オフライン作業(&L)"_s, {}, check);
    addSeparator(m.mnuFile, u"mnuFilehai4"_s);
    ITEM(mnuFile, mnuFileRestart, u"読みかけ終了(&R)"_s, {}, check);
    ITEM(mnuFile, mnuFileClose, u"終了(&C)"_s);

    TOP(mnuEdit, u"編集(&E)"_s);
    ITEM(mnuEdit, mnuEditCopy, u"コピー(&C)"_s, QKeySequence(Qt::CTRL | Qt::Key_C));
    ITEM(mnuEdit, mnuEditAll, u"すべて選択(&A)"_s, QKeySequence(Qt::CTRL | Qt::Key_A));
    addSeparator(m.mnuEdit, u"mnuEdithai1"_s);
    ITEM(mnuEdit, mnuEditTitle, u"ページタイトルをコピー(&T)"_s, QKeySequence(Qt::CTRL | Qt::Key_T));
    ITEM(mnuEdit, mnuEditURL, u"URLをコピー(&U)"_s, QKeySequence(Qt::CTRL | Qt::Key_U));
    ITEM(mnuEdit, mnuEditFusekkoCopy, u"ふせっこminiにコピー(&M)"_s);
    addSeparator(m.mnuEdit, u"mnuEdithai2"_s);
    ITEM(mnuEdit, mnuEditFind, u"ページ内を検索(&F)..."_s, QKeySequence(Qt::CTRL | Qt::Key_F));

    TOP(mnuVisi, u"表示(&V)"_s);
    ITEM(mnuVisi, mnuVisiWmenu, u"メニュー(&M)"_s, {}, check, true);
    ITEM(mnuVisi, mnuVisiBottonURL, u"ナビゲートボタン＆URL入力欄(&B)"_s, {}, check, true);
    ITEM(mnuVisi, mnuVisiSidebar, u"サイドバー（お気に入りバー）(&S)"_s, {}, check, true);
    ITEM(mnuVisi, mnuVisiStatusbar, u"ステータスバー(&F)"_s, {}, check, true);
    SUB(mnuVisi, mnuVisiWS, u"サイドバー表示サイズ(&E)"_s);
    ITEM(mnuVisiWS, mnuVisiWS15, u"ウィンドウの1/5"_s, {}, check);
    ITEM(mnuVisiWS, mnuVisiWS16, u"ウィンドウの1/6"_s, {}, check);
    ITEM(mnuVisiWS, mnuVisiWS17, u"ウィンドウの1/7"_s, {}, check, true);
    addSeparator(m.mnuVisi, u"mnuVisihai1"_s);
    SUB(mnuVisi, mnuVisiFont, u"文字サイズ(&X)"_s);
    ITEM(mnuVisiFont, mnuVisiFont00, u"最大(&G)"_s);
    ITEM(mnuVisiFont, mnuVisiFont01, u"大(&L)"_s);
    ITEM(mnuVisiFont, mnuVisiFont02, u"中(&M)"_s);
    ITEM(mnuVisiFont, mnuVisiFont03, u"小(&S)"_s);
    ITEM(mnuVisiFont, mnuVisiFont04, u"最小(&A)"_s);
    ITEM(mnuVisi, mnuVisiSorce, u"ソース(&C)"_s);
    addSeparator(m.mnuVisi, u"mnuVisihai2"_s);
    ITEM(mnuVisi, mnuVisiWindowfoward, u"ウィンドウを常に手前に表示(&W)"_s, {}, check);
    ITEM(mnuVisi, mnuVisiWindowEXstyle, u"半透明ウィンドウ(&E)"_s, QKeySequence(Qt::Key_F9), check);
    addSeparator(m.mnuVisi, u"mnuVisihai3"_s);
    SUB(mnuVisi, mnuVisiMania, u"詳細設定(&E)"_s);
    ITEM(mnuVisiMania, mnuVisiManiaEndC, u"終了時に必ず確認する"_s, {}, check);
    ITEM(mnuVisiMania, mnuVisiManiaEndY, u"必ず「読みかけ終了」で終了する"_s, {}, check);
    ITEM(mnuVisiMania, mnuVisiManiakuuhaku, u"起動時に空白ページを開く"_s, {}, check, true);
    ITEM(mnuVisiMania, mnuVisiManiaLang, u"言語の優先順位..."_s);
    addSeparator(m.mnuVisi, u"mnuVisihai4"_s);
    ITEM(mnuVisi, mnuVisihaiSinple, u"シンプルモード"_s);

    TOP(mnuMove, u"ページ移動(&M)"_s);
    ITEM(mnuMove, mnuMoveBack, u"１つ前に戻る(&B)"_s)->setEnabled(false);
    ITEM(mnuMove, mnuMoveFoward, u"１つ先に進む(&F)"_s)->setEnabled(false);
    ITEM(mnuMove, mnuEditQuick, u"クィックジャンプ(&Q)"_s, QKeySequence(Qt::CTRL | Qt::Key_Q));
    addSeparator(m.mnuMove, u"mnuMovehai1"_s);
    ITEM(mnuMove, mnuMoveStap, u"中止(&S)"_s);
    ITEM(mnuMove, mnuMoveRefrash, u"再読込(&R)"_s, QKeySequence(Qt::Key_F5));
    ITEM(mnuMove, mnuMoveRefrashNoChash, u"キャッシュ使わず再読込(&N)"_s, QKeySequence(Qt::CTRL | Qt::Key_F5));
    ITEM(mnuMove, mnuMoveHome, u"ホームページ(&H)"_s);
    addSeparator(m.mnuMove, u"mnuMovehai2"_s);
    // This platform has no drive letters: the drive items stay disabled.
    ITEM(mnuMove, mnuMoveC, u"C:\\"_s)->setEnabled(false);
    ITEM(mnuMove, mnuMoveD, u"D:\\"_s)->setEnabled(false);
    ITEM(mnuMove, mnuMoveE, u"E:\\"_s)->setEnabled(false);
    ITEM(mnuMove, mnuMoveF, u"F:\\"_s)->setEnabled(false);

    TOP(mnuOkiniiri, u"お気に入り(&A)"_s);
    ITEM(mnuOkiniiri, mnuOkiniiriAdd, u"お気に入りに追加(&A)...."_s);
    ITEM(mnuOkiniiri, mnuOkiniiriOrganizeFavorites, u"お気に入りの整理(&O)..."_s);
    ITEM(mnuOkiniiri, mnuOkiniiriF, u"お気に入りフォルダを開く(&F)..."_s);
    addSeparator(m.mnuOkiniiri, u"mnuOkiniirihai1"_s);
    ITEM(mnuOkiniiri, mnuOkiniiriShort, u"デスクトップにショートカットの作成(&T)"_s);
    addSeparator(m.mnuOkiniiri, u"mnuOkiniirihai2"_s);
    ITEM(mnuOkiniiri, mnuFileinport, u"インポート(&I)..."_s);
    ITEM(mnuOkiniiri, mnuFileexport, u"エクスポート(&X)..."_s);
    addSeparator(m.mnuOkiniiri, u"mnuOkiniirihai3"_s);
    SUB(mnuOkiniiri, mnuOkiniiriNetscape, u"Netscapeブックマーク(&N)"_s);
    ITEM(mnuOkiniiriNetscape, mnuOkiniiriNetscape4, u"Netscape4.x系ブックマークを閲覧(&N)"_s);
    ITEM(mnuOkiniiriNetscape, mnuOkiniiriNetscape6, u"Netscape6.x系ブックマークを閲覧(&M)"_s);

    TOP(mnuTool, u"ツール(&T)"_s);
    ITEM(mnuTool, mnuToolFusekko, u"ふせっこmini(&M)"_s, {}, check);
    SUB(mnuTool, mnuToolAutoRe, u"自動更新(&A)"_s);
    ITEM(mnuToolAutoRe, mnuToolAutoRe30, u"３０秒毎(&S)"_s, {}, check);
    ITEM(mnuToolAutoRe, mnuToolAutoRe60, u"１分毎(&1)"_s, {}, check);
    addSeparator(m.mnuTool, u"mnuToolhai1"_s);
    SUB(mnuTool, mnuToolT, u"ページ翻訳(&T)"_s);
    ITEM(mnuToolT, mnuVisihonyaku, u"和訳(英語→日本語)(&E)"_s);
    ITEM(mnuToolT, mnuVisihonyaku2, u"英訳(日本語→英語)(&J)"_s);
    addSeparator(m.mnuToolT, u"mnuToolThai1"_s);
    ITEM(mnuToolT, mnuVisihonyaku3, u"和訳(中国語→日本語)(&C)"_s);
    ITEM(mnuToolT, mnuVisihonyaku4, u"中訳(日本語→中国語)(&N)"_s);
    addSeparator(m.mnuToolT, u"mnuToolThai2"_s);
    ITEM(mnuToolT, mnuVisihonyaku5, u"和訳(ハングル語→日本語)(&H)"_s);
    ITEM(mnuToolT, mnuVisihonyaku6, u"韓訳(日本語→ハングル語)(&Y)"_s);
    addSeparator(m.mnuTool, u"mnuToolhai2"_s);
    SUB(mnuTool, mnuToolSecu, u"セキュリティー(&S)"_s);
    ITEM(mnuToolSecu, mnuToolSecuNocom, u"ページ、ウィンドウ非表示機能(&N)..."_s, {}, check, true);
    ITEM(mnuToolSecu, mnuToolSecusub, u"サブウィンドウで開く(&S)..."_s, QKeySequence(Qt::CTRL | Qt::Key_S));
    ITEM(mnuToolSecu, mnuToolCookies, u"Cookieの編集(&C)..."_s)->setEnabled(false);
    addSeparator(m.mnuToolSecu, u"mnuToolSecuhai1"_s);
    ITEM(mnuToolSecu, mnuToolSecuP, u"プライバシー設定(&P)..."_s);
    ITEM(mnuToolSecu, mnuToolSecuUser, u"ユーザ情報一覧(&U)..."_s);
    addSeparator(m.mnuTool, u"mnuToolhai3"_s);
    ITEM(mnuTool, mnuToolPS, u"ウィンドウキャプチャ機能(&P)"_s);
    addSeparator(m.mnuTool, u"mnuToolhai4"_s);
    ITEM(mnuTool, mnuToolWindowsUpdate, u"Windows Update(&U)"_s);
    addSeparator(m.mnuTool, u"mnuToolhai5"_s);
    ITEM(mnuTool, mnuToolInternetOption, u"インターネットオプション(&O)..."_s);
    ITEM(mnuTool, mnuToolFirstOpen, u"初回設定ダイアログ(&F)..."_s);

    TOP(mnuHelp, u"ヘルプ(&H)"_s);
    ITEM(mnuHelp, mnuHelpHelp, u"オフラインヘルプ(&H)"_s);
    ITEM(mnuHelp, mnuHelpBasicHelp, u"よくある質問(&Q)"_s);
    addSeparator(m.mnuHelp, u"mnuHelphai1"_s);
    ITEM(mnuHelp, mnuHelpNewVersion, u"最新バージョンチェック....(&C)"_s);
    addSeparator(m.mnuHelp, u"mnuHelphai2"_s);
    ITEM(mnuHelp, mnuHelpAssociation, u"関連づけ(&A)...."_s);
    addSeparator(m.mnuHelp, u"mnuHelphai3"_s);
    ITEM(mnuHelp, mnuHelpBag, u"バグレポート(&B)..."_s);
    ITEM(mnuHelp, mnuHelpVersion, u"バージョン情報(&V)..."_s);

    // Pops up from Command9 while the menu bar is hidden.
    m.mnuSimple = new QMenu(u"シンプルモード時のメニュー"_s, window);
    m.mnuSimple->setObjectName(u"mnuSimple"_s);
    ITEM(mnuSimple, mnuSimpleMenu, u"メニューを表示(&M)"_s, {}, check, true);
    ITEM(mnuSimple, mnuSimpleURL, u"ナビゲートボタン＆URL入力欄(&B)"_s, {}, check, true);
    ITEM(mnuSimple, mnuSimpleSidebar, u"サイドバー（お気に入りバー）(&S)"_s, {}, check, true);
    ITEM(mnuSimple, mnuSimpleState, u"ステータスバー(&F)"_s, {}, check, true);
    addSeparator(m.mnuSimple, u"mnuSimplehai1"_s);
    ITEM(mnuSimple, mnuSimpleNewWindow, u"新規ウィンドウを開く(&N)"_s);
    ITEM(mnuSimple, mnuSimpleOpenFile, u"ローカルファイルを開く(&O)..."_s);
    ITEM(mnuSimple, mnuSimpleSaveFile, u"HTMLファイルを保存(&H)..."_s);
    ITEM(mnuSimple, mnuSimplePrintP, u"印刷プレビュー(&V)..."_s);
    ITEM(mnuSimple, mnuSimpleHome, u"ホームページ(&H)"_s);
    ITEM(mnuSimple, mnuSimpleSearch, u"ページ内を検索(&F)..."_s);
    ITEM(mnuSimple, mnuSimpleFirstDialog, u"初回設定ダイアログ(&F)..."_s);
    addSeparator(m.mnuSimple, u"mnuSimplehai2"_s);
    ITEM(mnuSimple, mnuSimpleYEnd, u"読みかけ終了(&R)"_s);
    return m;
}
