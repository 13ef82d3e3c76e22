#include "linktool/linkanalysis.h"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace linktool {

UrlCheck checkUrl(QStringView text)
{
    // Case-sensitive on purpose; https is taken like http.
    if (!text.startsWith(u"http://") && !text.startsWith(u"https://"))
        return UrlCheck::NotHttp;
    if (text.endsWith(u'/'))
        return UrlCheck::NoFileName;
    if (!text.contains(u".htm"))
        return UrlCheck::NoFileName;
    return UrlCheck::Accepted;
}

QString urlCheckMessage(UrlCheck check)
{
    switch (check) {
    case UrlCheck::NotHttp:
        return u"http://で始まるURLのみ有効です"_s;
    case UrlCheck::NoFileName:
        return u"ちゃんとファイル名を指定してください"_s;
    case UrlCheck::Accepted:
        break;
    }
    return u"処理可能なURLです"_s;
}

bool analysisRefuses(QStringView text)
{
    return text.endsWith(u'/') || text.endsWith(u'g') || text.endsWith(u'f');
}

bool exportRefuses(QStringView text)
{
    return text.endsWith(u'/');
}

QString upperAscii(QStringView page)
{
    QString upper(page.size(), Qt::Uninitialized);
    const char16_t *from = page.utf16();
    char16_t *to = reinterpret_cast<char16_t *>(upper.data());
    for (qsizetype i = 0, n = page.size(); i < n; ++i) {
        const char16_t c = from[i];
        to[i] = (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
    }
    return upper;
}

QList<LinkEntry> scanAnchors(QStringView page, const CancelTest &cancelled)
{
    static constexpr QStringView kStart = u"<A HREF";
    static constexpr QStringView kImage = u"<IMG";
    static constexpr QStringView kEnd = u"</A";
    const QString upperCopy = upperAscii(page);
    const QStringView upper = upperCopy;

    QList<LinkEntry> entries;
    // Every search moves forward only: the next "</A" found is kept while it lies ahead,
    // and a text never runs past the next anchor's start, so that unclosed anchors cost
    // time and memory in proportion to the page, not to its square.
    qsizetype nextEnd = -1;
    qsizetype p = upper.indexOf(kStart);
    while (p >= 0) {
        if (cancelled && cancelled())
            break;
        const qsizetype open = upper.indexOf(u'"', p + kStart.size());
        if (open < 0)
            break;
        const qsizetype close = upper.indexOf(u'"', open + 1);
        if (close < 0)
            break;
        const qsizetype tagEnd = upper.indexOf(u'>', close + 1);
        if (tagEnd < 0)
            break;
        qsizetype t = tagEnd + 1;
        bool image = false;
        if (upper.sliced(t).startsWith(kImage)) {
            const qsizetype imageEnd = upper.indexOf(u'>', t + kImage.size());
            if (imageEnd < 0)
                break;
            t = imageEnd + 1;
            image = true;
        }
        if (nextEnd < t)
            nextEnd = upper.indexOf(kEnd, t);
        if (nextEnd < 0)
            break;
        const qsizetype next = upper.indexOf(kStart, t);
        const qsizetype end = next >= 0 && next < nextEnd ? next : nextEnd;
        LinkEntry entry;
        entry.url = page.sliced(open + 1, close - open - 1).toString();
        entry.text = page.sliced(t, end - t).toString();
        if (image)
            entry.text.prepend(u"<<画像>> "_s);
        entries.append(std::move(entry));
        p = next;
    }
    return entries;
}

QString resolveLink(const QString &base, const QString &reference)
{
    const QUrl target = QUrl(base).resolved(QUrl(reference.trimmed()));
    return target.toString();
}

} // namespace linktool
