#include "platform/pagepermissions.h"

namespace platform {

namespace {

QString key(const QString &site, PageFeature feature)
{
    return site + u'\n' + QString::number(int(feature));
}

} // namespace

QString pageFeatureName(PageFeature feature)
{
    switch (feature) {
    case PageFeature::Camera:
        return QStringLiteral("カメラ");
    case PageFeature::Microphone:
        return QStringLiteral("マイク");
    case PageFeature::CameraAndMicrophone:
        return QStringLiteral("カメラとマイク");
    case PageFeature::Location:
        return QStringLiteral("現在地");
    case PageFeature::Notifications:
        return QStringLiteral("通知");
    case PageFeature::ScreenSharing:
        return QStringLiteral("画面の共有");
    case PageFeature::ScreenSharingWithSound:
        return QStringLiteral("画面と音声の共有");
    case PageFeature::MousePointerLock:
        return QStringLiteral("マウスポインターの固定");
    }
    return {};
}

PermissionAnswers::Decision PermissionAnswers::decide(const QString &site, PageFeature feature) const
{
    const auto answer = m_answers.constFind(key(site, feature));
    if (answer == m_answers.constEnd())
        return Decision::Ask;
    return *answer ? Decision::Allow : Decision::Deny;
}

void PermissionAnswers::remember(const QString &site, PageFeature feature, bool allowed)
{
    m_answers.insert(key(site, feature), allowed);
}

bool PageQuestionGate::mayAsk(const QString &site, Kind kind, qint64 now) const
{
    if (m_open || (kind == Kind::ScriptDialog && m_silenced.contains(site)))
        return false;
    const auto no = m_lastNo.constFind(site);
    return no == m_lastNo.constEnd() || now - *no >= kQuietAfterNoMs;
}

void PageQuestionGate::opened(const QString &site, Kind kind)
{
    m_open = true;
    if (kind == Kind::ScriptDialog)
        ++m_scriptDialogs[site];
}

bool PageQuestionGate::offersSilence(const QString &site) const
{
    return m_scriptDialogs.value(site) > kScriptDialogsBeforeOffer;
}

} // namespace platform
