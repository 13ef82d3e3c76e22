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

// What a page asks a local file for.
enum class LocalRequest {
    Frame,    // a frame's document
    Embedded, // a picture, style sheet, script, font or media file shown by the page
    Read,     // its bytes, handed to the page's script (XMLHttpRequest, fetch, workers)
};

// Whether a local page at page may load the local file target: a frame or an embedded
// file from the page's own folder or the folders below it, and nothing for its script
// to read. A page saved from a hostile site must not send the user's files away.
bool localPageMayLoad(const QUrl &page, const QUrl &target, LocalRequest request);

} // namespace platform
