// The page commands of the File and Edit menus and their simple-mode twins.
#include "browser/pagecommands.h"

#include "app/browserhost.h"
#include "app/menuitems.h"
#include "app/settingsstore.h"
#include "platform/browsercomponent.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
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

PageCommands::PageCommands(BrowserHost &host, platform::Platform services, const MainMenus &menus, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_services(services)
    , m_offline(menus.file.offline)
{
    using B = platform::BrowserComponent;
    const MainMenus &m = menus;
    // Each command with its simple-mode twin, where it has one.
    auto on = [this](std::initializer_list<QAction *> items, auto handler) {
        for (QAction *item : items)
            connect(item, &QAction::triggered, this, handler);
    };
    auto withBrowser = [this](auto command) {
        return [this, command] {
            if (platform::BrowserComponent *browser = m_host.browser())
                command(*browser);
        };
    };
    on({m.file.newWindow, m.simple.newWindow}, [this] { m_services.processes.startSelf({}); });
    on({m.file.openInSystemBrowser}, withBrowser([](B &b) { b.openInSystemBrowser(); }));
    on({m.file.openLocalFile, m.simple.openLocalFile}, [this] { openLocalFile(); });
    on({m.file.savePage, m.simple.savePage}, [this] { run(&B::saveAs, kNoPage); });
    on({m.file.pageSetup}, [this] { run(&B::pageSetup, u"プリンタが設定されていません。"_s); });
    on({m.file.print}, [this] { run(&B::print, kPrintFailed); });
    on({m.file.printPreview, m.simple.printPreview}, [this] {
        run(&B::printPreview, u"印刷プレビューが使用できません。IEをVer5.5以降にバージョンアップしてください。"_s);
    });
    on({m.file.properties}, [this] { run(&B::showProperties, kNoPage); });
    connectCheckableItem(this, m_offline, [this] { toggleOffline(); });
    on({m.edit.copy}, withBrowser([](B &b) { b.copy(); }));
    on({m.edit.selectAll}, withBrowser([](B &b) { b.selectAll(); }));
    on({m.edit.find, m.simple.find}, withBrowser([](B &b) { b.showFindBar(); }));
    on({m.edit.copyTitle}, [this] { m_services.clipboard.setText(m_host.pageTitle()); });
    // The text as shown, which may be typed and not yet visited.
    on({m.edit.copyAddress}, [this] { m_services.clipboard.setText(m_host.addressText()); });
    if (platform::BrowserComponent *browser = m_host.browser()) {
        connect(browser, &B::printingEnded, this, [this](bool success) {
            if (!success)
                m_host.showMessageBar(kPrintFailed);
        });
        // The page's right-click menu runs these items, so both take the same path.
        using enum platform::PageMenuItem;
        browser->setPageMenuTwins({{Back, m.move.back},
                                   {Forward, m.move.forward},
                                   {Reload, m.move.reload},
                                   {Stop, m.move.stop},
                                   {SavePage, m.file.savePage},
                                   {Copy, m.edit.copy},
                                   {SelectAll, m.edit.selectAll},
                                   {CopyToMemo, m.edit.copyToMemo},
                                   {Translate, m.tools.translationMenu->menuAction()},
                                   {ViewSource, m.view.source},
                                   {AddFavorite, m.favorites.add}});
    }
}

void PageCommands::run(bool (platform::BrowserComponent::*command)(), const QString &refusal)
{
    platform::BrowserComponent *browser = m_host.browser();
    if (!browser || !(browser->*command)())
        m_host.showMessageBar(refusal);
}

void PageCommands::openLocalFile()
{
    platform::FileDialogRequest request;
    request.title = u"ローカルファイルを開く"_s;
    request.folder = readSetting(settingkeys::Pash);
    if (request.folder.isEmpty())
        request.folder = QDir::homePath();
    request.filter = kLocalFileFilter;
    request.mustExist = true;
    QPointer<PageCommands> self(this);
    const platform::FileDialogResult chosen = m_services.dialogs.openFile(m_host.dialogParent(), request);
    if (!self || !chosen.accepted || chosen.path.isEmpty())
        return;
    m_host.setAddressText(chosen.path);
    if (platform::BrowserComponent *browser = m_host.browser())
        browser->navigate(m_host.addressText());
    writeSetting(settingkeys::Pash, QFileInfo(chosen.path).absolutePath());
}

void PageCommands::restoreOffline()
{
    const bool offline =
        m_services.registry.readStringValue(platform::registry::CurrentUser,
                                            platform::registry::InternetSettings.toString(), u"GlobalUserOffline"_s)
        == u"1";
    m_offline->setChecked(offline);
    if (platform::BrowserComponent *browser = m_host.browser())
        browser->setOffline(offline);
}

void PageCommands::toggleOffline()
{
    const bool offline = !m_offline->isChecked();
    platform::RegistryGateway &registry = m_services.registry;
    const platform::RegistryGateway::Handle key =
        registry.openKey(platform::registry::CurrentUser, platform::registry::InternetSettings.toString());
    registry.writeNumber(key, u"GlobalUserOffline"_s, offline ? 1 : 0);
    registry.closeKey(key);
    m_offline->setChecked(offline);
    if (platform::BrowserComponent *browser = m_host.browser())
        browser->setOffline(offline);
}
