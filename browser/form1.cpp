#include "browser/form1.h"

#include "platform/browsercomponent.h"

#include <QCoreApplication>

Form1::Form1(platform::Platform services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ゆらぎね"));
    resize(1024, 720);

    m_browser = m_services.browsers.createBrowser(this);
    if (m_browser) {
        m_browser->widget()->setObjectName(QStringLiteral("WebBrowser"));
        setCentralWidget(m_browser->widget());
        connect(m_browser, &platform::BrowserComponent::TitleChange, this, [this](const QString &title) {
            setWindowTitle(title + QStringLiteral("　－ ゆらぎね"));
        });
        // A command-line address opens at once; otherwise the blank page.
        const QStringList arguments = QCoreApplication::arguments();
        m_browser->Navigate(arguments.size() > 1 ? arguments.at(1) : QStringLiteral("about:blank"));
    }
}
