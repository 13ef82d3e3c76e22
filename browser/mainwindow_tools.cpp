// The Tools and Help menus: the memo pad, the link tool, the tool windows and the
// commands that hand work to the system.
#include "browser/mainwindow.h"

#include "app/maker.h"
#include "app/settingsstore.h"
#include "app/windowtranslucency.h"
#include "linktool/linktool.h"
#include "platform/browsercomponent.h"
#include "tools/cookieeditor.h"
#include "tools/versioncheckdialog.h"
#include "tools/aboutbox.h"
#include "tools/internetdialogs.h"
#include "tools/systemreport.h"
#include "tools/translation.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
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
template <typename ModalDialog>
ModalDialog *openModal(ModalDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

} // namespace

void MainWindow::wireTools()
{
    const MainMenus &m = m_menus;
    connect(m.tools.memoPad, &QAction::triggered, this, [this] { openMemoPad(); });
    connect(m.edit.copyToMemo, &QAction::triggered, this, &MainWindow::copyToMemo);
    linktool::wireFileMenuItem(m.file.menu, m.file.saveLinks, *this, m_services);
    auto translate = [this](QAction *item, Translation which) {
        connect(item, &QAction::triggered, this, [this, which] { TranslatePage(*this, which); });
    };
    translate(m.tools.englishToJapanese, Translation::EnglishToJapanese);
    translate(m.tools.japaneseToEnglish, Translation::JapaneseToEnglish);
    translate(m.tools.chineseToJapanese, Translation::ChineseToJapanese);
    translate(m.tools.japaneseToChinese, Translation::JapaneseToChinese);
    translate(m.tools.koreanToJapanese, Translation::KoreanToJapanese);
    translate(m.tools.japaneseToKorean, Translation::JapaneseToKorean);
    connect(m.tools.menu, &QMenu::aboutToShow, m.tools.cookies, [item = m.tools.cookies] { item->setEnabled(cookies::editorEnabled()); });
    connect(m.tools.cookies, &QAction::triggered, this, &MainWindow::openCookieEditor);
    connect(m.tools.firstRun, &QAction::triggered, this, &MainWindow::openFirstRunDialog);
    connect(m.simple.firstRun, &QAction::triggered, this, &MainWindow::openFirstRunDialog);
    auto on = [this](QAction *item, auto handler) { connect(item, &QAction::triggered, this, handler); };
    auto navigate = [this](QAction *item, auto address) {
        connect(item, &QAction::triggered, this, [this, address] { if (m_browser) m_browser->navigate(address()); });
    };
    on(m.tools.privacy, [this] { openModal(new PrivacyDialog(m_services, this)); });
    on(m.tools.userInfo, [this] { openSubWindow(ProgramDocument(u"nav.htm"_s)); });
    on(m.tools.capture, [this] { captureWindow(); });
    navigate(m.tools.windowsUpdate, [] { return kWindowsUpdate; });
    on(m.tools.internetOptions, [this] {
        auto *options = openModal(new InternetOptionsDialog(*this, m_services, this));
        connect(options, &InternetOptionsDialog::languagesRequested, this, &MainWindow::chooseLanguages);
    });
    navigate(m.help.offlineHelp, [] { return ProgramDocument(u"ゆらぎねヘルプ.htm"_s); });
    navigate(m.help.faq, [] { return maker::faqPage(); });
    on(m.help.newVersion, [this] { openModal(new VersionCheckDialog(*this, m_services.transfer, this)); });
    on(m.help.association, [this] { associateWithBrowser(); });
    on(m.help.bugReport, [this] { writeBugReport(); });
    on(m.help.about, [this] { openAboutBox(); });
}

MemoPadWindow &MainWindow::openMemoPad()
{
    if (!m_memo) {
        // No owner: the memo pad is a window of its own, closed with this one.
        m_memo = new MemoPadWindow(*this, m_services);
        connect(m_memo, &MemoPadWindow::closed, this, [this] { m_menus.tools.memoPad->setChecked(false); });
    }
    m_memo->showAndRaise();
    // The check mark shows that the memo pad is open, whatever a click on it toggled.
    m_menus.tools.memoPad->setChecked(true);
    return *m_memo;
}

void MainWindow::copyToMemo()
{
    // The engine copies asynchronously; the selection is read directly so that the memo
    // gets it now. Without a selection the clipboard keeps what it had.
    const QString selection = m_browser ? m_browser->selectedText() : QString();
    if (!selection.isEmpty())
        m_services.clipboard.setText(selection);
    openMemoPad().setMemoText(m_services.clipboard.text());
}

void MainWindow::openFirstRunDialog()
{
    if (!m_firstRunDialog) {
        m_firstRunDialog = new FirstRunDialog(m_services, this);
        connect(m_firstRunDialog, &FirstRunDialog::translucencyMarked, m_menus.view.translucent, &QAction::setChecked);
        connect(m_firstRunDialog, &FirstRunDialog::translucencyChanged, this,
                [this](int opacity) { SetWindowTranslucency(m_services.windows, this, opacity); });
        m_firstRunDialog->load();
    }
    m_firstRunDialog->show();
    m_firstRunDialog->raise();
    m_firstRunDialog->activateWindow();
}

void MainWindow::openCookieEditor()
{
    if (!m_cookieEditor)
        m_cookieEditor = new CookieEditorDialog(m_services, this);
    m_cookieEditor->show();
    m_cookieEditor->raise();
    m_cookieEditor->activateWindow();
}

void MainWindow::writeBugReport()
{
    systemreport::Facts facts;
    facts.programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    facts.os = m_services.system.osVersion();
    facts.screen = m_services.system.screenSize();
    // Counted before the memo pad opens.
    facts.windowCount = openWindowCount();
    const QString data = u"Data"_s;
    facts.nstag = ReadSetting(data, u"NSTag"_s);
    facts.cookiesEdit = ReadSetting(data, u"CookiesEdit"_s);
    facts.bba = ReadSetting(data, u"BBA"_s);
    facts.wvs = ReadSetting(data, u"WVS"_s);
    facts.exstyle = ReadSetting(data, u"EXSTYLE"_s);
    facts.exstyleValue = ReadSetting(data, u"EXSTYLEValue"_s);
    openMemoPad().setMemoText(systemreport::bugReport(facts));
}

void MainWindow::openAboutBox()
{
    if (!m_about)
        m_about = new AboutBox(*this, m_services, this);
    m_about->showFacts();
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::captureWindow()
{
    platform::FileDialogRequest request;
    request.title = u"ウィンドウキャプチャ機能"_s;
    request.overwritePrompt = true;
    request.filter = u"すべてのファイル(*.*)|*.*|"_s;
    request.fileName = u"無題"_s;
    request.defaultExtension = u"bmp"_s;
    QPointer<MainWindow> self(this);
    const platform::FileDialogResult chosen = m_services.dialogs.saveFile(this, request);
    if (!self || !chosen.accepted || chosen.path.isEmpty())
        return;
    // The dialog leaves the screen before the window is taken.
    QCoreApplication::processEvents();
    const QImage image = m_services.windows.capture(this);
    if (image.isNull() || !m_services.windows.saveBitmap(image, chosen.path))
        ShowMessageBar(u"キャプチャに失敗しました。"_s);
}

void MainWindow::associateWithBrowser()
{
    const QString tool = QStandardPaths::findExecutable(u"関連づけ"_s);
    if (!tool.isEmpty()) {
        m_services.processes.start(tool, {});
        return;
    }
    // Without the separate tool the desktop's own setting is offered; a failure stays quiet.
    if (m_services.dialogs.askYesNo(this, u"ゆらぎねを既定のWebブラウザにしますか？"_s, u"関連づけ"_s))
        m_services.processes.start(u"xdg-settings"_s, {u"set"_s, u"default-web-browser"_s, u"yuragine.desktop"_s});
}
