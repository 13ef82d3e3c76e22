#pragma once

#include <QString>

class BrowserHost;

namespace platform {
class Dialogs;
}

// Asks the user (No by default) about each download the page in host's browser starts on
// its own, and tells in host's message bar of those refused unasked.
void askAboutUnrequestedDownloads(BrowserHost &host, platform::Dialogs &dialogs);
