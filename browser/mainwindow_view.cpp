// Layout, the bars, the menu bar, simple mode, the message bar and the view options.
#include "browser/mainwindow.h"

#include "app/conversions.h"
#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "app/sharedprocs.h"
#include "app/windowtranslucency.h"
#include "blocking/persistfile.h"
#include "browser/addressbox.h"
#include "browser/languagedialog.h"
#include "platform/browsercomponent.h"
#include "sidebar/sidebarpanel.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
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
    QFrame *frame;
    QAction *item;
    QAction *twin;
    SettingKey key;
};

MainWindow::Bar MainWindow::bar(int frame) const
{
    const MainMenus &m = m_menus;
    switch (frame) {
    case 1:
        return {m_frame1, m.view.buttonBar, m.simple.buttonBar, settingkeys::Frame1};
    case 2:
        return {m_sidebar, m.view.sidebar, m.simple.sidebar, settingkeys::Frame2};
    default:
        return {m_frame3, m.view.statusBar, m.simple.statusBar, settingkeys::Frame3};
    }
}

layout::Input MainWindow::layoutInput() const
{
    layout::Input in;
    in.windowWidth = m_client->width() * kTwips;
    in.clientWidth = m_client->width() * kTwips;
    in.clientHeight = m_client->height() * kTwips;
    in.buttonBarVisible = !m_frame1->isHidden();
    in.sidebarVisible = !m_sidebar->isHidden();
    in.statusBarVisible = !m_frame3->isHidden();
    in.sideW = Settings().SideW;
    in.buttonWidth = m_buttons.first()->width() * kTwips;
    in.lampWidth = m_lamp->width() * kTwips;
    in.tabClientTop = m_sidebar->tabStripHeight() * kTwips;
    in.tabClientWidthMargin = 70; // the lists sit just inside the strip's edges
    in.tabClientHeightMargin = m_sidebar->tabStripHeight() * kTwips + 40;
    return in;
}

void MainWindow::layoutWindow()
{
    const layout::Result out = layout::compute(layoutInput());
    if (out.buttonBar)
        m_frame1->setGeometry(layout::pixels(*out.buttonBar));
    m_sidebar->arrange(out);
    if (out.statusBar)
        m_frame3->setGeometry(layout::pixels(*out.statusBar));
    if (out.page && m_browser)
        m_browser->widget()->setGeometry(layout::pixels(*out.page));
    if (out.addressWidth)
        m_address->resize(px(*out.addressWidth), m_address->height());
    if (out.statusWidth) {
        // The status text fills what the buttons on the right leave.
        const int height = m_frame3->height();
        m_progress->setGeometry(px(*out.statusWidth) - 80, 3, 75, qMax(0, height - 6));
        m_pageIcon->setGeometry(px(*out.statusWidth) - 100, 0, 16, height);
        m_sidebarButton->setGeometry(px(*out.statusWidth) - 175, 0, 70, height);
        m_status->setGeometry(4, 0, qMax(0, px(*out.statusWidth) - 180), height);
    }
    if (out.menuButtonLeft && out.menuButtonTop)
        m_menuButton->move(px(*out.menuButtonLeft), px(*out.menuButtonTop));
    m_menuButton->raise();
    // The page height above leaves no room for the message bar.
    m_messageClose->hide();
    m_messageLabel->hide();
    m_messageLabel->clear();
}

// The layout follows the client area, which is what changes when the window is resized
// and when the menu bar comes or goes.
bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        layoutWindow();
    if (watched == m_pageIcon && event->type() == QEvent::MouseButtonRelease)
        m_menus.file.properties->trigger();
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

bool MainWindow::menusVisible() const
{
    return m_menus.topMenus.first()->menuAction()->isVisible();
}

void MainWindow::toggleMenuBar()
{
    const bool show = !m_menus.view.menuBar->isChecked();
    m_menus.view.menuBar->setChecked(show);
    m_menus.simple.menuBar->setChecked(show);
    setMenusVisible(show);
    m_menuButton->setVisible(!show);
    layoutWindow();
    StoreSetting(settingkeys::Menu, convert::booleanText(show));
}

void MainWindow::setFrameVisible(int frame, bool visible)
{
    const Bar b = bar(frame);
    b.item->setChecked(visible);
    b.twin->setChecked(visible);
    b.frame->setVisible(visible);
    layoutWindow();
    StoreSetting(b.key, convert::booleanText(visible));
}

void MainWindow::toggleSidebar()
{
    const bool show = m_sidebar->isHidden();
    if (show)
        m_sidebar->showSelectedTab();
    setFrameVisible(2, show);
}

void MainWindow::toggleBar(int frame)
{
    setFrameVisible(frame, !bar(frame).item->isChecked());
}

void MainWindow::chooseSideWidth(int sideW)
{
    QAction *const widths[] = {m_menus.view.sidebarFifth, m_menus.view.sidebarSixth, m_menus.view.sidebarSeventh};
    if (!widths[sideW - 5]->isChecked() || Settings().SideW != sideW) {
        for (int w = 5; w <= 7; ++w)
            widths[w - 5]->setChecked(w == sideW);
        StoreSetting(settingkeys::SideW, QString::number(sideW));
    }
    layoutWindow();
}

void MainWindow::enterSimpleMode()
{
    if (!m_services.dialogs.askYesNo(
            this,
            QStringLiteral("シンプルモードに移行します。\r\n\r\n・メニューの非表示\r\n・ナビゲートボタンとURL入力欄の非表示\r\n"
                           "・ステータスバーの非表示\r\n・NetscapeNavigetor専用タグ検出機能のオフ\r\n\r\nが実行されます。\r\nよろしいですか？"),
            QStringLiteral("シンプルモード"), platform::MessageIcon::Information))
        return;
    m_menus.view.menuBar->setChecked(false);
    m_menus.simple.menuBar->setChecked(false);
    setMenusVisible(false);
    m_menuButton->show();
    layoutWindow();
    StoreSetting(settingkeys::Menu, convert::booleanText(false));
    setFrameVisible(1, false);
    setFrameVisible(3, false);
    StoreSetting(settingkeys::NSTag, QStringLiteral("0"));
}

void MainWindow::chooseLanguages()
{
    QStringList current = languages::languagesFromHeader(languages::stored(m_services.registry));
    if (current.isEmpty())
        current = {QStringLiteral("ja")};
    QPointer<LanguageDialog> dialog = new LanguageDialog(current, this);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return;
    const QString header = languages::acceptLanguageHeader(dialog->languages());
    delete dialog.data();
    if (!accepted)
        return;
    languages::store(m_services.registry, header);
    m_services.browsers.setAcceptLanguage(header);
}

void MainWindow::ShowMessageBar(const QString &message)
{
    if (m_messageClose->isHidden() && m_browser) {
        QWidget *page = m_browser->widget();
        const int barHeight = px(layout::kMessageBarHeight);
        page->resize(page->width(), page->height() - barHeight);
        m_messageClose->setGeometry(page->x(), page->y() + page->height(), m_messageClose->sizeHint().width(), barHeight);
        m_messageClose->show();
        m_messageLabel->setGeometry(page->x() + m_messageClose->width(), m_messageClose->y(),
                                    page->width() - m_messageClose->width(), barHeight);
        m_messageLabel->show();
    }
    m_messageLabel->setText(message);
}

void MainWindow::HideMessageBar()
{
    if (m_messageClose->isHidden())
        return;
    if (m_browser) {
        QWidget *page = m_browser->widget();
        page->resize(page->width(), page->height() + px(layout::kMessageBarHeight));
    }
    m_messageClose->hide();
    m_messageLabel->hide();
    m_messageLabel->clear();
}

bool MainWindow::messageBarVisible() const
{
    return !m_messageClose->isHidden();
}

void MainWindow::wireCommands()
{
    const MainMenus &m = m_menus;
    auto on = [this](QAction *item, auto handler) { connect(item, &QAction::triggered, this, handler); };
    auto command = [this](QAction *item, auto handler) { onCheckable(item, handler); };
    on(m.file.quit, [this] { close(); });
    // The check mark only tells that the kept page was not reopened; keep it as it was.
    command(m.file.keepPageAndQuit, [this] { keepPageAndClose(); });
    on(m.simple.keepPageAndQuit, [this] { keepPageAndClose(); });
    command(m.view.menuBar, [this] { toggleMenuBar(); });
    command(m.simple.menuBar, [this] { toggleMenuBar(); });
    for (int frame = 1; frame <= 3; ++frame) {
        command(bar(frame).item, [this, frame] { toggleBar(frame); });
        command(bar(frame).twin, [this, frame] { toggleBar(frame); });
    }
    command(m.view.sidebarFifth, [this] { chooseSideWidth(5); });
    command(m.view.sidebarSixth, [this] { chooseSideWidth(6); });
    command(m.view.sidebarSeventh, [this] { chooseSideWidth(7); });
    const std::pair<QAction *, SettingKey> options[] = {
        {m.view.confirmExit, settingkeys::EndC},
        {m.view.alwaysKeepPage, settingkeys::EndY},
        {m.view.blankAtStart, settingkeys::EndK},
    };
    for (const auto &[item, key] : options)
        on(item, [item, key] { StoreSetting(key, convert::booleanText(item->isChecked())); });
    on(m.view.simpleMode, [this] { enterSimpleMode(); });
    QAction *const textSizes[] = {m.view.textSmallest, m.view.textSmaller, m.view.textMedium, m.view.textLarger, m.view.textLargest};
    for (int size = 0; size < 5; ++size)
        on(textSizes[size], [this, size] { if (m_browser) m_browser->setTextSize(platform::TextSize(size)); });
    command(m.view.alwaysOnTop, [this] { toggleAlwaysOnTop(); });
    command(m.view.translucent, [this] { toggleTranslucency(); });
    OfferWindowEffects(m_services.windows, {m_menus.view.alwaysOnTop, m_menus.view.translucent});
    on(m.view.source, [this] { showPageSource(); });
    command(m.tools.reloadEvery30, [this, item = m.tools.reloadEvery30] { chooseAutoReload(item); });
    command(m.tools.reloadEvery60, [this, item = m.tools.reloadEvery60] { chooseAutoReload(item); });
    connect(m_reloadTimer, &QTimer::timeout, this, [this] { if (m_browser) m_browser->reload(); });
    on(m.view.languages, [this] { chooseLanguages(); });
    connect(m_menuButton, &QPushButton::clicked, this, &MainWindow::toggleMenuBar);
    connect(m_menuButton, &QPushButton::customContextMenuRequested, this, [this](const QPoint &at) {
        m_menuButton->setFocus();
        m_menus.simple.menu->popup(m_menuButton->mapToGlobal(at));
    });
    connect(m_messageClose, &QPushButton::clicked, this, &MainWindow::HideMessageBar);
    connect(m_sidebarButton, &QPushButton::clicked, this, &MainWindow::toggleSidebar);
}

void MainWindow::onCheckable(QAction *item, std::function<void()> handler)
{
    connect(item, &QAction::triggered, this, [item, handler = std::move(handler)] {
        item->setChecked(!item->isChecked()); // undo Qt's own toggle
        handler();
    });
}

void MainWindow::toggleAlwaysOnTop()
{
    QAction *item = m_menus.view.alwaysOnTop;
    const bool onTop = !item->isChecked();
    m_services.windows.setAlwaysOnTop(this, onTop);
    item->setChecked(onTop);
    StoreSetting(settingkeys::Windowfoward, convert::booleanText(onTop));
}

void MainWindow::toggleTranslucency()
{
    QAction *item = m_menus.view.translucent;
    if (item->isChecked()) {
        StoreSetting(settingkeys::EXSTYLE, QStringLiteral("0"));
        SetWindowTranslucency(m_services.windows, this, 255);
        item->setChecked(false);
        return;
    }
    StoreSetting(settingkeys::EXSTYLE, QStringLiteral("1"));
    // Read from the file: the first-run dialog may have changed it since start-up.
    QString value = ReadSetting(settingkeys::EXSTYLEValue);
    if (value.isEmpty()) {
        value = QStringLiteral("150");
        StoreSetting(settingkeys::EXSTYLEValue, value);
    }
    const std::optional<std::int16_t> opacity = convert::toInteger16(value);
    if (opacity == 255)
        ShowMessageBar(QStringLiteral("透明度が255に設定されているので、変化しません。"));
    if (opacity && *opacity >= 0 && *opacity <= 255)
        SetWindowTranslucency(m_services.windows, this, *opacity);
    item->setChecked(true);
}

void MainWindow::chooseAutoReload(QAction *item)
{
    const MainMenus &m = m_menus;
    const bool thirty = item == m.tools.reloadEvery30;
    if (item->isChecked()) {
        item->setChecked(false);
        m_reloadTimer->stop();
    } else {
        item->setChecked(true);
        m_reloadTimer->setInterval(thirty ? 30'000 : 60'000);
        m_reloadTimer->start();
        (thirty ? m.tools.reloadEvery60 : m.tools.reloadEvery30)->setChecked(false);
    }
    StoreSetting(thirty ? settingkeys::AutoRe30 : settingkeys::AutoRe60, convert::booleanText(item->isChecked()));
}

void MainWindow::showPageSource()
{
    if (!m_browser)
        return;
    QPointer<MainWindow> self(this);
    m_browser->pageInfo([self](const platform::PageInfo &info) {
        // Pictures, PDF files and the empty window have no source to show.
        const QString &type = info.contentType;
        if (!self || !(type.startsWith(u"text/") || type.endsWith(u"xml")))
            return;
        const QString path = ProgramFolder() + QStringLiteral("TEST.HTM");
        auto failed = [self] { self->ShowMessageBar(QStringLiteral("文字コードの変換に失敗しました。")); };
        try {
            PersistFile persist;
            persist.SetObject(self->m_browser);
            persist.Save(path, true, [self, path, failed](int code) {
                if (!self)
                    return;
                if (code != 0)
                    return failed();
                QString text = ReadWholeFile(path);
                if (text.isEmpty())
                    return failed();
                text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                text.replace(u'\r', u'\n');
                text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
                self->openMemoPad().setMemoText(text);
            });
        } catch (const PersistError &) {
            failed();
        }
    });
}
