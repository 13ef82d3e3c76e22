#pragma once

#include "platform/dialogs.h"

#include <QObject>
#include <QPointer>

class BlockListEditor;
class QAction;

// The menu item of the block list. Its check mark is the list's switch, which only the
// editor changes: choosing the item opens the editor, made on first use, a window of its
// own, gone with this.
class BlockListMenu : public QObject
{
    Q_OBJECT
public:
    BlockListMenu(platform::Dialogs &dialogs, QAction *blockingSwitch, QObject *parent);
    ~BlockListMenu() override;

    BlockListEditor *editor() const;

private:
    platform::Dialogs &m_dialogs;
    QAction *m_switch;
    QPointer<BlockListEditor> m_editor;
};
