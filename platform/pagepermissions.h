#pragma once

#include <QHash>
#include <QString>

namespace platform {

// What a page may ask to use.
enum class PageFeature {
    Camera,
    Microphone,
    CameraAndMicrophone,
    Location,
    Notifications,
    ScreenSharing,
    ScreenSharingWithSound,
    MousePointerLock,
};

// The feature as the question names it.
QString pageFeatureName(PageFeature feature);

// The user's answers to the pages' requests, kept until the program ends and never
// written anywhere. After a No the same site gets no further question for a while, for
// any feature, so a page cannot ask in a loop.
class PermissionAnswers
{
public:
    enum class Decision { Allow, Deny, Ask };
    static constexpr qint64 kQuietAfterNoMs = 10'000;

    // site: the page's origin ("https://example.jp"); now: a steady clock in ms.
    Decision decide(const QString &site, PageFeature feature, qint64 now) const;
    void remember(const QString &site, PageFeature feature, bool allowed, qint64 now);

private:
    QHash<QString, bool> m_answers;  // by site and feature
    QHash<QString, qint64> m_lastNo; // by site
};

} // namespace platform
