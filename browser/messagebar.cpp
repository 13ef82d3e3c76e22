#include "browser/messagebar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

MessageBar::MessageBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("messageBar"));
    m_row = new QHBoxLayout(this);
    QHBoxLayout *row = m_row;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_close = new QPushButton(QStringLiteral("閉じる"), this);
    m_close->setObjectName(QStringLiteral("subtitlebutton"));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("SubLabel"));
    m_label->setTextFormat(Qt::PlainText);
    row->addWidget(m_close);
    row->addWidget(m_label, 1);
    hide();
    connect(m_close, &QPushButton::clicked, this, &MessageBar::dismiss);
}

void MessageBar::takeRoomFrom(QWidget *page, int height)
{
    m_page = page;
    m_height = height;
}

void MessageBar::showMessage(const QString &text, const QList<MessageChoice> &choices)
{
    clearChoices();
    for (const MessageChoice &choice : choices) {
        auto *button = new QPushButton(choice.caption, this);
        button->setObjectName(QStringLiteral("messageChoice%1").arg(m_choices.size() + 1));
        m_row->addWidget(button);
        m_choices.append(button);
        // The bar goes first: what the choice does may show the next notice.
        connect(button, &QPushButton::clicked, this, [this, chosen = choice.chosen] {
            dismiss();
            if (chosen)
                chosen();
        });
    }
    if (isHidden()) {
        if (m_page) {
            m_page->resize(m_page->width(), m_page->height() - m_height);
            setGeometry(m_page->x(), m_page->y() + m_page->height(), m_page->width(), m_height);
        }
        show();
        raise();
        Q_EMIT shownChanged(true);
    }
    m_label->setText(text);
}

void MessageBar::dismiss()
{
    if (isHidden())
        return;
    if (m_page)
        m_page->resize(m_page->width(), m_page->height() + m_height);
    reset();
    Q_EMIT shownChanged(false);
}

void MessageBar::reset()
{
    hide();
    m_label->clear();
    clearChoices();
}

void MessageBar::clearChoices()
{
    // A button may be the one whose click is being handled.
    for (QPushButton *button : std::as_const(m_choices)) {
        button->hide();
        button->deleteLater();
    }
    m_choices.clear();
}

QString MessageBar::text() const
{
    return m_label->text();
}
