#pragma once

#include "platform/windowservices.h"

#include <QList>

#include <algorithm>

class QAction;
class QWidget;

// Makes a window translucent: 255 is opaque, 0 invisible. Values outside are clamped.
inline void setWindowTranslucency(platform::WindowServices &windows, QWidget *window, int opacity)
{
    windows.setOpacity(window, std::clamp(opacity, 0, 255));
}

// Where the display refuses always-on-top and translucency (Wayland), the items and
// controls that ask for them are disabled and say why in their tool tips. false then.
bool offerWindowEffects(const platform::WindowServices &windows, const QList<QAction *> &items,
                        const QList<QWidget *> &controls = {});
