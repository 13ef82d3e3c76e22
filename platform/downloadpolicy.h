#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// How long a click or key of the user counts as asking for what follows it.
constexpr qint64 kUserActionMs = 5000;

// Whether something that happens at now follows the user's last click or key (at
// lastInput, -1 for none) in a window whose page began loading at pageStart. The click
// that opened the page does not count for what the page then does on its own.
bool followsUserInput(qint64 now, qint64 lastInput, qint64 pageStart);

// Whether the engine's suggested name for a download may be wrong, so that the server's
// headers are worth asking for again: the engine reads raw bytes that are not ASCII (the
// Shift_JIS names of older sites) as Latin-1 or windows-1252 and drops their 0x5C bytes.
bool engineNameMayBeWrong(const QString &engineName);

// Who a download comes from, for the user: the server's host as displayHost() shows it,
// or the page's own origin for addresses a script made (blob:, data:).
QString downloadOrigin(const QUrl &url);

} // namespace platform
