#include "browser/navigationbar.h"

#include "browser/addressbox.h"
#include "browser/pictures.h"

#include <QTimer>
#include <QToolButton>

NavigationBar::NavigationBar(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame1"));
    struct Entry
    {
        const char *name;
        const char *icon;
        const char *tip;
    };
    const Entry entries[] = {
        {"Command1", ":/icons/back.png", "１つ前のページに戻る"},
        {"Command2", ":/icons/forward.png", "１つ先のページに進む"},
        {"Command3", ":/icons/stop.png", "ページの読み込みを中止"},
        {"Command4", ":/icons/home.png", "ホームページにジャンプ"},
        {"Command7", ":/icons/reload.png", "再読込をします"},
        {"Command8", ":/icons/sidebar.png", "サイドバーの表示・非表示"},
    };
    int x = 0;
    for (const Entry &entry : entries) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setIcon(sharpIcon(QString::fromLatin1(entry.icon)));
        button->setToolTip(QString::fromUtf8(entry.tip));
        button->setAutoRaise(true);
        button->setGeometry(x, 3, 25, 25);
        x += 25;
        m_buttons.append(button);
    }
    // Back and forward wait for the browser to allow them.
    button(Button::Back)->setEnabled(false);
    button(Button::Forward)->setEnabled(false);
    button(Button::Sidebar)->setContextMenuPolicy(Qt::CustomContextMenu);
    m_lamp = new QFrame(this);
    m_lamp->setObjectName(QStringLiteral("Shape1"));
    m_lamp->setGeometry(x, 8, 15, 15);
    m_lamp->setAutoFillBackground(true);
    m_lamp->setFrameShape(QFrame::Box);
    m_address = new AddressBox(this);
    m_address->setObjectName(QStringLiteral("txtURL"));
    m_address->setGeometry(x + 16, 4, 400, 24);

    m_lampTimer = new QTimer(this);
    m_lampTimer->setObjectName(QStringLiteral("Timer1"));
    m_lampTimer->setInterval(500);
    connect(m_lampTimer, &QTimer::timeout, this, &NavigationBar::blink);
    m_lampTimer->start();
}

QToolButton *NavigationBar::button(Button which) const
{
    return m_buttons.at(int(which));
}

void NavigationBar::setLamp(bool on)
{
    if (on) {
        m_lampTimer->start();
        return;
    }
    m_lampTimer->stop();
    m_lampGreen = false;
    QPalette palette = m_lamp->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_lamp->setPalette(palette);
}

bool NavigationBar::lampOn() const
{
    return m_lampTimer->isActive();
}

void NavigationBar::blink()
{
    m_lampGreen = !m_lampGreen;
    QPalette palette = m_lamp->palette();
    palette.setColor(QPalette::Window, m_lampGreen ? QColor(0x00, 0xFF, 0x00) : QColor(Qt::white));
    m_lamp->setPalette(palette);
    Q_EMIT lampTicked();
}

int NavigationBar::buttonWidth() const
{
    return m_buttons.first()->width();
}

int NavigationBar::lampWidth() const
{
    return m_lamp->width();
}

void NavigationBar::setAddressWidth(int width)
{
    m_address->resize(width, m_address->height());
}
