#include "memo/memopadlauncher.h"

#include "app/browserhost.h"
#include "app/singlewindow.h"
#include "memo/memopadwindow.h"
#include "platform/browsercomponent.h"

#include <QAction>

MemoPadLauncher::MemoPadLauncher(BrowserHost &host, platform::Platform services, QAction *toolItem, QAction *copyItem,
                                 QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_services(services)
    , m_toolItem(toolItem)
{
    connect(toolItem, &QAction::triggered, this, [this] { open(); });
    connect(copyItem, &QAction::triggered, this, &MemoPadLauncher::copyPageSelection);
}

MemoPadLauncher::~MemoPadLauncher()
{
    delete m_memo.data();
}

MemoPadWindow *MemoPadLauncher::memoPad() const
{
    return m_memo;
}

MemoPadWindow &MemoPadLauncher::open()
{
    MemoPadWindow &memo = showSingleWindow(m_memo, [this] {
        // No owner: the memo pad is a window of its own.
        auto *made = new MemoPadWindow(m_host, m_services);
        connect(made, &MemoPadWindow::closed, m_toolItem, [item = m_toolItem] { item->setChecked(false); });
        return made;
    });
    // The check mark shows that the memo pad is open, whatever a click on it toggled.
    m_toolItem->setChecked(true);
    return memo;
}

void MemoPadLauncher::show(const QString &text)
{
    open().setMemoText(text);
}

void MemoPadLauncher::copyPageSelection()
{
    // The engine copies asynchronously; the selection is read directly so that the memo
    // gets it now. Without a selection the clipboard keeps what it had.
    platform::BrowserComponent *browser = m_host.browser();
    const QString selection = browser ? browser->selectedText() : QString();
    if (!selection.isEmpty())
        m_services.clipboard.setText(selection);
    show(m_services.clipboard.text());
}
