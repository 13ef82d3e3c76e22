#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QWebEnginePage;

namespace platform {

// The bar under the page that finds text in it: a search field, "前へ", "次へ" and
// "閉じる"; Esc closes it and gives the page the focus again.
class FindBar : public QWidget
{
    Q_OBJECT
public:
    FindBar(QWebEnginePage *page, QWidget *view, QWidget *parent);

    // Shows the bar with its text selected, ready for a new search.
    void open();
    void close();

private:
    void findNext(bool backward);

    QWebEnginePage *m_page;
    QPointer<QWidget> m_view;
    QLineEdit *m_text;
};

} // namespace platform
