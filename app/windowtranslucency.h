#pragma once

#include "platform/windowservices.h"

#include <algorithm>

class QWidget;

// Makes a window translucent: 255 is opaque, 0 invisible. Values outside are clamped.
inline void SetWindowTranslucency(platform::WindowServices &windows, QWidget *window, int opacity)
{
    windows.setOpacity(window, std::clamp(opacity, 0, 255));
}
