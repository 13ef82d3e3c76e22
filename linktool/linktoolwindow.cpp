#include "linktool/linktoolwindow.h"

#include "app/conversions.h"
#include "app/settingkeys.h"
#include "app/settingsstore.h"
#include "app/singlewindow.h"
#include "app/windowtranslucency.h"
#include "linktool/linkanalysis.h"
#include "linktool/linkexport.h"
#include "linktool/linklistmodel.h"
#include "linktool/linktoolaboutbox.h"
#include "platform/browsercomponent.h"
#include "platform/files.h"
#include "platform/pagerequests.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using platform::MessageButtons;
using platform::MessageIcon;

namespace {

constexpr int kTwipsPerPixel = 15;
const QString kTitle = u"ツタノハPro"_s;
const QString kExportTitle = u"ツタノハ"_s;
const QString kRefusedPath = u"パスはファイル名まで入力してください"_s;
const QString kRefusedLink = u"このリンクはここでは開けません: %1"_s;
const QString kExportFailed = u"のリンクを出力できませんでした（%1）"_s;

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QAction *item(QMenu *menu, const char *name, const QString &caption, bool checkable = false)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

void separator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

LinkToolWindow::LinkToolWindow(BrowserHost &host, platform::Platform services, QWidget *parent)
    : QMainWindow(parent)
    , m_host(host)
    , m_services(services)
{
    setObjectName(u"Form3m"_s);
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    loadSettings();
}

LinkToolWindow::~LinkToolWindow()
{
    // A fetch in flight is dropped with its context; its answer never arrives.
    delete m_fetchContext.data();
}

void LinkToolWindow::buildControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    auto *frame = new QGroupBox(u"ハイパーリンク解析"_s, client);
    frame->setObjectName(u"Frame1"_s);

    m_url = new QLineEdit(frame);
    m_url->setObjectName(u"txtURL"_s);
    m_analyse = button(frame, "Command3", u"リンク解析"_s);
    m_export = button(frame, "Command1", u"HTML保存"_s);
    m_cancelButton = button(frame, "Command4", u"中止"_s);

    m_model = new LinkListModel(this);
    m_list = new QTreeView(frame);
    m_list->setObjectName(u"lvwLink"_s);
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicatorShown(false);
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(0, 200);

    m_status = new QLabel(u"ツタノハPro起動しました"_s, frame);
    m_status->setObjectName(u"txtBar"_s);
    m_status->setTextFormat(Qt::PlainText); // addresses come from the user and pages

    // The busy bar grows inside a track of its full width.
    auto *track = new QWidget(frame);
    track->setFixedSize(1700 / kTwipsPerPixel + 1, 8);
    m_bar = new QFrame(track);
    m_bar->setObjectName(u"Shape1"_s);
    m_bar->setAutoFillBackground(true);
    QPalette palette = m_bar->palette();
    palette.setColor(QPalette::Window, QColor(0x00, 0x80, 0x00));
    m_bar->setPalette(palette);
    setBarTwips(kBarFullTwips);

    m_timer = new QTimer(this);
    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setInterval(10);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(u"URL:"_s, frame));
    top->addWidget(m_url, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_analyse);
    buttons->addWidget(m_export);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch(1);
    buttons->addWidget(track);
    auto *inner = new QVBoxLayout(frame);
    inner->addLayout(top);
    inner->addLayout(buttons);
    inner->addWidget(m_list, 1);
    inner->addWidget(m_status);
    auto *outer = new QVBoxLayout(client);
    outer->addWidget(frame);
    resize(560, 420);

    connect(m_url, &QLineEdit::textChanged, this, &LinkToolWindow::urlEdited);
    connect(m_url, &QLineEdit::returnPressed, this, &LinkToolWindow::startAnalysis);
    connect(m_analyse, &QPushButton::clicked, this, &LinkToolWindow::startAnalysis);
    connect(m_export, &QPushButton::clicked, this, &LinkToolWindow::startExport);
    connect(m_cancelButton, &QPushButton::clicked, this, &LinkToolWindow::stopRun);
    connect(m_timer, &QTimer::timeout, this, &LinkToolWindow::advanceBusyBar);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &LinkToolWindow::sortByColumn);
    connect(m_list, &QTreeView::doubleClicked, this, &LinkToolWindow::openSelectedLink);
}

void LinkToolWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(u"ファイル(&F)"_s);
    file->setObjectName(u"mnufile"_s);
    m_re = item(file, "mnufilere", u"リンク解析(&R)"_s);
    m_html = item(file, "mnufilehtml", u"HTML形式で保存(&H)"_s);
    separator(file, "mnufilehai1");
    QAction *end = item(file, "mnufileend", u"終了(&E)"_s);

    QMenu *view = menuBar()->addMenu(u"表示(&V)"_s);
    view->setObjectName(u"mnuvisi"_s);
    m_onTop = item(view, "mnuvisituneni", u"常に手前に表示(&M)"_s, true);
    m_endCheck = item(view, "mnuvisiendcheck", u"終了時確認する(&C)"_s, true);
    separator(view, "mnulinkhai1");
    item(view, "mnulinkoption", u"オプション(&O)...."_s); // does nothing

    QMenu *help = menuBar()->addMenu(u"ヘルプ(&H)"_s);
    help->setObjectName(u"mnuhelp"_s);
    item(help, "mnuhelphelp", u"ヘルプ(&H)"_s); // does nothing
    separator(help, "mnuhelphai1");
    QAction *version = item(help, "mnuhelpvertion", u"バージョン情報(&V)...."_s);

    connect(m_re, &QAction::triggered, this, &LinkToolWindow::startAnalysis);
    connect(m_html, &QAction::triggered, this, &LinkToolWindow::startExport);
    connect(end, &QAction::triggered, this, &QWidget::close);
    connect(m_onTop, &QAction::triggered, this, &LinkToolWindow::keepOnTop);
    offerWindowEffects(m_services.windows, {m_onTop});
    connect(m_endCheck, &QAction::triggered, this, &LinkToolWindow::setExitConfirmation);
    connect(version, &QAction::triggered, this, &LinkToolWindow::showAboutBox);
}

QAction *LinkToolWindow::menuItem(const QString &name) const
{
    return findChild<QAction *>(name);
}

void LinkToolWindow::loadSettings()
{
    m_url->setText(m_host.addressText());
    urlEdited(); // also for an empty address, which changes nothing
    m_timer->stop();
    if (readSetting(settingkeys::EndCM) == u"True") {
        m_endCheck->setChecked(true);
        m_exitConfirmation = u"True"_s;
    }
}

void LinkToolWindow::urlEdited()
{
    const linktool::UrlCheck check = linktool::checkUrl(m_url->text());
    const bool accepted = check == linktool::UrlCheck::Accepted;
    m_export->setEnabled(accepted);
    m_analyse->setEnabled(accepted);
    m_html->setEnabled(accepted);
    setStatus(linktool::urlCheckMessage(check));
}

void LinkToolWindow::setStatus(const QString &text)
{
    m_status->setText(text);
}

void LinkToolWindow::advanceBusyBar()
{
    setBarTwips(m_barTwips >= 1700 ? 0 : m_barTwips + 10);
}

void LinkToolWindow::setBarTwips(int twips)
{
    m_barTwips = twips;
    m_bar->setGeometry(0, 0, twips / kTwipsPerPixel, 8);
}

void LinkToolWindow::setRunning(bool running)
{
    m_running = running;
    m_url->setEnabled(!running);
    m_analyse->setEnabled(!running);
    m_export->setEnabled(!running);
    m_html->setEnabled(!running);
}

void LinkToolWindow::fetch(const QString &url, std::function<void(const platform::TransferResult &)> done)
{
    delete m_fetchContext.data();
    m_fetchContext = new QObject(this);
    m_fetchId = m_services.transfer.openUrl(QUrl(url), m_fetchContext, std::move(done));
}

void LinkToolWindow::startAnalysis()
{
    if (m_running)
        return; // the menu item stays enabled during a run; one run at a time
    const QString url = m_url->text();
    if (linktool::analysisRefuses(url)) {
        QPointer<LinkToolWindow> alive(this);
        m_services.dialogs.message(this, kRefusedPath, kTitle, MessageButtons::Ok, MessageIcon::None);
        if (alive)
            endRun(Run::Analysis);
        return;
    }
    m_timer->start();
    m_cancel = false;
    setStatus(url + u"のリンクを解析中"_s);
    m_model->clear();
    setRunning(true);
    fetch(url, [this](const platform::TransferResult &result) { analysisFetched(result); });
}

void LinkToolWindow::analysisFetched(const platform::TransferResult &result)
{
    // A failed fetch ends quietly with an empty list.
    if (result.ok())
        m_model->setEntries(linktool::scanAnchors(result.text, [this] { return m_cancel; }));
    endRun(Run::Analysis);
}

void LinkToolWindow::startExport()
{
    if (m_running)
        return;
    const QString url = m_url->text();
    QPointer<LinkToolWindow> alive(this);
    m_timer->start();
    if (linktool::exportRefuses(url)) {
        m_services.dialogs.message(this, kRefusedPath, kExportTitle, MessageButtons::Ok, MessageIcon::None);
        if (alive)
            endRun(Run::Export);
        return;
    }
    m_cancel = false;
    platform::FileDialogRequest request;
    request.title = u"作成リンク集の出力先"_s;
    request.overwritePrompt = true;
    request.filter = u"HTMLファイル(*.htm,*.html)|*.htm;*.html|すべてのファイル(*.*)|*.*|"_s;
    request.defaultExtension = u"htm"_s;
    // The page title may hold characters a file name cannot.
    request.fileName = platform::cleanFileName(m_host.pageTitle() + u"のリンク集"_s);
    const platform::FileDialogResult chosen = m_services.dialogs.saveFile(this, request);
    if (!alive)
        return;
    if (!chosen.accepted || chosen.path.isEmpty()) {
        // Nothing is fetched or written for a cancelled dialog.
        endRun(Run::Export);
        return;
    }
    const QString path = chosen.path;
    setStatus(url + u"のリンクをファイルに出力中"_s);
    setRunning(true);
    fetch(url, [this, url, path](const platform::TransferResult &result) { exportFetched(result, url, path); });
}

void LinkToolWindow::exportFetched(const platform::TransferResult &result, const QString &url, const QString &path)
{
    // The status line tells how the run ended; it never stays on "出力中".
    const auto failed = [this, &url](const QString &reason) {
        setStatus(url + kExportFailed.arg(reason));
        endRun(Run::Export);
    };
    const auto cancelled = [this, &url] {
        setStatus(url + u"のリンク出力を中止しました"_s);
        endRun(Run::Export);
    };
    if (m_cancel) {
        cancelled();
        return;
    }
    if (!result.ok()) {
        failed(result.errorMessage);
        return;
    }
    const std::optional<QString> document =
        linktool::buildLinkList(result.text, QFileInfo(path).fileName(), url, [this] { return m_cancel; });
    if (!document) {
        if (m_cancel)
            cancelled();
        else
            failed(u"リンクの終わりが見つかりません"_s);
        return;
    }
    // Into a temporary file, renamed into place: a failed write leaves any old file whole.
    QPointer<LinkToolWindow> alive(this);
    QString error;
    if (!platform::writeFileAtomically(path, linktool::encodeLinkList(*document), &error,
                                       {.access = platform::FileAccess::Document})) {
        m_services.dialogs.message(this, error, u"ゆらぎね"_s, MessageButtons::Ok, MessageIcon::None);
        if (alive)
            failed(error);
        return;
    }
    m_services.dialogs.message(this,
                               u"お待たせしました。\r\nファイルにリンクを出力完了です。\r\n\r\n出力ファイル："_s + path,
                               kExportTitle, MessageButtons::Ok, MessageIcon::None);
    if (!alive)
        return;
    setStatus(url + u"のリンクをファイルに出力完了"_s);
    endRun(Run::Export);
}

void LinkToolWindow::endRun(Run run)
{
    delete m_fetchContext.data();
    m_fetchId = 0;
    setRunning(false);
    m_timer->stop();
    setBarTwips(kBarFullTwips);
    if (run == Run::Analysis)
        setStatus(m_url->text() + u"のリンク解析終了"_s);
    Q_EMIT runEnded();
}

void LinkToolWindow::stopRun()
{
    m_cancel = true;
    // The fetch in flight ends now rather than when the page has come: the run stops
    // before its first anchor either way.
    if (m_fetchContext)
        m_services.transfer.abort(m_fetchId);
}

void LinkToolWindow::sortByColumn(int column)
{
    m_sortOrder = m_sortOrder == 0 ? 1 : 0;
    m_sortColumn = column;
    const Qt::SortOrder order = m_sortOrder == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    m_model->sort(m_sortColumn, order);
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(m_sortColumn, order);
}

void LinkToolWindow::openSelectedLink()
{
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const QString reference = m_model->entry(selected.first().row()).url;
    platform::BrowserComponent *browser = m_host.browser();
    if (!browser)
        return;
    // Against the URL box as it is now, not the address that was analysed. The page
    // wrote the entry: a script or a local address would run in the main window's page
    // or open the user's files.
    const QString target = linktool::resolveLink(m_url->text(), reference);
    if (!platform::isWebAddress(target)) {
        setStatus(kRefusedLink.arg(target.left(200)));
        return;
    }
    browser->navigate(target);
}

void LinkToolWindow::keepOnTop(bool checked)
{
    // The item's check mark has already flipped: on when the window goes on top.
    m_services.windows.setAlwaysOnTop(this, checked);
}

void LinkToolWindow::setExitConfirmation(bool checked)
{
    const QString value = convert::booleanText(checked);
    writeSetting(settingkeys::EndCM, value);
    m_exitConfirmation = value;
}

void LinkToolWindow::showAboutBox()
{
    showSingleWindow(m_about, [this] {
        // Parented to the window that opened the tool: the box outlives the tool's close
        // and goes with that window.
        QWidget *owner = m_host.dialogParent();
        return new LinkToolAboutBox(owner ? owner : this);
    });
}

void LinkToolWindow::closeEvent(QCloseEvent *event)
{
    if (m_exitConfirmation == u"True"
        && !m_services.dialogs.askYesNo(this, u"ツタノハProを閉じますか？"_s, u"閉じる"_s)) {
        event->ignore();
        return;
    }
    // A fetch in flight is dropped: its answer never reaches the closed window.
    delete m_fetchContext.data();
    m_timer->stop();
    m_running = false;
    event->accept();
}
