#include "tests/support/fakebrowser.h"

#include <QFile>

#include <utility>

FakeBrowser::FakeBrowser(QWidget *parent)
    : BrowserComponent(parent)
    , m_widget(new QWidget(parent))
{ }

FakeBrowser::~FakeBrowser()
{
    delete m_widget.data();
}

bool FakeBrowser::navigate(const QString &address)
{
    return record(QStringLiteral("navigate:") + address);
}

void FakeBrowser::saveDocument(const QString &path, std::function<void(bool)> done)
{
    calls.append(QStringLiteral("Save:") + path);
    bool written = false;
    {
        QFile file(path);
        written = accepts && file.open(QIODevice::WriteOnly) && file.write(html.toUtf8()) >= 0;
    } // closed, so the caller reads what was written
    done(written);
}

bool FakeBrowser::cancelDownloads()
{
    calls.append(QStringLiteral("CancelDownloads"));
    const QList<quint32> running = std::exchange(runningDownloads, {});
    for (const quint32 id : running)
        Q_EMIT downloadFinished(id, platform::DownloadEnd::Cancelled, QString(), QString());
    return !running.isEmpty();
}

quint32 FakeBrowser::raiseDownloadStarted(const QString &fileName)
{
    static quint32 lastId = 0;
    const quint32 id = ++lastId;
    runningDownloads.append(id);
    Q_EMIT downloadStarted(id, fileName);
    return id;
}

bool FakeBrowser::raiseBeforeNavigate(const QString &address, bool mainFrame)
{
    bool cancel = false;
    Q_EMIT BeforeNavigate2(address, cancel, mainFrame);
    return cancel;
}

bool FakeBrowser::raiseNewWindow(const QString &address, bool userInitiated)
{
    bool cancel = false;
    Q_EMIT NewWindow2(address, cancel, userInitiated);
    return cancel;
}

bool FakeBrowser::raiseWindowClosing()
{
    bool cancel = false;
    Q_EMIT WindowClosing(cancel);
    return cancel;
}

QStringList FakeBrowser::navigations() const
{
    QStringList addresses;
    for (const QString &call : calls) {
        if (call.startsWith(QStringLiteral("navigate:")))
            addresses.append(call.mid(9));
    }
    return addresses;
}

platform::BrowserComponent *FakeBrowserFactory::createBrowser(QWidget *parent)
{
    auto *browser = new FakeBrowser(parent);
    m_made.append(browser);
    return browser;
}

QList<FakeBrowser *> FakeBrowserFactory::browsers() const
{
    QList<FakeBrowser *> alive;
    for (const QPointer<FakeBrowser> &browser : m_made) {
        if (browser)
            alive.append(browser);
    }
    return alive;
}

FakeBrowser *FakeBrowserFactory::last() const
{
    const QList<FakeBrowser *> alive = browsers();
    return alive.isEmpty() ? nullptr : alive.last();
}
