#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

// The link analysis tool's rules as plain functions: which addresses it takes, the anchor
// scan of a fetched page, and where a listed link leads.
namespace linktool {

// One row of the link list: the text between the start and end tags (markup kept) and
// the HREF value exactly as the page writes it.
struct LinkEntry
{
    QString text;
    QString url;

    bool operator==(const LinkEntry &) const = default;
};

// The URL check of the tool window, also the File menu's test whether the tool is offered.
enum class UrlCheck {
    NotHttp,    // does not begin with "http://" or "https://"
    NoFileName, // ends in "/" or has no ".htm"
    Accepted,
};

UrlCheck checkUrl(QStringView text);
// The status line for a check result.
QString urlCheckMessage(UrlCheck check);

// The analysis run's pre-check: an address ending in "/", "g" or "f" (a folder or a
// picture) is refused.
bool analysisRefuses(QStringView text);
// The export run's pre-check: only a folder address is refused.
bool exportRefuses(QStringView text);

// Returns true to stop the scan before the next anchor.
using CancelTest = std::function<bool()>;

// The anchors of a page, in page order: each "<A HREF" in any letter case, its URL from
// the next two double quotes, its text up to the next "</A", or up to the next anchor's
// start when that comes first (an image tag right after the start tag becomes the prefix
// "<<画像>> "). The scan ends at the first anchor it cannot read whole, keeping the ones
// before it. Time and memory grow with the page, whatever it holds.
QList<LinkEntry> scanAnchors(QStringView page, const CancelTest &cancelled = {});

// The page with only a-z raised to A-Z, so a position in it is the same in the page.
QString upperAscii(QStringView page);

// Where a listed link leads when it is opened: the reference resolved against the URL
// box's text by the rules for relative references.
QString resolveLink(const QString &base, const QString &reference);

} // namespace linktool
