#include "platform/webengine/pagecontextmenu.h"

#include "platform/pagerequests.h"

#include <QAction>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <optional>

namespace platform {

namespace {

std::optional<QWebEnginePage::WebAction> engineAction(PageMenuItem item)
{
    switch (item) {
    case PageMenuItem::Back:
        return QWebEnginePage::Back;
    case PageMenuItem::Forward:
        return QWebEnginePage::Forward;
    case PageMenuItem::Reload:
        return QWebEnginePage::Reload;
    case PageMenuItem::Stop:
        return QWebEnginePage::Stop;
    case PageMenuItem::OpenLinkInNewWindow:
        return QWebEnginePage::OpenLinkInNewWindow;
    case PageMenuItem::CopyLinkAddress:
        return QWebEnginePage::CopyLinkToClipboard;
    case PageMenuItem::SaveImage:
        return QWebEnginePage::DownloadImageToDisk;
    case PageMenuItem::CopyImageAddress:
        return QWebEnginePage::CopyImageUrlToClipboard;
    case PageMenuItem::Cut:
        return QWebEnginePage::Cut;
    case PageMenuItem::Copy:
        return QWebEnginePage::Copy;
    case PageMenuItem::Paste:
        return QWebEnginePage::Paste;
    case PageMenuItem::SelectAll:
        return QWebEnginePage::SelectAll;
    case PageMenuItem::ViewSource:
        return QWebEnginePage::ViewSource;
    default:
        return std::nullopt; // the program's own: only with a twin
    }
}

void addItem(QMenu *menu, QWebEnginePage *page, QAction *twin, PageMenuItem item, const std::function<void()> &chosen)
{
    if (item == PageMenuItem::Separator) {
        menu->addSeparator(); // a run of them collapses where items were left out
        return;
    }
    const QString text = pageMenuText(item);
    if (twin) {
        if (QMenu *twinMenu = twin->menu()) {
            QMenu *sub = menu->addMenu(text);
            sub->addActions(twinMenu->actions());
            sub->setEnabled(twin->isEnabled());
            return;
        }
        QAction *action = menu->addAction(text, twin, [twin, chosen] {
            if (chosen)
                chosen();
            twin->trigger();
        });
        action->setEnabled(twin->isEnabled());
        return;
    }
    const std::optional<QWebEnginePage::WebAction> web = engineAction(item);
    if (!web)
        return;
    QAction *action = menu->addAction(text, page, [page, web, chosen] {
        if (chosen)
            chosen();
        page->triggerAction(*web);
    });
    action->setEnabled(page->action(*web)->isEnabled());
}

} // namespace

QMenu *popUpPageMenu(QWebEngineView *view, const QMap<PageMenuItem, QPointer<QAction>> &twins, const QPoint &pos,
                     const std::function<void()> &chosen)
{
    QWebEngineContextMenuRequest *request = view->lastContextMenuRequest();
    QWebEnginePage *page = view->page();
    if (!request || !page)
        return nullptr;
    PageContext context;
    const QUrl link = request->linkUrl();
    context.onLink = link.isValid() && !link.isEmpty();
    // The same rule as a click that asks for a new window.
    context.linkMayOpen = context.onLink && pageMayOpen(page->url().toString(), link.toString());
    context.onImage = request->mediaType() == QWebEngineContextMenuRequest::MediaTypeImage;
    context.editable = request->isContentEditable();
    context.hasSelection = !request->selectedText().isEmpty();
    auto *menu = new QMenu(view);
    menu->setObjectName(QStringLiteral("pageContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (PageMenuItem item : pageMenuItems(context))
        addItem(menu, page, twins.value(item), item, chosen);
    menu->popup(view->mapToGlobal(pos));
    return menu;
}

} // namespace platform
