#include "app/startup.h"
#include "browser/form1.h"
#include "browser/languagedialog.h"
#include "browser/qttranslation.h"
#include "platform/homepage.h"
#include "platform/platform.h"
#include "platform/webengine/webenginebrowser.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Qt WebEngine shares GL contexts between its views; this must precede the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("yuragine"));
    // No display name: Qt would add " — ゆらぎね" to every caption the windows set.
    installQtTranslation(application);

    // The browsers ask for the home page later, once the registry store exists.
    platform::RegistryGateway *registry = nullptr;
    platform::BrowserUi ui = platform::defaultBrowserUi();
    ui.homePage = [&registry] { return registry ? platform::storedHomePage(*registry) : QString(); };
    // Declared before the windows, so the profile outlives every page.
    platform::WebEngineBrowserFactory browsers(ui, QStringLiteral("yuragine"));
    platform::RealPlatform host(browsers);
    platform::Platform services = host.platform();
    registry = &services.registry;
    const QString languages = languages::stored(services.registry);
    if (!languages.isEmpty())
        browsers.setAcceptLanguage(languages);
    browsers.setPrivacy(platform::storedPrivacy(services.registry));

    const bool firstRunDue = RunStartup();

    const QStringList arguments = QApplication::arguments();
    Form1 window(services, arguments.size() > 1 ? arguments.at(1) : QString());
    // Closing the main window ends the process, whatever else is still open.
    EndProcessWithWindow(window);
    ShowStartupWindows(window, firstRunDue);
    return application.exec();
}
