#pragma once

class BrowserHost;

namespace platform {
class Dialogs;
}

// What the page in host's browser does on its own is asked about, No by default: each
// download it starts without the user, and each feature it wants to use (the camera, the
// microphone, the location, notifications, the screen). Downloads it starts one after
// another are refused unasked, with a line in host's message bar. A local file shown
// without its script gets an offer in the message bar to run it; where a local page was
// kept from leaving on its own, the bar says so. A page that stops answering gets an offer
// to end it or wait.
void askAboutPageRequests(BrowserHost &host, platform::Dialogs &dialogs);
