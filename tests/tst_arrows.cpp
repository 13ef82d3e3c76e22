// Include arrows between the rooms point one way:
// platform <- app <- feature rooms <- browser <- main.cpp, and nothing includes tests/.
// Read from the sources, so a stray include fails here before it tangles the libraries.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList kRooms {u"platform"_s, u"app"_s,      u"sidebar"_s, u"blocking"_s,
                          u"memo"_s,     u"linktool"_s, u"tools"_s,   u"browser"_s};
const QStringList kFeatures {u"sidebar"_s, u"blocking"_s, u"memo"_s, u"linktool"_s, u"tools"_s};

struct Finding
{
    QString file; // relative to the source root
    int line = 0;
    QString include;
};

bool isGenerated(const QString &name)
{
    return (name.startsWith(u"ui_"_s) && name.endsWith(u".h"_s))
        || (name.startsWith(u"moc_"_s) && name.endsWith(u".cpp"_s))
        || (name.startsWith(u"qrc_"_s) && name.endsWith(u".cpp"_s)) || name.endsWith(u".moc"_s);
}

// Whether file may include target, as written between the quotes or brackets.
bool allowed(const QString &target, bool quoted, const QFileInfo &file, const QStringList &mayInclude)
{
    const QString first = target.section(u'/', 0, 0);
    if (target.contains(u'/') && first == u"tests"_s)
        return false;
    if (target.contains(u'/') && kRooms.contains(first))
        return mayInclude.contains(first);
    if (!quoted)
        return true; // Qt and system headers
    if (target.startsWith(u"main."_s))
        return false;
    // Without a room prefix: only a file beside the includer, or one the Qt tools generate.
    return !target.contains(u'/') && (isGenerated(target) || file.dir().exists(target));
}

// Every include in the sources under root/room (a folder or a single file) that the room
// may not have; a missing room has none.
QList<Finding> check(const QString &root, const QString &room, const QStringList &mayInclude)
{
    static const QRegularExpression include(uR"(^\s*#\s*include\s*(["<])([^">]+)[">])"_s);
    static const QStringList suffixes {u"h"_s, u"hh"_s, u"hpp"_s, u"cpp"_s, u"cc"_s, u"cxx"_s};
    const QDir rootDir(root);
    QStringList files;
    const QFileInfo start(rootDir.filePath(room));
    if (start.isFile()) {
        files.append(start.filePath());
    } else if (start.isDir()) {
        QDirIterator it(start.filePath(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (suffixes.contains(QFileInfo(path).suffix()))
                files.append(path);
        }
    }
    files.sort();

    QList<Finding> findings;
    for (const QString &path : files) {
        QFile source(path);
        if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
            findings.append({rootDir.relativeFilePath(path), 0, u"(unreadable)"_s});
            continue;
        }
        int number = 0;
        while (!source.atEnd()) {
            const QString line = QString::fromUtf8(source.readLine());
            ++number;
            const QRegularExpressionMatch match = include.match(line);
            if (!match.hasMatch())
                continue;
            const bool quoted = match.captured(1) == u"\""_s;
            const QString target = match.captured(2).trimmed();
            if (!allowed(target, quoted, QFileInfo(path), mayInclude))
                findings.append({rootDir.relativeFilePath(path), number, target});
        }
    }
    return findings;
}

QString describe(const QList<Finding> &findings)
{
    QStringList lines;
    for (const Finding &f : findings)
        lines.append(u"%1:%2: includes \"%3\""_s.arg(f.file).arg(f.line).arg(f.include));
    return lines.join(u'\n');
}

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestArrows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // A wrong root would find no sources and pass every room.
        QVERIFY(QFileInfo(QStringLiteral(YURA_SOURCE_DIR) + u"/main.cpp"_s).isFile());
        QVERIFY(QFileInfo(QStringLiteral(YURA_SOURCE_DIR) + u"/platform/platform.h"_s).isFile());
    }

    void rooms_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<QStringList>("mayInclude");
        QTest::newRow("platform") << u"platform"_s << QStringList {u"platform"_s};
        QTest::newRow("app") << u"app"_s << QStringList {u"platform"_s, u"app"_s};
        for (const QString &feature : kFeatures) {
            QTest::addRow("%s", qPrintable(feature)) << feature << QStringList {u"platform"_s, u"app"_s, feature};
        }
        QTest::newRow("browser") << u"browser"_s << kRooms;
        QTest::newRow("main.cpp") << u"main.cpp"_s << kRooms;
    }
    void rooms()
    {
        QFETCH(QString, room);
        QFETCH(QStringList, mayInclude);
        const QList<Finding> findings = check(QStringLiteral(YURA_SOURCE_DIR), room, mayInclude);
        QVERIFY2(findings.isEmpty(), qPrintable(room + u" breaks an arrow:\n"_s + describe(findings)));
    }

    // The checker itself, on a made-up tree.
    void checkerFindsWrongArrows_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("expected"); // "" = nothing found
        const QByteArray head = "#pragma once\n\n#include <QString>\n";
        QTest::newRow("feature room includes browser")
            << u"sidebar/bad.h"_s << head + "#include \"browser/mainwindow.h\"\n"
            << u"sidebar/bad.h:4: includes \"browser/mainwindow.h\""_s;
        QTest::newRow("in angle brackets too") << u"sidebar/bad.cpp"_s << head + "#  include <browser/mainwindow.h>\n"
                                               << u"sidebar/bad.cpp:4: includes \"browser/mainwindow.h\""_s;
        QTest::newRow("product includes tests")
            << u"browser/bad.cpp"_s << head + "#include \"tests/support/fakeplatform.h\"\n"
            << u"browser/bad.cpp:4: includes \"tests/support/fakeplatform.h\""_s;
        QTest::newRow("browser includes main") << u"browser/bad.cpp"_s << head + "#include \"main.cpp\"\n"
                                               << u"browser/bad.cpp:4: includes \"main.cpp\""_s;
        QTest::newRow("unknown file without a room") << u"sidebar/bad.cpp"_s << head + "#include \"elsewhere.h\"\n"
                                                     << u"sidebar/bad.cpp:4: includes \"elsewhere.h\""_s;
        QTest::newRow("climbing out of the room")
            << u"sidebar/bad.cpp"_s << head + "#include \"../browser/mainwindow.h\"\n"
            << u"sidebar/bad.cpp:4: includes \"../browser/mainwindow.h\""_s;
        QTest::newRow("own room, neighbour and generated files pass") << u"sidebar/good.cpp"_s
                                                                      << head
                + "#include \"sidebar/good.h\"\n#include \"app/inifile.h\"\n#include \"platform/x.h\"\n"
                  "#include \"good.h\"\n#include \"ui_good.h\"\n#include \"moc_good.cpp\"\n#include \"good.moc\"\n"
                                                                      << QString();
    }
    void checkerFindsWrongArrows()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, source);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QVERIFY(write(root.filePath(file), source));
        QVERIFY(write(root.filePath(u"sidebar/good.h"_s), "#pragma once\n"));
        const QString room = file.section(u'/', 0, 0);
        const QStringList mayInclude = room == u"browser"_s ? kRooms : QStringList {u"platform"_s, u"app"_s, room};
        QCOMPARE(describe(check(root.path(), room, mayInclude)), expected);
    }
};

QTEST_GUILESS_MAIN(TestArrows)
#include "tst_arrows.moc"
