// The Tools and Help items of the browser window that hand work to the tools and to the
// system.
#include "tools/toolmenus.h"

#include "app/browserhost.h"
#include "app/maker.h"
#include "app/settingsstore.h"
#include "app/singlewindow.h"
#include "platform/browsercomponent.h"
#include "tools/aboutbox.h"
#include "tools/cookieeditor.h"
#include "tools/cookieeditordialog.h"
#include "tools/firstrundialog.h"
#include "tools/internetdialogs.h"
#include "tools/languagedialog.h"
#include "tools/systemreport.h"
#include "tools/translation.h"
#include "tools/versioncheckdialog.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

const QString kWindowsUpdate = u"https://windowsupdate.microsoft.com/"_s;

// Windows of the program a user sees: the main and sub windows, tools, dialogs.
int openWindowCount()
{
    int count = 0;
    for (const QWidget *widget : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = widget->windowType();
        if (widget->isVisible() && (type == Qt::Window || type == Qt::Dialog))
            ++count;
    }
    return count;
}

// A modal dialog that goes when it is closed.
template <typename ModalDialog> ModalDialog *openModal(ModalDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

} // namespace

ToolMenus::ToolMenus(BrowserHost &host, platform::Platform services, QWidget *window, const Items &items,
                     QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_services(services)
    , m_window(window)
{
    const Translation order[] = {Translation::EnglishToJapanese, Translation::JapaneseToEnglish,
                                 Translation::ChineseToJapanese, Translation::JapaneseToChinese,
                                 Translation::KoreanToJapanese,  Translation::JapaneseToKorean};
    for (int i = 0; i < 6; ++i)
        connect(items.translations[i], &QAction::triggered, this,
                [this, which = order[i]] { translatePage(m_host, which); });
    connect(items.toolsMenu, &QMenu::aboutToShow, items.cookies,
            [item = items.cookies] { item->setEnabled(cookies::editorEnabled()); });
    auto on = [this](QAction *item, auto handler) { connect(item, &QAction::triggered, this, handler); };
    auto navigate = [this](QAction *item, auto address) {
        connect(item, &QAction::triggered, this, [this, address] {
            if (platform::BrowserComponent *browser = m_host.browser())
                browser->navigate(address());
        });
    };
    on(items.cookies,
       [this] { showSingleWindow(m_cookieEditor, [this] { return new CookieEditorDialog(m_services, m_window); }); });
    on(items.firstRun, [this] { openFirstRunDialog(); });
    on(items.simpleFirstRun, [this] { openFirstRunDialog(); });
    on(items.privacy, [this] { openModal(new PrivacyDialog(m_services, m_window)); });
    on(items.userInfo, [this] { Q_EMIT subWindowRequested(programDocument(u"nav.htm"_s)); });
    on(items.capture, [this] { captureWindow(); });
    navigate(items.windowsUpdate, [] { return kWindowsUpdate; });
    on(items.internetOptions, [this] {
        auto *options = openModal(new InternetOptionsDialog(m_host, m_services, m_window));
        connect(options, &InternetOptionsDialog::languagesRequested, this, &ToolMenus::chooseLanguages);
    });
    on(items.languages, [this] { chooseLanguages(); });
    navigate(items.offlineHelp, [] { return programDocument(u"ゆらぎねヘルプ.htm"_s); });
    navigate(items.faq, [] { return maker::faqPage(); });
    on(items.newVersion, [this] { openModal(new VersionCheckDialog(m_host, m_services.transfer, m_window)); });
    on(items.association, [this] { associateWithBrowser(); });
    on(items.bugReport, [this] { writeBugReport(); });
    on(items.about, [this] { openAboutBox(); });
}

FirstRunDialog *ToolMenus::firstRunDialog() const
{
    return m_firstRun;
}

CookieEditorDialog *ToolMenus::cookieEditor() const
{
    return m_cookieEditor;
}

AboutBox *ToolMenus::aboutBox() const
{
    return m_about;
}

void ToolMenus::openFirstRunDialog()
{
    showSingleWindow(m_firstRun, [this] {
        auto *dialog = new FirstRunDialog(m_services, m_window);
        connect(dialog, &FirstRunDialog::translucencyMarked, this, &ToolMenus::translucencyMarked);
        connect(dialog, &FirstRunDialog::translucencyChanged, this, &ToolMenus::translucencyChanged);
        dialog->load();
        return dialog;
    });
}

void ToolMenus::openAboutBox()
{
    AboutBox &about = showSingleWindow(m_about, [this] { return new AboutBox(m_host, m_services, m_window); });
    about.showFacts();
}

void ToolMenus::chooseLanguages()
{
    QStringList current = languages::languagesFromHeader(languages::stored(m_services.registry));
    if (current.isEmpty())
        current = languages::defaultLanguages();
    QPointer<LanguageDialog> dialog = new LanguageDialog(current, m_window);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return;
    const QString header = languages::acceptLanguageHeader(dialog->languages());
    delete dialog.data();
    if (!accepted)
        return;
    languages::store(m_services.registry, header);
    m_services.browsers.setAcceptLanguage(languages::headerToSend(header));
}

void ToolMenus::writeBugReport()
{
    systemreport::Facts facts;
    facts.programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    facts.os = m_services.system.osVersion();
    facts.screen = m_services.system.screenSize();
    // Counted before the memo pad opens.
    facts.windowCount = openWindowCount();
    const QString data = u"Data"_s;
    facts.nstag = readSetting(data, u"NSTag"_s);
    facts.cookiesEdit = readSetting(data, u"CookiesEdit"_s);
    facts.bba = readSetting(data, u"BBA"_s);
    facts.wvs = readSetting(data, u"WVS"_s);
    facts.exstyle = readSetting(data, u"EXSTYLE"_s);
    facts.exstyleValue = readSetting(data, u"EXSTYLEValue"_s);
    Q_EMIT bugReportWritten(systemreport::bugReport(facts));
}

void ToolMenus::captureWindow()
{
    platform::FileDialogRequest request;
    request.title = u"ウィンドウキャプチャ機能"_s;
    request.overwritePrompt = true;
    request.filter = u"すべてのファイル(*.*)|*.*|"_s;
    request.fileName = u"無題"_s;
    request.defaultExtension = u"bmp"_s;
    QPointer<ToolMenus> self(this);
    const platform::FileDialogResult chosen = m_services.dialogs.saveFile(m_window, request);
    if (!self || !chosen.accepted || chosen.path.isEmpty())
        return;
    // The dialog leaves the screen before the window is taken.
    QCoreApplication::processEvents();
    const QImage image = m_services.windows.capture(m_window);
    if (image.isNull() || !m_services.windows.saveBitmap(image, chosen.path))
        m_host.showMessageBar(u"キャプチャに失敗しました。"_s);
}

void ToolMenus::associateWithBrowser()
{
    const QString tool = QStandardPaths::findExecutable(u"関連づけ"_s);
    if (!tool.isEmpty()) {
        m_services.processes.start(tool, {});
        return;
    }
    // Without the separate tool the desktop's own setting is offered; a failure stays quiet.
    if (m_services.dialogs.askYesNo(m_window, u"ゆらぎねを既定のWebブラウザにしますか？"_s, u"関連づけ"_s))
        m_services.processes.start(u"xdg-settings"_s, {u"set"_s, u"default-web-browser"_s, u"yuragine.desktop"_s});
}
