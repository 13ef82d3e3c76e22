#pragma once

#include "platform/platform.h"

#include <QMainWindow>

namespace platform {
class BrowserComponent;
}

// The main browser window. For now the frame and its browser; the shell around the page
// comes next.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(platform::Platform services, QWidget *parent = nullptr);

    platform::BrowserComponent *browser() const { return m_browser; }

private:
    platform::Platform m_services;
    platform::BrowserComponent *m_browser = nullptr;
};
