#pragma once

#include "platform/browsercomponent.h"

#include <QApplication>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QtTest>

// Navigates browser and waits until the page is there; false when it never came.
inline bool loadPage(platform::BrowserComponent *browser, const QString &address, int waitMs = 20000)
{
    QSignalSpy complete(browser, &platform::BrowserComponent::NavigateComplete2);
    return browser->navigate(address) && complete.wait(waitMs);
}

// Runs script in page and waits for its result; null when none came. The program's own
// world runs where the page's script may not.
inline QVariant runScript(QWebEnginePage *page, const QString &script, int waitMs = 20000,
                          quint32 world = QWebEngineScript::MainWorld)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, world, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    QDeadlineTimer deadline(waitMs);
    while (!done && !deadline.hasExpired())
        QTest::qWait(10);
    return result;
}

// A look-alike host name the tests browse to, served by the test server on 127.0.0.1.
inline constexpr char kLookAlikeHost[] = "xn--80ak6aa92e.com";
// Added to the engine's switches, which it reads once, at its start.
inline void mapTestHosts()
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    flags += QByteArray(" --host-resolver-rules=\"MAP ") + kLookAlikeHost + " 127.0.0.1\"";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

// main() for tests of the real engine: Qt WebEngine needs shared GL contexts set before
// the application object exists.
#define YURA_ENGINE_TEST_MAIN(TestClass)                                                                               \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        mapTestHosts();                                                                                                \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                                    \
        QApplication application(argc, argv);                                                                          \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                                               \
        TestClass test;                                                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
