#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class BrowserHost;
class QLabel;
class QTimer;
class QWidget;

// A page's full screen (a video's button, requestFullscreen): the window covers the
// screen and its bars step aside; Esc or F11 ends it, and everything comes back as it
// was. Nothing of it is stored: the bars' settings stay the user's. The notice that says
// how to leave is the window's own, over the page: shown on entering and whenever the
// pointer reaches the top edge, and nothing the page does hides it early, so a page
// cannot pass its own drawing off as the window's bars.
class FullScreenMode : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        BrowserHost &host;
        QWidget *window;
        QList<QWidget *> bars;         // hidden while the page is full screen
        std::function<void()> arrange; // lays the window out after bars come or go
    };
    FullScreenMode(Parts parts, QObject *parent);

    bool isActive() const { return m_active; }

    static QString notice();
    // The notice over the page, while it shows.
    QLabel *noticeLabel() const { return m_notice; }
    static constexpr int kNoticeMs = 4000;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void enter();
    void leave();
    bool isOwnKey(QObject *watched, const QEvent *event) const;
    void showNotice();
    void placeNotice();

    Parts m_parts;
    bool m_active = false;
    QLabel *m_notice = nullptr; // the window's child, made on first use
    QTimer *m_noticeTime = nullptr;
    Qt::WindowStates m_stateBefore;
    QList<QPair<QPointer<QWidget>, bool>> m_hiddenBefore;
};
