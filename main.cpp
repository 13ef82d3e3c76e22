#include "app/startup.h"
#include "browser/mainwindow.h"
#include "browser/pictures.h"
#include "browser/qttranslation.h"
#include "platform/enginesandbox.h"
#include "platform/fonts.h"
#include "platform/homepage.h"
#include "platform/platform.h"
#include "platform/webengine/webenginebrowser.h"
#include "platform/webengine/webenginefactory.h"
#include "tools/languagedialog.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Qt WebEngine shares GL contexts between its views; this must precede the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("yuragine"));
    // No display name: Qt would add " — ゆらぎね" to every caption the windows set.
    // Names the installed yuragine.desktop, whose icon the desktop then shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("yuragine"));
    QApplication::setWindowIcon(programIcon());
    // Refused here, with the reason, rather than by the engine, which would end the
    // process without a word once the first page is created.
    const QString engineProblem = platform::engineStartProblem();
    if (!engineProblem.isEmpty()) {
        std::fprintf(stderr, "%s\n", engineProblem.toLocal8Bit().constData());
        QMessageBox::critical(nullptr, QStringLiteral("ゆらぎね"), engineProblem);
        return 1;
    }

    platform::useJapaneseLocale();
    // The browsers ask for the home page later, once the registry store exists.
    platform::RegistryGateway *registry = nullptr;
    platform::BrowserUi ui = platform::defaultBrowserUi();
    ui.homePage = [&registry] { return registry ? platform::storedHomePage(*registry) : QString(); };
    // Declared before the windows, so the profile outlives every page.
    platform::WebEngineBrowserFactory browsers(ui, QStringLiteral("yuragine"));
    platform::RealPlatform host(browsers);
    platform::Platform services = host.platform();
    registry = &services.registry;
    browsers.setAcceptLanguage(languages::headerToSend(languages::stored(services.registry)));
    // After the engine has been started above: its helper processes come up meanwhile.
    installQtTranslation(application);
    const platform::JapaneseFontSet fonts = platform::installedJapaneseFonts();
    platform::useJapaneseFonts(fonts);
    browsers.useFonts(fonts);

    const bool firstRunDue = runStartup();

    const QStringList arguments = QApplication::arguments();
    MainWindow window(services, arguments.size() > 1 ? arguments.at(1) : QString());
    // Closing the main window ends the process, whatever else is still open.
    endProcessWithWindow(window);
    showStartupWindows(window, firstRunDue);
    return application.exec();
}
