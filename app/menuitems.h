#pragma once

#include <QAction>

// Connects a checkable menu item whose check mark its handler sets: Qt's own toggle is
// undone before the handler runs, so the handler sees the mark as it was.
template <typename Handler> void connectCheckableItem(QObject *context, QAction *item, Handler handler)
{
    QObject::connect(item, &QAction::triggered, context, [item, handler] {
        item->setChecked(!item->isChecked());
        handler();
    });
}
