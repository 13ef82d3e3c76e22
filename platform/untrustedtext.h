#pragma once

#include <QString>

namespace platform {

// Text a page supplies (a sign-in realm, a title) made fit for one line of our own
// dialogs, where it must not pass for our words or rearrange them: format characters
// (bidirectional controls, zero-width characters) and lone surrogates go, control
// characters go, line breaks, tabs and the other white space become single spaces, the
// ends are trimmed. At most maxLength UTF-16 units, the "…" that marks a cut included;
// cut between whole characters, never inside a surrogate pair or before a combining
// mark. "" when maxLength is below 1.
QString oneLineText(const QString &text, int maxLength);

// A page's message (an alert, a question) for the frame it is shown in: each line cleaned
// as oneLineText does, so that no override reaches past its line; blank lines at the ends
// go and a run of them between others becomes one. At most maxLength UTF-16 units and maxLines lines
// in all, line breaks counted; a cut ends with "…".
QString pageMessageText(const QString &text, int maxLength, int maxLines);

} // namespace platform
