#include "platform/webengine/webenginebrowser.h"
#include "platform/webengine/webenginefactory.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/isolatedhome.h"
#include "tests/support/localhttpserver.h"
#include "tools/cookieeditordialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;

// The cookie editor on the real engine: this process and a probe process browse in one
// profile inside a private home; the probe stays open while the cookies are deleted.
class TestCookieDeletion : public QObject
{
    Q_OBJECT
public:
    explicit TestCookieDeletion(const IsolatedHome &home)
        : m_home(home)
    { }

private:
    const IsolatedHome &m_home;
    LocalHttpServer m_server;

    QByteArray cookiesSentTo(const QString &path) const
    {
        for (const LocalHttpServer::Request &request : m_server.requests()) {
            if (request.path == path)
                return request.headers.value("cookie");
        }
        return "(not requested)";
    }
    static bool load(platform::BrowserComponent &browser, const QString &address)
    {
        QSignalSpy done(&browser, &platform::BrowserComponent::NavigateComplete2);
        return browser.navigate(address) && done.wait(30000);
    }
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        LocalHttpServer::Response set;
        set.body = "<html><head><title>set</title></head></html>";
        set.headers = {{"Set-Cookie", "kept=1; Max-Age=3600; Path=/"}, {"Set-Cookie", "visit=1; Path=/"}};
        m_server.route(u"/set"_s, set);
        for (const QString &path : {u"/first"_s, u"/here"_s, u"/before"_s, u"/after"_s})
            m_server.route(path, QByteArray("<html><head><title>check</title></head></html>"));
    }

    void deletedCookiesStayGoneInEveryProcess()
    {
        platform::WebEngineBrowserFactory engine(platform::defaultBrowserUi(), u"yuragine"_s);
        QWidget window;
        platform::BrowserComponent *browser = engine.createBrowser(&window);
        window.show();
        QVERIFY(load(*browser, m_server.url(u"/set"_s).toString()));
        const QString jar = QDir(engine.cookieFolder()).filePath(u"shared-cookies/cookies.txt"_s);
        QTRY_VERIFY_WITH_TIMEOUT(read(jar).contains("kept=1"), 10000);
        const QString oldCookieFile = QDir(engine.cookieFolder()).filePath(u"old.txt"_s);
        QVERIFY(QFile(oldCookieFile).open(QIODevice::WriteOnly));

        QVERIFY(load(*browser, m_server.url(u"/first"_s).toString()));
        QVERIFY(cookiesSentTo(u"/first"_s).contains("kept=1") && cookiesSentTo(u"/first"_s).contains("visit=1"));
        // A second window's process, open across the deletion.
        const QString go = m_home.path() + u"/go"_s;
        QProcess probe;
        probe.setProcessEnvironment(m_home.environment());
        probe.start(QStringLiteral(BROWSER_PROBE),
                    {m_server.url(u"/before"_s).toString(), u"wait-for:"_s + go, m_server.url(u"/after"_s).toString()});
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(u"/before"_s), 60000);
        QVERIFY2(cookiesSentTo(u"/before"_s).contains("kept=1"), cookiesSentTo(u"/before"_s));

        FakePlatform fake(engine);
        fake.dialogs.answerMessage(MessageAnswer::Yes);
        fake.dialogs.answerMessage(MessageAnswer::Ok);
        CookieEditorDialog editor(fake.platform());
        editor.findChild<QPushButton *>(u"Command1"_s)->click();
        // The message comes once the engine has deleted its cookies.
        QTRY_COMPARE_WITH_TIMEOUT(fake.dialogs.messageTexts().size(), 2, 20000);
        QCOMPARE(fake.dialogs.messageTexts().last(), u"全削除が終了しました。"_s);
        QVERIFY(!QFile::exists(oldCookieFile));

        QVERIFY(load(*browser, m_server.url(u"/here"_s).toString()));
        QCOMPARE(cookiesSentTo(u"/here"_s), QByteArray());

        QVERIFY(QFile(go).open(QIODevice::WriteOnly));
        QVERIFY(probe.waitForFinished(90000));
        QCOMPARE(probe.exitCode(), 0);
        QCOMPARE(cookiesSentTo(u"/after"_s), QByteArray());
        // Nor is it in the file that windows opened later start from.
        QVERIFY2(!read(jar).contains("kept=1"), read(jar));

        delete browser;
    }
};

int main(int argc, char *argv[])
{
    // This process browses in the same private profile as the probes it starts.
    IsolatedHome home;
    const QProcessEnvironment environment = home.environment(QProcessEnvironment());
    for (const QString &name : environment.keys())
        qputenv(name.toLocal8Bit().constData(), environment.value(name).toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"yuragine"_s);
    TestCookieDeletion test(home);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cookiedeletion.moc"
