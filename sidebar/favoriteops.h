#pragma once

#include "platform/shellservices.h"

#include <QString>
#include <QStringList>

#include <functional>

// Small rules of the favorites menu.
namespace favorites {

// The folder and the folders the favorites tree shows below it, in the tree's order, for
// choosing where a favorite goes.
QStringList favoriteFolders(const QString &root);

// Writes a shortcut into folder under a name nothing takes yet (platform::createUnderFreeName
// with ".url"); write(path) writes the file without replacing one. The path written, or "".
QString writeShortcutUnderFreeName(const QString &folder, const QString &name,
                                   const std::function<platform::ShortcutResult(const QString &path)> &write,
                                   platform::FreeNumbers *numbers = nullptr);

// Where the older bookmark files of the other browser lie, from its registry values.
QString netscape4Address(QString installFolder, const QString &user);
QString netscape6Address(const QString &installFolder);

} // namespace favorites
