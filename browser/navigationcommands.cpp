#include "browser/navigationcommands.h"

#include "app/browserhost.h"
#include "app/navigation.h"
#include "browser/addressbox.h"
#include "browser/navigationbar.h"
#include "platform/browsercomponent.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>

using Button = NavigationBar::Button;

NavigationCommands::NavigationCommands(BrowserHost &host, platform::Platform services, NavigationBar &bar,
                                       const MainMenus &menus, QWidget *window)
    : QObject(window)
    , m_host(host)
    , m_services(services)
    , m_bar(bar)
{
    const MainMenus &m = menus;
    // The browser refuses a move it cannot make; the click then simply does nothing.
    auto withBrowser = [this](auto command) {
        return [this, command] {
            if (platform::BrowserComponent *browser = m_host.browser())
                command(*browser);
        };
    };
    using B = platform::BrowserComponent;
    const auto back = withBrowser([](B &b) { b.goBack(); });
    const auto forward = withBrowser([](B &b) { b.goForward(); });
    const auto home = withBrowser([](B &b) { b.goHome(); });
    const auto reload = withBrowser([](B &b) { b.reload(); });
    const auto stop = [this] { stopLoading(); };
    auto click = [this](Button which, auto handler) {
        connect(m_bar.button(which), &QToolButton::clicked, this, handler);
    };
    auto on = [this](QAction *item, auto handler) { connect(item, &QAction::triggered, this, handler); };
    click(Button::Back, back);
    click(Button::Forward, forward);
    click(Button::Stop, stop);
    click(Button::Home, home);
    click(Button::Reload, reload);
    on(m.move.back, back);
    on(m.move.forward, forward);
    on(m.move.stop, stop);
    on(m.move.reload, reload);
    on(m.move.reloadBypassingCache, withBrowser([](B &b) { b.reload(platform::ReloadMode::BypassCache); }));
    on(m.move.home, home);
    on(m.simple.home, home);
    on(m.move.quickJump, [this] { quickJump(); });
    wireDrives(menus);

    AddressBox *address = m_bar.addressBox();
    connect(address, &AddressBox::enterPressed, this, &NavigationCommands::navigateTyped);
    connect(address, &AddressBox::escapePressed, this, &NavigationCommands::stopLoading);
    address->setTooltipSource([this] { return imeStatusTip(m_services.inputMethod.state()); });
    wireKeys(window);

    if (platform::BrowserComponent *browser = m_host.browser()) {
        // Back and forward follow the browser's history alone.
        connect(browser, &B::CommandStateChange, this, [this, m](int command, bool enabled) {
            if (command == platform::command::Forward) {
                m_bar.button(Button::Forward)->setEnabled(enabled);
                m.move.forward->setEnabled(enabled);
            } else if (command == platform::command::Back) {
                m_bar.button(Button::Back)->setEnabled(enabled);
                m.move.back->setEnabled(enabled);
            }
        });
    }
}

void NavigationCommands::wireDrives(const MainMenus &menus)
{
    const std::pair<QAction *, QChar> drives[] = {
        {menus.move.driveC, u'C'}, {menus.move.driveD, u'D'}, {menus.move.driveE, u'E'}, {menus.move.driveF, u'F'}};
    for (const auto &[item, letter] : drives) {
        connect(item, &QAction::triggered, this, [this, root = QString(letter) + QStringLiteral(":\\")] {
            if (platform::BrowserComponent *browser = m_host.browser())
                browser->navigate(root);
        });
    }
    // Opening the menu enables the items of fixed disks; none is disabled again.
    connect(menus.move.menu, &QMenu::aboutToShow, this, [this, drives] {
        for (const platform::Drive &drive : m_services.drives.drives()) {
            if (drive.type != platform::Drive::Type::Fixed || drive.letter.size() != 1)
                continue;
            for (const auto &[item, letter] : drives) {
                if (drive.letter.at(0).toUpper() == letter)
                    item->setEnabled(true);
            }
        }
    });
}

void NavigationCommands::wireKeys(QWidget *window)
{
    // What users of other browsers reach for: the address box, and Esc on the page.
    auto focusAddress = [this] {
        m_bar.addressBox()->setFocus(Qt::ShortcutFocusReason);
        m_bar.addressBox()->selectAll();
    };
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D), QKeySequence(Qt::Key_F6)}) {
        auto *shortcut = new QShortcut(keys, window);
        connect(shortcut, &QShortcut::activated, this, focusAddress);
    }
    if (platform::BrowserComponent *browser = m_host.browser()) {
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), browser->widget());
        escape->setContext(Qt::WidgetWithChildrenShortcut);
        connect(escape, &QShortcut::activated, this, &NavigationCommands::stopLoading);
    }
}

void NavigationCommands::navigateTyped()
{
    if (platform::BrowserComponent *browser = m_host.browser())
        navigateTypedAddress(*browser, m_host.addressText());
}

void NavigationCommands::quickJump()
{
    const auto address = quickJumpAddress(m_services.clipboard.text());
    platform::BrowserComponent *browser = m_host.browser();
    if (!address || !browser)
        return;
    m_host.setAddressText(*address);
    browser->navigate(m_host.addressText());
}

void NavigationCommands::stopLoading()
{
    if (platform::BrowserComponent *browser = m_host.browser())
        browser->stop();
    m_bar.setLamp(false);
}
