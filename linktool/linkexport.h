#pragma once

#include "linktool/linkanalysis.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The link collection page that the export writes.
namespace linktool {

// The document, lines ending in CR LF, the last one included: the head (title = fileTitle,
// BASE = pageUrl), a heading, then the anchors copied from the page in three
// case-sensitive passes ("<A HREF" to "A>", "<a href" to "a>", "<A href" to "A>"), each
// followed by "<BR>", then the credit line and the end tags. What the export writes
// itself (fileTitle, pageUrl) is HTML-escaped; the copied anchors stay as written.
// nullopt when the export ends without a file: cancelled before an anchor, or an anchor
// without its end marker.
std::optional<QString> buildLinkList(QStringView page, const QString &fileTitle, const QString &pageUrl,
                                     const CancelTest &cancelled = {});

// The bytes of a link list: CP932 when the code page holds the whole document, else UTF-8
// with a charset declaration at the top of its head, so that no character becomes "?".
QByteArray encodeLinkList(const QString &document);

} // namespace linktool
