// Loading the window, the reading session and the close request.
#include "browser/form1.h"

#include "app/conversions.h"
#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "app/sharedprocs.h"
#include "app/windowtranslucency.h"
#include "browser/addressbox.h"
#include "platform/browsercomponent.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString kWindow = QStringLiteral("Window");
const QString kData = QStringLiteral("Data");
const QString kHandOverFile = QStringLiteral("urldata.ini");

void checkFrom(QAction *item, const QString &text)
{
    if (const auto value = convert::toBoolean(text))
        item->setChecked(*value);
}

// The hand-over address: the file's text up to its first line end.
QString handOverAddress()
{
    const QString text = ReadWholeFile(ProgramFolder() + kHandOverFile);
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
    return end < 0 ? text : text.left(end);
}

} // namespace

void Form1::Form_Load()
{
    SettingsRecord &r = Settings();
    // 1-4: bars, menus and their check marks
    if (r.Menu.isEmpty())
        r.Menu = convert::booleanText(true);
    checkFrom(menuItem(QStringLiteral("mnuVisiBottonURL")), r.Frame1);
    checkFrom(menuItem(QStringLiteral("mnuSimpleURL")), r.Frame1);
    checkFrom(menuItem(QStringLiteral("mnuVisiSidebar")), r.Frame2);
    checkFrom(menuItem(QStringLiteral("mnuSimpleSidebar")), r.Frame2);
    checkFrom(menuItem(QStringLiteral("mnuVisiStatusbar")), r.Frame3);
    checkFrom(menuItem(QStringLiteral("mnuSimpleState")), r.Frame3);
    checkFrom(menuItem(QStringLiteral("mnuVisiWmenu")), r.Menu);
    checkFrom(menuItem(QStringLiteral("mnuSimpleMenu")), r.Menu);
    if (const auto shown = convert::toBoolean(r.Frame1))
        m_frame1->setVisible(*shown);
    if (const auto shown = convert::toBoolean(r.Frame2))
        m_frame2->setVisible(*shown);
    if (const auto shown = convert::toBoolean(r.Frame3))
        m_frame3->setVisible(*shown);
    if (const auto shown = convert::toBoolean(r.Menu))
        setMenusVisible(*shown);
    // 5
    m_menuButton->setVisible(!convert::isExactly(r.Menu, u"True"));
    // 6
    checkFrom(menuItem(QStringLiteral("mnuVisiManiaEndC")), r.EndC);
    checkFrom(menuItem(QStringLiteral("mnuVisiManiaEndY")), r.EndY);
    checkFrom(menuItem(QStringLiteral("mnuVisiManiakuuhaku")), r.EndK);
    checkFrom(menuItem(QStringLiteral("mnuToolAutoRe30")), r.AutoRe30);
    checkFrom(menuItem(QStringLiteral("mnuToolAutoRe60")), r.AutoRe60);
    checkFrom(menuItem(QStringLiteral("mnuToolSecuNocom")), r.koukoku);
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
        menuItem(QStringLiteral("mnuVisiWindowfoward"))->setChecked(true);
    }
    // 9, 10: the first page
    const QString handOver = handOverAddress();
    if (m_browser) {
        if (!m_commandLine.isEmpty()) {
            setAddressText(m_commandLine);
            m_browser->Navigate2(addressText());
        } else if (!handOver.isEmpty()) {
            m_browser->Navigate2(handOver);
        } else if (r.Yomikake.isEmpty()) {
            openStartPage();
        } else {
            const QString question = QStringLiteral("読みかけのページ情報があります。\r\n読みかけのページから開きますか？\r\nページタイトル : ")
                + r.YPage;
            const auto answer = m_services.dialogs.message(this, question, QStringLiteral("読みかけ終了"),
                                                           platform::MessageButtons::YesNo,
                                                           platform::MessageIcon::Question);
            if (answer == platform::MessageAnswer::Yes) {
                setAddressText(r.Yomikake);
                m_browser->Navigate2(addressText());
                WriteSetting(kData, QStringLiteral("Yomikake"), QString());
            } else {
                menuItem(QStringLiteral("mnuFileRestart"))->setChecked(true);
                openStartPage();
            }
        }
    }
    // 11, 12
    BuildFavoritesTree(r.FavoritesFolder);
    if (QTreeWidgetItem *root = m_favorites->topLevelItem(0))
        m_favorites->setCurrentItem(root);
    m_tabs->setTabText(0, QStringLiteral("お気に入り"));
    if (m_tabs->count() < 2)
        m_tabs->addTab(QStringLiteral("ﾌｧｲﾙ"));
    m_tabs->setCurrentIndex(0);
    // 13
    const QString width = r.SideW == 5 ? QStringLiteral("mnuVisiWS15")
        : r.SideW == 6 ? QStringLiteral("mnuVisiWS16") : QStringLiteral("mnuVisiWS17");
    for (const QString &name : {QStringLiteral("mnuVisiWS15"), QStringLiteral("mnuVisiWS16"), QStringLiteral("mnuVisiWS17")})
        menuItem(name)->setChecked(name == width);
    // 14: offline state as the Internet settings keep it
    const auto key = m_services.registry.openKey(
        platform::registry::CurrentUser,
        QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"));
    const bool offline = key && m_services.registry.readString(key, QStringLiteral("GlobalUserOffline")) == u"1";
    if (key)
        m_services.registry.closeKey(key);
    menuItem(QStringLiteral("mnuFileOffline"))->setChecked(offline);
    if (m_browser)
        m_browser->setOffline(offline);
    // 15: the parent item is never checked, so the reload timer stays off at start
    if (menuItem(QStringLiteral("mnuToolAutoRe"))->isChecked())
        m_reloadTimer->start();
    // 16
    if (convert::isExactly(Settings().EXSTYLE, u"1")) {
        const auto opacity = convert::toInteger16(Settings().EXSTYLEValue);
        SetWindowTranslucency(m_services.windows, this, opacity ? *opacity : 255);
        menuItem(QStringLiteral("mnuVisiWindowEXstyle"))->setChecked(true);
    } else {
        menuItem(QStringLiteral("mnuVisiWindowEXstyle"))->setChecked(false);
    }
    layoutWindow();
}

void Form1::openStartPage()
{
    if (convert::isExactly(Settings().EndK, u"False"))
        m_browser->GoHome();
    else
        m_browser->Navigate2(QStringLiteral("about:blank"));
}

void Form1::keepReadingSession()
{
    WriteSetting(kData, QStringLiteral("YPage"), m_browser ? m_browser->LocationName() : QString());
    WriteSetting(kData, QStringLiteral("Yomikake"), addressText());
}

void Form1::mnuFileRestart_Click()
{
    keepReadingSession();
    close();
}

void Form1::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    const SettingsRecord &r = Settings();
    // 1: the memo pad would lose unsaved text
    if (menuItem(QStringLiteral("mnuToolFusekko"))->isChecked()) {
        const auto answer = m_services.dialogs.message(
            this, QStringLiteral("ふせっこが起動中です\r\nセーブしてないとデータが消えますが、終了しますか？"),
            QStringLiteral("終了"), platform::MessageButtons::YesNo, platform::MessageIcon::Question);
        cancel = answer != platform::MessageAnswer::Yes;
    }
    // 2
    if (!cancel && convert::isExactly(r.EndC, u"True")) {
        const auto answer = m_services.dialogs.message(this, QStringLiteral("ゆらぎねを終了しますか？"),
                                                       QStringLiteral("終了"), platform::MessageButtons::YesNo,
                                                       platform::MessageIcon::Question);
        cancel = answer != platform::MessageAnswer::Yes;
    }
    // 3, 4: no other window closes with this one yet, so the reading session is kept
    // right away
    if (!cancel && convert::isExactly(r.EndY, u"True"))
        keepReadingSession();
    // 5, 6: also when cancelled
    writeGeometry();
    emptyHandOverFile();

    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT unloaded();
}

void Form1::writeGeometry()
{
    constexpr int twips = layout::kTwipsPerPixel;
    if (isMaximized() || isMinimized()) {
        WriteSetting(kWindow, QStringLiteral("FWidth"), QStringLiteral("0"));
        WriteSetting(kWindow, QStringLiteral("FHeight"), QStringLiteral("0"));
        return;
    }
    const QRect frame = geometry();
    WriteSetting(kWindow, QStringLiteral("FWidth"), QString::number(frame.width() * twips));
    WriteSetting(kWindow, QStringLiteral("FHeight"), QString::number(frame.height() * twips));
    WriteSetting(kWindow, QStringLiteral("FLeft"), QString::number(frame.x() * twips));
    WriteSetting(kWindow, QStringLiteral("FTop"), QString::number(frame.y() * twips));
}

void Form1::emptyHandOverFile()
{
    QSaveFile file(ProgramFolder() + kHandOverFile);
    if (file.open(QIODevice::WriteOnly) && file.write("\r\n") == 2)
        file.commit();
}
