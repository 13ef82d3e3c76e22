#pragma once

#include "app/browserhost.h"
#include "platform/platform.h"

#include <QWidget>

class MessageBar;
class QLineEdit;

namespace platform {
class BrowserComponent;
}

// The sub window: an address box over a browser, with none of the main window's page
// handling (no block list, no lamp, no hand-over). A tool opened from it works on its page.
class SubWindow : public QWidget, public BrowserHost
{
    Q_OBJECT
public:
    // firstAddress: what the window loads when it is created.
    SubWindow(platform::Platform services, const QString &firstAddress, QWidget *parent = nullptr);

    platform::BrowserComponent *browser() const override { return m_browser; }
    QString addressText() const override;
    void setAddressText(const QString &text) override;
    QString pageTitle() const override;
    // A line under the page until it is hidden again.
    void showMessageBar(const QString &message) override;
    void hideMessageBar() override;
    void offerInMessageBar(const QString &message, const QList<MessageChoice> &choices) override;
    QWidget *dialogParent() override { return this; }

    void navigate(const QString &address);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void arrange();

    platform::Platform m_services;
    QLineEdit *m_text = nullptr; // Text1
    MessageBar *m_message = nullptr;
    platform::BrowserComponent *m_browser = nullptr;
};
