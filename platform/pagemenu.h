#pragma once

#include <QList>
#include <QString>

namespace platform {

// The items of the page's right-click menu. The program's own commands have a twin in
// the main menus; the rest are the engine's.
enum class PageMenuItem {
    Separator,
    Back,
    Forward,
    Reload,
    Stop,
    SavePage,
    OpenLinkInNewWindow,
    CopyLinkAddress,
    SaveImage,
    CopyImageAddress,
    Cut,
    Copy,
    Paste,
    SelectAll,
    CopyToMemo,
    Translate,
    ViewSource,
    AddFavorite,
};

// What was under the pointer.
struct PageContext
{
    bool onLink = false;
    bool linkMayOpen = false; // a web address, which a new window may show
    bool onImage = false;
    bool editable = false; // a text field or an editable part of the page
    bool hasSelection = false;
};

// The menu for that place, groups parted by separators, none at either end.
QList<PageMenuItem> pageMenuItems(const PageContext &context);
// The item's caption.
QString pageMenuText(PageMenuItem item);

} // namespace platform
