// The link tool's rules as pure functions: URL check, anchor scan, link resolution, the
// export document and the list's sorting.
#include "app/maker.h"
#include "linktool/linkanalysis.h"
#include "linktool/linkexport.h"
#include "linktool/linklistmodel.h"
#include "platform/codepage.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using linktool::LinkEntry;
using Entries = QList<LinkEntry>;

Q_DECLARE_METATYPE(LinkEntry)

namespace QTest {
template <> char *toString(const LinkEntry &entry)
{
    return QTest::toString(u"{"_s + entry.text + u" | "_s + entry.url + u"}"_s);
}
} // namespace QTest

class TestLinkAnalysis : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void urlCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        const QString notHttp = u"http://で始まるURLのみ有効です"_s;
        const QString noName = u"ちゃんとファイル名を指定してください"_s;
        const QString ok = u"処理可能なURLです"_s;
        QTest::newRow("page") << u"http://a.test/d/p.htm"_s << ok;
        QTest::newRow("https taken") << u"https://a.test/p.htm"_s << ok;
        QTest::newRow("folder") << u"http://a.test/d/"_s << noName;
        QTest::newRow("no .htm") << u"http://a.test/p.php"_s << noName;
        QTest::newRow(".HTM in capitals") << u"http://a.test/P.HTM"_s << noName;
        QTest::newRow("capital scheme") << u"HTTP://a.test/p.htm"_s << notHttp;
    }
    void urlCheck()
    {
        QFETCH(QString, text);
        QFETCH(QString, status);
        QCOMPARE(linktool::urlCheckMessage(linktool::checkUrl(text)), status);
    }

    void preChecks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("analysis");
        QTest::addColumn<bool>("exporting");
        QTest::newRow("slash") << u"http://a.test/d/"_s << true << true;
        QTest::newRow("jpg") << u"http://a.test/p.jpg"_s << true << false;
        QTest::newRow("gif") << u"http://a.test/p.gif"_s << true << false;
        QTest::newRow("capital G passes") << u"http://a.test/P.JPG"_s << false << false;
        QTest::newRow("page") << u"http://a.test/p.htm"_s << false << false;
        QTest::newRow("a word") << u"hello"_s << false << false;
    }
    void preChecks()
    {
        QFETCH(QString, text);
        QFETCH(bool, analysis);
        QFETCH(bool, exporting);
        QCOMPARE(linktool::analysisRefuses(text), analysis);
        QCOMPARE(linktool::exportRefuses(text), exporting);
    }

    void scan_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<Entries>("entries");
        QTest::newRow("no anchors") << u"<html><body>plain <a name=\"x\">t</a></body></html>"_s << Entries {};
        QTest::newRow("text Top") << u"<p><A HREF=\"#top\">Top</A></p>"_s << Entries {{u"Top"_s, u"#top"_s}};
        QTest::newRow("URL as written, case kept")
            << u"<a href=\"../Dir/Page.HTM?q=1&amp;r\">Mixed <b>Case</b></a>"_s
            << Entries {{u"Mixed <b>Case</b>"_s, u"../Dir/Page.HTM?q=1&amp;r"_s}};
        QTest::newRow("image right after the start tag")
            << u"<a href=\"i.htm\"><img src=\"i.png\" alt=\"x\"></a>"_s << Entries {{u"<<画像>> "_s, u"i.htm"_s}};
        QTest::newRow("image after a blank")
            << u"<a href=\"i.htm\"> <img src=\"i.png\"></a>"_s << Entries {{u" <img src=\"i.png\">"_s, u"i.htm"_s}};
        QTest::newRow("unquoted HREF takes the next quoted text")
            << u"<a href=x.htm>X</a> <img alt=\"pic\">after</a>"_s << Entries {{u"after"_s, u"pic"_s}};
        QTest::newRow("last anchor with one quote ends the scan")
            << u"<a href=\"a.htm\">A</a><a href=\"b.htm\">B</a><a href=\"c.htm>C</a>"_s
            << Entries {{u"A"_s, u"a.htm"_s}, {u"B"_s, u"b.htm"_s}};
        QTest::newRow("missing end tag ends the scan")
            << u"<a href=\"a.htm\">A</a><a href=\"b.htm\">B"_s << Entries {{u"A"_s, u"a.htm"_s}};
        QTest::newRow("another attribute before HREF is not found")
            << u"<a class=\"x\" href=\"a.htm\">A</a><a href=\"b.htm\">B</a>"_s << Entries {{u"B"_s, u"b.htm"_s}};
        QTest::newRow("any letter case")
            << u"<a href=\"1\">1</a><A href=\"2\">2</A><a HREF=\"3\">3</a><A HrEf=\"4\">4</a>"_s
            << Entries {{u"1"_s, u"1"_s}, {u"2"_s, u"2"_s}, {u"3"_s, u"3"_s}, {u"4"_s, u"4"_s}};
        QTest::newRow("an unclosed anchor's text ends where the next begins")
            << u"<a href=\"o.htm\">out <a href=\"i.htm\">in</a>"_s
            << Entries {{u"out "_s, u"o.htm"_s}, {u"in"_s, u"i.htm"_s}};
        QTest::newRow("unclosed anchors, one end at the last")
            << u"<a href=\"1\">one<a href=\"2\">two<a href=\"3\">three</a>"_s
            << Entries {{u"one"_s, u"1"_s}, {u"two"_s, u"2"_s}, {u"three"_s, u"3"_s}};
    }
    void scan()
    {
        QFETCH(QString, page);
        QFETCH(Entries, entries);
        QCOMPARE(linktool::scanAnchors(page), entries);
    }

    void scanStopsBeforeTheNextAnchorWhenCancelled()
    {
        const QString page = u"<a href=\"1\">1</a><a href=\"2\">2</a><a href=\"3\">3</a>"_s;
        int asked = 0;
        const Entries entries = linktool::scanAnchors(page, [&asked] { return ++asked > 2; });
        QCOMPARE(entries, (Entries {{u"1"_s, u"1"_s}, {u"2"_s, u"2"_s}}));
        QCOMPARE(asked, 3);
        QVERIFY(linktool::scanAnchors(page, [] { return true; }).isEmpty());
    }

    void resolution_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("address");
        const QString s = u"http://s.test"_s;
        const QString page = s + u"/d/p.htm"_s;
        // Relative references the way pages write them.
        QTest::newRow("./x") << page << u"./x.htm"_s << s + u"/d/x.htm"_s;
        QTest::newRow("../x") << page << u"../x.htm"_s << s + u"/x.htm"_s;
        QTest::newRow("x") << page << u"x.htm"_s << s + u"/d/x.htm"_s;
        QTest::newRow("../../x") << s + u"/a/b/p.htm"_s << u"../../x.htm"_s << s + u"/x.htm"_s;
        QTest::newRow("absolute http") << page << u"http://o.test/y.htm"_s << u"http://o.test/y.htm"_s;
        // Cases that plain string joining gets wrong.
        QTest::newRow("upper-case scheme") << page << u"HTTP://o.test/y.htm"_s << u"http://o.test/y.htm"_s;
        QTest::newRow("root-relative") << page << u"/top.htm"_s << s + u"/top.htm"_s;
        QTest::newRow("fragment") << page << u"#part"_s << page + u"#part"_s;
        QTest::newRow("mailto") << page << u"mailto:me@s.test"_s << u"mailto:me@s.test"_s;
        QTest::newRow("https base") << u"https://s.test/d/p.htm"_s << u"../x.htm"_s << u"https://s.test/x.htm"_s;
        QTest::newRow("blanks around") << page << u" x.htm "_s << s + u"/d/x.htm"_s;
    }
    void resolution()
    {
        QFETCH(QString, base);
        QFETCH(QString, reference);
        QFETCH(QString, address);
        QCOMPARE(linktool::resolveLink(base, reference), address);
    }

    void exportBytes()
    {
        const QString page = u"<body><a href=\"low.htm\">low</a> <A HREF=\"up.htm\">UP</A>"
                             u" <A href=\"mix.htm\">mix</A></body>"_s;
        const auto document = linktool::buildLinkList(page, u"links.htm"_s, u"http://s.test/d/p.htm"_s);
        QVERIFY(document);
        const QString expected = u"<HTML><HEAD>\r\n"
                                 u"<TITLE>links.htm</TITLE><BASE HREF=\"http://s.test/d/p.htm\">\r\n"
                                 u"<META NAME=GENERATOR CONTENT=Tsutanoha Pro>\r\n"
                                 u"</HEAD><BODY>\r\n"
                                 u"<H2>http://s.test/d/p.htmのリンク集</H2><BR><BR>\r\n"
                                 u"<A HREF=\"up.htm\">UP</A><BR>\r\n"
                                 u"<a href=\"low.htm\">low</a><BR>\r\n"
                                 u"<A href=\"mix.htm\">mix</A><BR>\r\n"
                                 u"<BR><BR>\r\n"
                                 u"<P ALIGN=right><FONT SIZE=-1><I><A HREF="_s
            + maker::homePage()
            + u">ことり舎</A></I></FONT></P>\r\n"
              u"</BODY></HTML>\r\n"_s;
        QCOMPARE(*document, expected);
    }

    void exportAnchors_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("lines"); // the anchor lines, without "<BR>"
        QTest::newRow("lower-case a with upper-case HREF is not copied")
            << u"<a HREF=\"x.htm\">x</a>"_s << QStringList {};
        QTest::newRow("upper-case start, lower-case close: up to the next A>")
            << u"<A HREF=\"1.htm\">one</a> between <A HREF=\"2.htm\">two</A> <A HREF=\"3.htm\">3</A>"_s
            << QStringList {u"<A HREF=\"1.htm\">one</a> between <A HREF=\"2.htm\">two</A>"_s,
                            u"<A HREF=\"3.htm\">3</A>"_s};
        QTest::newRow("<A HREF before an earlier <a href")
            << u"<a href=\"first.htm\">1</a><A HREF=\"second.htm\">2</A>"_s
            << QStringList {u"<A HREF=\"second.htm\">2</A>"_s, u"<a href=\"first.htm\">1</a>"_s};
    }
    void exportAnchors()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, lines);
        QString body;
        for (const QString &line : lines)
            body += line + u"<BR>\r\n"_s;
        const auto document = linktool::buildLinkList(page, u"t.htm"_s, u"http://s.test/p.htm"_s);
        QVERIFY(document);
        QVERIFY(document->contains(u"のリンク集</H2><BR><BR>\r\n"_s + body + u"<BR><BR>\r\n<P ALIGN"_s));
    }

    void exportEndsWithoutAFile()
    {
        // An anchor without its end marker, in any pass, ends the export.
        QVERIFY(!linktool::buildLinkList(u"<A HREF=\"x.htm\">x</a> <a href=\"y\">y</a>"_s, u"t"_s, u"u"_s));
        QVERIFY(!linktool::buildLinkList(u"<a href=\"x.htm\">x</A>"_s, u"t"_s, u"u"_s));
        // Cancelled: tested before each anchor, not before a page without any.
        QVERIFY(!linktool::buildLinkList(u"<A HREF=\"x\">x</A>"_s, u"t"_s, u"u"_s, [] { return true; }));
        QVERIFY(linktool::buildLinkList(u"no anchors"_s, u"t"_s, u"u"_s, [] { return true; }));
    }

    // As the memo pad: CP932 where it holds the whole document, else UTF-8, declared.
    void exportEncoding_data()
    {
        QTest::addColumn<QString>("anchorText");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("Japanese") << u"日本語のページ"_s << false;
        QTest::newRow("emoji") << u"猫😺"_s << true;
        QTest::newRow("accented Latin") << u"Café Noël"_s << true;
        QTest::newRow("Hangul") << u"한국어"_s << true;
        QTest::newRow("simplified Chinese") << u"简体中文"_s << true;
    }
    void exportEncoding()
    {
        QFETCH(QString, anchorText);
        QFETCH(bool, utf8);
        const auto document = linktool::buildLinkList(u"<A HREF=\"x.htm\">"_s + anchorText + u"</A>"_s, u"t.htm"_s,
                                                      u"http://s.test/p.htm"_s);
        QVERIFY(document);
        const QByteArray bytes = linktool::encodeLinkList(*document);
        const QByteArray declaration =
            "<HTML><HEAD>\r\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">";
        QCOMPARE(bytes.startsWith(declaration), utf8);
        QCOMPARE(utf8 ? QString::fromUtf8(bytes).remove(QString::fromLatin1(declaration.mid(14)) + u"\r\n"_s)
                      : ansi::decode(bytes),
                 *document);
    }

    void exportEscapesWhatItWrites()
    {
        const QString url = u"http://s.test/\"><script>alert(1)</script>&.htm"_s;
        const auto document = linktool::buildLinkList(u"<A HREF=\"<i>\">&amp;</A>"_s, u"a<b>&\"c.htm"_s, url);
        QVERIFY(document);
        const QStringList lines = document->split(u"\r\n"_s);
        QCOMPARE(lines.at(1),
                 u"<TITLE>a&lt;b&gt;&amp;&quot;c.htm</TITLE><BASE HREF=\"http://s.test/&quot;&gt;"
                 u"&lt;script&gt;alert(1)&lt;/script&gt;&amp;.htm\">"_s);
        QCOMPARE(lines.at(4),
                 u"<H2>http://s.test/&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;&amp;.htm"
                 u"のリンク集</H2><BR><BR>"_s);
        QCOMPARE(lines.at(5), u"<A HREF=\"<i>\">&amp;</A><BR>"_s); // copied as it was
        QVERIFY(!document->contains(u"<script>"_s));
    }

    void sortingStaysWhenFilledAgain()
    {
        LinkListModel model;
        model.sort(0, Qt::AscendingOrder);
        model.setEntries({{u"z"_s, u"1"_s}, {u"x"_s, u"2"_s}, {u"X"_s, u"3"_s}, {u"x"_s, u"4"_s}});
        QStringList urls;
        for (int row = 0; row < model.rowCount(); ++row)
            urls.append(model.entry(row).url);
        QCOMPARE(urls, (QStringList {u"3"_s, u"2"_s, u"4"_s, u"1"_s})); // letter case aside, then exact; stable
    }
};

QTEST_GUILESS_MAIN(TestLinkAnalysis)
#include "tst_linkanalysis.moc"
