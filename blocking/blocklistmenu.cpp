#include "blocking/blocklistmenu.h"

#include "app/menuitems.h"
#include "app/singlewindow.h"
#include "blocking/blocklisteditor.h"

#include <QAction>

BlockListMenu::BlockListMenu(platform::Dialogs &dialogs, QAction *blockingSwitch, QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_switch(blockingSwitch)
{
    // The editor alone changes the switch.
    connectCheckableItem(this, blockingSwitch, [this] {
        // No owner: the editor is a window of its own.
        showSingleWindow(m_editor, [this] { return new BlockListEditor(m_dialogs, m_switch); });
    });
}

BlockListEditor *BlockListMenu::editor() const
{
    return m_editor;
}

BlockListMenu::~BlockListMenu()
{
    delete m_editor.data();
}
