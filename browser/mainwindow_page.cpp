// The page commands of the File and Edit menus and their simple-mode twins.
#include "browser/mainwindow.h"

#include "app/settingsstore.h"
#include "platform/browsercomponent.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

const QString kNoPage = u"表示されているページがありません。"_s;
const QString kLocalFileFilter =
    u"読み込み可能ファイル|*.htm;*.html;*.txt;*.mht;*.gif;*.jpeg;*.jpg;*.jpe;*.png;*.swf|"_s
    u"HTMLファイル(*.htm,*.html,*.mht)|*.htm;*.html;*.mht|テキスト(*.txt)|*.txt|"_s
    u"メディア(*.gif,*.jpeg,*.jpg,*.png,*.swf)|*.gif;*.jpeg;*.jpg;*.png;*.swf|すべてのファイル(*.*)|*.*|"_s;
const QString kPrintFailed = u"印刷できませんでした。"_s;

} // namespace

void MainWindow::wirePageCommands()
{
    using B = platform::BrowserComponent;
    const MainMenus &m = m_menus;
    // Each command with its simple-mode twin, where it has one.
    auto on = [this](std::initializer_list<QAction *> items, auto handler) {
        for (QAction *item : items)
            connect(item, &QAction::triggered, this, handler);
    };
    on({m.file.newWindow, m.simple.newWindow}, [this] { m_services.processes.startSelf({}); });
    on({m.file.openInSystemBrowser}, [this] {
        if (m_browser)
            m_browser->openInSystemBrowser();
    });
    on({m.file.openLocalFile, m.simple.openLocalFile}, [this] { openLocalFile(); });
    on({m.file.savePage, m.simple.savePage}, [this] { pageCommand(&B::saveAs, kNoPage); });
    on({m.file.pageSetup}, [this] { pageCommand(&B::pageSetup, u"プリンタが設定されていません。"_s); });
    on({m.file.print}, [this] { pageCommand(&B::print, kPrintFailed); });
    on({m.file.printPreview, m.simple.printPreview}, [this] {
        pageCommand(&B::printPreview, u"印刷プレビューが使用できません。IEをVer5.5以降にバージョンアップしてください。"_s);
    });
    on({m.file.properties}, [this] { pageCommand(&B::showProperties, kNoPage); });
    onCheckable(m.file.offline, [this] { toggleOffline(); });
    on({m.edit.copy}, [this] { if (m_browser) m_browser->copy(); });
    on({m.edit.selectAll}, [this] { if (m_browser) m_browser->selectAll(); });
    on({m.edit.find, m.simple.find}, [this] {
        if (m_browser)
            m_browser->showFindBar();
    });
    on({m.edit.copyTitle}, [this] { m_services.clipboard.setText(pageTitle()); });
    // The text as shown, which may be typed and not yet visited.
    on({m.edit.copyAddress}, [this] { m_services.clipboard.setText(addressText()); });
    m_pageIcon->installEventFilter(this);
    if (m_browser) {
        connect(m_browser, &platform::BrowserComponent::printingEnded, this, [this](bool success) {
            if (!success)
                ShowMessageBar(kPrintFailed);
        });
    }
}

void MainWindow::pageCommand(bool (platform::BrowserComponent::*command)(), const QString &refusal)
{
    if (!m_browser || !(m_browser->*command)())
        ShowMessageBar(refusal);
}

void MainWindow::openLocalFile()
{
    platform::FileDialogRequest request;
    request.title = u"ローカルファイルを開く"_s;
    request.folder = ReadSetting(settingkeys::Pash);
    if (request.folder.isEmpty())
        request.folder = QDir::homePath();
    request.filter = kLocalFileFilter;
    request.mustExist = true;
    QPointer<MainWindow> self(this);
    const platform::FileDialogResult chosen = m_services.dialogs.openFile(this, request);
    if (!self || !chosen.accepted || chosen.path.isEmpty())
        return;
    setAddressText(chosen.path);
    if (m_browser)
        m_browser->navigate(addressText());
    WriteSetting(settingkeys::Pash, QFileInfo(chosen.path).absolutePath());
}

void MainWindow::toggleOffline()
{
    QAction *item = m_menus.file.offline;
    const bool offline = !item->isChecked();
    platform::RegistryGateway &registry = m_services.registry;
    const platform::RegistryGateway::Handle key =
        registry.openKey(platform::registry::CurrentUser, platform::registry::InternetSettings.toString());
    registry.writeNumber(key, u"GlobalUserOffline"_s, offline ? 1 : 0);
    registry.closeKey(key);
    item->setChecked(offline);
    if (m_browser)
        m_browser->setOffline(offline);
}
