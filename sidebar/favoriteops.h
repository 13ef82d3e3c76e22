#pragma once

#include <QString>
#include <QStringList>

// Small rules of the favorites menu.
namespace favorites {

// The folder and the folders the favorites tree shows below it, in the tree's order, for
// choosing where a favorite goes.
QStringList favoriteFolders(const QString &root);

// Where the older bookmark files of the other browser lie, from its registry values.
QString netscape4Address(QString installFolder, const QString &user);
QString netscape6Address(const QString &installFolder);

} // namespace favorites
