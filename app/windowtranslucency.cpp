#include "app/windowtranslucency.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

bool offerWindowEffects(const platform::WindowServices &windows, const QList<QAction *> &items,
                        const QList<QWidget *> &controls)
{
    const QString reason = windows.windowEffectsLimit();
    if (reason.isEmpty())
        return true;
    for (QAction *item : items) {
        item->setEnabled(false);
        item->setToolTip(reason);
        for (QObject *owner : item->associatedObjects()) {
            if (auto *menu = qobject_cast<QMenu *>(owner))
                menu->setToolTipsVisible(true);
        }
    }
    for (QWidget *control : controls) {
        control->setEnabled(false);
        control->setToolTip(reason);
    }
    return false;
}
