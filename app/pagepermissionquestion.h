#pragma once

#include <QString>

class BrowserHost;

namespace platform {
class Dialogs;
}

// Asks the user (No by default) whether the site of the page in host's browser may use
// what it asks for: the camera, the microphone, the location, notifications, the screen.
void askAboutPagePermissions(BrowserHost &host, platform::Dialogs &dialogs);

// The question for site and feature, as the user reads it.
QString pagePermissionQuestion(const QString &site, const QString &feature);
