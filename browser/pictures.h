#pragma once

#include <QIcon>

// The program's icon at every size it is drawn in, for the windows and the about boxes.
QIcon programIcon();

// A picture of the resources (":/icons/back.png") with its twice-size version
// ("back@2x.png"), so that every screen, whatever its pixel ratio, gets a sharp one.
QIcon sharpIcon(const QString &path);
