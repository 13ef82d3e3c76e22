#pragma once

#include "platform/platform.h"

#include <QObject>
#include <QPointer>

class AboutBox;
class BrowserHost;
class CookieEditorDialog;
class FirstRunDialog;
class QAction;
class QMenu;
class QWidget;

// The browser window's Tools and Help items that belong to the tools: page translation,
// the cookie editor, the first-run dialog, privacy, Internet options, the language list,
// window capture, the help pages, the version check, association, the bug report and the
// about box. The single dialogs are made on first use and brought to the front after.
// What must reach other parts of the window goes out as signals.
class ToolMenus : public QObject
{
    Q_OBJECT
public:
    struct Items
    {
        QMenu *toolsMenu;         // the cookie editor is offered when it opens
        QAction *translations[6]; // in the menu's order
        QAction *cookies, *firstRun, *simpleFirstRun, *privacy, *userInfo, *capture, *windowsUpdate, *internetOptions,
            *languages;
        QAction *offlineHelp, *faq, *newVersion, *association, *bugReport, *about;
    };
    // window: the browser window, which the dialogs belong to and the capture takes.
    ToolMenus(BrowserHost &host, platform::Platform services, QWidget *window, const Items &items, QObject *parent);

    void openFirstRunDialog();
    FirstRunDialog *firstRunDialog() const;
    CookieEditorDialog *cookieEditor() const;
    AboutBox *aboutBox() const;

Q_SIGNALS:
    // The bug report, for the memo pad.
    void bugReportWritten(const QString &text);
    // A page to show in the sub window.
    void subWindowRequested(const QString &address);
    // The first-run dialog's translucency: the check mark and the window's opacity.
    void translucencyMarked(bool on);
    void translucencyChanged(int opacity);

private:
    void chooseLanguages();
    void captureWindow();
    void associateWithBrowser();
    void writeBugReport();
    void openAboutBox();

    BrowserHost &m_host;
    platform::Platform m_services;
    QWidget *m_window;
    QPointer<FirstRunDialog> m_firstRun;
    QPointer<CookieEditorDialog> m_cookieEditor;
    QPointer<AboutBox> m_about;
};
