#include "platform/pagemenu.h"

namespace platform {

QList<PageMenuItem> pageMenuItems(const PageContext &context)
{
    using enum PageMenuItem;
    QList<QList<PageMenuItem>> groups;
    if (context.editable) {
        groups.append({Cut, Copy, Paste});
        groups.append(context.hasSelection ? QList {SelectAll, CopyToMemo} : QList {SelectAll});
    } else {
        if (context.onLink)
            groups.append(context.linkMayOpen ? QList {OpenLinkInNewWindow, CopyLinkAddress} : QList {CopyLinkAddress});
        if (context.onImage)
            groups.append({SaveImage, CopyImageAddress});
        if (context.hasSelection)
            groups.append({Copy, CopyToMemo});
        // The page's own commands only where nothing more particular was clicked.
        if (groups.isEmpty()) {
            groups.append({Back, Forward, Reload, Stop});
            // Saving is here too: the engine's PDF viewer has no button of its own for it.
            groups.append({SavePage, SelectAll});
            groups.append({Translate, ViewSource});
            groups.append({AddFavorite});
        }
    }
    QList<PageMenuItem> items;
    for (const QList<PageMenuItem> &group : std::as_const(groups)) {
        if (!items.isEmpty())
            items.append(Separator);
        items.append(group);
    }
    return items;
}

QString pageMenuText(PageMenuItem item)
{
    switch (item) {
    case PageMenuItem::Separator:
        return {};
    case PageMenuItem::Back:
        return QStringLiteral("戻る");
    case PageMenuItem::Forward:
        return QStringLiteral("進む");
    case PageMenuItem::Reload:
        return QStringLiteral("再読み込み");
    case PageMenuItem::Stop:
        return QStringLiteral("中止");
    case PageMenuItem::SavePage:
        return QStringLiteral("名前を付けて保存");
    case PageMenuItem::OpenLinkInNewWindow:
        return QStringLiteral("リンクを新しいウィンドウで開く");
    case PageMenuItem::CopyLinkAddress:
        return QStringLiteral("リンクのアドレスをコピー");
    case PageMenuItem::SaveImage:
        return QStringLiteral("画像を保存");
    case PageMenuItem::CopyImageAddress:
        return QStringLiteral("画像のアドレスをコピー");
    case PageMenuItem::Cut:
        return QStringLiteral("切り取り");
    case PageMenuItem::Copy:
        return QStringLiteral("コピー");
    case PageMenuItem::Paste:
        return QStringLiteral("貼り付け");
    case PageMenuItem::SelectAll:
        return QStringLiteral("すべて選択");
    case PageMenuItem::CopyToMemo:
        return QStringLiteral("ふせっこminiにコピー");
    case PageMenuItem::Translate:
        return QStringLiteral("ページ翻訳");
    case PageMenuItem::ViewSource:
        return QStringLiteral("ソースの表示");
    case PageMenuItem::AddFavorite:
        return QStringLiteral("お気に入りに追加");
    }
    return {};
}

} // namespace platform
