#include "platform/untrustedtext.h"

#include <QTextBoundaryFinder>

namespace platform {

namespace {

constexpr QChar kEllipsis = u'…';

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
    if (line.size() <= maxLength)
        return line;

    // Whole characters only, leaving room for the ellipsis.
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, line);
    graphemes.setPosition(maxLength - 1);
    if (!graphemes.isAtBoundary())
        graphemes.toPreviousBoundary();
    const qsizetype keep = std::max<qsizetype>(graphemes.position(), 0);
    return QStringView(line).left(keep).trimmed().toString() + kEllipsis;
}

} // namespace platform
