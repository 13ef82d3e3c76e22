#pragma once

#include <QRect>

#include <optional>

// The main window's layout as a pure computation in twips. A part whose computed width or
// height would be negative (a minimized or tiny window) gets no value and keeps its place.
namespace layout {

constexpr int kButtonBarHeight = 495;
constexpr int kStatusBarHeight = 255;
constexpr int kMessageBarHeight = 280;
constexpr int kTwipsPerPixel = 15;

struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect &, const Rect &) = default;
};

struct Input
{
    int windowWidth = 0; // outer width
    int clientWidth = 0;
    int clientHeight = 0;
    bool buttonBarVisible = true; // Frame1
    bool sidebarVisible = true;   // Frame2
    bool statusBarVisible = true; // Frame3
    int sideW = 7;                // the sidebar is 1/sideW of the window
    int buttonWidth = 0;          // Command1
    int lampWidth = 0;            // Shape1
    // The tab strip's client area, as it will be once the strip has the sidebar's size.
    int tabClientTop = 0;
    int tabClientWidthMargin = 0;  // strip width - client width
    int tabClientHeightMargin = 0; // strip height - client height
};

struct Result
{
    std::optional<Rect> buttonBar;   // Frame1
    std::optional<Rect> sidebar;     // Frame2
    std::optional<Rect> statusBar;   // Frame3
    std::optional<Rect> page;        // WebBrowser
    std::optional<int> addressWidth; // txtURL
    std::optional<Rect> tabStrip;    // TabStrip1, in the sidebar
    std::optional<Rect> favorites;   // TreeView1 width and height
    std::optional<Rect> folders;     // SHTree1 width and height
    std::optional<Rect> files;       // FileView1 top, width and height
    std::optional<int> statusWidth;  // Status
    // Command9 sits over the page's top-left corner.
    std::optional<int> menuButtonLeft;
    std::optional<int> menuButtonTop;
};

Result compute(const Input &input);

// Twips as the window's pixels.
inline int pixels(int twips)
{
    return twips / kTwipsPerPixel;
}
inline QRect pixels(const Rect &r)
{
    return QRect(pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height));
}

} // namespace layout
