#pragma once

#include <QString>

#include <optional>

#include "platform/inputmethod.h"

namespace platform {
class BrowserComponent;
}

// Where a text typed into an address box goes: the text itself when it looks like an
// address (a network path, "scheme://" with a four-letter scheme such as http, "https://",
// a drive path, or a local path from the root), otherwise the web search for it.
QString typedAddressTarget(const QString &text);

// The search address for a phrase. The query is the phrase's CP932 bytes, percent-encoded,
// so that "&", "#", "+" and Japanese text arrive whole and match the declared encoding.
QString searchAddress(const QString &phrase);

// Navigates the browser to typedAddressTarget(text).
void navigateTypedAddress(platform::BrowserComponent &browser, const QString &text);

// The quick jump takes clipboard text that begins with "http://" or "https://".
std::optional<QString> quickJumpAddress(const QString &clipboardText);

// The address-box tooltip for the input method's state; "" removes it.
QString imeStatusTip(platform::ImeState state);

// An address as the files kept in code page 932 can hold it: unchanged when the code page
// holds every character, otherwise percent-encoded (a local path as a file address), so
// that it reopens the same page instead of one with "?" in it.
QString storableAddress(const QString &address);
