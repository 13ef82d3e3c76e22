// What a page asks of the browser beyond showing itself, with the real engine: its own
// pages in Japanese, sign-in, PDFs, permissions, full screen and the right-click menu.
// Run under a Japanese and a C locale: the program must not depend on the desktop's.
#include "platform/fonts.h"
#include "platform/webengine/browserpage.h"
#include "platform/webengine/webenginebrowser.h"
#include "platform/webengine/webenginefactory.h"
#include "tests/support/enginetest.h"
#include "tests/support/localhttpserver.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <memory>

using namespace Qt::StringLiterals;
using platform::BrowserComponent;
using platform::WebEngineBrowser;

namespace {

constexpr int kWait = 20000;

QByteArray page(const QByteArray &title, const QByteArray &body = {})
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title
        + "</title><style>body{margin:0}</style></head><body>" + body + "</body></html>";
}

QByteArray pdfDocument()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        painter.drawText(QPointF(100, 100), u"PDF の本文"_s);
    }
    return buffer.data();
}

} // namespace

class TestPageFeatures : public QObject
{
    Q_OBJECT
private:
    LocalHttpServer m_server;
    QTemporaryDir m_temp;
    std::unique_ptr<platform::WebEngineBrowserFactory> m_factory;
    std::unique_ptr<QWidget> m_window;
    WebEngineBrowser *m_browser = nullptr;
    QList<platform::SignInRequest> m_signIns;
    QList<platform::PageDialogRequest> m_scriptDialogs;
    QString m_dialogAnswer; // "ok", "cancel", or "silence" (OK, and silence once offered)
    std::optional<std::pair<QString, QString>> m_credentials; // nullopt: the user cancels
    QString m_saveTarget;
    QByteArray m_pdf;

    QString url(const QString &path) const { return m_server.url(path).toString(); }

    bool load(const QString &address) { return loadPage(m_browser, address, kWait); }

    QVariant run(const QString &script) { return runScript(m_browser->page(), script, kWait); }

    QString bodyText() { return run(u"document.body ? document.body.innerText : ''"_s).toString(); }

    QWidget *surface() const { return m_browser->view()->focusProxy(); }

    // A click needs the page to be painted and to know the pointer first.
    void clickAt(QPoint point, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseMove(surface(), point);
        QTest::qWait(100);
        QTest::mouseClick(surface(), button, {}, point);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        QVERIFY(m_temp.isValid());
        // As the program does before its first profile.
        platform::useJapaneseLocale();
        m_pdf = pdfDocument();
        LocalHttpServer::Response pdf;
        pdf.contentType = "application/pdf";
        pdf.body = m_pdf;
        m_server.route(u"/doc.pdf"_s, pdf);
        m_server.route(u"/asks"_s, page("Asks"));
        m_server.route(u"/video"_s,
                       page("Video",
                            "<button id=\"b\" style=\"width:400px;height:300px\" "
                            "onclick=\"document.getElementById('b').requestFullscreen()\">"
                            "full</button>"));
        m_server.route(u"/kinds"_s,
                       page("Kinds",
                            "<div style=\"height:100px\"><a href=\"/asks\" style=\"font-size:60px\">link</a>"
                            "</div><div style=\"height:100px\"><input id=\"f\" style=\"width:300px;"
                            "height:60px\"></div><div style=\"height:100px\">plain text</div>"));

        platform::BrowserUi ui = platform::defaultBrowserUi();
        ui.signIn = [this](QWidget *, const platform::SignInRequest &request, QString &user, QString &password) {
            m_signIns.append(request);
            if (!m_credentials)
                return false;
            user = m_credentials->first;
            password = m_credentials->second;
            return true;
        };
        ui.pageDialog = [this](QWidget *, const platform::PageDialogRequest &request) {
            m_scriptDialogs.append(request);
            platform::PageDialogAnswer answer;
            answer.accepted = m_dialogAnswer != u"cancel";
            answer.text = u"答え"_s;
            answer.silence = m_dialogAnswer == u"silence" && request.offerSilence;
            return answer;
        };
        ui.saveFileName = [this](QWidget *, const QString &) { return m_saveTarget; };
        m_factory = std::make_unique<platform::WebEngineBrowserFactory>(ui);
        m_factory->setDownloadFolder(m_temp.filePath(u"downloads"_s));
        const platform::JapaneseFontSet fonts = platform::installedJapaneseFonts();
        platform::useJapaneseFonts(fonts);
        m_factory->useFonts(fonts);
    }

    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(800, 600);
        m_browser = static_cast<WebEngineBrowser *>(m_factory->createBrowser(m_window.get()));
        auto *layout = new QVBoxLayout(m_window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_browser->widget());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_server.clearLog();
        m_signIns.clear();
        m_scriptDialogs.clear();
    }

    void cleanup()
    {
        delete m_browser;
        m_browser = nullptr;
        m_window.reset();
    }

    void cleanupTestCase() { m_factory.reset(); }

    // Fonts that the set-up installs; the Japanese locale lists them by other names.
    void fontsAreTheJapaneseFamilies()
    {
        QWebEngineSettings *settings = m_factory->profile()->settings();
        QCOMPARE(settings->fontFamily(QWebEngineSettings::StandardFont), u"Noto Sans CJK JP"_s);
        QCOMPARE(settings->fontFamily(QWebEngineSettings::SansSerifFont), u"Noto Sans CJK JP"_s);
        QCOMPARE(settings->fontFamily(QWebEngineSettings::SerifFont), u"IPAPMincho"_s);
        QCOMPARE(settings->fontFamily(QWebEngineSettings::FixedFont), u"IPAGothic"_s);
        QCOMPARE(QApplication::font().family(), u"IPAPGothic"_s);
    }

    void errorPageIsJapanese()
    {
        QVERIFY(load(LocalHttpServer::refusedUrl().toString()));
        QTRY_VERIFY_WITH_TIMEOUT(bodyText().contains(u"このサイトにアクセスできません"_s), kWait);
    }

    void signIn_data()
    {
        QTest::addColumn<bool>("signs");
        QTest::addColumn<QString>("from"); // where the protected page is asked for
        QTest::addColumn<QString>("shown");
        QTest::newRow("right password: the page") << true << u"address"_s << u"members only"_s;
        QTest::newRow("cancelled: the server's own page") << false << u"address"_s << u"the server's own refusal"_s;
        QTest::newRow("in a window the page opened") << true << u"popup"_s << u"members only"_s;
        QTest::newRow("five frames, cancelled: asked once") << false << u"frames"_s << u"Opener"_s;
        QTest::newRow("five frames with realms of their own, cancelled: asked once")
            << false << u"realms"_s << u"Opener"_s;
        QTest::newRow("a frame that reloads itself with a new realm, cancelled: asked once")
            << false << u"reloading"_s << u"Opener"_s;
    }
    void signIn()
    {
        QFETCH(bool, signs);
        QFETCH(QString, from);
        QFETCH(QString, shown);
        m_credentials.reset();
        if (signs)
            m_credentials = std::pair {u"taro"_s, u"himitsu"_s};
        // A server of its own: the engine keeps a site's credentials until it ends.
        LocalHttpServer site;
        LocalHttpServer::Response guarded;
        guarded.body = page("Inside", "<p>members only</p>");
        guarded.basicCredentials = "taro:himitsu";
        guarded.refusedBody = page("Refused", "<p>the server's own refusal</p>");
        site.route(u"/guarded"_s, guarded);
        for (int frame = 1; frame <= 5; ++frame) {
            if (from != u"frames")
                guarded.realm = "realm " + QByteArray::number(frame);
            site.route(u"/guarded%1"_s.arg(frame), guarded);
        }
        guarded.realm = "会員 realm";
        // Each refusal sends the frame on to the next realm.
        for (int frame = 1; frame <= 5; ++frame) {
            LocalHttpServer::Response next = guarded;
            next.realm = "realm " + QByteArray::number(frame);
            next.refusedBody = "<script>location = '/again" + QByteArray::number(frame % 5 + 1) + "'</script>";
            site.route(u"/again%1"_s.arg(frame), next);
        }
        site.route(u"/open"_s, page("Opener", "<p>Opener</p>"));
        QWebEnginePage *shownIn = m_browser->page();
        if (from == u"popup") {
            QVERIFY(load(site.url(u"/open"_s).toString()));
            run(u"window.open('/guarded'); 1"_s);
            QTRY_COMPARE_WITH_TIMEOUT(m_factory->popups().windows().size(), 1, kWait);
            shownIn = m_factory->popups().windows().first()->findChild<QWebEngineView *>()->page();
        } else if (from == u"frames" || from == u"realms") {
            QVERIFY(load(site.url(u"/open"_s).toString()));
            run(u"for (let i = 1; i <= 5; ++i) { const f = document.createElement('iframe');"
                u" f.src = '/guarded' + i; document.body.appendChild(f); } 1"_s);
            QTRY_VERIFY_WITH_TIMEOUT(site.wasRequested(u"/guarded5"_s), kWait);
            QTest::qWait(500);
        } else if (from == u"reloading") {
            QVERIFY(load(site.url(u"/open"_s).toString()));
            run(u"const f = document.createElement('iframe'); f.src = '/again1'; document.body.appendChild(f); 1"_s);
            QTRY_VERIFY_WITH_TIMEOUT(site.wasRequested(u"/again5"_s), kWait);
            QTest::qWait(500);
        } else {
            QVERIFY(load(site.url(u"/guarded"_s).toString()));
        }
        QTRY_VERIFY_WITH_TIMEOUT(
            runScript(shownIn, u"document.body ? document.body.innerText : ''"_s).toString().contains(shown), kWait);
        QCOMPARE(m_signIns.size(), 1);
        QCOMPARE(m_signIns.first().host, u"127.0.0.1"_s);
        if (from != u"realms" && from != u"reloading")
            QCOMPARE(m_signIns.first().realm, u"会員 realm"_s);
        QVERIFY(!m_signIns.first().encrypted);
        m_factory->popups().closeAll();
    }

    // A page raising dialogs in a loop, from its frames too, gets a few and then none; the
    // script goes on as if each were cancelled.
    void scriptDialogsAreLimited_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<QString>("title");
        QTest::newRow("alerts answered OK: the third offers silence, taken")
            << u"for (let i = 0; i < 20; ++i) alert('第' + i); document.title = 'done'"_s << u"silence"_s << 3
            << u"done"_s;
        QTest::newRow("a cancelled confirm: nothing more for a while")
            << u"const a = confirm('1'); const b = confirm('2'); const c = prompt('3', 'x');"
               u" document.title = a + ',' + b + ',' + c"_s
            << u"cancel"_s << 1 << u"false,false,null"_s;
        QTest::newRow("a prompt answered")
            << u"document.title = prompt('名前は？', '既定')"_s << u"ok"_s << 1 << u"答え"_s;
        QTest::newRow("a frame from another site counts as the page")
            << u"onmessage = e => document.title = e.data; const f = document.createElement('iframe');"
               u" f.src = 'http://localhost:%1/confirms'; document.body.appendChild(f)"_s
            << u"cancel"_s << 1 << u"0,0,0,0,0"_s;
    }
    void scriptDialogsAreLimited()
    {
        QFETCH(QString, script);
        QFETCH(QString, answer);
        QFETCH(int, dialogs);
        QFETCH(QString, title);
        m_dialogAnswer = answer;
        m_server.route(u"/confirms"_s,
                       page("Frame",
                            "<script>const r = []; for (let i = 0; i < 5; ++i) r.push(confirm(i) ? 1 : 0);"
                            " parent.postMessage(r.join(), '*')</script>"));
        QVERIFY(load(url(u"/asks"_s)));
        script.replace(u"%1"_s, QString::number(m_server.port()));
        run(u"setTimeout(() => { %1 }, 0); 1"_s.arg(script));
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->title(), title, kWait);
        QCOMPARE(m_scriptDialogs.size(), dialogs);
        // The page the user sees is named, whoever raised it.
        QCOMPARE(m_scriptDialogs.first().site, u"127.0.0.1"_s);
        for (int i = 0; i < dialogs; ++i)
            QCOMPARE(m_scriptDialogs.at(i).offerSilence, i == platform::PageQuestionGate::kScriptDialogsBeforeOffer);
        if (answer == u"ok") {
            QCOMPARE(m_scriptDialogs.first().message, u"名前は？"_s);
            QCOMPARE(m_scriptDialogs.first().text, u"既定"_s);
        }
    }

    void pdfShowsInThePage()
    {
        QSignalSpy downloads(m_browser, &BrowserComponent::downloadStarted);
        QVERIFY(load(url(u"/doc.pdf"_s)));
        QTest::qWait(1000);
        QCOMPARE(m_browser->address(), url(u"/doc.pdf"_s));
        QCOMPARE(downloads.size(), 0);
        QVERIFY(QDir(m_temp.filePath(u"downloads"_s)).isEmpty());
        // Saving writes the file itself where the user chose.
        m_saveTarget = m_temp.filePath(u"kept.pdf"_s);
        QTRY_VERIFY_WITH_TIMEOUT(run(u"document.contentType"_s).toString() == u"application/pdf"_s, kWait);
        QVERIFY(m_browser->saveAs());
        QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(m_saveTarget).size(), m_pdf.size(), kWait);
        QFile saved(m_saveTarget);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), m_pdf);
        saved.close();
        // Saved again over it: the dialog asked before replacing, so it is replaced.
        QVERIFY(saved.open(QIODevice::WriteOnly | QIODevice::Truncate));
        saved.write("old");
        saved.close();
        QVERIFY(m_browser->saveAs());
        QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(m_saveTarget).size(), m_pdf.size(), kWait);
        QCOMPARE(QDir(m_temp.path()).entryList({u"*.pdf"_s}), QStringList {u"kept.pdf"_s});
        QVERIFY(QDir(m_temp.filePath(u"downloads"_s)).isEmpty());
    }

    void permissionsAreAsked_data()
    {
        QTest::addColumn<bool>("allow");
        QTest::addColumn<QString>("result");
        QTest::newRow("yes holds for the site") << true << u"granted"_s;
        QTest::newRow("no holds for the site") << false << u"denied"_s;
    }
    void permissionsAreAsked()
    {
        QFETCH(bool, allow);
        QFETCH(QString, result);
        // A server of its own: answers are kept by site for the life of the profile.
        LocalHttpServer site;
        site.route(u"/asks"_s, page("Asks"));
        QStringList asked;
        connect(m_browser, &BrowserComponent::permissionRequested, this,
                [&](const QString &origin, const QString &feature, bool &answer) {
                    asked.append(origin + u' ' + feature);
                    answer = allow;
                });
        QVERIFY(load(site.url(u"/asks"_s).toString()));
        const QString request =
            u"window.result = ''; Notification.requestPermission().then(r => window.result = r); 1"_s;
        QCOMPARE(run(request).toInt(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(run(u"window.result"_s).toString(), result, kWait);
        const QString origin = site.url(QString()).toString(QUrl::StripTrailingSlash);
        QCOMPARE(asked, QStringList {origin + u" 通知"_s});
        // Asked again: answered without a question.
        QVERIFY(load(site.url(u"/asks"_s).toString()));
        QCOMPARE(run(request).toInt(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(run(u"window.result"_s).toString(), result, kWait);
        QCOMPARE(asked.size(), 1);
    }

    // The page shown is what the user answers for: a frame from elsewhere gets nothing.
    void framesAskAsThePageOrNotAtAll_data()
    {
        QTest::addColumn<QString>("frameHost");
        QTest::addColumn<bool>("asked");
        QTest::newRow("a frame of the page's own site") << u"127.0.0.1"_s << true;
        QTest::newRow("a frame from another site") << u"localhost"_s << false;
    }
    void framesAskAsThePageOrNotAtAll()
    {
        QFETCH(QString, frameHost);
        QFETCH(bool, asked);
        LocalHttpServer site;
        site.route(u"/asks"_s, page("Asks"));
        site.route(u"/where"_s,
                   page("Where",
                        "<script>navigator.geolocation.getCurrentPosition(() => parent.postMessage('granted', '*'),"
                        " e => parent.postMessage('refused', '*'))</script>"));
        QStringList questions;
        connect(m_browser, &BrowserComponent::permissionRequested, this,
                [&](const QString &origin, const QString &, bool &answer) {
                    questions.append(origin);
                    answer = false;
                });
        QVERIFY(load(site.url(u"/asks"_s).toString()));
        run(u"onmessage = e => document.title = e.data; const f = document.createElement('iframe');"
            u" f.allow = 'geolocation'; f.src = 'http://%1:%2/where'; document.body.appendChild(f); 1"_s.arg(
                frameHost, QString::number(site.port())));
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->title(), u"refused"_s, kWait);
        const QString shown = site.url(QString()).toString(QUrl::StripTrailingSlash);
        QCOMPARE(questions, asked ? QStringList {shown} : QStringList {});
    }

    void fullScreenComesAndGoes()
    {
        QSignalSpy changed(m_browser, &BrowserComponent::fullScreenChanged);
        QVERIFY(load(url(u"/video"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(changed.size() == 1 || (clickAt({200, 150}), false), kWait);
        QCOMPARE(changed.first().first().toBool(), true);
        QTRY_COMPARE_WITH_TIMEOUT(run(u"document.fullscreenElement ? 1 : 0"_s).toInt(), 1, kWait);
        m_browser->exitFullScreen();
        QTRY_COMPARE_WITH_TIMEOUT(changed.size(), 2, kWait);
        QCOMPARE(changed.last().first().toBool(), false);
    }

    void pageMenuFollowsWhatWasClicked_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("a link") << QPoint(40, 50)
                                << QStringList {u"リンクを新しいウィンドウで開く"_s, u"リンクのアドレスをコピー"_s};
        QTest::newRow("a text field") << QPoint(100, 130)
                                      << QStringList {u"切り取り"_s, u"コピー"_s, u"貼り付け"_s, u"すべて選択"_s};
        QTest::newRow("the page") << QPoint(600, 400) << QStringList {u"戻る"_s, u"進む"_s,       u"再読み込み"_s,
                                                                      u"中止"_s, u"すべて選択"_s, u"ソースの表示"_s};
    }
    void pageMenuFollowsWhatWasClicked()
    {
        QFETCH(QPoint, point);
        QFETCH(QStringList, items);
        QVERIFY(load(url(u"/kinds"_s)));
        QMenu *menu = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((menu = m_browser->view()->findChild<QMenu *>(u"pageContextMenu"_s))
                                     || (clickAt(point, Qt::RightButton), false),
                                 kWait);
        QStringList shown;
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator())
                shown.append(action->text());
        }
        // Without the window's items only the engine's own are there.
        QCOMPARE(shown, items);
        menu->close();
    }
};

YURA_ENGINE_TEST_MAIN(TestPageFeatures)
#include "tst_pagefeatures.moc"
