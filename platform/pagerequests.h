#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// An http, https or ftp address with a host: what may travel between windows and
// processes, or be opened from what a page wrote. A page can name anything else too
// (file:, javascript:, data:), and those stay inside the page.
bool isWebAddress(const QString &address);

// Whether a page at pageAddress may have target opened in a new window: web addresses and
// about:blank for any page, and local files for a local page only.
bool pageMayOpen(const QString &pageAddress, const QString &target);

// What a page asks for, as far as the rules for local pages care.
enum class LocalRequest {
    MainFrame, // the page itself: its navigation is decided before it starts
    Frame,     // a frame's document
    Embedded,  // a picture, style sheet, script, font or media file shown by the page
    Icon,      // the page's icon, which the engine itself asks for
    Read,      // bytes handed to the page's script (XMLHttpRequest, fetch, workers, beacons)
    Socket,    // a WebSocket
};

struct PageRequest
{
    QUrl url;
    QUrl initiator; // the origin that asked; empty for the engine's own and opaque origins
    LocalRequest kind = LocalRequest::Read;
};

// Whether the page of a window whose main frame shows, or is just leaving, the local file
// localDocument may make request. A local page connects to no server at all, and loads
// only frames and embedded files from its own folder or below it, where they really are
// (a link out of the folder does not count); nothing for its script to read. While the
// user lets the file's own script run (scriptRuns) it loads no other file at all. A page
// downloaded from a hostile site must not send the user's files away.
bool localPageMayRequest(const QUrl &localDocument, const PageRequest &request, bool scriptRuns);

// Why the main frame of a page is to show another address.
enum class NavigationCause { Link, Form, Typed, BackForward, Reload, Redirect, Other };

// Whether a page that shows a local file may take its main frame to target: another local
// file always; an address elsewhere when the program asks for it (a typed address, back,
// reload), or by a link or form the user just clicked (userActed). While it is leaving
// for such an address (leaving) only that navigation's redirects and the program's own
// go on: whatever the page does meanwhile is not the user's.
bool localPageMayNavigate(const QUrl &target, NavigationCause cause, bool userActed, bool leaving);

} // namespace platform
