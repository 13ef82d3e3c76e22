#pragma once

#include "platform/platform.h"

class BrowserHost;
class QAction;
class QMenu;

namespace linktool {

// Gives a window's File menu its link-tool item ("リンクのみ抽出して保存(&L)...."): each
// time the menu opens, the item is enabled exactly when the host's address box holds an
// address the tool takes; choosing it shows the tool window modeless, made on first use
// and only brought forward while it is open. The tool goes with the item.
void wireFileMenuItem(QMenu *fileMenu, QAction *item, BrowserHost &host, platform::Platform services);

} // namespace linktool
