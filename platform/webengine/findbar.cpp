#include "platform/webengine/findbar.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>
#include <QWebEnginePage>

namespace platform {

FindBar::FindBar(QWebEnginePage *page, QWidget *view, QWidget *parent)
    : QWidget(parent)
    , m_page(page)
    , m_view(view)
{
    setObjectName(QStringLiteral("findBar"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setPlaceholderText(QStringLiteral("ページ内を検索"));
    m_text->setClearButtonEnabled(true);
    auto *previous = new QToolButton(this);
    previous->setText(QStringLiteral("前へ"));
    auto *next = new QToolButton(this);
    next->setText(QStringLiteral("次へ"));
    auto *close = new QToolButton(this);
    close->setText(QStringLiteral("閉じる"));
    row->addWidget(m_text, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(close);
    hide();

    connect(m_text, &QLineEdit::textChanged, this, [this] { findNext(false); });
    connect(m_text, &QLineEdit::returnPressed, this, [this] { findNext(false); });
    connect(previous, &QToolButton::clicked, this, [this] { findNext(true); });
    connect(next, &QToolButton::clicked, this, [this] { findNext(false); });
    connect(close, &QToolButton::clicked, this, &FindBar::close);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FindBar::close);
}

void FindBar::open()
{
    show();
    m_text->setFocus();
    m_text->selectAll();
}

void FindBar::close()
{
    m_page->findText(QString()); // clears the highlight
    hide();
    if (m_view)
        m_view->setFocus();
}

void FindBar::findNext(bool backward)
{
    m_page->findText(m_text->text(), backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

} // namespace platform
