#pragma once

#include <QPointer>
#include <QWidget>

#include "app/browserhost.h"

class QHBoxLayout;
class QLabel;
class QPushButton;

// The one-line strip under a page with notices about it: a "閉じる" button (subtitlebutton)
// and the text (SubLabel, plain: pages write much of it). Where it is given a page, it
// takes its room from the page's bottom while shown and gives it back when hidden.
class MessageBar : public QWidget
{
    Q_OBJECT
public:
    explicit MessageBar(QWidget *parent);

    // The widget whose bottom the bar takes; none: the owner places the bar itself.
    void takeRoomFrom(QWidget *page, int height);

    // Shows text, or replaces the text of the bar already shown, with a button for each
    // choice after it (messageChoice1, 2, ...).
    void showMessage(const QString &text, const QList<MessageChoice> &choices = {});
    // Hides the bar and gives the page its room back.
    void dismiss();
    // Hides the bar where a new layout has given the page all its room already.
    void reset();

    bool isShown() const { return !isHidden(); }
    QString text() const;

Q_SIGNALS:
    // Shown or hidden: an owner that places the bar itself arranges again.
    void shownChanged(bool shown);

private:
    void clearChoices();

    QHBoxLayout *m_row;
    QPushButton *m_close;
    QLabel *m_label;
    QList<QPushButton *> m_choices;
    QPointer<QWidget> m_page;
    int m_height = 0;
};
