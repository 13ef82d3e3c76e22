#pragma once

#include "platform/platform.h"

#include <QWidget>

class QLineEdit;

namespace platform {
class BrowserComponent;
}

// The sub window: an address box over a browser, with none of the main window's page
// handling (no block list, no lamp, no hand-over).
class Form3 : public QWidget
{
    Q_OBJECT
public:
    // firstAddress: what the window loads when it is created.
    Form3(platform::Platform services, const QString &firstAddress, QWidget *parent = nullptr);

    platform::BrowserComponent *browser() const { return m_browser; }
    void navigate(const QString &address);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    platform::Platform m_services;
    QLineEdit *m_text = nullptr; // Text1
    platform::BrowserComponent *m_browser = nullptr;
};
