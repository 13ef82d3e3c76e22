#include "platform/textdecoding.h"

#include <QStringDecoder>

#include <algorithm>
#include <iterator>
#include <optional>

namespace platform {

namespace {

constexpr qsizetype kMetaScanBytes = 4096;

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
        || c == '.' || c == ':';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// The value after "charset" = in a stretch of text, lower case.
QByteArray charsetAfterKeyword(QByteArrayView text)
{
    const QByteArray lower = text.toByteArray().toLower();
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = lower.indexOf("charset", from);
        if (at < 0)
            return {};
        qsizetype i = at + 7;
        from = i;
        while (i < lower.size() && isSpace(lower[i]))
            ++i;
        if (i >= lower.size() || lower[i] != '=')
            continue;
        ++i;
        while (i < lower.size() && (isSpace(lower[i]) || lower[i] == '"' || lower[i] == '\''))
            ++i;
        const qsizetype start = i;
        while (i < lower.size() && isNameChar(lower[i]))
            ++i;
        if (i > start)
            return lower.mid(start, i - start);
    }
}

// Names under which pages label CP932; ICU's own "Shift_JIS" table differs from it in
// the characters Windows added, which Japanese pages use.
bool isShiftJisLabel(const QByteArray &name)
{
    return name == "shift_jis" || name == "shift-jis" || name == "sjis" || name == "x-sjis" || name == "ms_kanji"
        || name == "csshiftjis" || name == "windows-31j" || name == "ms932" || name == "cp932" || name == "windows-932";
}

std::optional<QString> decodeAs(QByteArray name, const QByteArray &body)
{
    if (isShiftJisLabel(name))
        name = "CP932";
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        return std::nullopt;
    return decoder.decode(body);
}

std::optional<QString> decodeByBom(const QByteArray &body)
{
    if (body.startsWith("\xEF\xBB\xBF"))
        return decodeAs("UTF-8", body);
    if (body.startsWith("\xFF\xFE"))
        return decodeAs("UTF-16LE", body.mid(2));
    if (body.startsWith("\xFE\xFF"))
        return decodeAs("UTF-16BE", body.mid(2));
    return std::nullopt;
}

} // namespace

QByteArray charsetFromContentType(QByteArrayView contentType)
{
    const qsizetype semicolon = contentType.indexOf(';');
    if (semicolon < 0)
        return {};
    return charsetAfterKeyword(contentType.sliced(semicolon + 1));
}

QByteArray charsetFromMeta(QByteArrayView body)
{
    const QByteArray head = body.first(qMin(body.size(), kMetaScanBytes)).toByteArray().toLower();
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = head.indexOf("<meta", from);
        if (open < 0)
            return {};
        const qsizetype close = head.indexOf('>', open);
        const qsizetype end = close < 0 ? head.size() : close;
        const QByteArray name = charsetAfterKeyword(QByteArrayView(head).sliced(open, end - open));
        if (!name.isEmpty()) {
            // A document that could be read this far was not UTF-16 whatever it says.
            return name.startsWith("utf-16") ? QByteArray("utf-8") : name;
        }
        from = open + 5;
    }
}

QString decodeBody(const QByteArray &body, QByteArrayView contentType)
{
    const QByteArray declared = charsetFromContentType(contentType);
    if (!declared.isEmpty()) {
        if (auto text = decodeAs(declared, body))
            return *text;
    }
    if (auto text = decodeByBom(body))
        return *text;
    const QByteArray meta = charsetFromMeta(body);
    if (!meta.isEmpty()) {
        if (auto text = decodeAs(meta, body))
            return *text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return decodeAs("CP932", body).value_or(QString::fromLatin1(body));
}

std::optional<QByteArray> bytesReadAsWestern(QStringView text)
{
    // windows-1252's 0x80 to 0x9F; 0 where it has none, which engines read as Latin-1.
    static constexpr char16_t k1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF) {
            bytes.append(char(c.unicode()));
            continue;
        }
        const auto *at = std::find(std::begin(k1252), std::end(k1252), c.unicode());
        if (at == std::end(k1252))
            return std::nullopt;
        bytes.append(char(0x80 + (at - std::begin(k1252))));
    }
    return bytes;
}

QString headerText(const QString &engineText)
{
    const std::optional<QByteArray> bytes = bytesReadAsWestern(engineText);
    if (!bytes || std::all_of(bytes->cbegin(), bytes->cend(), [](char b) { return uchar(b) < 0x80; }))
        return engineText; // plain ASCII, or read with a charset already
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(*bytes);
    if (!utf8.hasError())
        return text;
    // Pairs of Western letters can pass for kanji; kana start with 0x82 or 0x83, which
    // Western text seldom holds, so they tell real Shift_JIS.
    QStringDecoder cp932("CP932");
    const QString japanese = cp932.decode(*bytes);
    const bool kana = std::any_of(japanese.cbegin(), japanese.cend(),
                                  [](QChar c) { return c.unicode() >= 0x3041 && c.unicode() <= 0x30FF; });
    if (!cp932.hasError() && kana)
        return japanese;
    return engineText;
}

} // namespace platform
