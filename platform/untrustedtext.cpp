#include "platform/untrustedtext.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTextBoundaryFinder>

#include <climits>

namespace platform {

namespace {

constexpr QChar kEllipsis = u'…';

// At most maxLength units with the ellipsis: whole characters only, white space at the cut
// dropped.
QString cutWithEllipsis(const QString &text, int maxLength)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    graphemes.setPosition(maxLength - 1);
    if (!graphemes.isAtBoundary())
        graphemes.toPreviousBoundary();
    const qsizetype keep = std::max<qsizetype>(graphemes.position(), 0);
    return QStringView(text).left(keep).trimmed().toString() + kEllipsis;
}

} // namespace

QString oneLineText(const QString &text, int maxLength)
{
    if (maxLength < 1)
        return {};
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, text[i + 1]);
            // Tag characters and the like beyond the first plane are format characters too.
            if (QChar::category(code) != QChar::Other_Format) {
                line += c;
                line += text[i + 1];
            }
            ++i;
            continue;
        }
        switch (c.category()) {
        case QChar::Other_Format:
        case QChar::Other_Surrogate: // unpaired
            break;
        case QChar::Other_Control:
            // Tabs and line breaks part words; the rest (NUL, escape, C1 codes) show nothing.
            if (c.isSpace())
                line += u' ';
            break;
        default:
            line += c; // line and paragraph separators are white space to simplified()
        }
    }
    line = line.simplified();
    return line.size() <= maxLength ? line : cutWithEllipsis(line, maxLength);
}

QString pageMessageText(const QString &text, int maxLength, int maxLines)
{
    if (maxLength < 1 || maxLines < 1)
        return {};
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|[\\n\\r\\x{0085}\\x{2028}\\x{2029}]"));
    QStringList lines;
    for (const QString &line : text.split(lineBreak)) {
        const QString clean = oneLineText(line, INT_MAX);
        // Blank lines part paragraphs; more of them would only push the words out of sight.
        if (!clean.isEmpty() || (!lines.isEmpty() && !lines.constLast().isEmpty()))
            lines.append(clean);
    }
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    const bool more = lines.size() > maxLines;
    if (more)
        lines.resize(maxLines);
    const QString shown = lines.join(u'\n');
    if (shown.size() > maxLength || (more && shown.size() == maxLength))
        return cutWithEllipsis(shown, maxLength);
    return more ? shown + kEllipsis : shown;
}

} // namespace platform
