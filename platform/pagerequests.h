#pragma once

#include <QUrl>

namespace platform {

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
