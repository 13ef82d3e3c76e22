// A second program on the browser component for tests that need several processes: loads
// each address on its command line in turn in the program's persistent profile, prints
// each page's title, then exits. Exit code 1 when a page did not load. An argument
// "wait-for:PATH" holds the next page back until that file exists, so a test can change
// something while this process is still open; "click:ID" clicks the element with that id
// on the page shown, and the page it leads to counts as the next one.
#include "platform/webengine/browserpage.h"
#include "platform/webengine/webenginebrowser.h"
#include "platform/webengine/webenginefactory.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("yuragine"));
    QStringList addresses = QApplication::arguments().mid(1);

    auto factory =
        std::make_unique<platform::WebEngineBrowserFactory>(platform::defaultBrowserUi(), QStringLiteral("yuragine"));
    auto window = std::make_unique<QWidget>();
    platform::BrowserComponent *browser = factory->createBrowser(window.get());
    window->resize(400, 300);
    window->show();

    int exitCode = 0;
    std::function<void()> next = [&] {
        if (addresses.isEmpty()) {
            // Give the profile a moment to write its cookies out.
            QTimer::singleShot(1500, &application, &QApplication::quit);
            return;
        }
        const QString address = addresses.takeFirst();
        if (address.startsWith(QStringLiteral("wait-for:"))) {
            const QString path = address.mid(9);
            auto *poll = new QTimer(&application);
            QObject::connect(poll, &QTimer::timeout, &application, [&, poll, path] {
                if (!QFileInfo::exists(path))
                    return;
                poll->stop();
                poll->deleteLater();
                // Lets the changes the test made before the file arrive first.
                QTimer::singleShot(500, browser, next);
            });
            poll->start(50);
            return;
        }
        if (address.startsWith(QStringLiteral("click:"))) {
            static_cast<platform::WebEngineBrowser *>(browser)->page()->runJavaScript(
                QStringLiteral("document.getElementById('%1').click()").arg(address.mid(6)));
            return;
        }
        browser->navigate(address);
    };
    QObject::connect(browser, &platform::BrowserComponent::NavigateComplete2, browser, [&](const QString &) {
        std::printf("%s\n", qPrintable(browser->title()));
        std::fflush(stdout);
        next();
    });
    QObject::connect(browser, &platform::BrowserComponent::NavigateError, browser,
                     [&](const QString &) { exitCode = 1; });
    QTimer::singleShot(0, browser, next);
    QTimer::singleShot(60000, &application, [&] {
        exitCode = 2;
        application.quit();
    });
    application.exec();
    delete browser;
    window.reset();
    factory.reset();
    return exitCode;
}
