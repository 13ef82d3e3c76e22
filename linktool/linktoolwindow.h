#pragma once

#include "app/browserhost.h"
#include "platform/platform.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeView;
class LinkListModel;
class LinkToolAboutBox;

namespace platform {
struct TransferResult;
}

// The link analysis tool "ツタノハPro": fetches the page named in its URL box, lists the
// page's links (analysis run) or writes them into an HTML link collection (export run).
// It reads the address and page title of the window that opened it and opens links in
// that window's browser, all through BrowserHost. Controls and menu items carry their
// names as objectName. Closing the window deletes it; a fetch still running is dropped.
class LinkToolWindow : public QMainWindow
{
    Q_OBJECT
public:
    LinkToolWindow(BrowserHost &host, platform::Platform services, QWidget *parent = nullptr);
    ~LinkToolWindow() override;

    // The commands, callable as the controls call them.
    void startAnalysis(); // analysis run, also Enter in txtURL and mnufilere
    void startExport();   // export run, also mnufilehtml
    void stopRun();       // cancel
    void sortByColumn(int column);
    void openSelectedLink();

    bool isRunning() const { return m_running; }
    bool cancelRequested() const { return m_cancel; }
    int busyBarTwips() const { return m_barTwips; }
    QString exitConfirmation() const { return m_exitConfirmation; }
    LinkListModel *links() const { return m_model; }
    QAction *menuItem(const QString &name) const;

    static constexpr int kBarFullTwips = 1695;

Q_SIGNALS:
    // A run reached its end step.
    void runEnded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Run { Analysis, Export };

    void buildControls();
    void buildMenus();
    void loadSettings();
    void urlEdited();
    void advanceBusyBar();
    void setBarTwips(int twips);
    void setStatus(const QString &text);
    void setRunning(bool running);
    void fetch(const QString &url, std::function<void(const platform::TransferResult &)> done);
    void analysisFetched(const platform::TransferResult &result);
    void exportFetched(const platform::TransferResult &result, const QString &url, const QString &path);
    void endRun(Run run);
    void keepOnTop(bool checked);
    void setExitConfirmation(bool checked);
    void showAboutBox();

    BrowserHost &m_host;
    platform::Platform m_services;

    QLineEdit *m_url = nullptr;            // txtURL
    QPushButton *m_analyse = nullptr;      // Command3
    QPushButton *m_export = nullptr;       // Command1
    QPushButton *m_cancelButton = nullptr; // Command4
    QTreeView *m_list = nullptr;           // lvwLink
    LinkListModel *m_model = nullptr;
    QLabel *m_status = nullptr;    // txtBar
    QFrame *m_bar = nullptr;       // Shape1
    QTimer *m_timer = nullptr;     // Timer1
    QAction *m_re = nullptr;       // mnufilere
    QAction *m_html = nullptr;     // mnufilehtml
    QAction *m_onTop = nullptr;    // mnuvisituneni
    QAction *m_endCheck = nullptr; // mnuvisiendcheck

    bool m_cancel = false;
    bool m_running = false;
    int m_barTwips = kBarFullTwips;
    int m_sortColumn = 0;
    int m_sortOrder = 1; // so that the first header click sorts ascending
    QString m_exitConfirmation = QStringLiteral("False");
    QPointer<QObject> m_fetchContext; // owns the continuation of the fetch in flight
    quint64 m_fetchId = 0;
    QPointer<LinkToolAboutBox> m_about;
};
