#include "browser/form1.h"

#include "browser/addressbox.h"
#include "blocking/blockeditor.h"
#include "blocking/form3.h"
#include "platform/browsercomponent.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QIcon>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

// The icons live in this static library; its resources must be registered by hand.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

QFrame *plainFrame(QWidget *parent, const QString &name)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    return frame;
}

} // namespace

Form1::Form1(platform::Platform services, const QString &commandLine, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_commandLine(commandLine)
{
    initIconResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ゆらぎね"));
    resize(1024, 720);
    buildControls();
    buildMenus();
    wireCommands();
    wireNavigation();
    wireBrowserEvents();
    wireSidebar();
    wireFavorites();
}

Form1::~Form1()
{
    // The editor and the sub window have no owner; they end with the main window.
    delete m_editor.data();
    delete m_subWindow.data();
}

void Form1::buildControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

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
        {"Command8", ":/icons/sidebar.png", "サイドバー"},
    };
    int x = 0;
    for (const Button &entry : buttons) {
        auto *button = new QToolButton(m_frame1);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setIcon(QIcon(QString::fromLatin1(entry.icon)));
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

    // Sidebar.
    m_frame2 = plainFrame(m_client, QStringLiteral("Frame2"));
    m_tabs = new QTabBar(m_frame2);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    m_tabs->addTab(QString());
    m_favorites = new QTreeWidget(m_frame2);
    m_favorites->setObjectName(QStringLiteral("TreeView1"));
    m_favorites->header()->hide();
    buildSidebarViews();

    // Status bar.
    m_frame3 = plainFrame(m_client, QStringLiteral("Frame3"));
    m_status = new QLabel(m_frame3);
    m_status->setObjectName(QStringLiteral("Status"));
    m_sidebarButton = new QPushButton(QStringLiteral("サイドバー"), m_frame3);
    m_sidebarButton->setObjectName(QStringLiteral("Command5"));
    m_pageIcon = new QLabel(m_frame3);
    m_pageIcon->setObjectName(QStringLiteral("Image1"));
    m_pageIcon->setToolTip(QStringLiteral("ページのプロパティ"));
    m_progress = plainFrame(m_frame3, QStringLiteral("ProgressBar1"));

    m_browser = m_services.browsers.createBrowser(m_client);
    if (m_browser) {
        m_browser->widget()->setParent(m_client);
        m_browser->widget()->setObjectName(QStringLiteral("WebBrowser"));
    }

    m_menuButton = new QPushButton(QStringLiteral("メニューを表示する"), m_client);
    m_menuButton->setObjectName(QStringLiteral("Command9"));
    m_menuButton->adjustSize();
    m_menuButton->setContextMenuPolicy(Qt::CustomContextMenu);
    m_menuButton->hide();

    m_messageClose = new QPushButton(QStringLiteral("閉じる"), m_client);
    m_messageClose->setObjectName(QStringLiteral("subtitlebutton"));
    m_messageClose->hide();
    m_messageLabel = new QLabel(m_client);
    m_messageLabel->setObjectName(QStringLiteral("SubLabel"));
    m_messageLabel->hide();

    m_lampTimer = new QTimer(this);
    m_lampTimer->setObjectName(QStringLiteral("Timer1"));
    m_lampTimer->setInterval(500);
    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setObjectName(QStringLiteral("Timer2"));
    m_reloadTimer->setInterval(59999);
}

QAction *Form1::addItem(QMenu *menu, const QString &name, const QString &caption,
                        const QKeySequence &shortcut, bool checkable, bool checked)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setCheckable(checkable);
    action->setChecked(checked);
    return action;
}

void Form1::addSeparator(QMenu *menu, const QString &name)
{
    menu->addSeparator()->setObjectName(name);
}

void Form1::buildMenus()
{
    auto top = [this](const QString &name, const QString &caption) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        m_topMenus.append(menu);
        return menu;
    };
    auto sub = [](QMenu *parent, const QString &name, const QString &caption) {
        QMenu *menu = parent->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        return menu;
    };
    auto S = [](const char *text) { return QString::fromUtf8(text); };
    const bool check = true;

    QMenu *file = top(S("mnuFile"), S("ファイル(&F)"));
    addItem(file, S("mnuFileNewWindow"), S("新規ウィンドウを開く(&N)"));
    addItem(file, S("mnuFileNewIE"), S("IEで開く(&I)"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addItem(file, S("mnuFileLoaclFileOpen"), S("ローカルファイルを開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    addSeparator(file, S("mnuFilehai1"));
    addItem(file, S("mnuFileHozon"), S("HTMLファイルを保存(&H)..."), QKeySequence(Qt::CTRL | Qt::Key_H));
    addItem(file, S("mnufilelink"), S("リンクのみ抽出して保存(&L)...."));
    addSeparator(file, S("mnuFilehai2"));
    QMenu *print = sub(file, S("mnuFilePrint"), S("印刷(&P)"));
    addItem(print, S("mnuFilePrintEditpage"), S("ページ設定(&E)..."));
    addItem(print, S("mnuFilePrintPrint"), S("印刷(&P)..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    addItem(print, S("mnuFilePrintPrintPreview"), S("印刷プレビュー(&V)..."));
    addItem(file, S("mnuFilePropates"), S("ページのプロパティ(&R)..."));
    addSeparator(file, S("mnuFilehai3"));
    addItem(file, S("mnuFileOffline"), S("オフライン作業(&L)"), {}, check);
    addSeparator(file, S("mnuFilehai4"));
    addItem(file, S("mnuFileRestart"), S("読みかけ終了(&R)"), {}, check);
    addItem(file, S("mnuFileClose"), S("終了(&C)"));

    QMenu *edit = top(S("mnuEdit"), S("編集(&E)"));
    addItem(edit, S("mnuEditCopy"), S("コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(edit, S("mnuEditAll"), S("すべて選択(&A)"), QKeySequence(Qt::CTRL | Qt::Key_A));
    addSeparator(edit, S("mnuEdithai1"));
    addItem(edit, S("mnuEditTitle"), S("ページタイトルをコピー(&T)"), QKeySequence(Qt::CTRL | Qt::Key_T));
    addItem(edit, S("mnuEditURL"), S("URLをコピー(&U)"), QKeySequence(Qt::CTRL | Qt::Key_U));
    addItem(edit, S("mnuEditFusekkoCopy"), S("ふせっこminiにコピー(&M)"));
    addSeparator(edit, S("mnuEdithai2"));
    addItem(edit, S("mnuEditFind"), S("ページ内を検索(&F)..."), QKeySequence(Qt::CTRL | Qt::Key_F));

    QMenu *view = top(S("mnuVisi"), S("表示(&V)"));
    addItem(view, S("mnuVisiWmenu"), S("メニュー(&M)"), {}, check, true);
    addItem(view, S("mnuVisiBottonURL"), S("ナビゲートボタン＆URL入力欄(&B)"), {}, check, true);
    addItem(view, S("mnuVisiSidebar"), S("サイドバー（お気に入りバー）(&S)"), {}, check, true);
    addItem(view, S("mnuVisiStatusbar"), S("ステータスバー(&F)"), {}, check, true);
    QMenu *widths = sub(view, S("mnuVisiWS"), S("サイドバー表示サイズ(&E)"));
    addItem(widths, S("mnuVisiWS15"), S("ウィンドウの1/5"), {}, check);
    addItem(widths, S("mnuVisiWS16"), S("ウィンドウの1/6"), {}, check);
    addItem(widths, S("mnuVisiWS17"), S("ウィンドウの1/7"), {}, check, true);
    addSeparator(view, S("mnuVisihai1"));
    QMenu *font = sub(view, S("mnuVisiFont"), S("文字サイズ(&X)"));
    addItem(font, S("mnuVisiFont00"), S("最大(&G)"));
    addItem(font, S("mnuVisiFont01"), S("大(&L)"));
    addItem(font, S("mnuVisiFont02"), S("中(&M)"));
    addItem(font, S("mnuVisiFont03"), S("小(&S)"));
    addItem(font, S("mnuVisiFont04"), S("最小(&A)"));
    addItem(view, S("mnuVisiSorce"), S("ソース(&C)"));
    addSeparator(view, S("mnuVisihai2"));
    addItem(view, S("mnuVisiWindowfoward"), S("ウィンドウを常に手前に表示(&W)"), {}, check);
    addItem(view, S("mnuVisiWindowEXstyle"), S("半透明ウィンドウ(&E)"), QKeySequence(Qt::Key_F9), check);
    addSeparator(view, S("mnuVisihai3"));
    QMenu *mania = sub(view, S("mnuVisiMania"), S("詳細設定(&E)"));
    addItem(mania, S("mnuVisiManiaEndC"), S("終了時に必ず確認する"), {}, check);
    addItem(mania, S("mnuVisiManiaEndY"), S("必ず「読みかけ終了」で終了する"), {}, check);
    addItem(mania, S("mnuVisiManiakuuhaku"), S("起動時に空白ページを開く"), {}, check, true);
    addItem(mania, S("mnuVisiManiaLang"), S("言語の優先順位..."));
    addSeparator(view, S("mnuVisihai4"));
    addItem(view, S("mnuVisihaiSinple"), S("シンプルモード"));

    QMenu *move = top(S("mnuMove"), S("ページ移動(&M)"));
    addItem(move, S("mnuMoveBack"), S("１つ前に戻る(&B)"))->setEnabled(false);
    addItem(move, S("mnuMoveFoward"), S("１つ先に進む(&F)"))->setEnabled(false);
    addItem(move, S("mnuEditQuick"), S("クィックジャンプ(&Q)"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    addSeparator(move, S("mnuMovehai1"));
    addItem(move, S("mnuMoveStap"), S("中止(&S)"));
    addItem(move, S("mnuMoveRefrash"), S("再読込(&R)"), QKeySequence(Qt::Key_F5));
    addItem(move, S("mnuMoveRefrashNoChash"), S("キャッシュ使わず再読込(&N)"), QKeySequence(Qt::CTRL | Qt::Key_F5));
    addItem(move, S("mnuMoveHome"), S("ホームページ(&H)"));
    addSeparator(move, S("mnuMovehai2"));
    // This platform has no drive letters: the drive items stay disabled.
    addItem(move, S("mnuMoveC"), S("C:\\"))->setEnabled(false);
    addItem(move, S("mnuMoveD"), S("D:\\"))->setEnabled(false);
    addItem(move, S("mnuMoveE"), S("E:\\"))->setEnabled(false);
    addItem(move, S("mnuMoveF"), S("F:\\"))->setEnabled(false);

    QMenu *favorites = top(S("mnuOkiniiri"), S("お気に入り(&A)"));
    addItem(favorites, S("mnuOkiniiriAdd"), S("お気に入りに追加(&A)...."));
    addItem(favorites, S("mnuOkiniiriOrganizeFavorites"), S("お気に入りの整理(&O)..."));
    addItem(favorites, S("mnuOkiniiriF"), S("お気に入りフォルダを開く(&F)..."));
    addSeparator(favorites, S("mnuOkiniirihai1"));
    addItem(favorites, S("mnuOkiniiriShort"), S("デスクトップにショートカットの作成(&T)"));
    addSeparator(favorites, S("mnuOkiniirihai2"));
    addItem(favorites, S("mnuFileinport"), S("インポート(&I)..."));
    addItem(favorites, S("mnuFileexport"), S("エクスポート(&X)..."));
    addSeparator(favorites, S("mnuOkiniirihai3"));
    QMenu *netscape = sub(favorites, S("mnuOkiniiriNetscape"), S("Netscapeブックマーク(&N)"));
    addItem(netscape, S("mnuOkiniiriNetscape4"), S("Netscape4.x系ブックマークを閲覧(&N)"));
    addItem(netscape, S("mnuOkiniiriNetscape6"), S("Netscape6.x系ブックマークを閲覧(&M)"));

    QMenu *tools = top(S("mnuTool"), S("ツール(&T)"));
    addItem(tools, S("mnuToolFusekko"), S("ふせっこmini(&M)"), {}, check);
    QMenu *reload = sub(tools, S("mnuToolAutoRe"), S("自動更新(&A)"));
    addItem(reload, S("mnuToolAutoRe30"), S("３０秒毎(&S)"), {}, check);
    addItem(reload, S("mnuToolAutoRe60"), S("１分毎(&1)"), {}, check);
    addSeparator(tools, S("mnuToolhai1"));
    QMenu *translate = sub(tools, S("mnuToolT"), S("ページ翻訳(&T)"));
    addItem(translate, S("mnuVisihonyaku"), S("和訳(英語→日本語)(&E)"));
    addItem(translate, S("mnuVisihonyaku2"), S("英訳(日本語→英語)(&J)"));
    addItem(translate, S("mnuVisihonyaku3"), S("和訳(中国語→日本語)(&C)"));
    addItem(translate, S("mnuVisihonyaku4"), S("中訳(日本語→中国語)(&N)"));
    addItem(translate, S("mnuVisihonyaku5"), S("和訳(ハングル語→日本語)(&H)"));
    addItem(translate, S("mnuVisihonyaku6"), S("韓訳(日本語→ハングル語)(&Y)"));
    addSeparator(tools, S("mnuToolhai2"));
    QMenu *security = sub(tools, S("mnuToolSecu"), S("セキュリティー(&S)"));
    addItem(security, S("mnuToolSecuNocom"), S("ページ、ウィンドウ非表示機能(&N)..."), {}, check, true);
    addItem(security, S("mnuToolSecusub"), S("サブウィンドウで開く(&S)..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(security, S("mnuToolCookies"), S("Cookieの編集(&C)..."))->setEnabled(false);
    addSeparator(security, S("mnuToolSecuhai1"));
    addItem(security, S("mnuToolSecuP"), S("プライバシー設定(&P)..."));
    addItem(security, S("mnuToolSecuUser"), S("ユーザ情報一覧(&U)..."));
    addSeparator(tools, S("mnuToolhai3"));
    addItem(tools, S("mnuToolPS"), S("ウィンドウキャプチャ機能(&P)"));
    addSeparator(tools, S("mnuToolhai4"));
    addItem(tools, S("mnuToolWindowsUpdate"), S("Windows Update(&U)"));
    addSeparator(tools, S("mnuToolhai5"));
    addItem(tools, S("mnuToolInternetOption"), S("インターネットオプション(&O)..."));
    addItem(tools, S("mnuToolFirstOpen"), S("初回設定ダイアログ(&F)..."));

    QMenu *help = top(S("mnuHelp"), S("ヘルプ(&H)"));
    addItem(help, S("mnuHelpHelp"), S("オフラインヘルプ(&H)"));
    addItem(help, S("mnuHelpBasicHelp"), S("よくある質問(&Q)"));
    addSeparator(help, S("mnuHelphai1"));
    addItem(help, S("mnuHelpNewVersion"), S("最新バージョンチェック....(&C)"));
    addSeparator(help, S("mnuHelphai2"));
    addItem(help, S("mnuHelpAssociation"), S("関連づけ(&A)...."));
    addSeparator(help, S("mnuHelphai3"));
    addItem(help, S("mnuHelpBag"), S("バグレポート(&B)..."));
    addItem(help, S("mnuHelpVersion"), S("バージョン情報(&V)..."));

    // Pops up from Command9 while the menu bar is hidden.
    m_simpleMenu = new QMenu(S("シンプルモード時のメニュー"), this);
    m_simpleMenu->setObjectName(S("mnuSimple"));
    addItem(m_simpleMenu, S("mnuSimpleMenu"), S("メニューを表示(&M)"), {}, check, true);
    addItem(m_simpleMenu, S("mnuSimpleURL"), S("ナビゲートボタン＆URL入力欄(&B)"), {}, check, true);
    addItem(m_simpleMenu, S("mnuSimpleSidebar"), S("サイドバー（お気に入りバー）(&S)"), {}, check, true);
    addItem(m_simpleMenu, S("mnuSimpleState"), S("ステータスバー(&F)"), {}, check, true);
    addSeparator(m_simpleMenu, S("mnuSimplehai1"));
    addItem(m_simpleMenu, S("mnuSimpleNewWindow"), S("新規ウィンドウを開く(&N)"));
    addItem(m_simpleMenu, S("mnuSimpleOpenFile"), S("ローカルファイルを開く(&O)..."));
    addItem(m_simpleMenu, S("mnuSimpleSaveFile"), S("HTMLファイルを保存(&H)..."));
    addItem(m_simpleMenu, S("mnuSimplePrintP"), S("印刷プレビュー(&V)..."));
    addItem(m_simpleMenu, S("mnuSimpleHome"), S("ホームページ(&H)"));
    addItem(m_simpleMenu, S("mnuSimpleSearch"), S("ページ内を検索(&F)..."));
    addItem(m_simpleMenu, S("mnuSimpleFirstDialog"), S("初回設定ダイアログ(&F)..."));
    addSeparator(m_simpleMenu, S("mnuSimplehai2"));
    addItem(m_simpleMenu, S("mnuSimpleYEnd"), S("読みかけ終了(&R)"));
    // Shortcuts must work while the menu bar is hidden too, so the window holds every item.
    addActions(findChildren<QAction *>());
}

QAction *Form1::menuItem(const QString &name) const
{
    return findChild<QAction *>(name);
}

QString Form1::addressText() const
{
    return m_address->text();
}

void Form1::setAddressText(const QString &text)
{
    m_address->setText(text);
}
