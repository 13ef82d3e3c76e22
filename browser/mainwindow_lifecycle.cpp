// Loading the window, the reading session and the close request.
#include "browser/mainwindow.h"

#include "app/conversions.h"
#include "app/handover.h"
#include "app/navigation.h"
#include "app/settingsrecord.h"
#include "browser/navigationbar.h"
#include "browser/pagecommands.h"
#include "browser/statusarea.h"
#include "browser/viewoptions.h"
#include "memo/memopadwindow.h"
#include "platform/browsercomponent.h"
#include "sidebar/sidebarpanel.h"
#include "tools/toolmenus.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QPushButton>

namespace {

void checkFrom(QAction *item, const QString &text)
{
    if (const auto value = convert::toBoolean(text))
        item->setChecked(*value);
}

} // namespace

void MainWindow::load()
{
    const SettingsRecord &r = settingsRecord();
    restoreBars();
    // Geometry in twips; no width means maximized.
    if (r.FWidth != 0) {
        constexpr int twips = layout::kTwipsPerPixel;
        setGeometry(r.FLeft / twips, r.FTop / twips, r.FWidth / twips, r.FHeight / twips);
    } else {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    m_parts.viewOptions->restore();
    openFirstPage();
    m_parts.sidebar->load();
    const MainMenus &m = m_menus;
    m.view.sidebarFifth->setChecked(r.SideW == 5);
    m.view.sidebarSixth->setChecked(r.SideW == 6);
    m.view.sidebarSeventh->setChecked(r.SideW != 5 && r.SideW != 6);
    m_parts.pageCommands->restoreOffline();
    layoutWindow();
}

void MainWindow::restoreBars()
{
    SettingsRecord &r = settingsRecord();
    if (r.Menu.isEmpty())
        r.Menu = convert::booleanText(true);
    const MainMenus &m = m_menus;
    checkFrom(m.view.buttonBar, r.Frame1);
    checkFrom(m.simple.buttonBar, r.Frame1);
    checkFrom(m.view.sidebar, r.Frame2);
    checkFrom(m.simple.sidebar, r.Frame2);
    checkFrom(m.view.statusBar, r.Frame3);
    checkFrom(m.simple.statusBar, r.Frame3);
    checkFrom(m.view.menuBar, r.Menu);
    checkFrom(m.simple.menuBar, r.Menu);
    checkFrom(m.tools.blockList, r.koukoku);
    if (const auto shown = convert::toBoolean(r.Frame1))
        m_parts.navigation->setVisible(*shown);
    if (const auto shown = convert::toBoolean(r.Frame2))
        m_parts.sidebar->setVisible(*shown);
    if (const auto shown = convert::toBoolean(r.Frame3))
        m_parts.status->setVisible(*shown);
    if (const auto shown = convert::toBoolean(r.Menu))
        setMenusVisible(*shown);
    m_menuButton->setVisible(!convert::isExactly(r.Menu, u"True"));
}

// The command line, the hand-over file, the reading session's question, the start page.
void MainWindow::openFirstPage()
{
    const SettingsRecord &r = settingsRecord();
    const QString handOver = handover::readForStart(QDateTime::currentMSecsSinceEpoch());
    // An address taken is cleared, so that a later plain start does not open it again;
    // a new window's address comes on the command line as well.
    if (!handOver.isEmpty() && (m_commandLine.isEmpty() || m_commandLine == handOver))
        handover::clear();
    if (!m_browser)
        return;
    if (!m_commandLine.isEmpty()) {
        setAddressText(m_commandLine);
        m_browser->navigate(addressText());
    } else if (!handOver.isEmpty()) {
        m_browser->navigate(handOver);
    } else if (r.Yomikake.isEmpty()) {
        openStartPage();
    } else {
        const QString question =
            QStringLiteral("読みかけのページ情報があります。\r\n読みかけのページから開きますか？\r\nページタイトル : ")
            + r.YPage;
        if (m_services.dialogs.askYesNo(this, question, QStringLiteral("読みかけ終了"))) {
            setAddressText(r.Yomikake);
            m_browser->navigate(addressText());
            storeSetting(settingkeys::Yomikake, QString());
        } else {
            m_menus.file.keepPageAndQuit->setChecked(true);
            openStartPage();
        }
    }
}

void MainWindow::openStartPage()
{
    if (convert::isExactly(settingsRecord().EndK, u"False"))
        m_browser->goHome();
    else
        m_browser->navigate(QStringLiteral("about:blank"));
}

void MainWindow::keepReadingSession()
{
    storeSetting(settingkeys::YPage, pageTitle());
    storeSetting(settingkeys::Yomikake, storableAddress(addressText()));
}

void MainWindow::keepPageAndClose()
{
    keepReadingSession();
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    const SettingsRecord &r = settingsRecord();
    // The memo pad would lose unsaved text.
    if (memoPad()) {
        cancel = !m_services.dialogs.askYesNo(
            this, QStringLiteral("ふせっこが起動中です\r\nセーブしてないとデータが消えますが、終了しますか？"),
            QStringLiteral("終了"));
    }
    // The exit question.
    if (!cancel && convert::isExactly(r.EndC, u"True"))
        cancel = !m_services.dialogs.askYesNo(this, QStringLiteral("ゆらぎねを終了しますか？"), QStringLiteral("終了"));
    // The memo pad keeps its backup; the user has just agreed to its closing, so it
    // does not ask again
    if (!cancel && convert::isExactly(r.EndY, u"True"))
        keepReadingSession();
    if (!cancel && memoPad())
        memoPad()->closeForExit();
    // Also when cancelled.
    writeGeometry();
    handover::clear();

    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT unloaded();
}

void MainWindow::writeGeometry()
{
    constexpr int twips = layout::kTwipsPerPixel;
    if (isMaximized() || isMinimized()) {
        storeSetting(settingkeys::FWidth, QStringLiteral("0"));
        storeSetting(settingkeys::FHeight, QStringLiteral("0"));
        return;
    }
    const QRect frame = geometry();
    storeSetting(settingkeys::FWidth, QString::number(frame.width() * twips));
    storeSetting(settingkeys::FHeight, QString::number(frame.height() * twips));
    storeSetting(settingkeys::FLeft, QString::number(frame.x() * twips));
    storeSetting(settingkeys::FTop, QString::number(frame.y() * twips));
}

void endProcessWithWindow(MainWindow &window)
{
    QObject::connect(
        &window, &MainWindow::unloaded, QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
}

void showStartupWindows(MainWindow &window, bool firstRunDue)
{
    window.load();
    window.show();
    if (firstRunDue)
        window.openFirstRunDialog();
}

void MainWindow::openFirstRunDialog()
{
    m_parts.tools->openFirstRunDialog();
}
