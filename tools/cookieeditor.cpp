#include "tools/cookieeditor.h"

#include "app/conversions.h"
#include "app/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace cookies {

bool editorEnabled(const QString &cookiesEdit)
{
    const auto value = convert::toNumber(cookiesEdit);
    return value && *value != 0.0;
}

bool editorEnabled()
{
    return editorEnabled(readSetting(settingkeys::CookiesEdit));
}

bool deleteTextFiles(const QString &folder)
{
    if (folder.isEmpty())
        return true;
    const QDir dir(folder);
    bool all = true;
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.txt")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &file : files) {
        // A file marked read-only is kept, as deleting without force keeps it; the user
        // hears that not everything went.
        const bool readOnly = !(file.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
        if (readOnly || !QFile::remove(file.filePath()))
            all = false;
    }
    return all;
}

} // namespace cookies
