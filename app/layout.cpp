#include "app/layout.h"

namespace layout {

namespace {

std::optional<Rect> rectIfValid(int left, int top, int width, int height)
{
    if (width < 0 || height < 0)
        return std::nullopt;
    return Rect {left, top, width, height};
}

} // namespace

Result compute(const Input &in)
{
    Result out;
    const int sideW = in.sideW > 0 ? in.sideW : 7;

    out.buttonBar = rectIfValid(0, 0, in.windowWidth, kButtonBarHeight);

    const int sidebarWidth = in.windowWidth / sideW;
    const int sidebarFullHeight = in.clientHeight - kButtonBarHeight - kStatusBarHeight;
    // The status bar sits below a full-height sidebar, so at the bottom edge whether or
    // not the button bar shows.
    out.statusBar = rectIfValid(0, kButtonBarHeight + sidebarFullHeight, in.windowWidth, kStatusBarHeight);

    int top = 0;
    int height = in.clientHeight;
    if (in.buttonBarVisible) {
        top = kButtonBarHeight;
        height -= kButtonBarHeight;
    }
    if (in.statusBarVisible)
        height -= kStatusBarHeight;

    out.sidebar = rectIfValid(0, top, sidebarWidth, height);
    const int pageLeft = in.sidebarVisible ? sidebarWidth : 1;
    const int pageWidth = in.sidebarVisible ? in.clientWidth - sidebarWidth : in.clientWidth;
    out.page = rectIfValid(pageLeft, top, pageWidth, height);

    const int addressWidth = in.windowWidth - 6 * in.buttonWidth - in.lampWidth - 30;
    if (addressWidth >= 0)
        out.addressWidth = addressWidth;

    if (out.sidebar) {
        out.tabStrip = rectIfValid(0, 0, sidebarWidth, height);
        const int clientWidth = sidebarWidth - in.tabClientWidthMargin;
        const int clientHeight = height - in.tabClientHeightMargin;
        out.favorites = rectIfValid(0, in.tabClientTop, clientWidth + 70, clientHeight + 40);
        out.folders = rectIfValid(0, in.tabClientTop, clientWidth + 70, clientHeight / 2);
        if (out.folders)
            out.files =
                rectIfValid(0, in.tabClientTop + out.folders->height + 25, clientWidth + 70, clientHeight / 2 + 120);
    }
    if (out.statusBar)
        out.statusWidth = out.statusBar->width;
    if (out.page) {
        out.menuButtonLeft = out.page->left;
        out.menuButtonTop = out.page->top;
    }
    return out;
}

} // namespace layout
