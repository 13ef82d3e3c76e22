#pragma once

#include "platform/platform.h"
#include "tests/support/fakeinternettransfer.h"
#include "tests/support/fakeservices.h"
#include "tests/support/memoryregistry.h"
#include "tests/support/scripteddialogs.h"

// Every system service as a test double, for driving windows without the real system.
// The browser factory comes from the test; without one, createBrowser gives nullptr.
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
    class NoBrowsers : public platform::BrowserFactory
    {
    public:
        platform::BrowserComponent *createBrowser(QWidget *) override { return nullptr; }
    };

    NoBrowsers m_noBrowsers;
    platform::BrowserFactory *m_browsers;
};
