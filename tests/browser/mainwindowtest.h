#pragma once

#include "app/startup.h"
#include "blocking/blocklisteditor.h"
#include "blocking/blocklistmenu.h"
#include "browser/mainwindow.h"
#include "browser/navigationbar.h"
#include "browser/navigationcommands.h"
#include "browser/pageevents.h"
#include "browser/statusarea.h"
#include "browser/subwindow.h"
#include "memo/memopadwindow.h"
#include "sidebar/sidebarpanel.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/tempprogramfolder.h"
#include "tools/aboutbox.h"
#include "tools/cookieeditordialog.h"
#include "tools/firstrundialog.h"
#include "tools/toolmenus.h"

#include <QAction>
#include <QLabel>
#include <QtTest>

#include <memory>

// What the main window tests share: a temporary program folder, the fake platform and
// the real MainWindow, opened as start-up opens it.
class MainWindowTest : public QObject
{
protected:
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<MainWindow> m_window;
    int m_unloaded = 0;

    void setUpWindowTest()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        m_fake = std::make_unique<FakePlatform>();
        m_unloaded = 0;
    }
    void tearDownWindowTest()
    {
        m_window.reset();
        m_fake.reset();
        m_folder.reset();
    }

    // Runs start-up on the settings already in the folder and loads a window.
    void startWindow(const QString &commandLine = {}, bool show = true)
    {
        runStartup();
        m_window = std::make_unique<MainWindow>(m_fake->platform(), commandLine);
        connect(m_window.get(), &MainWindow::unloaded, this, [this] { ++m_unloaded; });
        m_window->load();
        if (show) {
            m_window->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        }
    }

    FakeBrowser *browser() const { return qobject_cast<FakeBrowser *>(m_window->browser()); }
    QAction *item(const QString &name) const { return m_window->menuItem(name); }
    template <typename T> T *control(const QString &name) const { return m_window->findChild<T *>(name); }
    QString messageText() const
    {
        return m_window->messageBarVisible() ? m_window->findChild<QLabel *>(QStringLiteral("SubLabel"))->text()
                                             : QString();
    }
};
