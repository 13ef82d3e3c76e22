// Loading the window, the reading session and the close request.
#include "browser/mainwindow.h"

#include "app/conversions.h"
#include "app/handover.h"
#include "app/navigation.h"
#include "app/settingsrecord.h"
#include "app/windowtranslucency.h"
#include "platform/browsercomponent.h"
#include "sidebar/sidebarpanel.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {

void checkFrom(QAction *item, const QString &text)
{
    if (const auto value = convert::toBoolean(text))
        item->setChecked(*value);
}

} // namespace

void MainWindow::load()
{
    SettingsRecord &r = Settings();
    // 1-4: bars, menus and their check marks
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
    if (const auto shown = convert::toBoolean(r.Frame1))
        m_frame1->setVisible(*shown);
    if (const auto shown = convert::toBoolean(r.Frame2))
        m_sidebar->setVisible(*shown);
    if (const auto shown = convert::toBoolean(r.Frame3))
        m_frame3->setVisible(*shown);
    if (const auto shown = convert::toBoolean(r.Menu))
        setMenusVisible(*shown);
    // 5
    m_menuButton->setVisible(!convert::isExactly(r.Menu, u"True"));
    // 6
    checkFrom(m.view.confirmExit, r.EndC);
    checkFrom(m.view.alwaysKeepPage, r.EndY);
    checkFrom(m.view.blankAtStart, r.EndK);
    checkFrom(m.tools.reloadEvery30, r.AutoRe30);
    checkFrom(m.tools.reloadEvery60, r.AutoRe60);
    checkFrom(m.tools.blockList, r.koukoku);
    // 7: geometry in twips; no width means maximized
    if (r.FWidth != 0) {
        constexpr int twips = layout::kTwipsPerPixel;
        setGeometry(r.FLeft / twips, r.FTop / twips, r.FWidth / twips, r.FHeight / twips);
    } else {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    // 8
    if (convert::isExactly(r.Windowfoward, u"True")) {
        m_services.windows.setAlwaysOnTop(this, true);
        m.view.alwaysOnTop->setChecked(true);
    }
    // 9, 10: the first page
    const QString handOver = handover::read();
    // An address taken is cleared, so that a later plain start does not open it again;
    // a new window's address comes on the command line as well.
    if (!handOver.isEmpty() && (m_commandLine.isEmpty() || m_commandLine == handOver))
        handover::clear();
    if (m_browser) {
        if (!m_commandLine.isEmpty()) {
            setAddressText(m_commandLine);
            m_browser->navigate(addressText());
        } else if (!handOver.isEmpty()) {
            m_browser->navigate(handOver);
        } else if (r.Yomikake.isEmpty()) {
            openStartPage();
        } else {
            const QString question = QStringLiteral("読みかけのページ情報があります。\r\n読みかけのページから開きますか？\r\nページタイトル : ")
                + r.YPage;
            if (m_services.dialogs.askYesNo(this, question, QStringLiteral("読みかけ終了"))) {
                setAddressText(r.Yomikake);
                m_browser->navigate(addressText());
                StoreSetting(settingkeys::Yomikake, QString());
            } else {
                m.file.keepPageAndQuit->setChecked(true);
                openStartPage();
            }
        }
    }
    // 11, 12
    m_sidebar->load();
    // 13
    m.view.sidebarFifth->setChecked(r.SideW == 5);
    m.view.sidebarSixth->setChecked(r.SideW == 6);
    m.view.sidebarSeventh->setChecked(r.SideW != 5 && r.SideW != 6);
    // 14: offline state as the Internet settings keep it
    const bool offline = m_services.registry.readStringValue(
                             platform::registry::CurrentUser,
                             platform::registry::InternetSettings.toString(),
                             QStringLiteral("GlobalUserOffline"))
        == u"1";
    m.file.offline->setChecked(offline);
    if (m_browser)
        m_browser->setOffline(offline);
    // 15: a restored reload mark reloads at its own interval; 30 seconds wins a tie
    if (m.tools.reloadEvery30->isChecked())
        m.tools.reloadEvery60->setChecked(false);
    if (m.tools.reloadEvery30->isChecked() || m.tools.reloadEvery60->isChecked()) {
        m_reloadTimer->setInterval(m.tools.reloadEvery30->isChecked() ? 30'000 : 60'000);
        m_reloadTimer->start();
    }
    // 16
    if (convert::isExactly(Settings().EXSTYLE, u"1")) {
        const auto opacity = convert::toInteger16(Settings().EXSTYLEValue);
        SetWindowTranslucency(m_services.windows, this, opacity ? *opacity : 255);
        m.view.translucent->setChecked(true);
    } else {
        m.view.translucent->setChecked(false);
    }
    layoutWindow();
}

void MainWindow::openStartPage()
{
    if (convert::isExactly(Settings().EndK, u"False"))
        m_browser->goHome();
    else
        m_browser->navigate(QStringLiteral("about:blank"));
}

void MainWindow::keepReadingSession()
{
    StoreSetting(settingkeys::YPage, pageTitle());
    StoreSetting(settingkeys::Yomikake, StorableAddress(addressText()));
}

void MainWindow::keepPageAndClose()
{
    keepReadingSession();
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    const SettingsRecord &r = Settings();
    // 1: the memo pad would lose unsaved text
    if (m_memo) {
        cancel = !m_services.dialogs.askYesNo(
            this, QStringLiteral("ふせっこが起動中です\r\nセーブしてないとデータが消えますが、終了しますか？"),
            QStringLiteral("終了"));
    }
    // 2
    if (!cancel && convert::isExactly(r.EndC, u"True"))
        cancel = !m_services.dialogs.askYesNo(this, QStringLiteral("ゆらぎねを終了しますか？"), QStringLiteral("終了"));
    // 3, 4: the memo pad keeps its backup; the user has just agreed to its closing, so it
    // does not ask again
    if (!cancel && convert::isExactly(r.EndY, u"True"))
        keepReadingSession();
    if (!cancel && m_memo)
        m_memo->closeForExit();
    // 5, 6: also when cancelled
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
        StoreSetting(settingkeys::FWidth, QStringLiteral("0"));
        StoreSetting(settingkeys::FHeight, QStringLiteral("0"));
        return;
    }
    const QRect frame = geometry();
    StoreSetting(settingkeys::FWidth, QString::number(frame.width() * twips));
    StoreSetting(settingkeys::FHeight, QString::number(frame.height() * twips));
    StoreSetting(settingkeys::FLeft, QString::number(frame.x() * twips));
    StoreSetting(settingkeys::FTop, QString::number(frame.y() * twips));
}

void EndProcessWithWindow(MainWindow &window)
{
    QObject::connect(&window, &MainWindow::unloaded, QCoreApplication::instance(),
                     [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void ShowStartupWindows(MainWindow &window, bool firstRunDue)
{
    window.load();
    window.show();
    if (firstRunDue)
        window.openFirstRunDialog();
}
