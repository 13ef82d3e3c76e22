#include "platform/webengine/rendererwatch.h"

#include "platform/webengine/browserui.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineSettings>

#include <csignal>

using namespace Qt::StringLiterals;

namespace platform {

QString rendererEndReason(QWebEnginePage::RenderProcessTerminationStatus status)
{
    switch (status) {
    case QWebEnginePage::KilledTerminationStatus:
        return u"強制終了（メモリ不足のときもこうなります）"_s;
    case QWebEnginePage::CrashedTerminationStatus:
        return u"クラッシュ"_s;
    case QWebEnginePage::AbnormalTerminationStatus:
        return u"異常終了（メモリ不足など）"_s;
    case QWebEnginePage::NormalTerminationStatus:
        break;
    }
    return u"終了"_s;
}

RendererWatch::RendererWatch(QWebEnginePage *page, int notAnsweringMs, std::function<bool()> waitingOnUser,
                             QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_waitingOnUser(std::move(waitingOnUser))
    , m_timer(new QTimer(this))
    , m_limitMs(std::max(notAnsweringMs, 300))
{
    m_timer->setInterval(m_limitMs / 3);
    connect(m_timer, &QTimer::timeout, this, &RendererWatch::ask);
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                m_gone = true;
                m_askedAt = -1;
                if (std::exchange(m_silent, false))
                    Q_EMIT answering(true);
                if (status != QWebEnginePage::NormalTerminationStatus)
                    Q_EMIT ended(status);
            });
    // A question asked of a document that goes away may never be answered.
    connect(page, &QWebEnginePage::loadStarted, this, &RendererWatch::restart);
    connect(page, &QWebEnginePage::renderProcessPidChanged, this, &RendererWatch::restart);
    m_timer->start();
}

void RendererWatch::restart()
{
    m_gone = false;
    m_askedAt = -1;
    ++m_question;
}

void RendererWatch::ask()
{
    // Without script in the page the question cannot be put; such a page cannot loop.
    if (m_gone || !m_page->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled))
        return;
    if (m_waitingOnUser && m_waitingOnUser()) {
        restart(); // asked again once the user has answered
        return;
    }
    const qint64 now = steadyMs();
    if (m_askedAt >= 0) {
        if (!m_silent && now - m_askedAt >= m_limitMs) {
            m_silent = true;
            Q_EMIT answering(false);
        }
        return;
    }
    m_askedAt = now;
    const quint64 question = ++m_question;
    QPointer<RendererWatch> self(this);
    m_page->runJavaScript(u"0"_s, QWebEngineScript::ApplicationWorld, [self, question](const QVariant &) {
        if (!self || question != self->m_question)
            return;
        self->m_askedAt = -1;
        if (std::exchange(self->m_silent, false))
            Q_EMIT self->answering(true);
    });
}

void RendererWatch::endRenderer()
{
    const qint64 pid = m_page->renderProcessPid();
    // In a single-process engine the renderer is this program.
    if (pid > 0 && pid != QCoreApplication::applicationPid())
        ::kill(pid_t(pid), SIGKILL);
}

} // namespace platform
