#pragma once

#include "platform/platform.h"

#include <QDialog>

class BrowserHost;
class QLabel;

// The about box: the program's version, what it runs on (the system, the page engine) and
// the machine's address, with links to the maker.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    AboutBox(BrowserHost &host, platform::Platform services, QWidget *parent = nullptr);

    // Fills every label from the facts of the moment; each showing runs it again.
    void showFacts();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *label(const char16_t *name, const QString &text, QWidget *parent);

    BrowserHost &m_host;
    platform::Platform m_services;
    QLabel *m_homePage = nullptr; // Label1
    QLabel *m_mail = nullptr;     // Label2
};
