#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <functional>

class BrowserHost;
class QWidget;

// A page's full screen (a video's button, requestFullscreen): the window covers the
// screen and its bars step aside; Esc or F11 ends it, and everything comes back as it
// was. Nothing of it is stored: the bars' settings stay the user's.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void enter();
    void leave();
    bool isOwnKey(QObject *watched, const QEvent *event) const;
    bool isPageContainer(QObject *watched) const;

    static constexpr qint64 kSettleMs = 2000;

    Parts m_parts;
    bool m_active = false;
    QElapsedTimer m_noticeShown; // the notice is shown again while the layout settles
    Qt::WindowStates m_stateBefore;
    QList<QPair<QPointer<QWidget>, bool>> m_hiddenBefore;
};
