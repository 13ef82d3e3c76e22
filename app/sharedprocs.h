#pragma once

#include <QString>

// A whole text file in CP932, line ends kept; "" when it cannot be read.
QString readWholeFile(const QString &path);

// Cuts an address back by whole levels: each time, after the last separator found at or
// before the third character from the end (the last two characters are never taken). No
// separator there leaves "". Used to resolve links against a page's folders.
QString trimUrlLevels(const QString &text, const QString &separator, int levels);

// A file's version as four dotted numbers. Files here carry no version resources, so
// this is always "".
QString fileVersionText(const QString &path);

// The machine's first IPv4 address that is not a loopback one, dotted; "" without one.
QString localIpAddress();
