#include "platform/codepage.h"
#include "platform/webengine/browserpage.h"
#include "platform/webengine/webenginebrowser.h"
#include "platform/webengine/webenginefactory.h"
#include "tests/support/enginetest.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/smalldisk.h"

#include <QClipboard>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFindTextResult>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <memory>

using namespace Qt::StringLiterals;
using platform::BrowserComponent;
using platform::WebEngineBrowser;

Q_DECLARE_METATYPE(platform::TextSize)

namespace {

constexpr int kWait = 20000;

QByteArray page(const QByteArray &title, const QByteArray &body = {})
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body>" + body
        + "</body></html>";
}

// A file the engine cannot show, named by the server with the raw bytes of name.
LocalHttpServer::Response attachment(const QByteArray &name, const QByteArray &body)
{
    LocalHttpServer::Response file;
    file.contentType = "application/octet-stream";
    file.body = body;
    file.headers.append({"Content-Disposition", "attachment; filename=\"" + name + "\""});
    return file;
}

// A folder as a hostile page saved in Downloads leaves it: the page, its pictures, a
// style sheet, a frame and a secret beside it, a picture outside, and a link in the
// folder to a folder outside it.
struct LocalFolder
{
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
    QString address(const QString &name) const { return QUrl::fromLocalFile(path(name)).toString(); }
    bool write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
};
bool makeLocalFolder(LocalFolder &folder)
{
    if (!folder.dir.isValid() || !QDir(folder.dir.path()).mkpath(u"page/inner"_s)
        || !QDir(folder.dir.path()).mkpath(u"elsewhere"_s))
        return false;
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    return picture.save(folder.path(u"page/pic.png"_s)) && picture.save(folder.path(u"outside.png"_s))
        && folder.write(u"page/style.css"_s, "p { color: rgb(0, 128, 0); }")
        && folder.write(u"page/inner/frame.htm"_s, page("Frame", "inner"))
        && folder.write(u"page/secret.txt"_s, "secret") && folder.write(u"elsewhere/private.txt"_s, "private")
        && QFile::link(folder.path(u"elsewhere"_s), folder.path(u"page/linked"_s));
}
} // namespace

class TestWebEngineBrowser : public QObject
{
    Q_OBJECT
private:
    LocalHttpServer m_server;
    QTemporaryDir m_temp;
    platform::BrowserUi m_ui;
    std::unique_ptr<platform::WebEngineBrowserFactory> m_factory;
    std::unique_ptr<QWidget> m_window;
    WebEngineBrowser *m_browser = nullptr;
    // What the scripted dialogs were asked.
    int m_printDialogs = 0;
    QList<platform::PageProperties> m_properties;
    int m_pageSetups = 0;
    QString m_printTarget;
    QString m_saveTarget;
    QString m_downloads;

    QString url(const QString &path) const { return m_server.url(path).toString(); }

    bool load(const QString &address) { return loadPage(m_browser, address, kWait); }

    // Clicks the link at point as a person does: the pointer first moves onto it, until
    // the page reports the link under it.
    bool clickLink(QPoint point)
    {
        QWidget *surface = m_browser->view()->focusProxy();
        QSignalSpy hovered(m_browser, &BrowserComponent::StatusTextChange);
        for (int step = 0; step < 20 && (hovered.isEmpty() || hovered.last().first().toString().isEmpty()); ++step) {
            QTest::mouseMove(surface, point + QPoint(0, step % 3));
            QTest::qWait(100);
        }
        if (hovered.isEmpty() || hovered.last().first().toString().isEmpty())
            return false;
        QTest::mouseClick(surface, Qt::LeftButton, {}, point);
        return true;
    }

    // Runs a script in the page and waits for its result.
    QVariant run(const QString &script) { return runScript(m_browser->page(), script, kWait); }
    QVariant runInProgram(const QString &script)
    {
        return runScript(m_browser->page(), script, kWait, QWebEngineScript::ApplicationWorld);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        QVERIFY(m_temp.isValid());
        m_server.route(u"/a"_s, page("ページA", "<p id=\"t\">first page text</p><a id=\"l\" href=\"/b\">to b</a>"));
        m_server.route(u"/b"_s, page("Page B"));
        m_server.route(u"/c"_s, page("Page C"));
        m_server.route(u"/frames"_s, page("Frames", "<iframe src=\"/inner\"></iframe><iframe src=\"/kept\"></iframe>"));
        m_server.route(u"/inner"_s, page("Inner"));
        m_server.route(u"/kept"_s, page("Kept"));
        m_server.route(u"/popups"_s,
                       page("Popups",
                            "<a id=\"blank\" href=\"/b\" target=\"_blank\">new</a>"
                            "<button id=\"open\" onclick=\"window.open('/c')\">open</button>"));
        m_server.route(u"/hover"_s,
                       page("Hover",
                            "<style>body{margin:0} a{display:block;width:400px;height:200px;font-size:40px}</style>"
                            "<a id=\"big\" href=\"/b\">big link</a>"));

        m_ui = platform::defaultBrowserUi();
        m_ui.printDialog = [this](QPrinter &printer, QWidget *) {
            ++m_printDialogs;
            if (m_printTarget.isEmpty())
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_printTarget);
            return true;
        };
        m_ui.pageSetupDialog = [this](QPrinter &printer, QWidget *) {
            ++m_pageSetups;
            printer.setPageOrientation(QPageLayout::Landscape);
            return true;
        };
        m_ui.saveFileName = [this](QWidget *, const QString &) { return m_saveTarget; };
        m_ui.showProperties = [this](QWidget *, const platform::PageProperties &shown) { m_properties.append(shown); };
        m_ui.openExternally = [](const QUrl &) { return true; };
        m_ui.homePage = [this] { return url(u"/c"_s); };
        m_factory = std::make_unique<platform::WebEngineBrowserFactory>(m_ui);
        m_downloads = m_temp.filePath(u"downloads"_s);
        m_factory->setDownloadFolder(m_downloads);
    }

    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(800, 600);
        m_browser = static_cast<WebEngineBrowser *>(m_factory->createBrowser(m_window.get()));
        auto *layout = new QVBoxLayout(m_window.get());
        layout->addWidget(m_browser->widget());
        m_window->show();
        m_server.clearLog();
        m_printTarget.clear();
        m_saveTarget.clear();
    }

    void cleanup()
    {
        // A failed test must not leave the server holding its answers for the next ones.
        m_server.releaseHeld();
        m_factory->popups().closeAll();
        delete m_browser;
        m_browser = nullptr;
        m_window.reset();
    }

    void cleanupTestCase() { m_factory.reset(); }

    void navigationCompletesWithTitle()
    {
        QSignalSpy begin(m_browser, &BrowserComponent::DownloadBegin);
        QSignalSpy end(m_browser, &BrowserComponent::DownloadComplete);
        QSignalSpy title(m_browser, &BrowserComponent::TitleChange);
        QStringList before;
        connect(m_browser, &BrowserComponent::BeforeNavigate2, this,
                [&before](const QString &address, bool &) { before.append(address); });
        QSignalSpy error(m_browser, &BrowserComponent::NavigateError);
        QSignalSpy complete(m_browser, &BrowserComponent::NavigateComplete2);
        QVERIFY(m_browser->navigate(url(u"/a"_s)));
        QVERIFY(complete.wait(kWait));
        QCOMPARE(complete.first().first().toString(), url(u"/a"_s));
        QCOMPARE(m_browser->title(), u"ページA"_s);
        QCOMPARE(m_browser->address(), url(u"/a"_s));
        QCOMPARE(before.size(), 1);
        QCOMPARE(before.first(), url(u"/a"_s));
        QTRY_COMPARE(end.size(), 1);
        QCOMPARE(begin.size(), 1);
        QVERIFY(!title.isEmpty());
        QCOMPARE(error.size(), 0);
    }

    void cancelledMainFrameKeepsThePage()
    {
        QVERIFY(load(url(u"/a"_s)));
        connect(m_browser, &BrowserComponent::BeforeNavigate2, this,
                [](const QString &address, bool &cancel) { cancel = address.endsWith(u"/b"); });
        QSignalSpy error(m_browser, &BrowserComponent::NavigateError);
        QSignalSpy end(m_browser, &BrowserComponent::DownloadComplete);
        QVERIFY(m_browser->navigate(url(u"/b"_s)));
        QTest::qWait(1000);
        QCOMPARE(m_browser->address(), url(u"/a"_s));
        QCOMPARE(m_browser->title(), u"ページA"_s);
        QVERIFY(!m_server.wasRequested(u"/b"_s));
        QCOMPARE(error.size(), 0); // refusing is no failure
        // A link the user clicks is refused the same way.
        QCOMPARE(run(u"document.getElementById('l').click(); 1"_s).toInt(), 1);
        QTest::qWait(500);
        QVERIFY(!m_server.wasRequested(u"/b"_s));
        QCOMPARE(error.size(), 0);
    }

    void cancelledFrameStaysUnloaded()
    {
        QStringList asked;
        QStringList mainFrames;
        connect(m_browser, &BrowserComponent::BeforeNavigate2, this,
                [&asked, &mainFrames](const QString &address, bool &cancel, bool mainFrame) {
                    asked.append(address);
                    if (mainFrame)
                        mainFrames.append(address);
                    cancel = address.endsWith(u"/inner");
                });
        QVERIFY(load(url(u"/frames"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(u"/kept"_s), kWait);
        QTest::qWait(300);
        QVERIFY(asked.contains(url(u"/inner"_s)));
        QVERIFY(asked.contains(url(u"/kept"_s)));
        QCOMPARE(mainFrames, QStringList {url(u"/frames"_s)}); // the frames are told apart
        QVERIFY(!m_server.wasRequested(u"/inner"_s));
        QCOMPARE(m_browser->title(), u"Frames"_s);
    }

    void newWindowCarriesTheAddress_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("target=_blank, cancelled") << u"document.getElementById('blank').click()"_s << u"/b"_s << true;
        QTest::newRow("window.open, cancelled") << u"document.getElementById('open').click()"_s << u"/c"_s << true;
        QTest::newRow("window.open, let through") << u"document.getElementById('open').click()"_s << u"/c"_s << false;
    }
    void newWindowCarriesTheAddress()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QFETCH(bool, cancel);
        QVERIFY(load(url(u"/popups"_s)));
        QStringList asked;
        QList<bool> byUser;
        connect(m_browser, &BrowserComponent::NewWindow2, this,
                [&asked, &byUser, cancel](const QString &address, bool &refuse, bool userInitiated) {
                    asked.append(address);
                    byUser.append(userInitiated);
                    refuse = cancel;
                });
        run(script + u"; 1"_s);
        QTRY_COMPARE_WITH_TIMEOUT(asked.size(), 1, kWait);
        QCOMPARE(asked.first(), url(expected));
        QCOMPARE(byUser, QList<bool> {false}); // a script's click is not the user's
        if (cancel) {
            QTest::qWait(500);
            QCOMPARE(m_factory->popups().windows().size(), 0);
            QVERIFY(!m_server.wasRequested(expected));
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(m_factory->popups().windows().size(), 1, kWait);
            QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(expected), kWait);
            auto *view = m_factory->popups().windows().first()->findChild<QWebEngineView *>();
            QVERIFY(view);
            QTRY_COMPARE_WITH_TIMEOUT(view->page()->title(), u"Page C"_s, kWait);
            bool hasOpener = false;
            bool done = false;
            view->page()->runJavaScript(u"window.opener !== null"_s, [&](const QVariant &v) {
                hasOpener = v.toBool();
                done = true;
            });
            QTRY_VERIFY_WITH_TIMEOUT(done, kWait);
            QVERIFY(hasOpener);
        }
    }

    void windowCloseFromScript_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancelled: the window stays") << true;
        QTest::newRow("let through: the window closes") << false;
    }
    void windowCloseFromScript()
    {
        QFETCH(bool, cancel);
        QVERIFY(load(url(u"/a"_s)));
        int closing = 0;
        connect(m_browser, &BrowserComponent::WindowClosing, this, [&closing, cancel](bool &refuse) {
            ++closing;
            refuse = cancel;
        });
        run(u"window.close(); 1"_s);
        QTRY_COMPARE_WITH_TIMEOUT(closing, 1, kWait);
        QTest::qWait(100);
        QCOMPARE(m_window->isVisible(), cancel);
    }

    void laterTitleChangesAreReported()
    {
        QVERIFY(load(url(u"/a"_s)));
        QSignalSpy title(m_browser, &BrowserComponent::TitleChange);
        run(u"document.title = '新しい題'; 1"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!title.isEmpty(), kWait);
        QCOMPARE(title.last().first().toString(), u"新しい題"_s);
        QCOMPARE(m_browser->title(), u"新しい題"_s);
    }

    void historyStateFollowsMoves()
    {
        QList<QPair<int, bool>> states;
        connect(m_browser, &BrowserComponent::CommandStateChange, this, [&states](int command, bool enabled) {
            states.append({command, enabled});
        });
        QVERIFY(!m_browser->goBack());
        QVERIFY(!m_browser->goForward());
        QVERIFY(load(url(u"/a"_s)));
        QVERIFY(load(url(u"/b"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(states.contains(qMakePair(platform::command::Back, true)), kWait);
        QVERIFY(!states.contains(qMakePair(platform::command::Forward, true)));
        QSignalSpy complete(m_browser, &BrowserComponent::NavigateComplete2);
        QVERIFY(m_browser->goBack());
        QVERIFY(complete.wait(kWait));
        QCOMPARE(m_browser->address(), url(u"/a"_s));
        QTRY_VERIFY_WITH_TIMEOUT(states.contains(qMakePair(platform::command::Forward, true)), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(states.contains(qMakePair(platform::command::Back, false)), kWait);
        QVERIFY(m_browser->goForward());
        QVERIFY(complete.wait(kWait));
        QCOMPARE(m_browser->address(), url(u"/b"_s));
    }

    void statusTextFollowsThePointer()
    {
        QVERIFY(load(url(u"/hover"_s)));
        QSignalSpy status(m_browser, &BrowserComponent::StatusTextChange);
        QWidget *surface = m_browser->view()->focusProxy();
        QVERIFY(surface);
        // Move in steps, as a real pointer does, onto the link, then off it.
        for (int y = 10; y <= 100 && status.isEmpty(); y += 30) {
            QTest::mouseMove(surface, QPoint(50, y));
            QTest::qWait(100);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!status.isEmpty(), kWait);
        QCOMPARE(status.last().first().toString(), url(u"/b"_s));
        QTest::mouseMove(surface, QPoint(600, 500));
        QTRY_COMPARE_WITH_TIMEOUT(status.last().first().toString(), QString(), kWait);
    }

    void failedLoadRaisesNavigateError()
    {
        QSignalSpy error(m_browser, &BrowserComponent::NavigateError);
        const QString refused = LocalHttpServer::refusedUrl().toString();
        QVERIFY(m_browser->navigate(refused));
        QVERIFY(error.wait(kWait));
        QCOMPARE(error.first().first().toString(), refused);
    }

    void stopIsNoError()
    {
        LocalHttpServer::Response slow;
        slow.neverAnswer = true;
        m_server.route(u"/slow"_s, slow);
        QSignalSpy error(m_browser, &BrowserComponent::NavigateError);
        QSignalSpy end(m_browser, &BrowserComponent::DownloadComplete);
        QVERIFY(m_browser->navigate(url(u"/slow"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(u"/slow"_s), kWait);
        QVERIFY(m_browser->stop());
        QVERIFY(end.wait(kWait));
        QTest::qWait(300);
        QCOMPARE(error.size(), 0);
    }

    void offlineRefusesTheNetwork()
    {
        const QString file = m_temp.filePath(u"local.html"_s);
        {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(page("Local"));
        }
        m_browser->setOffline(true);
        QVERIFY(m_browser->isOffline());
        QSignalSpy error(m_browser, &BrowserComponent::NavigateError);
        QVERIFY(m_browser->navigate(url(u"/a"_s)));
        QVERIFY(error.wait(kWait));
        QVERIFY(!m_server.wasRequested(u"/a"_s));

        QVERIFY(load(file));
        QCOMPARE(m_browser->title(), u"Local"_s);
        QVERIFY(load(u"data:text/html,<title>Data</title>"_s));
        QCOMPARE(m_browser->title(), u"Data"_s);

        m_browser->setOffline(false);
        QVERIFY(load(url(u"/a"_s)));
        QCOMPARE(m_browser->title(), u"ページA"_s);
        QVERIFY(m_server.wasRequested(u"/a"_s));
    }

    void selectAllThenCopy()
    {
        QVERIFY(load(url(u"/a"_s)));
        QGuiApplication::clipboard()->clear();
        QVERIFY(m_browser->selectAll());
        QVERIFY(m_browser->copy());
        QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::clipboard()->text().contains(u"first page text"_s), kWait);
    }

    void textSizes_data()
    {
        QTest::addColumn<platform::TextSize>("size");
        QTest::addColumn<double>("factor");
        QTest::newRow("smallest") << platform::TextSize::Smallest << 0.7;
        QTest::newRow("medium") << platform::TextSize::Medium << 1.0;
        QTest::newRow("largest") << platform::TextSize::Largest << 1.5;
    }
    void textSizes()
    {
        QFETCH(platform::TextSize, size);
        QFETCH(double, factor);
        QVERIFY(load(url(u"/a"_s)));
        m_browser->page()->setZoomFactor(1.2);
        QVERIFY(m_browser->setTextSize(size));
        QCOMPARE(m_browser->page()->zoomFactor(), factor);
    }

    void commandsWithoutAPageAreRefused_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *name : {"saveAs", "print", "printPreview", "pageSetup", "showProperties", "copy", "selectAll",
                                 "setTextSize", "reload", "reloadBypassingTheCache", "openInSystemBrowser"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void commandsWithoutAPageAreRefused()
    {
        QFETCH(QString, command);
        using B = BrowserComponent;
        const QHash<QString, std::function<bool(B &)>> commands {
            {u"saveAs"_s, &B::saveAs},
            {u"print"_s, &B::print},
            {u"printPreview"_s, &B::printPreview},
            {u"pageSetup"_s, &B::pageSetup},
            {u"showProperties"_s, &B::showProperties},
            {u"copy"_s, &B::copy},
            {u"selectAll"_s, &B::selectAll},
            {u"setTextSize"_s, [](B &b) { return b.setTextSize(platform::TextSize::Larger); }},
            {u"reload"_s, [](B &b) { return b.reload(); }},
            {u"reloadBypassingTheCache"_s, [](B &b) { return b.reload(platform::ReloadMode::BypassCache); }},
            {u"openInSystemBrowser"_s, &B::openInSystemBrowser},
        };
        QVERIFY(!commands.value(command)(*m_browser));
        QCOMPARE(m_printDialogs, 0);
        QVERIFY(!m_browser->navigate(QString()));
    }

    void propertiesTellWhatThePageIs()
    {
        QVERIFY(load(url(u"/a"_s)));
        m_properties.clear();
        QVERIFY(m_browser->showProperties());
        QTRY_COMPARE_WITH_TIMEOUT(m_properties.size(), 1, 10000);
        const platform::PageProperties &shown = m_properties.first();
        QCOMPARE(shown.title, u"ページA"_s);
        QCOMPARE(shown.address, url(u"/a"_s));
        QCOMPARE(shown.protocol, u"http"_s);
        QCOMPARE(shown.encoding, u"UTF-8"_s);
        QCOMPARE(shown.size,
                 qint64(page("ページA", "<p id=\"t\">first page text</p><a id=\"l\" href=\"/b\">to b</a>").size()));
        QVERIFY(!shown.lastModified.isEmpty());
    }

    void documentArrives()
    {
        QVERIFY(load(url(u"/a"_s)));
        QString html, body;
        QStringList tags;
        m_browser->documentHtml([&html](const QString &text) { html = text; });
        m_browser->bodyOuterHtml([&body](const QString &text) { body = text; });
        m_browser->elementTagNames([&tags](const QStringList &names) { tags = names; });
        QTRY_VERIFY_WITH_TIMEOUT(!html.isEmpty() && !body.isEmpty() && !tags.isEmpty(), kWait);
        QVERIFY(html.contains(u"<title>ページA</title>"_s));
        QVERIFY(body.startsWith(u"<body>"_s));
        QVERIFY(body.contains(u"first page text"_s));
        QCOMPARE(tags.mid(0, 3), QStringList({u"HTML"_s, u"HEAD"_s, u"META"_s}));
        QVERIFY(tags.contains(u"A"_s));
    }

    void documentOfNoPageIsEmpty()
    {
        bool called = false;
        m_browser->documentHtml([&called](const QString &text) { called = text.isEmpty(); });
        QVERIFY(called);
    }

    void saveDocumentWritesCp932()
    {
        QVERIFY(load(url(u"/a"_s)));
        const QString path = m_temp.filePath(u"TEST.HTM"_s);
        bool done = false, ok = false;
        m_browser->saveDocument(path, [&](bool result) {
            done = true;
            ok = result;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done, kWait);
        QVERIFY(ok);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // "ページA" in CP932
        QVERIFY(file.readAll().contains("<title>\x83\x79\x81\x5b\x83\x57"
                                        "A</title>"));
    }

    void saveAsWritesTheFile()
    {
        QVERIFY(load(url(u"/a"_s)));
        m_saveTarget = m_temp.filePath(u"saved.mhtml"_s);
        QVERIFY(m_browser->saveAs());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(m_saveTarget).size() > 0, kWait);
        QFile file(m_saveTarget);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("first page text"));
        // Cancelling the file dialog is no failure and writes nothing.
        m_saveTarget.clear();
        QVERIFY(m_browser->saveAs());
    }

    void printWritesPagesOnceAtATime()
    {
        QVERIFY(load(url(u"/a"_s)));
        m_printTarget = m_temp.filePath(u"print.pdf"_s);
        QSignalSpy ended(m_browser, &WebEngineBrowser::printingEnded);
        QVERIFY(m_browser->print());
        QVERIFY(m_browser->isPrinting());
        // A second print, a preview or a page setup while one runs is refused.
        QVERIFY(!m_browser->print());
        QVERIFY(!m_browser->printPreview());
        QVERIFY(!m_browser->pageSetup());
        QVERIFY(ended.wait(kWait));
        QCOMPARE(ended.first().first().toBool(), true);
        QVERIFY(!m_browser->isPrinting());
        QFile pdf(m_printTarget);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QCOMPARE(m_printDialogs, 1);
    }

    void cancelledPrintDialogPrintsNothing()
    {
        QVERIFY(load(url(u"/a"_s)));
        QVERIFY(m_browser->print()); // the scripted dialog says cancel
        QVERIFY(!m_browser->isPrinting());
    }

    void closingWhilePrintingIsSafe()
    {
        QVERIFY(load(url(u"/a"_s)));
        m_printTarget = m_temp.filePath(u"closing.pdf"_s);
        QVERIFY(m_browser->print());
        QPointer<QWebEngineView> view = m_browser->view();
        delete m_browser;
        m_browser = nullptr;
        m_window.reset();
        // The view outlives its window until the engine is done, then goes.
        QTRY_VERIFY_WITH_TIMEOUT(view.isNull(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(m_printTarget).size() > 0, kWait);
        init(); // for cleanup()
    }

    void pageSetupKeepsItsChoicesForPrinting()
    {
        QVERIFY(load(url(u"/a"_s)));
        QVERIFY(m_browser->pageSetup());
        QCOMPARE(m_pageSetups, 1);
        QCOMPARE(m_browser->printer().pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(!m_browser->isPrinting());
    }

    void printPreviewPaintsThePage()
    {
        QVERIFY(load(url(u"/a"_s)));
        // Qt's own preview dialog, closed once it has asked for its pages.
        bool painted = false;
        cleanupAndRecreateWith([&painted](platform::BrowserUi &ui) {
            ui.printPreview = [&painted, real = ui.printPreview](QPrinter &printer, QWidget *parent,
                                                                 const std::function<bool(QPrinter *)> &paint) {
                auto paintAndNote = [&painted, paint](QPrinter *target) {
                    painted = paint(target);
                    return painted;
                };
                QTimer closer;
                QObject::connect(&closer, &QTimer::timeout, [&painted] {
                    if (!painted)
                        return;
                    if (auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget()))
                        dialog->reject();
                });
                closer.start(100);
                real(printer, parent, paintAndNote);
            };
        });
        QVERIFY(load(url(u"/a"_s)));
        QVERIFY(m_browser->printPreview());
        QVERIFY(painted);
        QVERIFY(!m_browser->isPrinting());
        // Printing still works after a preview.
        m_printTarget = m_temp.filePath(u"after-preview.pdf"_s);
        QSignalSpy ended(m_browser, &WebEngineBrowser::printingEnded);
        QVERIFY(m_browser->print());
        QVERIFY(ended.wait(kWait));
    }

    // What the engine cannot show lands in the download folder under the server's name.
    void downloadsAreSavedUnderTheirOwnName_data()
    {
        QTest::addColumn<QByteArray>("disposition");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("existing"); // a file already in the folder
        QTest::addColumn<QString>("named");    // as the window is told
        QTest::addColumn<QString>("expected");
        // ソ and 表 end in 0x5C, which the engine alone takes for a folder separator.
        QTest::newRow("raw Shift_JIS name") << "attachment; filename=\""_ba + ansi::encode(u"ソフト表.lzh") + "\""_ba
                                            << u"/dl/get.cgi"_s << QString() << u"ソフト表.lzh"_s << u"ソフト表.lzh"_s;
        QTest::newRow("RFC 5987 name") << "attachment; filename*=UTF-8''%E6%97%A5%E6%9C%AC%E8%AA%9E.zip"_ba
                                       << u"/dl/x"_s << QString() << u"日本語.zip"_s << u"日本語.zip"_s;
        QTest::newRow("address name, taken: (2)")
            << QByteArray() << u"/dl/%E8%A1%A8.zip"_s << u"表.zip"_s << u"表.zip"_s << u"表 (2).zip"_s;
    }
    void downloadsAreSavedUnderTheirOwnName()
    {
        QFETCH(QByteArray, disposition);
        QFETCH(QString, path);
        QFETCH(QString, existing);
        QFETCH(QString, named);
        QFETCH(QString, expected);
        QVERIFY(QDir(m_downloads).removeRecursively());
        QVERIFY(QDir().mkpath(m_downloads));
        if (!existing.isEmpty()) {
            QFile old(QDir(m_downloads).filePath(existing));
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        }
        LocalHttpServer::Response file;
        file.contentType = "application/octet-stream";
        file.body = "archive bytes";
        if (!disposition.isEmpty())
            file.headers.append({"Content-Disposition", disposition});
        m_server.route(path, file);
        QSignalSpy started(m_browser, &BrowserComponent::downloadStarted);
        QSignalSpy finished(m_browser, &BrowserComponent::downloadFinished);
        QVERIFY(m_browser->navigate(url(path)));
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, kWait);
        // The first guess may be renamed once the headers are read; the id stays.
        QVERIFY(started.size() == 1 || started.size() == 2);
        QCOMPARE(started.last()[1].toString(), named);
        QCOMPARE(finished[0][0], started[0][0]);
        QCOMPARE(finished[0][1].value<platform::DownloadEnd>(), platform::DownloadEnd::Saved);
        const QString saved = QDir(m_downloads).filePath(expected);
        QCOMPARE(finished[0][2].toString(), saved);
        QFile result(saved);
        QVERIFY(result.open(QIODevice::ReadOnly));
        QCOMPARE(result.readAll(), file.body);
        if (!existing.isEmpty()) {
            QFile old(QDir(m_downloads).filePath(existing));
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), "old"_ba);
        }
        QCOMPARE(QDir(m_downloads).entryList(QDir::Files).size(), existing.isEmpty() ? 1 : 2); // no part left
    }

    void cancelledDownloadLeavesNothing()
    {
        QVERIFY(QDir(m_downloads).removeRecursively());
        LocalHttpServer::Response file;
        file.contentType = "application/zip";
        file.body = QByteArray(1 << 20, 'x');
        m_server.route(u"/dl/big.zip"_s, file);
        QSignalSpy finished(m_browser, &BrowserComponent::downloadFinished);
        // Cancelled the moment it starts, while the engine is still receiving.
        connect(
            m_browser, &BrowserComponent::downloadStarted, m_browser, [this] { QVERIFY(m_browser->cancelDownloads()); },
            Qt::SingleShotConnection);
        QVERIFY(m_browser->navigate(url(u"/dl/big.zip"_s)));
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, kWait);
        QCOMPARE(finished[0][1].value<platform::DownloadEnd>(), platform::DownloadEnd::Cancelled);
        QCOMPARE(finished[0][2].toString(), QString());
        QVERIFY(!m_browser->cancelDownloads()); // nothing left running
        QTRY_COMPARE_WITH_TIMEOUT(QDir(m_downloads).entryList(QDir::Files).size(), 0, kWait);
    }

    // A page that saves files with no click or key of the user: each is asked about, No
    // leaves nothing on disk, and after three in ten seconds the rest are refused unasked.
    void unrequestedDownloadsAreAsked()
    {
        QVERIFY(QDir(m_downloads).removeRecursively());
        QByteArray frames;
        for (int i = 1; i <= 5; ++i) {
            const QString path = u"/auto/f%1.desktop"_s.arg(i);
            m_server.route(path, attachment("f" + QByteArray::number(i) + ".desktop", "[Desktop Entry]"));
            frames += "<iframe style=\"display:none\" src=\"" + path.toLatin1() + "\"></iframe>";
        }
        m_server.route(u"/auto"_s, page("Auto", frames));
        QStringList asked;
        connect(m_browser, &BrowserComponent::unrequestedDownload, this,
                [&asked](const QString &name, const QString &from, bool &allow) {
                    QCOMPARE(from, u"127.0.0.1"_s);
                    asked.append(name);
                    allow = asked.size() == 1; // the first only
                });
        QSignalSpy refused(m_browser, &BrowserComponent::downloadRefused);
        QSignalSpy finished(m_browser, &BrowserComponent::downloadFinished);
        QVERIFY(load(url(u"/auto"_s)));
        QTRY_COMPARE_WITH_TIMEOUT(asked.size() + refused.size(), 5, kWait);
        QCOMPARE(asked.size(), 3);
        QCOMPARE(refused.first().first().toString(), u"127.0.0.1"_s);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, kWait);
        QCOMPARE(finished[0][1].value<platform::DownloadEnd>(), platform::DownloadEnd::Saved);
        QTest::qWait(300);
        QCOMPARE(QDir(m_downloads).entryList(QDir::Files), QStringList {asked.first()});
    }

    // What follows a click or key of the user in the page goes on unasked, once per click;
    // the rest is asked about, or refused when the page keeps asking.
    void downloadsFollowingTheUser_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("openedByClick"); // from a link on another page
        QTest::addColumn<QString>("click");      // "page", "own widget" (the program's, beside it) or ""
        QTest::addColumn<int>("saved");
        QTest::addColumn<int>("questions");
        const QByteArray link = "<style>body{margin:0} a{display:block;height:200px}</style>"
                                "<a id=\"l\" href=\"/follow/file1.zip\">file</a>";
        const QByteArray script = "<script>setTimeout(() => location.href = '/follow/file1.zip', 200)</script>";
        QTest::newRow("a link the user clicks") << link << false << u"page"_s << 1 << 0;
        QTest::newRow("a script's click")
            << link + "<script>setTimeout(() => l.click(), 200)</script>" << false << QString() << 0 << 1;
        QTest::newRow("a script on its own") << script << false << QString() << 0 << 1;
        QTest::newRow("a script after the click that opened the page") << script << true << QString() << 0 << 1;
        QTest::newRow("twelve downloads from one click")
            << QByteArray("<style>body{margin:0} a{display:block;height:200px}</style>"
                          "<a id=\"l\" href=\"#\" onclick=\"for (let i = 1; i <= 12; ++i) {"
                          " const a = document.createElement('a'); a.href = '/follow/file' + i + '.zip';"
                          " a.download = ''; document.body.appendChild(a); a.click(); } return false\">files</a>")
            << false << u"page"_s << 1 << 3;
        QTest::newRow("a download when the page loses the focus to the program")
            << QByteArray("<script>onblur = () => location.href = '/follow/file1.zip'</script>") << false
            << u"own widget"_s << 0 << 1;
    }
    void downloadsFollowingTheUser()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, openedByClick);
        QFETCH(QString, click);
        QFETCH(int, saved);
        QFETCH(int, questions);
        QVERIFY(QDir(m_downloads).removeRecursively());
        for (int i = 1; i <= 12; ++i)
            m_server.route(u"/follow/file%1.zip"_s.arg(i), attachment("file" + QByteArray::number(i) + ".zip", "zip"));
        m_server.route(u"/follow/page"_s, page("Follow", body));
        m_server.route(u"/follow/start"_s,
                       page("Start",
                            "<style>body{margin:0} a{display:block;height:200px}</style>"
                            "<a href=\"/follow/page\">page</a>"));
        int asked = 0;
        connect(m_browser, &BrowserComponent::unrequestedDownload, this,
                [&asked](const QString &, const QString &, bool &allow) {
                    ++asked;
                    allow = false;
                });
        QSignalSpy refused(m_browser, &BrowserComponent::downloadRefused);
        QSignalSpy finished(m_browser, &BrowserComponent::downloadFinished);
        auto *own = new QLineEdit(m_window.get());
        own->setGeometry(0, 560, 300, 30);
        own->show();
        if (openedByClick) {
            QVERIFY(load(url(u"/follow/start"_s)));
            QSignalSpy complete(m_browser, &BrowserComponent::NavigateComplete2);
            QVERIFY(clickLink(QPoint(40, 50)));
            QVERIFY(complete.wait(kWait));
        } else {
            QVERIFY(load(url(u"/follow/page"_s)));
        }
        if (click == u"page") {
            QVERIFY(clickLink(QPoint(40, 50)));
        } else if (click == u"own widget") {
            m_browser->focusPage();
            QTRY_VERIFY_WITH_TIMEOUT(runScript(m_browser->page(), u"document.hasFocus()"_s).toBool(), kWait);
            QTest::mouseClick(own, Qt::LeftButton);
            own->setFocus();
        }
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), saved, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(asked, questions, kWait);
        QTest::qWait(500);
        QCOMPARE(finished.size(), saved);
        QCOMPARE(asked, questions);
        QCOMPARE(QDir(m_downloads).entryList(QDir::Files).size(), saved);
        if (click == u"page" && questions)
            QVERIFY(!refused.isEmpty()); // the page kept going: the rest are refused
    }

    // Two downloads of one name at once each keep their own working file: neither is
    // written over by the other, nor deleted by the other's cancel.
    void sameNamedDownloadsKeepTheirOwnFiles_data()
    {
        QTest::addColumn<bool>("cancelSecond");
        QTest::newRow("both complete") << false;
        QTest::newRow("the second cancelled") << true;
    }
    void sameNamedDownloadsKeepTheirOwnFiles()
    {
        QFETCH(bool, cancelSecond);
        QVERIFY(QDir(m_downloads).removeRecursively());
        m_server.route(u"/same/a"_s, attachment("same.bin", QByteArray(8000, 'a')));
        m_server.route(u"/same/b"_s, attachment("same.bin", QByteArray(9000, 'b')));
        QWidget other;
        std::unique_ptr<BrowserComponent> second(m_factory->createBrowser(&other));
        QSignalSpy firstEnd(m_browser, &BrowserComponent::downloadFinished);
        QSignalSpy secondEnd(second.get(), &BrowserComponent::downloadFinished);
        QSignalSpy secondStart(second.get(), &BrowserComponent::downloadStarted);
        // Held, so that both are under way before either has a byte.
        m_server.setHolding(true);
        QVERIFY(m_browser->navigate(url(u"/same/a"_s)));
        QVERIFY(second->navigate(url(u"/same/b"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(u"/same/a"_s) && m_server.wasRequested(u"/same/b"_s), kWait);
        if (cancelSecond)
            connect(
                second.get(), &BrowserComponent::downloadStarted, second.get(),
                [&second] { second->cancelDownloads(); }, Qt::SingleShotConnection);
        m_server.releaseHeld();
        QTRY_COMPARE_WITH_TIMEOUT(firstEnd.size(), 1, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(secondEnd.size(), 1, kWait);
        QCOMPARE(firstEnd[0][1].value<platform::DownloadEnd>(), platform::DownloadEnd::Saved);
        QFile first(firstEnd[0][2].toString());
        QVERIFY(first.open(QIODevice::ReadOnly));
        QCOMPARE(first.readAll(), QByteArray(8000, 'a'));
        QStringList expected {QFileInfo(first).fileName()};
        if (cancelSecond) {
            QCOMPARE(secondEnd[0][1].value<platform::DownloadEnd>(), platform::DownloadEnd::Cancelled);
        } else {
            QCOMPARE(secondEnd[0][1].value<platform::DownloadEnd>(), platform::DownloadEnd::Saved);
            QFile saved(secondEnd[0][2].toString());
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(saved.readAll(), QByteArray(9000, 'b'));
            expected.append(QFileInfo(saved).fileName());
        }
        expected.sort();
        QTRY_COMPARE_WITH_TIMEOUT(QDir(m_downloads).entryList(QDir::Files), expected, kWait);
    }

    // The server's headers are asked for again only for a name the engine cannot have read
    // right, as the engine asked: its user agent and its cookies; a form's POST never.
    void headersAreAskedAgainOnlyWhereNeeded_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("form");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<int>("gets");
        QTest::newRow("raw Shift_JIS name")
            << u"/again/sjis"_s << ansi::encode(u"表計算.xls"_s) << false << u"表計算.xls"_s << 2;
        QTest::newRow("ASCII name") << u"/again/ascii"_s << QByteArray("plain.xls") << false << u"plain.xls"_s << 1;
        QTest::newRow("sent by a form") << u"/again/form"_s << ansi::encode(u"表計算.xls"_s) << true << QString() << 0;
    }
    void headersAreAskedAgainOnlyWhereNeeded()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, name);
        QFETCH(bool, form);
        QFETCH(QString, saved);
        QFETCH(int, gets);
        QVERIFY(QDir(m_downloads).removeRecursively());
        m_server.route(path, attachment(name, "sheet"));
        LocalHttpServer::Response start;
        start.body = page("Cookie",
                          "<form method=\"post\" action=\"" + path.toLatin1()
                              + "\">"
                                "<input name=\"q\" value=\"1\"></form>");
        start.headers.append({QByteArray("Set-Cookie"), QByteArray("session=abc123; Path=/")});
        m_server.route(u"/again/start"_s, start);
        QVERIFY(load(url(u"/again/start"_s)));
        QSignalSpy finished(m_browser, &BrowserComponent::downloadFinished);
        m_server.clearLog();
        // Sent by the page's script, the form's download is asked about.
        connect(m_browser, &BrowserComponent::unrequestedDownload, this,
                [](const QString &, const QString &, bool &allow) { allow = true; });
        if (form)
            run(u"document.forms[0].submit(); 1"_s);
        else
            QVERIFY(m_browser->navigate(url(path)));
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, kWait);
        QTest::qWait(300);
        QList<LocalHttpServer::Request> requests = m_server.requests();
        requests.removeIf([&path](const LocalHttpServer::Request &r) { return r.path != path; });
        QCOMPARE(std::count_if(requests.begin(), requests.end(), [](const auto &r) { return r.method == "GET"; }),
                 gets);
        for (const LocalHttpServer::Request &request : std::as_const(requests)) {
            QCOMPARE(request.headers.value("user-agent"), m_factory->profile()->httpUserAgent().toLatin1());
            QVERIFY2(request.headers.value("cookie").contains("session=abc123"), request.headers.value("cookie"));
        }
        if (!saved.isEmpty())
            QCOMPARE(QFileInfo(finished[0][2].toString()).fileName(), saved);
    }

    // A finished file waits only a little for a server that holds back the second answer,
    // and is kept whatever comes of it: under its name when the program ends meanwhile,
    // under its working name, reported as a failure, when it cannot be named.
    void finishedDownloadDoesNotWaitForTheHeaders_data()
    {
        QTest::addColumn<bool>("quit");
        QTest::newRow("the folder turns read-only") << false;
        QTest::newRow("the program ends meanwhile") << true;
    }
    void finishedDownloadDoesNotWaitForTheHeaders()
    {
        QFETCH(bool, quit);
        QTemporaryDir folder;
        SmallDisk disk(folder.path(), "1m");
        if (!quit && !disk.isMounted())
            QSKIP("mounting a small disk needs root");
        auto factory = std::make_unique<platform::WebEngineBrowserFactory>(m_ui);
        factory->setDownloadFolder(folder.path());
        QWidget window;
        auto *browser = factory->createBrowser(&window);
        m_server.route(u"/held/sjis"_s, attachment(ansi::encode(u"ソフト表.lzh"_s), QByteArray(4000, 'l')));
        QSignalSpy progress(browser, &BrowserComponent::downloadProgress);
        QSignalSpy finished(browser, &BrowserComponent::downloadFinished);
        // The engine has its answer; the second request, made once the download starts, waits.
        connect(
            browser, &BrowserComponent::downloadStarted, this, [this] { m_server.setHolding(true); },
            Qt::SingleShotConnection);
        // All the bytes may be in before the engine calls the file complete (newer engines
        // take a while), and a download still running when the program ends is not kept.
        QPointer<QWebEngineDownloadRequest> request;
        connect(factory->profile(), &QWebEngineProfile::downloadRequested, this,
                [&request](QWebEngineDownloadRequest *download) { request = download; });
        QVERIFY(browser->navigate(url(u"/held/sjis"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(request && request->isFinished(), kWait);
        QVERIFY(!progress.isEmpty() && progress.last()[1].toLongLong() == 4000
                && progress.last()[2].toLongLong() == 4000);
        QCOMPARE(finished.size(), 0); // waiting for the headers
        if (quit) {
            delete browser;
            factory.reset(); // the profile goes, and the download with it
            const QStringList files = QDir(folder.path()).entryList(QDir::Files);
            QCOMPARE(files.size(), 1);
            QVERIFY2(!files.first().endsWith(u".part"_s), qPrintable(files.first()));
            QCOMPARE(QFileInfo(QDir(folder.path()).filePath(files.first())).size(), 4000);
        } else {
            QVERIFY(disk.apply(SmallDisk::Fault::ReadOnly));
            QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, kWait);
            QCOMPARE(finished[0][1].value<platform::DownloadEnd>(), platform::DownloadEnd::Failed);
            const QString kept = finished[0][2].toString();
            QVERIFY2(kept.endsWith(u".part"_s), qPrintable(kept));
            QVERIFY2(finished[0][3].toString().contains(kept), qPrintable(finished[0][3].toString()));
            QCOMPARE(QFileInfo(kept).size(), 4000);
            delete browser;
        }
        m_server.releaseHeld();
        m_server.setHolding(false);
    }

    // It shows its own pictures, style sheets and frames, but runs no script, reaches no
    // server, shows nothing from outside its folder and goes nowhere on its own.
    void localPageKeepsToItself()
    {
        LocalFolder folder;
        QVERIFY(makeLocalFolder(folder));
        const QByteArray server = m_server.url(QString()).toString(QUrl::StripTrailingSlash).toLatin1();
        const QByteArray ws = "ws://127.0.0.1:" + QByteArray::number(m_server.port());
        QVERIFY(
            folder.write(u"page/page.htm"_s,
                         "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Local</title>"
                         "<meta http-equiv=\"refresh\" content=\"1; url="
                             + server
                             + "/refreshed\"><link rel=\"stylesheet\" href=\"style.css\"></head><body>"
                               "<p id=\"p\">text</p><img id=\"i\" src=\"pic.png\"><img id=\"o\" src=\"../outside.png\">"
                               "<img id=\"w\" src=\""
                             + server
                             + "/beacon.png\">"
                               "<iframe id=\"f\" src=\"inner/frame.htm\"></iframe>"
                               "<iframe id=\"s\" src=\"secret.txt\"></iframe>"
                               "<iframe id=\"l\" src=\"linked/private.txt\"></iframe>"
                               "<iframe id=\"n\" src=\""
                             + server
                             + "/framed\"></iframe>"
                               "<script>document.title = 'ran'; onload = () => {"
                               " new WebSocket('"
                             + ws
                             + "/socket?' + encodeURIComponent(s.contentDocument.body.innerText));"
                               " fetch('"
                             + server + "/fetched'); };</script></body></html>"));
        QSignalSpy blocked(m_browser, &BrowserComponent::localScriptBlocked);
        QSignalSpy refused(m_browser, &BrowserComponent::localNavigationRefused);
        QVERIFY(load(folder.address(u"page/page.htm"_s)));
        QTRY_COMPARE_WITH_TIMEOUT(runInProgram(u"document.getElementById('i').naturalWidth"_s).toInt(), 8, kWait);
        QCOMPARE(runInProgram(u"getComputedStyle(document.getElementById('p')).color"_s).toString(),
                 u"rgb(0, 128, 0)"_s);
        QTRY_COMPARE_WITH_TIMEOUT(
            runInProgram(u"document.getElementById('f').contentDocument.body.innerText"_s).toString(), u"inner"_s,
            kWait);
        QCOMPARE(runInProgram(u"document.getElementById('o').naturalWidth"_s).toInt(), 0);
        QCOMPARE(runInProgram(u"document.getElementById('w').naturalWidth"_s).toInt(), 0);
        QCOMPARE(runInProgram(u"document.getElementById('l').contentDocument === null"_s).toBool(), true);
        QCOMPARE(m_browser->title(), u"Local"_s); // its script did not run
        QTRY_COMPARE_WITH_TIMEOUT(blocked.size(), 1, kWait);
        QCOMPARE(blocked.first().first().toString(), folder.address(u"page/page.htm"_s));
        // The refresh would leave without a click.
        QTRY_COMPARE_WITH_TIMEOUT(refused.size(), 1, kWait);
        QCOMPARE(refused.first().first().toString(), QString::fromLatin1(server + "/refreshed"));
        QTest::qWait(300);
        QCOMPARE(m_browser->address(), folder.address(u"page/page.htm"_s));
        QCOMPARE(m_server.requestedPaths(), QStringList());
    }

    // The user lets the file's own script run: it runs, but the file is kept from every
    // other file and from the network, and the next file is asked about again.
    void allowedLocalScriptReadsNothingElse()
    {
        LocalFolder folder;
        QVERIFY(makeLocalFolder(folder));
        const QByteArray server = m_server.url(QString()).toString(QUrl::StripTrailingSlash).toLatin1();
        const QByteArray ws = "ws://127.0.0.1:" + QByteArray::number(m_server.port());
        QVERIFY(folder.write(
            u"page/page.htm"_s,
            page("Local",
                 "<img id=\"i\" src=\"pic.png\"><iframe id=\"s\" src=\"secret.txt\"></iframe>"
                 "<script>onload = async () => { const r = {};"
                 " try { r.frame = s.contentDocument.body.innerText; } catch (e) { r.frame = 'refused'; }"
                 " r.picture = i.naturalWidth;"
                 " try { r.fetched = await (await fetch('secret.txt')).text(); } catch (e) { r.fetched = 'refused'; }"
                 " try { await fetch('"
                     + server
                     + "/fetched'); r.server = 'reached'; } catch (e) { r.server = 'refused'; }"
                       " try { new WebSocket('"
                     + ws
                     + "/socket'); } catch (e) {}"
                       " document.title = JSON.stringify(r); };</script>")));
        QVERIFY(folder.write(u"page/next.htm"_s, page("Next", "<script>document.title = 'ran';</script>")));
        QSignalSpy blocked(m_browser, &BrowserComponent::localScriptBlocked);
        QVERIFY(load(folder.address(u"page/page.htm"_s)));
        QTRY_COMPARE_WITH_TIMEOUT(blocked.size(), 1, kWait);
        QSignalSpy complete(m_browser, &BrowserComponent::NavigateComplete2);
        QVERIFY(m_browser->runLocalScript());
        QTRY_VERIFY_WITH_TIMEOUT(m_browser->title().startsWith(u'{'), kWait);
        const QJsonObject result = QJsonDocument::fromJson(m_browser->title().toUtf8()).object();
        QCOMPARE(result.value(u"frame"_s).toString(), u"refused"_s);
        QCOMPARE(result.value(u"picture"_s).toInt(), 0);
        QCOMPARE(result.value(u"fetched"_s).toString(), u"refused"_s);
        QCOMPARE(result.value(u"server"_s).toString(), u"refused"_s);
        QTest::qWait(300);
        QCOMPARE(m_server.requestedPaths(), QStringList());
        QVERIFY(load(folder.address(u"page/next.htm"_s)));
        QTRY_COMPARE_WITH_TIMEOUT(blocked.size(), 2, kWait);
        QCOMPARE(m_browser->title(), u"Next"_s);
    }

    // A link of a local page to the web opens on the user's click, and the web page's
    // script runs there; back on the local page it does not.
    void localPageGoesToTheWebByAClick()
    {
        LocalFolder folder;
        QVERIFY(folder.dir.isValid());
        m_server.route(u"/scripted"_s, page("Scripted", "<script>document.title = 'web script ran';</script>"));
        QVERIFY(folder.write(u"links.htm"_s,
                             page("Links",
                                  "<style>body{margin:0} a{display:block;width:400px;height:200px}</style>"
                                  "<a id=\"big\" href=\""
                                      + m_server.url(u"/scripted"_s).toEncoded() + "\">web</a>")));
        QVERIFY(load(folder.address(u"links.htm"_s)));
        QSignalSpy complete(m_browser, &BrowserComponent::NavigateComplete2);
        QVERIFY(clickLink(QPoint(40, 50)));
        QVERIFY(complete.wait(kWait));
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->title(), u"web script ran"_s, kWait);
        QVERIFY(m_browser->goBack());
        QVERIFY(complete.wait(kWait));
        QCOMPARE(m_browser->address(), folder.address(u"links.htm"_s));
        QCOMPARE(runInProgram(u"document.title"_s).toString(), u"Links"_s);
    }

    // Windows the engine opens for pages follow the same rules, and their permission
    // requests are answered at once.
    void pageWindowsKeepTheRules()
    {
        LocalFolder folder;
        QVERIFY(folder.dir.isValid());
        QVERIFY(folder.write(u"local.htm"_s, page("Local", "<script>document.title = 'ran';</script>")));
        QVERIFY(load(url(u"/popups"_s)));
        run(u"document.getElementById('open').click(); 1"_s);
        QTRY_COMPARE_WITH_TIMEOUT(m_factory->popups().windows().size(), 1, kWait);
        auto *view = m_factory->popups().windows().first()->findChild<QWebEngineView *>();
        QVERIFY(view);
        QTRY_COMPARE_WITH_TIMEOUT(view->page()->title(), u"Page C"_s, kWait);
        const QString ask = u"window.answer = ''; Notification.requestPermission().then(r => window.answer = r); 1"_s;
        QCOMPARE(runScript(view->page(), ask, kWait).toInt(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(runScript(view->page(), u"window.answer"_s, kWait).toString(), u"denied"_s, kWait);
        QSignalSpy loaded(view->page(), &QWebEnginePage::loadFinished);
        view->page()->load(QUrl(folder.address(u"local.htm"_s)));
        QVERIFY(loaded.wait(kWait));
        QCOMPARE(view->page()->title(), u"Local"_s);
    }

    void findBarSearchesThePage()
    {
        QVERIFY(load(url(u"/a"_s)));
        QVERIFY(!m_browser->findBar()); // built when first asked for
        m_browser->showFindBar();
        QWidget *bar = m_browser->findBar();
        QVERIFY(bar && bar->isVisible());
        auto *text = bar->findChild<QLineEdit *>(u"findText"_s);
        QVERIFY(text);
        QSignalSpy found(m_browser->page(), &QWebEnginePage::findTextFinished);
        QTest::keyClicks(text, u"text"_s);
        // Each keystroke searches again; the last answer is for the whole word.
        auto matches = [&found] {
            return found.isEmpty() ? -1 : found.last().first().value<QWebEngineFindTextResult>().numberOfMatches();
        };
        QTRY_COMPARE_WITH_TIMEOUT(matches(), 1, kWait);
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
    }

    void systemBrowserGetsTheCurrentAddress()
    {
        QUrl handed;
        cleanupAndRecreateWith([&handed](platform::BrowserUi &ui) {
            ui.openExternally = [&handed](const QUrl &address) {
                handed = address;
                return true;
            };
        });
        QVERIFY(load(url(u"/b"_s)));
        QVERIFY(m_browser->openInSystemBrowser());
        QCOMPARE(handed.toString(), url(u"/b"_s));
    }

    void goHomeOpensTheHomePage()
    {
        QSignalSpy complete(m_browser, &BrowserComponent::NavigateComplete2);
        QVERIFY(m_browser->goHome());
        QVERIFY(complete.wait(kWait));
        QCOMPARE(m_browser->title(), u"Page C"_s);
    }

    void addressesBecomeUrls_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expected");
        QTest::newRow("web address") << u"http://127.0.0.1/a?q=1"_s << u"http://127.0.0.1/a?q=1"_s;
        QTest::newRow("about:blank") << u"about:blank"_s << u"about:blank"_s;
        QTest::newRow("local path") << u"/tmp/a b.html"_s << u"file:///tmp/a%20b.html"_s;
        QTest::newRow("file url") << u"file:///tmp/x.htm"_s << u"file:///tmp/x.htm"_s;
        QTest::newRow("network path") << u"\\\\server\\share\\x.htm"_s << u"file://server/share/x.htm"_s;
        QTest::newRow("bare host") << u"example.test"_s << u"http://example.test"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void addressesBecomeUrls()
    {
        QFETCH(QString, address);
        QFETCH(QString, expected);
        QCOMPARE(WebEngineBrowser::urlFromAddress(address).toString(QUrl::FullyEncoded), expected);
    }

    void offlineSchemes_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<bool>("network");
        QTest::newRow("http") << u"http"_s << true;
        QTest::newRow("https") << u"https"_s << true;
        QTest::newRow("ftp") << u"ftp"_s << true;
        QTest::newRow("file") << u"file"_s << false;
        QTest::newRow("data") << u"data"_s << false;
        QTest::newRow("about") << u"about"_s << false;
        QTest::newRow("qrc") << u"qrc"_s << false;
    }
    void offlineSchemes()
    {
        QFETCH(QString, scheme);
        QFETCH(bool, network);
        QCOMPARE(platform::PageRequestGuard::isNetworkScheme(scheme), network);
    }

private:
    template <typename Change> void cleanupAndRecreateWith(Change change)
    {
        delete m_browser;
        m_browser = nullptr;
        m_window.reset();
        platform::BrowserUi ui = m_ui;
        change(ui);
        m_factory = std::make_unique<platform::WebEngineBrowserFactory>(ui);
        m_factory->setDownloadFolder(m_downloads);
        init();
    }
};

YURA_ENGINE_TEST_MAIN(TestWebEngineBrowser)
#include "tst_webenginebrowser.moc"
