#pragma once

#include <QHash>
#include <QSet>
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
// written anywhere.
class PermissionAnswers
{
public:
    enum class Decision { Allow, Deny, Ask };

    // site: the origin of the page shown ("https://example.jp").
    Decision decide(const QString &site, PageFeature feature) const;
    void remember(const QString &site, PageFeature feature, bool allowed);

private:
    QHash<QString, bool> m_answers; // by site and feature
};

// What a page may put in front of the user: sign-in dialogs, permission questions and its
// script's alert, confirm and prompt. A page is the site it was loaded from, its frames
// included, so many frames count as one. One at a time; after a Cancel or a No the site gets
// nothing for a while, so a page cannot ask in a loop; and the user may turn off the script
// dialogs of a site that keeps raising them.
class PageQuestionGate
{
public:
    enum class Kind { Question, ScriptDialog };
    static constexpr qint64 kQuietAfterNoMs = 10'000;
    // The script dialog after this many of a site offers to stop them.
    static constexpr int kScriptDialogsBeforeOffer = 2;

    // now: a steady clock in ms.
    bool mayAsk(const QString &site, Kind kind, qint64 now) const;
    void opened(const QString &site, Kind kind);
    // Whether the script dialog just opened offers to show none of the site's again.
    bool offersSilence(const QString &site) const;
    void closed() { m_open = false; }
    // The user cancelled or said No.
    void refused(const QString &site, qint64 now) { m_lastNo.insert(site, now); }
    void silence(const QString &site) { m_silenced.insert(site); }

private:
    bool m_open = false;
    QHash<QString, qint64> m_lastNo;
    QHash<QString, int> m_scriptDialogs;
    QSet<QString> m_silenced;
};

} // namespace platform
