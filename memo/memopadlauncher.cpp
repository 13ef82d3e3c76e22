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

MemoPadWindow *MemoPadLauncher::open()
{
    bool made = false;
    MemoPadWindow &memo = showSingleWindow(m_memo, [this, &made] {
        // No owner: the memo pad is a window of its own.
        auto *window = new MemoPadWindow(m_host, m_services);
        connect(window, &MemoPadWindow::closed, m_toolItem, [item = m_toolItem] { item->setChecked(false); });
        made = true;
        return window;
    });
    // The check mark shows that the memo pad is open, whatever a click on it toggled.
    m_toolItem->setChecked(true);
    // Before any text is handed in, which would otherwise take the kept text's place.
    if (made)
        memo.offerUnsavedText();
    return m_memo; // null when it was closed while the question was up
}

void MemoPadLauncher::show(const QString &text)
{
    if (MemoPadWindow *memo = open())
        memo->setMemoText(text);
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
