#include "sidebar/bookmarks.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/shellservices.h"
#include "sidebar/favoriteops.h"
#include "sidebar/favoritestree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace bookmarks {

namespace {

bool isSectionHeader(QByteArrayView line)
{
    return line.trimmed().startsWith('[');
}

QString htmlEscape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += u"&amp;"_s;
            break;
        case '<':
            out += u"&lt;"_s;
            break;
        case '>':
            out += u"&gt;"_s;
            break;
        case '"':
            out += u"&quot;"_s;
            break;
        default:
            out += c;
        }
    }
    return out;
}

using Listing = QHash<QString, QList<favorites::FavoriteEntry>>; // folder -> its entries

void exportFolder(const QString &path, const Listing &listing, int depth, QString &out)
{
    const QString indent(depth * 4, u' ');
    for (const favorites::FavoriteEntry &entry : listing.value(path)) {
        const QString name = favorites::splitAtLastBackslash(entry.path).second;
        if (entry.kind == favorites::kFolderKind) {
            out += indent + u"<DT><H3>"_s + htmlEscape(name) + u"</H3>\n"_s;
            out += indent + u"<DL><p>\n"_s;
            exportFolder(entry.path, listing, depth + 1, out);
            out += indent + u"</DL><p>\n"_s;
        } else if (name.endsWith(u".url"_s, Qt::CaseInsensitive) && name.size() > 4) {
            QFile file(entry.path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            if (const auto address = readShortcutAddress(file)) {
                out += indent + u"<DT><A HREF=\""_s + htmlEscape(*address) + u"\">"_s + htmlEscape(name.chopped(4))
                    + u"</A>\n"_s;
            }
        }
    }
}

// ---- import ----

QString decodeEntities(QStringView text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c != u'&') {
            out += c;
            ++i;
            continue;
        }
        // An entity is short: the ";" is looked for in the next few characters only, so a
        // file of "&" without end costs no more than its length.
        constexpr qsizetype kLongestEntity = 12;
        const qsizetype within = text.sliced(i + 1, std::min(kLongestEntity, text.size() - i - 1)).indexOf(u';');
        const qsizetype semicolon = within < 0 ? -1 : i + 1 + within;
        if (semicolon < 0) {
            out += c;
            ++i;
            continue;
        }
        const QStringView name = text.sliced(i + 1, semicolon - i - 1);
        QString replacement;
        if (name.startsWith(u'#')) {
            bool ok = false;
            uint code = 0;
            if (name.size() > 1 && (name[1] == u'x' || name[1] == u'X'))
                code = name.sliced(2).toUInt(&ok, 16);
            else
                code = name.sliced(1).toUInt(&ok, 10);
            if (ok) {
                // NUL, surrogates and values beyond Unicode are not characters.
                if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                    code = 0xFFFD;
                const char32_t ch = code;
                replacement = QString::fromUcs4(&ch, 1);
            }
        } else if (name == u"amp") {
            replacement = u"&"_s;
        } else if (name == u"lt") {
            replacement = u"<"_s;
        } else if (name == u"gt") {
            replacement = u">"_s;
        } else if (name == u"quot") {
            replacement = u"\""_s;
        } else if (name == u"apos") {
            replacement = u"'"_s;
        } else if (name == u"nbsp") {
            replacement = u" "_s;
        }
        if (replacement.isNull()) {
            out += c; // not an entity we know: keep the text as written
            ++i;
            continue;
        }
        out += replacement;
        i = semicolon + 1;
    }
    return out;
}

QString decodeHtml(const QByteArray &html)
{
    // The charset is only taken from META tags, not from anywhere in the text, so an
    // address that happens to contain "charset=" cannot change it.
    static const QRegularExpression metaTag(u"<meta\\b[^>]*>"_s, QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression charsetAttr(u"charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:-]+)"_s,
                                                QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(html.left(65536));
    QString charset;
    auto tags = metaTag.globalMatch(head);
    while (tags.hasNext() && charset.isEmpty()) {
        const auto match = charsetAttr.match(tags.next().captured());
        if (match.hasMatch())
            charset = match.captured(1).toLower();
    }

    QByteArray body = html;
    if (body.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(body.sliced(3));
    static const QStringList cp932Names = {u"shift_jis"_s,   u"shift-jis"_s, u"sjis"_s,       u"x-sjis"_s, u"cp932"_s,
                                           u"windows-31j"_s, u"ms_kanji"_s,  u"csshiftjis"_s, u"ms932"_s};
    if (cp932Names.contains(charset))
        return ansi::decode(body);
    if (!charset.isEmpty() && charset != u"utf-8"_s && charset != u"utf8"_s) {
        QStringDecoder decoder(charset.toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(body);
    }
    return QString::fromUtf8(body);
}

struct Tag
{
    QString name; // lower case, without the "/"
    bool closing = false;
    QString href; // entities decoded
};

// Reads the tag that starts at text[pos] == '<'. Returns the index after it, or pos when
// this '<' does not open a tag and is plain text.
qsizetype readTag(QStringView text, qsizetype pos, Tag &tag, bool &skip)
{
    skip = false;
    const qsizetype n = text.size();
    qsizetype i = pos + 1;
    if (text.sliced(i).startsWith(u"!--")) {
        const qsizetype end = text.indexOf(u"-->", i + 3);
        skip = true;
        return end < 0 ? n : end + 3;
    }
    if (i < n && (text[i] == u'!' || text[i] == u'?')) {
        const qsizetype end = text.indexOf(u'>', i);
        skip = true;
        return end < 0 ? n : end + 1;
    }
    tag = {};
    if (i < n && text[i] == u'/') {
        tag.closing = true;
        ++i;
    }
    const qsizetype nameStart = i;
    while (i < n && text[i].isLetterOrNumber() && text[i].unicode() < 0x80)
        ++i;
    if (i == nameStart || !text[nameStart].isLetter())
        return pos;
    tag.name = text.sliced(nameStart, i - nameStart).toString().toLower();

    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        if (i >= n)
            break;
        if (text[i] == u'>')
            return i + 1;
        if (text[i] == u'/') {
            ++i;
            continue;
        }
        const qsizetype attrStart = i;
        while (i < n && !text[i].isSpace() && text[i] != u'=' && text[i] != u'>' && text[i] != u'/')
            ++i;
        const QString attr = text.sliced(attrStart, i - attrStart).toString().toLower();
        if (i == attrStart) {
            ++i; // a stray character such as a lone quote
            continue;
        }
        while (i < n && text[i].isSpace())
            ++i;
        QString value;
        if (i < n && text[i] == u'=') {
            ++i;
            while (i < n && text[i].isSpace())
                ++i;
            if (i < n && (text[i] == u'"' || text[i] == u'\'')) {
                const QChar quote = text[i];
                const qsizetype end = text.indexOf(quote, i + 1);
                const qsizetype stop = end < 0 ? n : end;
                value = text.sliced(i + 1, stop - i - 1).toString();
                i = end < 0 ? n : end + 1;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !text[i].isSpace() && text[i] != u'>')
                    ++i;
                value = text.sliced(valueStart, i - valueStart).toString();
            }
        }
        if (attr == u"href"_s && tag.href.isNull())
            tag.href = decodeEntities(value).trimmed();
    }
    return n;
}

bool isImportableAddress(const QString &address)
{
    const qsizetype colon = address.indexOf(u':');
    if (colon <= 0)
        return false;
    const QString scheme = address.left(colon).toLower();
    return scheme == u"http"_s || scheme == u"https"_s || scheme == u"ftp"_s || scheme == u"file"_s;
}

// Creates a new folder named after title in parent; "" when that fails.
QString createFolder(const QString &parent, const QString &title, platform::FreeNumbers &numbers)
{
    return platform::createUnderFreeName(
        parent, platform::cleanFileName(title), {},
        [](const QString &path) {
            if (platform::makePrivateFolder(path))
                return platform::CreateResult::Created;
            return QFileInfo::exists(path) ? platform::CreateResult::Taken : platform::CreateResult::Failed;
        },
        &numbers);
}

bool createShortcut(const QString &parent, const QString &title, const QString &address, platform::FreeNumbers &numbers)
{
    return !favorites::writeShortcutUnderFreeName(
                parent, platform::cleanFileName(title),
                [&](const QString &path) {
                    // One sync when the import ends, not one per shortcut.
                    return platform::writeInternetShortcutFile(path, address, false, {.syncToDisk = false});
                },
                &numbers)
                .isEmpty();
}

} // namespace

std::optional<QString> parseShortcutAddress(const QByteArray &fileBytes)
{
    bool inSection = false;
    qsizetype start = 0;
    const qsizetype n = fileBytes.size();
    while (start <= n) {
        qsizetype end = start;
        while (end < n && fileBytes[end] != '\r' && fileBytes[end] != '\n')
            ++end;
        const QByteArrayView line = QByteArrayView(fileBytes).sliced(start, end - start);
        if (isSectionHeader(line)) {
            inSection = line.trimmed().compare("[InternetShortcut]", Qt::CaseInsensitive) == 0;
        } else if (inSection && line.size() >= 4 && line.first(4).compare("URL=", Qt::CaseInsensitive) == 0) {
            // CR and LF never occur inside a CP932 double-byte character, so splitting
            // the bytes first is safe.
            const QString address = ansi::decode(line.sliced(4)).trimmed();
            if (address.isEmpty())
                return std::nullopt;
            return address;
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<QString> readShortcutAddress(QIODevice &file)
{
    constexpr qint64 kMaxShortcutBytes = 64 * 1024;
    QByteArray bytes = file.read(kMaxShortcutBytes);
    if (!file.atEnd()) {
        const qsizetype lineEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lineEnd + 1);
    }
    return parseShortcutAddress(bytes);
}

QByteArray exportNetscapeHtml(const QString &favoritesFolder)
{
    QString out = u"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                  "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                  "<TITLE>Bookmarks</TITLE>\n"
                  "<H1>Bookmarks</H1>\n"
                  "<DL><p>\n"_s;
    if (QFileInfo(favoritesFolder).isDir()) {
        // Folders come first in each folder's entries, so they also lead in the file.
        Listing listing;
        const auto entries = favorites::scanFavoritesFolder(favorites::FileSystemLister(), favoritesFolder);
        for (const favorites::FavoriteEntry &entry : entries)
            listing[favorites::splitAtLastBackslash(entry.path).first].append(entry);
        exportFolder(favoritesFolder, listing, 1, out);
    }
    out += u"</DL><p>\n"_s;
    return out.toUtf8();
}

bool exportToFile(const QString &folder, const QString &htmlPath, QString *error)
{
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (!QFileInfo(folder).isDir())
        return fail(u"お気に入りのフォルダー %1 がありません。"_s.arg(folder));
    const QByteArray html = exportNetscapeHtml(folder);
    QString reason;
    if (!platform::writeFileAtomically(htmlPath, html, &reason, {.access = platform::FileAccess::Document}))
        return fail(u"%1 に書き込めませんでした: %2"_s.arg(htmlPath, reason));
    if (error)
        error->clear();
    return true;
}

ImportResult importNetscapeHtml(const QByteArray &html, const QString &favoritesFolder)
{
    ImportResult result;
    platform::FreeNumbers numbers;
    const QString text = decodeHtml(html);
    const bool rootReady = platform::makePrivatePath(favoritesFolder);

    // Folders of the open DL lists; "" marks a folder that could not be created, whose
    // contents are skipped.
    QStringList stack {rootReady ? favoritesFolder : QString()};
    std::optional<QString> pendingFolder; // from the last H3, opened by the next DL

    enum class Capture { None, Folder, Link };
    Capture capture = Capture::None;
    QString captured;
    QString href;

    auto finishCapture = [&]() {
        const QString title = decodeEntities(captured).simplified();
        const QString &parent = stack.last();
        if (capture == Capture::Folder) {
            const QString path = parent.isEmpty() ? QString() : createFolder(parent, title, numbers);
            if (path.isEmpty())
                ++result.skipped;
            else
                ++result.folders;
            pendingFolder = path;
        } else if (capture == Capture::Link) {
            if (!parent.isEmpty() && isImportableAddress(href) && createShortcut(parent, title, href, numbers))
                ++result.shortcuts;
            else
                ++result.skipped;
        }
        capture = Capture::None;
        captured.clear();
        href.clear();
    };

    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype lt = text.indexOf(u'<', i);
        const qsizetype textEnd = lt < 0 ? n : lt;
        if (capture != Capture::None)
            captured += QStringView(text).sliced(i, textEnd - i);
        if (lt < 0)
            break;
        Tag tag;
        bool skip = false;
        const qsizetype next = readTag(text, lt, tag, skip);
        if (next == lt) { // a '<' that is just text
            if (capture != Capture::None)
                captured += u'<';
            i = lt + 1;
            continue;
        }
        i = next;
        if (skip)
            continue;

        const QString &name = tag.name;
        const bool structural =
            name == u"dl"_s || name == u"dt"_s || name == u"dd"_s || name == u"h3"_s || name == u"a"_s;
        if (capture != Capture::None) {
            const bool ownEnd = tag.closing
                && ((capture == Capture::Folder && name == u"h3"_s) || (capture == Capture::Link && name == u"a"_s));
            if (!ownEnd && !structural)
                continue;    // formatting inside a title
            finishCapture(); // the closing tag, or a missing one
            if (ownEnd)
                continue;
        }

        if (name == u"dl"_s) {
            if (!tag.closing) {
                stack.append(pendingFolder ? *pendingFolder : stack.last());
                pendingFolder.reset();
            } else if (stack.size() > 1) {
                stack.removeLast();
            }
        } else if (tag.closing) {
            continue;
        } else if (name == u"dt"_s) {
            pendingFolder.reset();
        } else if (name == u"h3"_s) {
            capture = Capture::Folder;
        } else if (name == u"a"_s) {
            if (!tag.href.isNull()) {
                capture = Capture::Link;
                href = tag.href;
            }
        }
    }
    if (capture != Capture::None)
        finishCapture();
    platform::syncFileSystemOf(favoritesFolder);
    return result;
}

ImportResult importFromFile(const QString &htmlPath, const QString &favoritesFolder, bool *ok)
{
    QFile file(htmlPath);
    // Without its folder every entry would be skipped: that is no import.
    if (!file.open(QIODevice::ReadOnly) || !platform::makePrivatePath(favoritesFolder)) {
        if (ok)
            *ok = false;
        return {};
    }
    const QByteArray html = file.readAll();
    if (ok)
        *ok = true;
    return importNetscapeHtml(html, favoritesFolder);
}

} // namespace bookmarks
