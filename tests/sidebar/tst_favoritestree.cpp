#include "sidebar/favoritestree.h"

#include <QHash>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace favorites;

namespace {

// Folders listed in a fixed order, as a test wants them.
class ScriptedLister : public DirectoryLister
{
public:
    QHash<QString, QList<ListedName>> folders;
    QList<ListedName> list(const QString &folder) const override { return folders.value(folder); }
};

QStringList texts(const QList<TreeNode> &nodes)
{
    QStringList list;
    for (const TreeNode &node : nodes)
        list.append(node.parentKey.section(u'/', -1) + u'>' + node.text + u':' + node.image);
    return list;
}

} // namespace

class TestFavoritesTree : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void foldersFirstInNameOrder()
    {
        ScriptedLister lister;
        lister.folders[u"/f"_s] = {
            {u"B"_s, true}, {u"x.url"_s, false}, {u"a10.url"_s, false}, {u"A"_s, true}, {u"a2.url"_s, false}};
        lister.folders[u"/f/B"_s] = {{u"inner.url"_s, false}, {u"C"_s, true}};
        lister.folders[u"/f/B/C"_s] = {{u"deep.url"_s, false}};
        const auto entries = scanFavoritesFolder(lister, u"/f"_s);
        // Pre-order: every folder directly followed by its subtree.
        QCOMPARE(entries,
                 (QList<FavoriteEntry> {{16, u"/f/A"_s},
                                        {16, u"/f/B"_s},
                                        {16, u"/f/B/C"_s},
                                        {0, u"/f/B/C/deep.url"_s},
                                        {0, u"/f/B/inner.url"_s},
                                        {0, u"/f/a2.url"_s},
                                        {0, u"/f/a10.url"_s},
                                        {0, u"/f/x.url"_s}}));
        const auto nodes = buildFavoritesTree(entries, u"/f"_s);
        QCOMPARE(texts(nodes),
                 QStringList({u">/f:folder"_s, u"f>A:folder"_s, u"f>B:folder"_s, u"B>C:folder"_s, u"C>deep:exp"_s,
                              u"B>inner:exp"_s, u"f>a2:exp"_s, u"f>a10:exp"_s, u"f>x:exp"_s}));
    }

    void nameOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");
        QTest::newRow("numbers by value") << u"a2"_s << u"a10"_s << -1;
        QTest::newRow("numbers inside") << u"part 9.url"_s << u"part 10.url"_s << -1;
        QTest::newRow("letter case aside") << u"apple"_s << u"Banana"_s << -1;
        QTest::newRow("case alone: fixed order") << u"News"_s << u"news"_s << -1;
        QTest::newRow("leading zeros: same value") << u"a007"_s << u"a8"_s << -1;
        QTest::newRow("leading zeros alone: fixed order") << u"a01"_s << u"a1"_s << -1;
        QTest::newRow("digits before letters") << u"9"_s << u"a"_s << -1;
        QTest::newRow("shorter first") << u"abc"_s << u"abcd"_s << -1;
        QTest::newRow("same length: the first different digit") << u"x191"_s << u"x210"_s << -1;
        QTest::newRow("long numbers") << u"x99"_s << u"x123456789012345678901234"_s << -1;
        QTest::newRow("full-width digits") << u"第２回"_s << u"第１０回"_s << -1;
        QTest::newRow("any digits before letters") << u"１０"_s << u"a"_s << -1;
        QTest::newRow("punctuation before numbers") << u"a-z"_s << u"a1"_s << -1;
        QTest::newRow("beyond the BMP") << u"\U0001F600"_s << u"\U0001F601"_s << -1;
        QTest::newRow("same") << u"お気に入り"_s << u"お気に入り"_s << 0;
    }
    void nameOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        QCOMPARE(compareNames(a, b), order);
        QCOMPARE(compareNames(b, a), -order);
    }

    void limits()
    {
        ScriptedLister lister;
        QList<ListedName> many;
        for (int i = 299; i >= 0; --i) // listed backwards: the first 257 in order are kept
            many.append({u"n%1.url"_s.arg(i), false});
        lister.folders[u"/f"_s] = many;
        const auto kept = scanFavoritesFolder(lister, u"/f"_s);
        QCOMPARE(kept.size(), 257);
        QCOMPARE(kept.first().path, u"/f/n0.url"_s);
        QCOMPARE(kept.last().path, u"/f/n256.url"_s);

        QList<ListedName> folders;
        for (int i = 0; i < 5; ++i)
            folders.append({u"d%1"_s.arg(i), true});
        lister.folders[u"/g"_s] = folders;
        for (int i = 0; i < 5; ++i)
            lister.folders[u"/g/d%1"_s.arg(i)] = many;
        const auto entries = scanFavoritesFolder(lister, u"/g"_s);
        QCOMPARE(entries.size(), 769);
        QCOMPARE(entries.last().path, u"/g/d2/n251.url"_s); // (1+257) * 2, then 1 + 252
    }

    void fiftyThousandFilesOnDisk()
    {
        QTemporaryDir dir;
        for (int i = 0; i < 50'000; ++i)
            QVERIFY(QFile(dir.filePath(u"ページ%1.url"_s.arg(i))).open(QIODevice::WriteOnly));
        const auto entries = scanFavoritesFolder(FileSystemLister(), dir.path());
        QCOMPARE(entries.size(), 257);
        QCOMPARE(entries.first().path, dir.filePath(u"ページ0.url"_s));
        QCOMPARE(entries.last().path, dir.filePath(u"ページ256.url"_s));
    }

    void emptyFolderGivesNoNodes()
    {
        ScriptedLister lister;
        QVERIFY(buildFavoritesTree(scanFavoritesFolder(lister, u"/none"_s), u"/none"_s).isEmpty());
    }

    void displayName_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("News.url") << u"News.url"_s << u"News"_s;
        QTest::newRow("News.URL") << u"News.URL"_s << u"News.URL"_s;
        QTest::newRow("Old.url stuff") << u"Old.url stuff"_s << u"Old"_s;
        QTest::newRow("a.url.b") << u"a.url.b"_s << u"a"_s;
        QTest::newRow("readme.txt") << u"readme.txt"_s << u"readme.txt"_s;
        QTest::newRow("path") << u"/home/me/お気に入り"_s << u"/home/me/お気に入り"_s;
    }
    void displayName()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(favoriteDisplayName(text), shown);
    }

    void split_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("leaf");
        QTest::newRow("nested") << u"/a/b/c.url"_s << u"/a/b"_s << u"c.url"_s;
        QTest::newRow("no separator") << u"name"_s << QString() << u"name"_s;
        QTest::newRow("trailing") << u"/a/"_s << u"/a"_s << QString();
    }
    void split()
    {
        QFETCH(QString, path);
        QFETCH(QString, parent);
        QFETCH(QString, leaf);
        const auto [p, l] = splitAtLastBackslash(path);
        QCOMPARE(p, parent);
        QCOMPARE(l, leaf);
    }

    void realFolderSkipsHiddenEntries()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"Sub"_s));
        for (const QString &name : {u"readme.txt"_s, u".hidden"_s, u"Sub/a.url"_s}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir.path()).mkdir(u".config"_s));
        const auto nodes = buildFavoritesTree(scanFavoritesFolder(FileSystemLister(), dir.path()), dir.path());
        QStringList names;
        for (const TreeNode &node : nodes)
            names.append(node.text + u':' + node.image);
        QCOMPARE(names, QStringList({dir.path() + u":folder"_s, u"Sub:folder"_s, u"a:exp"_s, u"readme.txt:exp"_s}));
    }
};

QTEST_GUILESS_MAIN(TestFavoritesTree)
#include "tst_favoritestree.moc"
