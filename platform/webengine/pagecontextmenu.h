#pragma once

#include "platform/pagemenu.h"

#include <QMap>
#include <QPointer>

#include <functional>

class QAction;
class QMenu;
class QPoint;
class QWebEngineView;

namespace platform {

// The page's right-click menu for what the engine last reported under the pointer, shown at
// pos (in view's coordinates). twins: the window's items for the program's own commands; an
// item without a twin runs the engine's command, or is left out where the engine has none.
// chosen runs before any item does. The menu deletes itself when closed.
QMenu *popUpPageMenu(QWebEngineView *view, const QMap<PageMenuItem, QPointer<QAction>> &twins, const QPoint &pos,
                     const std::function<void()> &chosen = {});

} // namespace platform
