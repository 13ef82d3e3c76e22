#pragma once

#include <QDialog>

class BrowserHost;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace platform {
class InternetTransfer;
}

// The version check: fetches what the maker has published and tells whether a newer
// version is out. The window stays usable while it waits, and may be closed meanwhile.
class VersionCheckDialog : public QDialog
{
    Q_OBJECT
public:
    VersionCheckDialog(BrowserHost &host, platform::InternetTransfer &transfer, QWidget *parent = nullptr);

    bool isChecking() const;

Q_SIGNALS:
    // The result is shown.
    void checked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void startCheck();
    void finish(const QString &data, const QString &version);

    BrowserHost &m_host;
    platform::InternetTransfer &m_transfer;
    QLabel *m_current = nullptr;       // Label1
    QLabel *m_published = nullptr;     // Label2
    QPlainTextEdit *m_text = nullptr;  // Text1
    QPushButton *m_close = nullptr;    // Command1
    QPushButton *m_homePage = nullptr; // Command2
    QTimer *m_marks = nullptr;         // Timer1
    bool m_started = false;
};
