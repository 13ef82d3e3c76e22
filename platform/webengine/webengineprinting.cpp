// Printing, print preview and page setup of the browser component.
#include "platform/webengine/webenginebrowser.h"

#include <QEventLoop>
#include <QPrinter>
#include <QWebEngineView>

namespace platform {

std::shared_ptr<QPrinter> WebEngineBrowser::sharedPrinter()
{
    // Made on first use: a printer asks the print system for its printers, which may
    // take long and is no business of the first page.
    if (!m_printer)
        m_printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    return m_printer;
}

QPrinter &WebEngineBrowser::printer()
{
    return *sharedPrinter();
}

bool WebEngineBrowser::print()
{
    if (!hasDocument() || m_printing || !m_ui.printDialog)
        return false;
    std::shared_ptr<QPrinter> printer = sharedPrinter();
    QPointer<WebEngineBrowser> self(this);
    m_printing = true; // the dialog must not let a second print start
    const bool accepted = m_ui.printDialog(*printer, m_container);
    if (!self)
        return false;
    if (!accepted) {
        m_printing = false;
        return true; // the user chose not to print; the command itself worked
    }
    connect(
        m_view, &QWebEngineView::printFinished, this,
        [this](bool success) {
            m_printing = false;
            Q_EMIT printingEnded(success);
        },
        Qt::SingleShotConnection);
    m_view->print(printer.get());
    return true;
}

bool WebEngineBrowser::printPreview()
{
    if (!hasDocument() || m_printing || !m_ui.printPreview)
        return false;
    std::shared_ptr<QPrinter> printer = sharedPrinter();
    QPointer<WebEngineBrowser> self(this);
    QPointer<QWebEngineView> view(m_view);
    m_printing = true;
    // The preview asks for its pages synchronously while the engine prints
    // asynchronously: wait for printFinished in a local loop, as Qt's own example does.
    auto paint = [view](QPrinter *target) {
        if (!view)
            return false;
        QEventLoop loop;
        bool result = false;
        QObject::connect(view, &QWebEngineView::printFinished, &loop, [&](bool success) {
            result = success;
            loop.quit();
        });
        QObject::connect(view, &QObject::destroyed, &loop, &QEventLoop::quit);
        view->print(target);
        loop.exec();
        return result;
    };
    m_ui.printPreview(*printer, m_container, paint);
    if (!self)
        return false;
    m_printing = false;
    return true;
}

bool WebEngineBrowser::pageSetup()
{
    if (!hasDocument() || m_printing || !m_ui.pageSetupDialog)
        return false;
    std::shared_ptr<QPrinter> printer = sharedPrinter();
    QPointer<WebEngineBrowser> self(this);
    m_printing = true;
    m_ui.pageSetupDialog(*printer, m_container);
    if (self)
        m_printing = false;
    return bool(self);
}

} // namespace platform
