#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace platform {
class BrowserComponent;
}

// A button of the message bar: its caption and what choosing it does.
struct MessageChoice
{
    QString caption;
    std::function<void()> chosen;
};

// What a feature window may use of the browser window that opened it: the main window
// and the sub window both offer it, so a tool runs against either. Tools report back
// with signals of their own, not through this.
class BrowserHost
{
public:
    virtual ~BrowserHost() = default;

    // null when the window has no page.
    virtual platform::BrowserComponent *browser() const = 0;
    virtual QString addressText() const = 0;
    virtual void setAddressText(const QString &text) = 0;
    // The title of the page shown; "" without one.
    virtual QString pageTitle() const = 0;
    virtual void showMessageBar(const QString &message) = 0;
    virtual void hideMessageBar() = 0;
    // Shows message with a button for each choice; choosing one hides the bar and runs it.
    virtual void offerInMessageBar(const QString &message, const QList<MessageChoice> &choices) = 0;
    // Where dialogs and message boxes of a tool are centred and parented.
    virtual QWidget *dialogParent() = 0;

protected:
    BrowserHost() = default;
    BrowserHost(const BrowserHost &) = default;
    BrowserHost &operator=(const BrowserHost &) = default;
};
