#pragma once

#include "platform/platform.h"

#include <QDialog>
#include <QGroupBox>

class BrowserHost;
class QCheckBox;
class QLabel;
class QLineEdit;

// Clears what the browsers keep of the user's browsing: the pages visited, the cache and
// the cookies (in every window of the program).
class BrowsingDataBox : public QGroupBox
{
    Q_OBJECT
public:
    BrowsingDataBox(platform::BrowserFactory &browsers, QWidget *parent);
    void clearChosen();

Q_SIGNALS:
    // ok false when some cookies could not be deleted.
    void cleared(bool ok);

private:
    platform::BrowserFactory &m_browsers;
    QCheckBox *m_history = nullptr;
    QCheckBox *m_cache = nullptr;
    QCheckBox *m_cookies = nullptr;
    QLabel *m_result = nullptr;
};

// Third-party cookies, Do Not Track and clearing the browsing data.
class PrivacyDialog : public QDialog
{
    Q_OBJECT
public:
    PrivacyDialog(platform::Platform services, QWidget *parent);

    // Keeps the choices for this and later sessions.
    void accept() override;

private:
    platform::Platform m_services;
    QCheckBox *m_thirdParty = nullptr;
    QCheckBox *m_doNotTrack = nullptr;
};

// The home page, clearing the browsing data and the languages pages are asked for.
class InternetOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    InternetOptionsDialog(BrowserHost &host, platform::Platform services, QWidget *parent);

    void accept() override;

Q_SIGNALS:
    // The language list is the browser window's own dialog.
    void languagesRequested();

private:
    platform::Platform m_services;
    QLineEdit *m_homePage = nullptr;
};
