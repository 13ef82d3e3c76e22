// Layout, the bars, the menu bar, simple mode, the message bar and the view options.
#include "browser/form1.h"

#include "app/conversions.h"
#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "browser/addressbox.h"
#include "browser/languagedialog.h"
#include "platform/browsercomponent.h"
#include "sidebar/filelistview.h"

#include <QTreeView>

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString kWindow = QStringLiteral("Window");
constexpr int kTwips = layout::kTwipsPerPixel;

int px(int twips)
{
    return twips / kTwips;
}

QRect toPixels(const layout::Rect &r)
{
    return QRect(px(r.left), px(r.top), px(r.width), px(r.height));
}

struct Bar
{
    const char *frame;
    const char *item;
    const char *twin;
};

constexpr Bar kBars[] = {
    {"Frame1", "mnuVisiBottonURL", "mnuSimpleURL"},
    {"Frame2", "mnuVisiSidebar", "mnuSimpleSidebar"},
    {"Frame3", "mnuVisiStatusbar", "mnuSimpleState"},
};

} // namespace

layout::Input Form1::layoutInput() const
{
    layout::Input in;
    in.windowWidth = m_client->width() * kTwips;
    in.clientWidth = m_client->width() * kTwips;
    in.clientHeight = m_client->height() * kTwips;
    in.buttonBarVisible = !m_frame1->isHidden();
    in.sidebarVisible = !m_frame2->isHidden();
    in.statusBarVisible = !m_frame3->isHidden();
    in.sideW = Settings().SideW;
    in.buttonWidth = m_buttons.first()->width() * kTwips;
    in.lampWidth = m_lamp->width() * kTwips;
    in.tabClientTop = m_tabs->sizeHint().height() * kTwips;
    in.tabClientWidthMargin = 70; // the lists sit just inside the strip's edges
    in.tabClientHeightMargin = m_tabs->sizeHint().height() * kTwips + 40;
    return in;
}

void Form1::layoutWindow()
{
    const layout::Result out = layout::compute(layoutInput());
    if (out.buttonBar)
        m_frame1->setGeometry(toPixels(*out.buttonBar));
    if (out.sidebar)
        m_frame2->setGeometry(toPixels(*out.sidebar));
    if (out.statusBar)
        m_frame3->setGeometry(toPixels(*out.statusBar));
    if (out.page && m_browser)
        m_browser->widget()->setGeometry(toPixels(*out.page));
    if (out.addressWidth)
        m_address->resize(px(*out.addressWidth), m_address->height());
    if (out.tabStrip)
        m_tabs->setGeometry(0, 0, px(out.tabStrip->width), m_tabs->sizeHint().height());
    if (out.favorites) {
        const int top = px(out.favorites->top);
        const int width = px(out.tabStrip->width);
        const int height = px(out.tabStrip->height) - top;
        m_favorites->setGeometry(0, top, width, height);
        m_shellTree->setGeometry(0, top, width, height / 2);
        m_files->setGeometry(0, top + height / 2, width, height - height / 2);
    }
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

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layoutWindow();
}

bool Form1::writeWindowSetting(const QString &key, bool value)
{
    return WriteSetting(kWindow, key, convert::booleanText(value)) != 0;
}

void Form1::setMenusVisible(bool visible)
{
    for (QMenu *menu : std::as_const(m_topMenus))
        menu->menuAction()->setVisible(visible);
    menuBar()->setVisible(visible);
}

bool Form1::menusVisible() const
{
    return m_topMenus.first()->menuAction()->isVisible();
}

void Form1::toggleMenuBar()
{
    QAction *item = menuItem(QStringLiteral("mnuVisiWmenu"));
    const bool show = !item->isChecked();
    item->setChecked(show);
    menuItem(QStringLiteral("mnuSimpleMenu"))->setChecked(show);
    setMenusVisible(show);
    m_menuButton->setVisible(!show);
    layoutWindow();
    writeWindowSetting(QStringLiteral("Menu"), show);
}

void Form1::setFrameVisible(int frame, bool visible)
{
    const Bar &bar = kBars[frame - 1];
    menuItem(QString::fromLatin1(bar.item))->setChecked(visible);
    menuItem(QString::fromLatin1(bar.twin))->setChecked(visible);
    QFrame *frames[] = {m_frame1, m_frame2, m_frame3};
    frames[frame - 1]->setVisible(visible);
    layoutWindow();
    writeWindowSetting(QString::fromLatin1(bar.frame), visible);
}

void Form1::toggleBar(int frame)
{
    setFrameVisible(frame, !menuItem(QString::fromLatin1(kBars[frame - 1].item))->isChecked());
}

void Form1::chooseSideWidth(int sideW)
{
    const QString chosen = QStringLiteral("mnuVisiWS1%1").arg(sideW);
    if (!menuItem(chosen)->isChecked() || Settings().SideW != sideW) {
        for (int w = 5; w <= 7; ++w)
            menuItem(QStringLiteral("mnuVisiWS1%1").arg(w))->setChecked(w == sideW);
        WriteSetting(kWindow, QStringLiteral("SideW"), QString::number(sideW));
        Settings().SideW = std::int16_t(sideW);
    }
    layoutWindow();
}

void Form1::mnuVisihaiSinple_Click()
{
    const auto answer = m_services.dialogs.message(
        this,
        QStringLiteral("シンプルモードに移行します。\r\n\r\n・メニューの非表示\r\n・ナビゲートボタンとURL入力欄の非表示\r\n"
                       "・ステータスバーの非表示\r\n・NetscapeNavigetor専用タグ検出機能のオフ\r\n\r\nが実行されます。\r\nよろしいですか？"),
        QStringLiteral("シンプルモード"), platform::MessageButtons::YesNo, platform::MessageIcon::Information);
    if (answer != platform::MessageAnswer::Yes)
        return;
    menuItem(QStringLiteral("mnuVisiWmenu"))->setChecked(false);
    menuItem(QStringLiteral("mnuSimpleMenu"))->setChecked(false);
    setMenusVisible(false);
    m_menuButton->show();
    layoutWindow();
    writeWindowSetting(QStringLiteral("Menu"), false);
    setFrameVisible(1, false);
    setFrameVisible(3, false);
    WriteSetting(QStringLiteral("Data"), QStringLiteral("NSTag"), QStringLiteral("0"));
    Settings().NSTag = 0;
}

void Form1::mnuVisiManiaLang_Click()
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

void Form1::ShowMessageBar(const QString &message)
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

void Form1::HideMessageBar()
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

bool Form1::messageBarVisible() const
{
    return !m_messageClose->isHidden();
}

void Form1::wireCommands()
{
    auto on = [this](const char *name, auto handler) {
        connect(menuItem(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("mnuFileClose", [this] { close(); });
    on("mnuFileRestart", [this] {
        // The check mark only tells that the kept page was not reopened; keep it as it was.
        QAction *item = menuItem(QStringLiteral("mnuFileRestart"));
        item->setChecked(!item->isChecked());
        mnuFileRestart_Click();
    });
    on("mnuSimpleYEnd", [this] { mnuFileRestart_Click(); });
    on("mnuVisiWmenu", [this] {
        QAction *item = menuItem(QStringLiteral("mnuVisiWmenu"));
        item->setChecked(!item->isChecked()); // the command itself decides
        toggleMenuBar();
    });
    on("mnuSimpleMenu", [this] {
        QAction *item = menuItem(QStringLiteral("mnuSimpleMenu"));
        item->setChecked(!item->isChecked());
        toggleMenuBar();
    });
    for (int frame = 1; frame <= 3; ++frame) {
        for (const char *name : {kBars[frame - 1].item, kBars[frame - 1].twin}) {
            on(name, [this, frame, name] {
                QAction *item = menuItem(QString::fromLatin1(name));
                item->setChecked(!item->isChecked());
                toggleBar(frame);
            });
        }
    }
    for (int w = 5; w <= 7; ++w) {
        const QByteArray name = "mnuVisiWS1" + QByteArray::number(w);
        connect(menuItem(QString::fromLatin1(name)), &QAction::triggered, this, [this, w, name] {
            QAction *item = menuItem(QString::fromLatin1(name));
            item->setChecked(!item->isChecked());
            chooseSideWidth(w);
        });
    }
    struct Option
    {
        const char *item;
        const char *key;
        QString SettingsRecord::*field;
    };
    const Option options[] = {
        {"mnuVisiManiaEndC", "EndC", &SettingsRecord::EndC},
        {"mnuVisiManiaEndY", "EndY", &SettingsRecord::EndY},
        {"mnuVisiManiakuuhaku", "EndK", nullptr},
    };
    for (const Option &option : options) {
        on(option.item, [this, option] {
            const bool checked = menuItem(QString::fromLatin1(option.item))->isChecked();
            writeWindowSetting(QString::fromLatin1(option.key), checked);
            if (option.field)
                Settings().*option.field = convert::booleanText(checked);
        });
    }
    on("mnuVisihaiSinple", [this] { mnuVisihaiSinple_Click(); });
    on("mnuVisiManiaLang", [this] { mnuVisiManiaLang_Click(); });
    connect(m_menuButton, &QPushButton::clicked, this, &Form1::toggleMenuBar);
    connect(m_menuButton, &QPushButton::customContextMenuRequested, this, [this](const QPoint &at) {
        m_menuButton->setFocus();
        m_simpleMenu->popup(m_menuButton->mapToGlobal(at));
    });
    connect(m_messageClose, &QPushButton::clicked, this, &Form1::HideMessageBar);
    connect(m_sidebarButton, &QPushButton::clicked, this, &Form1::Command8_Click);
}

