#pragma once

#include "platform/platform.h"
#include "tests/support/fakebrowser.h"
#include "tests/support/fakeinternettransfer.h"
#include "tests/support/fakeservices.h"
#include "tests/support/memoryregistry.h"
#include "tests/support/scripteddialogs.h"

// Every system service as a test double, for driving windows without the real system.
// Browsers are FakeBrowser components unless the test passes another factory.
class FakePlatform
{
public:
    FakePlatform();
    explicit FakePlatform(platform::BrowserFactory &browsers);
    FakePlatform(const FakePlatform &) = delete;
    FakePlatform &operator=(const FakePlatform &) = delete;

    // Takes effect for the Platform values made afterwards.
    void setBrowsers(platform::BrowserFactory &browsers) { m_browsers = &browsers; }

    platform::Platform platform();

    FakeBrowserFactory browsers;
    FakeInternetTransfer transfer;
    MemoryRegistry registry;
    ScriptedDialogs dialogs;
    FakeClipboard clipboard;
    FakeProcessLauncher processes;
    FakeShell shell;
    FakeSystemFacts system;
    FakeWindowServices windows;
    FakeInputMethodState inputMethod;
    FakeDriveList drives;

private:
    platform::BrowserFactory *m_browsers;
};
