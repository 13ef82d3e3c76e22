#pragma once

#include <QString>
#include <QUrl>

// The rules of the version check: what the two published files mean and what the window
// shows meanwhile.
namespace versioncheck {

inline QString currentVersion()
{
    return QStringLiteral("4.00");
}

enum class Outcome {
    NoData,  // nothing usable was fetched
    Current, // this version or an older one is published
    Newer,
};

// data: the update text, version: the published version text, each "" when its fetch
// failed. Only a version number (digits and dots at the start) above ours is newer; a
// text that begins with ours counts as ours.
Outcome judge(const QString &data, const QString &version);

// The text box's text for an outcome.
QString resultText(Outcome outcome, const QString &data);

// The progress marks after one tick: "" > >> >>> >>>>通信中 and round again.
QString nextMarks(const QString &marks);

// The folder the two files and the home page are published in: the maker's, unless
// YURAGINE_UPDATE_URL names another (tests serve one on 127.0.0.1).
QUrl publishedFolder();

} // namespace versioncheck
