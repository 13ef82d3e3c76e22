#include "linktool/linkexport.h"

#include "app/maker.h"
#include "platform/codepage.h"

using namespace Qt::StringLiterals;

namespace linktool {

std::optional<QString> buildLinkList(QStringView page, const QString &fileTitle, const QString &pageUrl,
                                     const CancelTest &cancelled)
{
    const QString kLineEnd = u"\r\n"_s;
    struct Pass
    {
        QStringView start;
        QStringView end;
    };
    static constexpr Pass kPasses[] = {
        {u"<A HREF", u"A>"},
        {u"<a href", u"a>"},
        {u"<A href", u"A>"},
    };

    const QString url = pageUrl.toHtmlEscaped();
    QString document;
    document.reserve(page.size() / 2 + 1024);
    document += u"<HTML><HEAD>"_s + kLineEnd;
    document += u"<TITLE>"_s + fileTitle.toHtmlEscaped() + u"</TITLE><BASE HREF=\""_s + url + u"\">"_s + kLineEnd;
    document += u"<META NAME=GENERATOR CONTENT=Tsutanoha Pro>"_s + kLineEnd;
    document += u"</HEAD><BODY>"_s + kLineEnd;
    document += u"<H2>"_s + url + u"のリンク集</H2><BR><BR>"_s + kLineEnd;

    for (const Pass &pass : kPasses) {
        qsizetype p = page.indexOf(pass.start);
        while (p >= 0) {
            if (cancelled && cancelled())
                return std::nullopt;
            const qsizetype e = page.indexOf(pass.end, p);
            if (e < 0)
                return std::nullopt;
            const qsizetype after = e + pass.end.size();
            document += page.sliced(p, after - p);
            document += u"<BR>"_s + kLineEnd;
            p = page.indexOf(pass.start, after);
        }
    }

    document += u"<BR><BR>"_s + kLineEnd;
    document += u"<P ALIGN=right><FONT SIZE=-1><I><A HREF="_s;
    document += maker::homePage();
    document += u">ことり舎</A></I></FONT></P>"_s + kLineEnd;
    document += u"</BODY></HTML>"_s + kLineEnd;
    return document;
}

QByteArray encodeLinkList(const QString &document)
{
    if (ansi::holds(document))
        return ansi::encode(document);
    static const QString head = u"<HEAD>"_s;
    QString declared = document;
    const qsizetype at = declared.indexOf(head);
    const QString meta = u"\r\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">"_s;
    if (at >= 0)
        declared.insert(at + head.size(), meta);
    else
        declared.prepend(meta.mid(2) + u"\r\n"_s);
    return declared.toUtf8();
}

} // namespace linktool
