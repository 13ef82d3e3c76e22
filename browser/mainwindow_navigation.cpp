// Moving between pages: the buttons, the address box, the move menu and the quick jump.
#include "browser/mainwindow.h"

#include "app/navigation.h"
#include "browser/addressbox.h"
#include "platform/browsercomponent.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>

void MainWindow::wireNavigation()
{
    const MainMenus &m = m_menus;
    auto on = [this](QAction *item, auto handler) { connect(item, &QAction::triggered, this, handler); };
    auto click = [this](int index, auto handler) {
        connect(m_buttons[index], &QToolButton::clicked, this, handler);
    };
    // The browser refuses a move it cannot make; the click then simply does nothing.
    auto back = [this] { if (m_browser) m_browser->goBack(); };
    auto forward = [this] { if (m_browser) m_browser->goForward(); };
    auto home = [this] { if (m_browser) m_browser->goHome(); };
    auto refresh = [this] { if (m_browser) m_browser->reload(); };
    click(0, back);
    click(1, forward);
    click(2, [this] { stopLoading(); });
    click(3, home);
    click(4, refresh);
    on(m.move.back, back);
    on(m.move.forward, forward);
    on(m.move.stop, [this] { stopLoading(); });
    on(m.move.reload, refresh);
    on(m.move.reloadBypassingCache, [this] { if (m_browser) m_browser->reload(platform::ReloadMode::BypassCache); });
    on(m.move.home, home);
    on(m.simple.home, home);
    on(m.move.quickJump, [this] { quickJump(); });
    const std::pair<QAction *, QChar> drives[] = {
        {m.move.driveC, u'C'}, {m.move.driveD, u'D'}, {m.move.driveE, u'E'}, {m.move.driveF, u'F'}};
    for (const auto &[item, letter] : drives) {
        on(item, [this, root = QString(letter) + QStringLiteral(":\\")] {
            if (m_browser)
                m_browser->navigate(root);
        });
    }
    // Opening the menu enables the items of fixed disks; none is disabled again.
    connect(m.move.menu, &QMenu::aboutToShow, this, [this, drives] {
        for (const platform::Drive &drive : m_services.drives.drives()) {
            if (drive.type != platform::Drive::Type::Fixed || drive.letter.size() != 1)
                continue;
            for (const auto &[item, letter] : drives) {
                if (drive.letter.at(0).toUpper() == letter)
                    item->setEnabled(true);
            }
        }
    });

    connect(m_address, &AddressBox::enterPressed, this, &MainWindow::navigateTyped);
    connect(m_address, &AddressBox::escapePressed, this, &MainWindow::stopLoading);
    m_address->setTooltipSource([this] { return ImeStatusTip(m_services.inputMethod.state()); });

    // What users of other browsers reach for: the address box, and Esc on the page.
    auto focusAddress = [this] {
        m_address->setFocus(Qt::ShortcutFocusReason);
        m_address->selectAll();
    };
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D),
                                     QKeySequence(Qt::Key_F6)}) {
        auto *shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, focusAddress);
    }
    if (m_browser) {
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_browser->widget());
        escape->setContext(Qt::WidgetWithChildrenShortcut);
        connect(escape, &QShortcut::activated, this, &MainWindow::stopLoading);

        // Back and forward follow the browser's history alone.
        connect(m_browser, &platform::BrowserComponent::CommandStateChange, this, [this](int command, bool enabled) {
            if (command == platform::command::Forward) {
                m_buttons[1]->setEnabled(enabled);
                m_menus.move.forward->setEnabled(enabled);
            } else if (command == platform::command::Back) {
                m_buttons[0]->setEnabled(enabled);
                m_menus.move.back->setEnabled(enabled);
            }
        });
    }
}

void MainWindow::navigateTyped()
{
    if (m_browser)
        NavigateTypedAddress(*m_browser, addressText());
}

void MainWindow::quickJump()
{
    const auto address = QuickJumpAddress(m_services.clipboard.text());
    if (!address || !m_browser)
        return;
    setAddressText(*address);
    m_browser->navigate(addressText());
}

void MainWindow::stopLoading()
{
    if (m_browser)
        m_browser->stop();
    setLamp(false);
}
