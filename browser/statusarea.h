#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

// The status bar (Frame3): the status text (Status, plain: links come from pages), the
// sidebar button (Command5), the page-type picture (Image1, which opens the page's
// properties) and the bar (ProgressBar1) that grows with the lamp and shows a download's
// progress.
class StatusArea : public QFrame
{
    Q_OBJECT
public:
    // The bar's full width, in twips.
    static constexpr int kProgressFull = 1095;

    explicit StatusArea(QWidget *parent);

    void setStatusText(const QString &text);
    QString statusText() const;

    // The page-type picture by its position in the picture list, 2 to 6.
    void setPicture(int position);
    int picture() const { return m_picture; }

    // The bar in twips, 0 to kProgressFull.
    void setProgressTwips(int twips);
    int progressTwips() const { return m_progressTwips; }
    // One blink of the lamp: the bar grows by 10 twips, from full back to 5.
    void stepProgress();
    void setProgressTip(const QString &tip);

    QPushButton *sidebarButton() const { return m_sidebarButton; }
    // Places the parts for a status text of this width, in pixels.
    void arrange(int width);

Q_SIGNALS:
    void pictureClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_status;
    QPushButton *m_sidebarButton;
    QLabel *m_pageIcon;
    QFrame *m_progress;
    int m_picture = 0;
    int m_progressTwips = 0;
};

// The picture of a finished page: 2 or 4 by the address's second character, then 5 for
// "pg"/"PG" and 6 for "if"/"IF"/"ng"/"NG" at its end.
int pictureForAddress(const QString &url);
