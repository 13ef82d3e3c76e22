#include "platform/codepage.h"
#include "platform/shellservices.h"
#include "sidebar/bookmarks.h"
#include "sidebar/favoriteops.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

using Tree = QMap<QString, QString>; // relative path -> address; folders end in "/" with ""

Q_DECLARE_METATYPE(Tree)

namespace {

// Everything below root, read back from disk through the shortcut parser.
Tree snapshot(const QString &root)
{
    Tree tree;
    const QDir base(root);
    QDirIterator it(root, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString rel = base.relativeFilePath(it.filePath());
        if (it.fileInfo().isDir()) {
            tree.insert(rel + u'/', QString());
        } else {
            QFile file(it.filePath());
            if (!file.open(QIODevice::ReadOnly))
                tree.insert(rel, u"<unreadable>"_s);
            else
                tree.insert(rel, bookmarks::parseShortcutAddress(file.readAll()).value_or(u"<no address>"_s));
        }
    }
    return tree;
}

// Builds the tree on disk: folders from keys ending in "/", shortcuts from the others.
bool build(const QString &root, const Tree &tree)
{
    for (auto it = tree.begin(); it != tree.end(); ++it) {
        const QString path = QDir(root).filePath(it.key());
        if (it.key().endsWith(u'/')) {
            if (!QDir().mkpath(path))
                return false;
        } else {
            QDir().mkpath(QFileInfo(path).path());
            if (platform::writeInternetShortcutFile(path, it.value(), true) != platform::ShortcutResult::Written)
                return false;
        }
    }
    return true;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestBookmarks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parseAddress_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("address");

        QTest::newRow("plain") << QByteArray("[InternetShortcut]\r\nURL=http://a.example/\r\n") << true
                               << u"http://a.example/"_s;
        QTest::newRow("modified before") << QByteArray(
            "[InternetShortcut]\r\nModified=B0C3D2E1F0\r\nURL=http://b.example/x?q=1\r\n")
                                         << true << u"http://b.example/x?q=1"_s;
        QTest::newRow("modified after") << QByteArray("[InternetShortcut]\r\nURL=https://c.example/\r\nModified=00\r\n")
                                        << true << u"https://c.example/"_s;
        QTest::newRow("last line without end")
            << QByteArray("[InternetShortcut]\r\nURL=http://d.example/end") << true << u"http://d.example/end"_s;
        QTest::newRow("LF only") << QByteArray("[InternetShortcut]\nURL=http://e.example/\nIconIndex=0\n") << true
                                 << u"http://e.example/"_s;
        QTest::newRow("CR only") << QByteArray("[InternetShortcut]\rURL=http://cr.example/\r") << true
                                 << u"http://cr.example/"_s;
        QTest::newRow("other section first")
            << QByteArray("[DEFAULT]\r\nBASEURL=http://base.example/\r\nURL=http://wrong.example/\r\n"
                          "[InternetShortcut]\r\nURL=http://right.example/\r\n")
            << true << u"http://right.example/"_s;
        QTest::newRow("other section after")
            << QByteArray("[InternetShortcut]\r\nIconFile=x\r\n[Other]\r\nURL=http://wrong.example/\r\n") << false
            << QString();
        QTest::newRow("first URL wins") << QByteArray(
            "[InternetShortcut]\r\nURL=http://first.example/\r\nURL=http://second.example/\r\n")
                                        << true << u"http://first.example/"_s;
        QTest::newRow("no section") << QByteArray("URL=http://f.example/\r\n") << false << QString();
        QTest::newRow("no URL line") << QByteArray("[InternetShortcut]\r\nIconIndex=1\r\n") << false << QString();
        QTest::newRow("empty address") << QByteArray("[InternetShortcut]\r\nURL=\r\n") << false << QString();
        QTest::newRow("empty file") << QByteArray() << false << QString();
        QTest::newRow("CP932 address") << QByteArray("[InternetShortcut]\r\nURL=http://g.example/")
                + ansi::encode(u"表示"_s) + QByteArray("\r\n")
                                       << true << u"http://g.example/表示"_s;
    }

    void parseAddress()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, found);
        QFETCH(QString, address);
        const auto result = bookmarks::parseShortcutAddress(file);
        QCOMPARE(result.has_value(), found);
        if (found)
            QCOMPARE(*result, address);
    }

    void readOnlyTheHead_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("address"); // "" = none
        const QByteArray head = "[InternetShortcut]\r\nURL=http://a.example/\r\n";
        const QByteArray filler = "Comment=" + QByteArray(70000, 'x') + "\r\n";
        QTest::newRow("large file, address first") << head + filler << u"http://a.example/"_s;
        QTest::newRow("address beyond 64 KB") << "[InternetShortcut]\r\n" + filler + "URL=http://b.example/\r\n"
                                              << QString();
        QTest::newRow("address cut by the limit") << "[InternetShortcut]\r\nURL=http://c.example/"
                + QByteArray(70000, 'y') + "\r\n" << QString();
        QTest::newRow("small file without line end")
            << QByteArray("[InternetShortcut]\r\nURL=http://d.example/") << u"http://d.example/"_s;
    }

    void readOnlyTheHead()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, address);
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(bookmarks::readShortcutAddress(buffer).value_or(QString()), address);
    }

    // The add dialog's folder list and the export cover what the favorites tree shows.
    void treeRulesHold_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("offered"); // folders offered, the favorites folder included
        QTest::addColumn<int>("exportedFolders");
        QTest::addColumn<int>("exportedLinks");
        QTest::newRow("links out of the folder") << u"links"_s << 2 << 1 << 1;
        QTest::newRow("300 folders in one") << u"wide"_s << 258 << 257 << 0;
        QTest::newRow("more than 769 entries") << u"large"_s << 4 << 3 << 257 + 257 + 252;
    }

    void treeRulesHold()
    {
        QFETCH(QString, layout);
        QFETCH(int, offered);
        QFETCH(int, exportedFolders);
        QFETCH(int, exportedLinks);
        QTemporaryDir outside;
        QTemporaryDir dir;
        const QByteArray shortcut = "[InternetShortcut]\r\nURL=http://x.example/\r\n";
        if (layout == u"links") {
            QVERIFY(QDir(dir.path()).mkdir(u"Mine"_s));
            QVERIFY(writeFile(dir.filePath(u"Mine/mine.url"_s), shortcut));
            QVERIFY(writeFile(outside.filePath(u"outside.url"_s), shortcut));
            QVERIFY(QFile::link(outside.path(), dir.filePath(u"Out"_s)));
            QVERIFY(QFile::link(outside.filePath(u"outside.url"_s), dir.filePath(u"linked.url"_s)));
        } else if (layout == u"wide") {
            for (int i = 0; i < 300; ++i)
                QVERIFY(QDir(dir.path()).mkdir(u"d%1"_s.arg(i)));
        } else {
            for (int i = 0; i < 3; ++i) {
                QVERIFY(QDir(dir.path()).mkdir(u"d%1"_s.arg(i)));
                for (int j = 0; j < 300; ++j)
                    QVERIFY(writeFile(dir.filePath(u"d%1/n%2.url"_s.arg(i).arg(j)), shortcut));
            }
        }
        const QStringList folders = favorites::favoriteFolders(dir.path());
        QCOMPARE(folders.size(), offered);
        const QString html = QString::fromUtf8(bookmarks::exportNetscapeHtml(dir.path()));
        QCOMPARE(html.count(u"<H3>"_s), exportedFolders);
        QCOMPARE(html.count(u"<A HREF"_s), exportedLinks);
    }

    void roundTrip_data()
    {
        QTest::addColumn<Tree>("tree");
        QTest::newRow("flat") << Tree {{u"Example.url"_s, u"http://example.com/"_s},
                                       {u"Other.url"_s, u"https://other.example/path"_s}};
        QTest::newRow("nested japanese") << Tree {{u"ニュース/"_s, {}},
                                                  {u"ニュース/天気.url"_s, u"http://tenki.example/予報?a=1&b=2"_s},
                                                  {u"ニュース/国内/"_s, {}},
                                                  {u"ニュース/国内/政治 & 経済.url"_s, u"https://news.example/a/b/c"_s},
                                                  {u"空のフォルダー/"_s, {}},
                                                  {u"Tom & Jerry.url"_s, u"http://x.example/?q=<tag>&r=\"q\""_s},
                                                  {u"ftp.url"_s, u"ftp://files.example/pub/"_s},
                                                  {u"local.url"_s, u"file:///home/user/doc.html"_s}};
        QTest::newRow("entities in names")
            << Tree {{u"&amp; &lt;/"_s, {}}, {u"&amp; &lt;/&#39; &quot;.url"_s, u"http://y.example/#frag"_s}};
    }

    void roundTrip()
    {
        QFETCH(Tree, tree);
        QTemporaryDir source;
        QTemporaryDir target;
        QVERIFY(build(source.path(), tree));

        const QByteArray html = bookmarks::exportNetscapeHtml(source.path());
        QCOMPARE(QString::fromUtf8(html).toUtf8(), html); // valid UTF-8
        const auto result = bookmarks::importNetscapeHtml(html, target.path());
        QCOMPARE(snapshot(target.path()), tree);
        int folders = 0;
        for (auto it = tree.begin(); it != tree.end(); ++it)
            folders += it.key().endsWith(u'/') ? 1 : 0;
        QCOMPARE(result.folders, folders);
        QCOMPARE(result.shortcuts, int(tree.size()) - folders);
        QCOMPARE(result.skipped, 0);

        // Exporting the copy gives the same document.
        QCOMPARE(bookmarks::exportNetscapeHtml(target.path()), html);
    }

    void exportSkipsAndOrders()
    {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(),
                      Tree {{u"b.url"_s, u"http://b.example/"_s},
                            {u"A.url"_s, u"http://a.example/"_s},
                            {u"zfolder/"_s, {}},
                            {u"Afolder/"_s, {}},
                            {u".hidden/"_s, {}},
                            {u".hidden/inside.url"_s, u"http://hidden1.example/"_s},
                            {u".dot.url"_s, u"http://hidden2.example/"_s}}));
        QVERIFY(writeFile(dir.filePath(u"notes.txt"_s), "[InternetShortcut]\r\nURL=http://txt.example/\r\n"));
        QVERIFY(writeFile(dir.filePath(u"broken.url"_s), "no shortcut here"));
        QVERIFY(writeFile(dir.filePath(u"empty.url"_s), "[InternetShortcut]\r\nURL=\r\n"));
        // A link back to an ancestor must not make the export endless.
        QVERIFY(QFile::link(dir.path(), dir.filePath(u"Afolder/loop"_s)));

        const QString html = QString::fromUtf8(bookmarks::exportNetscapeHtml(dir.path()));
        QVERIFY(html.startsWith(u"<!DOCTYPE NETSCAPE-Bookmark-file-1>"_s));
        QVERIFY(html.contains(u"charset=UTF-8"_s));
        QVERIFY(html.contains(u"<TITLE>Bookmarks</TITLE>"_s));
        QVERIFY(html.contains(u"<H1>Bookmarks</H1>"_s));
        for (const char *absent : {"hidden", "txt.example", "broken", "empty", "notes", "loop"})
            QVERIFY2(!html.contains(QLatin1StringView(absent)), absent);

        const QStringList order = {u"<H3>Afolder</H3>"_s, u"<H3>zfolder</H3>"_s, u">A</A>"_s, u">b</A>"_s};
        qsizetype last = -1;
        for (const QString &item : order) {
            const qsizetype at = html.indexOf(item);
            QVERIFY2(at > last, qPrintable(item));
            last = at;
        }
    }

    void exportEscapes_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ampersand") << u"R&D"_s << u"http://e.example/?a=1&b=2"_s
                                   << u"<A HREF=\"http://e.example/?a=1&amp;b=2\">R&amp;D</A>"_s;
        QTest::newRow("angle brackets") << u"<script>"_s << u"http://e.example/<x>"_s
                                        << u"<A HREF=\"http://e.example/&lt;x&gt;\">&lt;script&gt;</A>"_s;
        QTest::newRow("quotes") << u"say \"hi\""_s << u"http://e.example/\"onclick=\"x"_s
                                << u"<A HREF=\"http://e.example/&quot;onclick=&quot;x\">say &quot;hi&quot;</A>"_s;
    }

    void exportEscapes()
    {
        QFETCH(QString, title);
        QFETCH(QString, address);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), Tree {{title + u".url"_s, address}}));
        const QString html = QString::fromUtf8(bookmarks::exportNetscapeHtml(dir.path()));
        QVERIFY2(html.contains(expected), qPrintable(html));
    }

    void importForeign_data()
    {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<Tree>("tree");
        QTest::addColumn<int>("skipped");

        // In the style other browsers export: upper case tags, <p>, attributes, entities,
        // a comment, missing closing tags. %1 is the charset.
        QFile file(QFINDTESTDATA("foreign-bookmarks.html"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString doc = QString::fromUtf8(file.readAll());
        const Tree tree {
            {u"ブックマーク バー/"_s, {}},
            {u"ブックマーク バー/日本語 & _テスト_.url"_s, u"https://www.example.jp/?a=1&b=2"_s},
            {u"ブックマーク バー/入れ子/"_s, {}},
            {u"ブックマーク バー/入れ子/深い あい _q_ 's'.url"_s, u"http://nested.example/"_s},
            {u"ブックマーク バー/unquoted title.url"_s, u"ftp://ftp.example/pub"_s},
            {u"ローカル.url"_s, u"file:///tmp/a.html"_s},
            {u"Upper.url"_s, u"HTTP://UPPER.example/"_s},
            {u"空/"_s, {}},
        };
        QTest::newRow("UTF-8") << doc.arg(u"UTF-8"_s).toUtf8() << tree << 2;
        QTest::newRow("Shift_JIS") << ansi::encode(doc.arg(u"Shift_JIS"_s)) << tree << 2;
        QTest::newRow("shift_jis quoted meta") << ansi::encode(
            QString(doc).replace(u"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=%1\">"_s,
                                 u"<meta charset=\"shift_jis\">"_s))
                                               << tree << 2;
        QString noMeta = doc;
        noMeta.remove(u"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=%1\">"_s);
        QTest::newRow("no meta is UTF-8") << noMeta.toUtf8() << tree << 2;
    }

    void importForeign()
    {
        QFETCH(QByteArray, html);
        QFETCH(Tree, tree);
        QFETCH(int, skipped);
        QTemporaryDir dir;
        const auto result = bookmarks::importNetscapeHtml(html, dir.path());
        QCOMPARE(snapshot(dir.path()), tree);
        QCOMPARE(result.skipped, skipped);
        QCOMPARE(result.folders, 3);
        QCOMPARE(result.shortcuts, 5);
    }

    void nameClashes()
    {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(),
                      Tree {{u"Foo.url"_s, u"http://original.example/"_s},
                            {u"Dir/"_s, {}},
                            {u"Dir/keep.url"_s, u"http://keep.example/"_s}}));
        const QByteArray before = [&] {
            QFile f(dir.filePath(u"Foo.url"_s));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const QByteArray html = "<DL><p>"
                                "<DT><A HREF=\"http://one.example/\">Foo</A>"
                                "<DT><A HREF=\"http://two.example/\">Foo</A>"
                                "<DT><H3>Dir</H3><DL><p>"
                                "<DT><A HREF=\"http://in.example/\">keep</A>"
                                "</DL><p>"
                                "</DL><p>";
        const auto result = bookmarks::importNetscapeHtml(html, dir.path());
        QCOMPARE(result.shortcuts, 3);
        QCOMPARE(result.folders, 1);
        const Tree expected {
            {u"Foo.url"_s, u"http://original.example/"_s},   {u"Foo (2).url"_s, u"http://one.example/"_s},
            {u"Foo (3).url"_s, u"http://two.example/"_s},    {u"Dir/"_s, {}},
            {u"Dir/keep.url"_s, u"http://keep.example/"_s},  {u"Dir (2)/"_s, {}},
            {u"Dir (2)/keep.url"_s, u"http://in.example/"_s}};
        QCOMPARE(snapshot(dir.path()), expected);
        QFile f(dir.filePath(u"Foo.url"_s));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void staysInside_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("parent") << u"../../evil"_s;
        QTest::newRow("dot dot") << u".."_s;
        QTest::newRow("absolute") << u"/tmp/evil"_s;
        QTest::newRow("backslash") << u"..\\..\\evil"_s;
        QTest::newRow("entity slash") << u"..&#47;..&#47;evil"_s;
    }

    void staysInside()
    {
        QFETCH(QString, title);
        QTemporaryDir outer;
        const QString favorites = QDir(outer.path()).filePath(u"fav"_s);
        const QByteArray html = "<DL><p><DT><H3>" + title.toUtf8() + "</H3><DL><p>"
            + "<DT><A HREF=\"http://evil.example/\">" + title.toUtf8() + "</A></DL><p>"
            + "<DT><A HREF=\"http://evil2.example/\">" + title.toUtf8() + "</A></DL><p>";
        const auto result = bookmarks::importNetscapeHtml(html, favorites);
        QCOMPARE(result.folders, 1);
        QCOMPARE(result.shortcuts, 2);
        QCOMPARE(QDir(outer.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList {u"fav"_s});
        const Tree tree = snapshot(favorites);
        QCOMPARE(tree.size(), 3);
        for (auto it = tree.begin(); it != tree.end(); ++it) {
            QVERIFY2(!it.key().contains(u"..") || it.key().startsWith(u'_'), qPrintable(it.key()));
            QVERIFY(!it.key().startsWith(u'.'));
            QVERIFY(QFileInfo(QDir(favorites).filePath(it.key()))
                        .canonicalFilePath()
                        .startsWith(QFileInfo(favorites).canonicalFilePath() + u'/'));
        }
    }

    void files()
    {
        QTemporaryDir dir;
        const QString favorites = dir.filePath(u"fav"_s);
        QString error;
        QVERIFY(!bookmarks::exportToFile(favorites, dir.filePath(u"out.html"_s), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(u"out.html"_s)));

        QVERIFY(build(favorites, Tree {{u"サイト.url"_s, u"http://site.example/"_s}}));
        QVERIFY(bookmarks::exportToFile(favorites, dir.filePath(u"out.html"_s), &error));
        QVERIFY(error.isEmpty());
        QVERIFY(!bookmarks::exportToFile(favorites, dir.filePath(u"missing/out.html"_s), &error));
        QVERIFY(!error.isEmpty());

        bool ok = false;
        auto result = bookmarks::importFromFile(dir.filePath(u"out.html"_s), dir.filePath(u"copy"_s), &ok);
        QVERIFY(ok);
        QCOMPARE(result.shortcuts, 1);
        QCOMPARE(snapshot(dir.filePath(u"copy"_s)), snapshot(favorites));

        ok = true;
        result = bookmarks::importFromFile(dir.filePath(u"nothing.html"_s), dir.filePath(u"copy2"_s), &ok);
        QVERIFY(!ok);
        QCOMPARE(result.shortcuts, 0);
        QVERIFY(!QFile::exists(dir.filePath(u"copy2"_s)));
    }
};

QTEST_GUILESS_MAIN(TestBookmarks)
#include "tst_bookmarks.moc"
