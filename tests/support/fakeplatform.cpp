#include "tests/support/fakeplatform.h"

FakePlatform::FakePlatform()
    : m_browsers(&browsers)
{ }

FakePlatform::FakePlatform(platform::BrowserFactory &browsers)
    : m_browsers(&browsers)
{ }

platform::Platform FakePlatform::platform()
{
    return platform::Platform {*m_browsers, transfer, registry, dialogs,     clipboard, processes,
                               shell,       system,   windows,  inputMethod, drives};
}
