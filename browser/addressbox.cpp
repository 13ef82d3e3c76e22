#include "browser/addressbox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

AddressBox::AddressBox(QWidget *parent)
    : QLineEdit(parent)
{
    setMouseTracking(true);
}

void AddressBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!m_composing)
            Q_EMIT enterPressed();
        event->accept();
        return;
    }
    if (key == Qt::Key_Escape && !m_composing) {
        Q_EMIT escapePressed();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void AddressBox::inputMethodEvent(QInputMethodEvent *event)
{
    m_composing = !event->preeditString().isEmpty();
    QLineEdit::inputMethodEvent(event);
}

void AddressBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    selectAll();
}

void AddressBox::mouseMoveEvent(QMouseEvent *event)
{
    if (m_tooltip)
        setToolTip(m_tooltip());
    QLineEdit::mouseMoveEvent(event);
}
