#include "tools/firstrunrules.h"

#include "platform/systeminfo.h"

#include <QDir>
#include <QFile>

namespace firstrun {

VersionRecord versionRecordOf(const platform::OsVersion &version)
{
    // A Linux kernel 5.x is no Windows XP: the numbers are kept but never decide.
    return {false, version.major, version.minor, version.platformId};
}

VersionRules versionRules(const VersionRecord &version, bool firstRun)
{
    VersionRules rules;
    if (!version.windows)
        return rules;
    const auto option = [firstRun](FolderOption chosen) { return firstRun ? chosen : FolderOption::None; };
    switch (version.major % 10) {
    case 3: // NT 3.51
        rules.option = option(FolderOption::Option5);
        rules.netscapeTags = rules.cookieEditor = rules.accelerator = false;
        rules.translucency = rules.visualStyle = false;
        break;
    case 4: // 95/98/Me on platform 1, NT 4.0 otherwise
        rules.option = option(version.platformId == 1 ? FolderOption::Option1 : FolderOption::Option5);
        rules.translucency = rules.visualStyle = false;
        break;
    case 5: // 2000 is 5.0, XP and later 5.x
        rules.option = FolderOption::Option2;
        rules.cookieEditor = false;
        rules.visualStyle = version.minor != 0;
        break;
    default:
        break;
    }
    return rules;
}

QString folderOf(FolderOption option)
{
    switch (option) {
    case FolderOption::Option1:
        return QStringLiteral("C:\\WINDOWS\\Favorites");
    case FolderOption::Option2:
        return QStringLiteral("C:\\Documents and Settings\\Owner\\Favorites");
    case FolderOption::Option3:
        return QStringLiteral("C:\\Documents and Settings\\All Users\\Favorites");
    case FolderOption::Option5:
        return QStringLiteral("C:\\WINNT\\Profiles\\Administrator\\Favorites");
    case FolderOption::Option4:
    case FolderOption::None:
        break;
    }
    return {};
}

FolderOption optionForFolder(const QString &folder)
{
    for (FolderOption option :
         {FolderOption::Option1, FolderOption::Option5, FolderOption::Option2, FolderOption::Option3}) {
        if (folder == folderOf(option))
            return option;
    }
    return FolderOption::Option4;
}

QString chosenFolder(FolderOption selected, const QString &typed)
{
    const QString folder = folderOf(selected);
    return folder.isEmpty() ? typed : folder;
}

std::optional<TranslucencyChange> translucencyOnSave(bool checked, const QString &storedExStyle, int sliderValue)
{
    if (checked)
        return TranslucencyChange {true, sliderValue};
    // Only a window that was translucent is made opaque again.
    if (storedExStyle == u"1")
        return TranslucencyChange {false, 255};
    return std::nullopt;
}

QString applyVisualStyle(const QString &folder, bool on)
{
    const QDir dir(folder);
    const QString manifest = dir.filePath(QString::fromUtf16(kManifestName));
    const QString parked = dir.filePath(QString::fromUtf16(kParkedManifestName));
    if (QFileInfo::exists(manifest) == on)
        return {};
    // QFile::rename refuses a taken name, which keeps both files as they are.
    QFile file(on ? parked : manifest);
    if (file.rename(on ? manifest : parked))
        return {};
    return file.errorString();
}

} // namespace firstrun
