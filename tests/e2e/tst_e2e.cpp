// The real ゆらぎね on an X server of its own (xvfb-run), with its own program folder,
// HOME and XDG folders, reading pages from 127.0.0.1. It is driven the way a person
// drives it, by keys and clicks through the X server (xdotool), and checked by what a
// person sees (window captions, geometry) or finds on disk.
#include "platform/codepage.h"
#include "tests/support/isolatedhome.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/tempprogramfolder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWaitMs = 40'000;
const QString kSuffix = u"　－ ゆらぎね"_s;
const QByteArray kFirstOpenDone = "[Data]\r\nFirstOpen=1\r\n";

QByteArray page(const QString &title, const QString &body = {})
{
    return (u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>"_s + title + u"</title></head><body>"_s + body
            + u"</body></html>"_s)
        .toUtf8();
}

// A link as large as the page, so a click anywhere in the window follows it.
QString bigLink(const QString &href, const QString &target = {})
{
    return u"<style>body{margin:0}a{display:block;width:100vw;height:100vh}</style><a href=\""_s + href + u"\""_s
        + (target.isEmpty() ? QString() : u" target=\""_s + target + u"\""_s) + u">link</a>"_s;
}

struct Window
{
    QString id;
    QString caption;
    qint64 pid = 0;
};

} // namespace

class TestE2e : public QObject
{
    Q_OBJECT
private:
    LocalHttpServer m_server;
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<IsolatedHome> m_home;
    std::vector<std::unique_ptr<QProcess>> m_programs;
    QList<qint64> m_startedByProgram; // processes the program itself started

    QString url(const QString &path) const { return m_server.url(path).toString(); }

    QString xdotool(const QStringList &arguments) const
    {
        QProcess tool;
        tool.start(QStringLiteral(XDOTOOL), arguments);
        if (!tool.waitForFinished(10'000))
            return {};
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

    QList<Window> visibleWindows() const
    {
        QList<Window> windows;
        const QStringList ids =
            xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, u""_s}).split(u'\n', Qt::SkipEmptyParts);
        for (const QString &id : ids) {
            Window window {id, xdotool({u"getwindowname"_s, id}), 0};
            window.pid = xdotool({u"getwindowpid"_s, id}).toLongLong();
            windows.append(window);
        }
        return windows;
    }

    // The first visible window whose caption matches; an empty id when none came in time.
    Window waitForWindow(const std::function<bool(const Window &)> &wanted) const
    {
        QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired()) {
            for (const Window &window : visibleWindows()) {
                if (wanted(window))
                    return window;
            }
            QTest::qWait(200);
        }
        return {};
    }

    Window waitForCaption(const QString &caption, qint64 pid = 0) const
    {
        return waitForWindow([&](const Window &w) { return w.caption == caption && (!pid || w.pid == pid); });
    }

    // Every caption seen now, for a failure's message.
    QString captions() const
    {
        QStringList all;
        for (const Window &window : visibleWindows())
            all.append(u"\""_s + window.caption + u"\""_s);
        return all.join(u", "_s);
    }

    // Keys as the user types them into the window.
    void press(const Window &window, const QStringList &keys) const
    {
        xdotool({u"windowfocus"_s, window.id});
        QTest::qWait(300); // the focus change reaches the program before the keys
        xdotool(QStringList {u"key"_s, u"--delay"_s, u"150"_s} + keys);
    }

    void type(const Window &window, const QString &text) const
    {
        xdotool({u"windowfocus"_s, window.id});
        QTest::qWait(300);
        xdotool({u"type"_s, u"--delay"_s, u"30"_s, text});
    }

    void click(const Window &window) const
    {
        xdotool({u"mousemove"_s, u"--window"_s, window.id, u"200"_s, u"200"_s, u"click"_s, u"1"_s});
    }

    QRect geometry(const Window &window) const
    {
        // "X=.. Y=.. WIDTH=.. HEIGHT=.." lines
        const QString shell = xdotool({u"getwindowgeometry"_s, u"--shell"_s, window.id});
        QHash<QString, int> values;
        for (const QString &line : shell.split(u'\n')) {
            const qsizetype equals = line.indexOf(u'=');
            if (equals > 0)
                values.insert(line.left(equals), line.mid(equals + 1).toInt());
        }
        return {values.value(u"X"_s), values.value(u"Y"_s), values.value(u"WIDTH"_s), values.value(u"HEIGHT"_s)};
    }

    QProcess &start(const QStringList &arguments = {})
    {
        auto program = std::make_unique<QProcess>();
        QProcessEnvironment environment = m_home->environment();
        environment.insert(u"YURAGINE_HOME"_s, m_folder->path());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.remove(u"QT_SCALE_FACTOR"_s);
        program->setProcessEnvironment(environment);
        program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program->start(QStringLiteral(YURAGINE_EXECUTABLE), arguments);
        m_programs.push_back(std::move(program));
        return *m_programs.back();
    }

    QString setting(const QString &key) const
    {
        const QString text = ansi::decode(m_folder->read(u"Yura3.ini"_s));
        const QRegularExpression line(u"^"_s + QRegularExpression::escape(key) + u"=(.*?)\r?$"_s,
                                      QRegularExpression::MultilineOption);
        return line.match(text).captured(1);
    }

    QString downloads() const { return QDir(m_home->path()).filePath(u"Downloads"_s); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "run under xvfb-run (scripts/setup.sh installs it)");
        QVERIFY2(QFileInfo(QStringLiteral(XDOTOOL)).isExecutable(),
                 "xdotool is missing (scripts/setup.sh installs it)");
        QVERIFY(m_server.isListening());
        m_server.route(u"/hello"_s, page(u"こんにちは"_s));
        m_server.route(u"/novel"_s, page(u"第一章"_s, u"<p>むかしむかし</p>"_s));
        m_server.route(u"/forbidden.htm"_s, page(u"見えてはいけない"_s));
        m_server.route(u"/allowed"_s, page(u"許可"_s));
        m_server.route(u"/links"_s, page(u"リンク集"_s, bigLink(u"/second"_s, u"_blank"_s)));
        m_server.route(u"/second"_s, page(u"二枚目"_s));
        m_server.route(u"/files"_s, page(u"ファイル置き場"_s, bigLink(u"/dl/get.cgi?id=7"_s)));
        LocalHttpServer::Response archive;
        archive.contentType = "application/x-lzh-compressed";
        archive.body = "-lh5- archive bytes";
        // Raw Shift_JIS, as older Japanese sites send it; ソ and 表 end in 0x5C.
        archive.headers.append(
            {"Content-Disposition", "attachment; filename=\"" + ansi::encode(u"ソフト表.lzh") + "\""});
        m_server.route(u"/dl/get.cgi?id=7"_s, archive);
    }

    void init()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        m_home = std::make_unique<IsolatedHome>();
        QVERIFY(m_folder->isValid());
        QVERIFY(m_home->isValid());
        m_server.clearLog();
    }

    void cleanup()
    {
        for (const qint64 pid : std::as_const(m_startedByProgram))
            ::kill(pid_t(pid), SIGKILL);
        m_startedByProgram.clear();
        for (const auto &program : m_programs) {
            if (program->state() != QProcess::NotRunning) {
                program->kill();
                program->waitForFinished();
            }
        }
        m_programs.clear();
        m_home.reset();
        m_folder.reset();
    }

    // Whatever the settings file holds, the main window comes up, and the first-run
    // dialog with it until the dialog has once been completed.
    void startsWithAnySettingsFile_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("firstRun");
        QTest::newRow("fresh folder") << QByteArray() << true;
        QTest::newRow("ordinary file") << QByteArray("[Window]\r\nSideW=6\r\nFWidth=15000\r\n[Data]\r\nFirstOpen=1\r\n")
                                       << false;
        QTest::newRow("damaged file") << QByteArray(
            "\x00\xff\x80[Window\r\n=\r\nSideW=abc\r\n[Data]\r\nNSTag=99999999\r\n", 50)
                                      << true;
    }
    void startsWithAnySettingsFile()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, firstRun);
        if (!settings.isEmpty())
            QVERIFY(m_folder->write(u"Yura3.ini"_s, settings));
        QProcess &program = start();
        QVERIFY(program.waitForStarted());
        const qint64 pid = program.processId();
        const Window main =
            waitForWindow([pid](const Window &w) { return w.pid == pid && w.caption.endsWith(u"ゆらぎね"_s); });
        QVERIFY2(!main.id.isEmpty(), qPrintable(captions()));
        if (firstRun)
            QVERIFY2(!waitForCaption(u"初回設定ダイアログ"_s, pid).id.isEmpty(), qPrintable(captions()));
        else
            QVERIFY(!captions().contains(u"初回設定ダイアログ"_s));
        QCOMPARE(program.state(), QProcess::Running);
        // Start-up only reads the settings file.
        QCOMPARE(m_folder->read(u"Yura3.ini"_s), settings);
        // The browser profile went to the private home, not the user's.
        QVERIFY(QFileInfo(m_home->dataHome() + u"/yuragine/QtWebEngine/yuragine"_s).isDir());
    }

    void firstPageFromTheCommandLine()
    {
        QVERIFY(m_folder->write(u"Yura3.ini"_s, kFirstOpenDone));
        start({url(u"/hello"_s)});
        QVERIFY2(!waitForCaption(u"こんにちは"_s + kSuffix).id.isEmpty(), qPrintable(captions()));
        // Pages are asked for in Japanese first, whatever the desktop's language.
        const auto requests = m_server.requests();
        QVERIFY(!requests.isEmpty());
        QCOMPARE(requests.first().headers.value("accept-language"), QByteArray("ja,en;q=0.9"));
    }

    // ファイル > 読みかけ終了 keeps the page; the next start offers it and opens it on Yes.
    void readingSessionIsKeptAndOffered()
    {
        QVERIFY(m_folder->write(u"Yura3.ini"_s, kFirstOpenDone));
        QProcess &first = start({url(u"/novel"_s)});
        const Window window = waitForCaption(u"第一章"_s + kSuffix);
        QVERIFY2(!window.id.isEmpty(), qPrintable(captions()));
        // "ページのプロパティ(&R)" comes first with the same letter; R twice reaches the item.
        press(window, {u"alt+f"_s, u"r"_s, u"r"_s, u"Return"_s});
        QVERIFY(first.waitForFinished(kWaitMs));
        QCOMPARE(setting(u"Yomikake"_s), url(u"/novel"_s));

        QProcess &second = start();
        QVERIFY(second.waitForStarted());
        const Window question = waitForCaption(u"読みかけ終了"_s, second.processId());
        QVERIFY2(!question.id.isEmpty(), qPrintable(captions()));
        m_server.clearLog();
        press(question, {u"Return"_s}); // Yes is the default answer
        QVERIFY2(!waitForCaption(u"第一章"_s + kSuffix, second.processId()).id.isEmpty(), qPrintable(captions()));
        QVERIFY(m_server.wasRequested(u"/novel"_s));
        QTRY_COMPARE_WITH_TIMEOUT(setting(u"Yomikake"_s), QString(), kWaitMs); // offered once
    }

    void blockListRefusesAPage()
    {
        QVERIFY(m_folder->write(u"Yura3.ini"_s, kFirstOpenDone + "koukoku=True\r\n"));
        QVERIFY(m_folder->write(u"blacklist.ini"_s, "forbidden\r\n"));
        QProcess &program = start({url(u"/forbidden.htm"_s)});
        QVERIFY(program.waitForStarted());
        const qint64 pid = program.processId();
        const Window window =
            waitForWindow([pid](const Window &w) { return w.pid == pid && w.caption.endsWith(u"ゆらぎね"_s); });
        QVERIFY2(!window.id.isEmpty(), qPrintable(captions()));
        // The user goes on to another page; by the time it shows, the first is long refused.
        press(window, {u"ctrl+l"_s});
        type(window, url(u"/allowed"_s));
        press(window, {u"Return"_s});
        QVERIFY2(!waitForCaption(u"許可"_s + kSuffix, pid).id.isEmpty(), qPrintable(captions()));
        QVERIFY(!m_server.wasRequested(u"/forbidden.htm"_s));
        QVERIFY(!captions().contains(u"見えてはいけない"_s));
    }

    // A link that asks for a new window starts a second process showing the linked page.
    void newWindowLinkStartsASecondProcess()
    {
        QVERIFY(m_folder->write(u"Yura3.ini"_s, kFirstOpenDone));
        QProcess &program = start({url(u"/links"_s)});
        const Window window = waitForCaption(u"リンク集"_s + kSuffix);
        QVERIFY2(!window.id.isEmpty(), qPrintable(captions()));
        click(window);
        const Window second = waitForCaption(u"二枚目"_s + kSuffix);
        QVERIFY2(!second.id.isEmpty(), qPrintable(captions()));
        QVERIFY(second.pid != 0);
        if (second.pid != program.processId())
            m_startedByProgram.append(second.pid);
        QVERIFY(second.pid != program.processId());
        // The first window keeps its page.
        QCOMPARE(xdotool({u"getwindowname"_s, window.id}), u"リンク集"_s + kSuffix);
    }

    // Twenty starts at once on one program folder and one profile: every window shows its
    // page, each ends cleanly, the settings file stays whole and every cookie the pages
    // set comes back at the next start.
    void twentyProcessesShareOneProfile()
    {
        constexpr int kCount = 20;
        QVERIFY(m_folder->write(u"Yura3.ini"_s, kFirstOpenDone));
        QStringList wanted;
        for (int i = 0; i < kCount; ++i) {
            LocalHttpServer::Response response;
            response.body = page(u"頁%1"_s.arg(i));
            response.headers.append({"Set-Cookie", "c" + QByteArray::number(i) + "=v; Max-Age=3600; Path=/"});
            m_server.route(u"/many%1"_s.arg(i), response);
            wanted.append(u"頁%1"_s.arg(i) + kSuffix);
        }
        for (int i = 0; i < kCount; ++i)
            start({url(u"/many%1"_s.arg(i))});
        QList<Window> shown;
        QDeadlineTimer deadline(3 * kWaitMs);
        while (shown.size() < kCount && !deadline.hasExpired()) {
            QTest::qWait(500);
            shown.clear();
            for (const Window &window : visibleWindows()) {
                if (wanted.contains(window.caption))
                    shown.append(window);
            }
        }
        QVERIFY2(shown.size() == kCount, qPrintable(captions()));

        for (const Window &window : std::as_const(shown))
            press(window, {u"alt+f"_s, u"c"_s}); // 終了(&C)
        for (const auto &program : m_programs) {
            QVERIFY2(program->state() == QProcess::NotRunning || program->waitForFinished(kWaitMs),
                     qPrintable(captions()));
            QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        }
        const QByteArray settings = m_folder->read(u"Yura3.ini"_s);
        QCOMPARE(setting(u"FirstOpen"_s), u"1"_s);
        QCOMPARE(settings.count("\nFWidth="), 1);

        m_server.route(u"/cookies"_s, page(u"確認"_s));
        start({url(u"/cookies"_s)});
        QVERIFY2(!waitForCaption(u"確認"_s + kSuffix).id.isEmpty(), qPrintable(captions()));
        QByteArray sent;
        for (const LocalHttpServer::Request &request : m_server.requests()) {
            if (request.path == u"/cookies"_s)
                sent = request.headers.value("cookie");
        }
        for (int i = 0; i < kCount; ++i)
            QVERIFY2(sent.contains("c" + QByteArray::number(i) + "=v"), sent.constData());
    }

    // The window comes back where and as large as the user left it.
    void geometryIsRestored()
    {
        QVERIFY(m_folder->write(
            u"Yura3.ini"_s, "[Window]\r\nFLeft=1500\r\nFTop=1500\r\nFWidth=9000\r\nFHeight=7500\r\n" + kFirstOpenDone));
        QProcess &first = start({url(u"/hello"_s)});
        const Window window = waitForCaption(u"こんにちは"_s + kSuffix);
        QVERIFY2(!window.id.isEmpty(), qPrintable(captions()));
        QCOMPARE(geometry(window), QRect(100, 100, 600, 500));
        xdotool({u"windowsize"_s, u"--sync"_s, window.id, u"700"_s, u"550"_s});
        xdotool({u"windowmove"_s, u"--sync"_s, window.id, u"150"_s, u"120"_s});
        QTRY_COMPARE_WITH_TIMEOUT(geometry(window), QRect(150, 120, 700, 550), kWaitMs);
        press(window, {u"alt+f"_s, u"c"_s}); // 終了(&C)
        QVERIFY(first.waitForFinished(kWaitMs));
        QCOMPARE(setting(u"FWidth"_s), u"10500"_s);
        QCOMPARE(setting(u"FHeight"_s), u"8250"_s);

        start({url(u"/hello"_s)});
        const Window again = waitForCaption(u"こんにちは"_s + kSuffix);
        QVERIFY2(!again.id.isEmpty(), qPrintable(captions()));
        QCOMPARE(geometry(again), QRect(150, 120, 700, 550));
    }

    // A file the page cannot show lands in the download folder under its Japanese name.
    void downloadIsSaved()
    {
        QVERIFY(m_folder->write(u"Yura3.ini"_s, kFirstOpenDone));
        start({url(u"/files"_s)});
        const Window window = waitForCaption(u"ファイル置き場"_s + kSuffix);
        QVERIFY2(!window.id.isEmpty(), qPrintable(captions()));
        click(window);
        const QString saved = QDir(downloads()).filePath(u"ソフト表.lzh"_s);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(saved), kWaitMs);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "-lh5- archive bytes"_ba);
        QCOMPARE(QDir(downloads()).entryList(QDir::Files), QStringList {u"ソフト表.lzh"_s});
        // The page stays where it was.
        QCOMPARE(xdotool({u"getwindowname"_s, window.id}), u"ファイル置き場"_s + kSuffix);
    }
};

QTEST_GUILESS_MAIN(TestE2e)
#include "tst_e2e.moc"
