#pragma once

#include <QString>
#include <QStringList>

// Small rules of the favorites menu.
namespace favorites {

// A page title as a file name that stays in its folder: separators, characters file
// managers refuse and control characters become "_", leading dots and spaces go, at most
// 100 characters, "無題" when nothing is left.
QString fileNameFromTitle(const QString &title);

// The folder and every folder below it, the folder first, for choosing where a favorite
// goes.
QStringList favoriteFolders(const QString &root);

// Where the older bookmark files of the other browser lie, from its registry values.
QString netscape4Address(QString installFolder, const QString &user);
QString netscape6Address(const QString &installFolder);

} // namespace favorites
