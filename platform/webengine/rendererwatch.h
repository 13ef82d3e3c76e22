#pragma once

#include <QObject>
#include <QString>
#include <QWebEnginePage>

#include <functional>

class QLabel;
class QTimer;

namespace platform {

// Why a page's renderer ended, for the user.
QString rendererEndReason(QWebEnginePage::RenderProcessTerminationStatus status);

// Watches the renderer of a page: tells when it ended, and when it has not answered a
// question of ours for notAnsweringMs (a script in an endless loop).
class RendererWatch : public QObject
{
    Q_OBJECT
public:
    // waitingOnUser: whether the page's script waits for the user (a dialog of its own).
    RendererWatch(QWebEnginePage *page, int notAnsweringMs, std::function<bool()> waitingOnUser, QObject *parent);

    // Ends the renderer; ended() follows, and the page can be loaded again.
    void endRenderer();

Q_SIGNALS:
    void ended(QWebEnginePage::RenderProcessTerminationStatus status);
    // false once the renderer has been silent for too long, true when it answers again.
    void answering(bool yes);

private:
    void ask();
    void restart();

    QWebEnginePage *m_page;
    std::function<bool()> m_waitingOnUser;
    QTimer *m_timer;
    int m_limitMs;
    qint64 m_askedAt = -1; // of the question not yet answered, -1 for none
    quint64 m_question = 0;
    bool m_silent = false;
    bool m_gone = false;
};

} // namespace platform
