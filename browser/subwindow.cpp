#include "browser/subwindow.h"

#include "app/navigation.h"
#include "app/pagequestions.h"
#include "browser/fullscreenmode.h"
#include "browser/messagebar.h"
#include "platform/browsercomponent.h"

#include <QLineEdit>

SubWindow::SubWindow(platform::Platform services, const QString &firstAddress, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" - サブウィンドウ"));
    resize(800, 600);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_message = new MessageBar(this);
    connect(m_message, &MessageBar::shownChanged, this, &SubWindow::arrange);
    m_browser = m_services.browsers.createBrowser(this);
    if (m_browser) {
        m_browser->widget()->setObjectName(QStringLiteral("WebBrowser"));
        connect(m_browser, &platform::BrowserComponent::BeforeNavigate2, this,
                [this](const QString &url, bool &, bool mainFrame) {
                    if (mainFrame)
                        m_text->setText(url);
                });
        connect(m_browser, &platform::BrowserComponent::StatusTextChange, this,
                [this](const QString &text) { setWindowTitle(text + QStringLiteral(" - サブウィンドウ")); });
        askAboutPageRequests(*this, m_services.dialogs);
        new FullScreenMode({*this, this, {m_text}, [this] { arrange(); }}, this);
    }
    connect(m_text, &QLineEdit::returnPressed, this, [this] {
        if (m_browser)
            navigateTypedAddress(*m_browser, m_text->text());
    });
    connect(m_text, &QLineEdit::textChanged, this,
            [this] { m_text->setToolTip(imeStatusTip(m_services.inputMethod.state())); });
    navigate(firstAddress);
}

void SubWindow::navigate(const QString &address)
{
    if (m_browser)
        m_browser->navigate(address);
}

QString SubWindow::addressText() const
{
    return m_text->text();
}

void SubWindow::setAddressText(const QString &text)
{
    m_text->setText(text);
}

QString SubWindow::pageTitle() const
{
    return m_browser ? m_browser->title() : QString();
}

void SubWindow::showMessageBar(const QString &message)
{
    m_message->showMessage(message);
}

void SubWindow::hideMessageBar()
{
    m_message->dismiss();
}

void SubWindow::offerInMessageBar(const QString &message, const QList<MessageChoice> &choices)
{
    m_message->showMessage(message, choices);
}

void SubWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    arrange();
}

void SubWindow::arrange()
{
    const int top = m_text->isHidden() ? 0 : m_text->sizeHint().height();
    m_text->setGeometry(0, 0, width(), top);
    const int bottom = m_message->isShown() ? m_message->sizeHint().height() : 0;
    m_message->setGeometry(0, height() - bottom, width(), bottom);
    if (m_browser)
        m_browser->widget()->setGeometry(0, top, width(), height() - top - bottom);
}
