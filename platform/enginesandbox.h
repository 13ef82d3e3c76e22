#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Why the page engine cannot start in a process, in Japanese; "" when it can. Run by root,
// the engine's sandbox refuses to start and the engine ends the process without a word,
// unless the sandbox is turned off: QTWEBENGINE_DISABLE_SANDBOX set (to anything), or
// --no-sandbox in QTWEBENGINE_CHROMIUM_FLAGS.
QString engineStartProblem(bool root, bool disableSandboxSet, const QByteArray &chromiumFlags);
// The same for this process.
QString engineStartProblem();

} // namespace platform
