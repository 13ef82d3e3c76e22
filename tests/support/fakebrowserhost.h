#pragma once

#include "app/browserhost.h"
#include "tests/support/fakebrowser.h"

#include <QStringList>
#include <QWidget>

// The window a feature window works against in tests: a fake browser (or none), an
// address box, and a message bar that keeps every message it was asked to show.
class FakeBrowserHost : public BrowserHost
{
public:
    explicit FakeBrowserHost(bool withBrowser = true)
        : fakeBrowser(withBrowser ? new FakeBrowser(&window) : nullptr)
    { }

    platform::BrowserComponent *browser() const override { return fakeBrowser; }
    QString addressText() const override { return address; }
    void setAddressText(const QString &text) override { address = text; }
    QString pageTitle() const override { return fakeBrowser ? fakeBrowser->pageTitle : QString(); }
    void showMessageBar(const QString &message) override
    {
        messages.append(message);
        messageBarVisible = true;
    }
    void hideMessageBar() override { messageBarVisible = false; }
    void offerInMessageBar(const QString &message, const QList<MessageChoice> &offered) override
    {
        showMessageBar(message);
        choices = offered;
    }
    QWidget *dialogParent() override { return &window; }

    QWidget window;
    FakeBrowser *fakeBrowser; // a child of window
    QString address;
    QStringList messages;
    QList<MessageChoice> choices; // of the last offer
    bool messageBarVisible = false;
};
