#pragma once

#include "platform/platform.h"

#include <QObject>
#include <QPointer>

class BrowserHost;
class MemoPadWindow;
class QAction;

// The memo pad of a browser window. Its Tools menu item opens it (the check mark shows
// that it is open); "ふせっこminiにコピー" opens it with the page's selection; the tools
// hand it their texts. Made on first use, a window of its own, gone with the launcher.
class MemoPadLauncher : public QObject
{
    Q_OBJECT
public:
    MemoPadLauncher(BrowserHost &host, platform::Platform services, QAction *toolItem, QAction *copyItem,
                    QObject *parent);
    ~MemoPadLauncher() override;

    MemoPadWindow *memoPad() const;
    // Shows the memo pad, made first when it is not open (which may ask about text left
    // unsaved before). Null when it was closed meanwhile.
    MemoPadWindow *open();
    // Shows the memo pad with text in place of what it held.
    void show(const QString &text);

private:
    void copyPageSelection();

    BrowserHost &m_host;
    platform::Platform m_services;
    QAction *m_toolItem;
    QPointer<MemoPadWindow> m_memo;
};
