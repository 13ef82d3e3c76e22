#pragma once

#include <QString>

#include <optional>

namespace platform {
struct OsVersion;
}

// The rules of the first-run settings dialog, apart from its window.
namespace firstrun {

// The favorites folder choices, named as the dialog's option buttons.
enum class FolderOption { None, Option1, Option2, Option3, Option4, Option5 };

// The system version the dialog chooses its defaults by.
struct VersionRecord
{
    bool windows = false; // false: no Windows version to go by
    int major = 0;
    int minor = 0;
    int platformId = 0; // 1 for Windows 95/98/Me
};

// This platform reports its kernel's version, which is no Windows version.
VersionRecord versionRecordOf(const platform::OsVersion &version);

// What the version selects: an option, and which feature boxes stay enabled (a disabled
// box is also unchecked).
struct VersionRules
{
    FolderOption option = FolderOption::None;
    bool netscapeTags = true; // Check1
    bool cookieEditor = true; // Check2
    bool accelerator = true;  // Check3
    bool translucency = true; // Check4
    bool visualStyle = true;  // Check5

    bool operator==(const VersionRules &) const = default;
};

// The rules by the last digit of the major version. Reopening the dialog selects no
// option for the NT 3.51/4.0 and 95/98/Me families: the stored folder decides there.
VersionRules versionRules(const VersionRecord &version, bool firstRun);

// The folder an option stands for; "" for Option4 and None (the typed path).
QString folderOf(FolderOption option);

// The option whose folder is exactly this one, Option4 when none is.
FolderOption optionForFolder(const QString &folder);

// The folder to store: the selected option's, or the typed path.
QString chosenFolder(FolderOption selected, const QString &typed);

// What saving does to the main window's translucency: nullopt leaves it alone; otherwise
// the opacity to set (255 opaque) and whether the menu item's check mark shows.
struct TranslucencyChange
{
    bool checkMark = false;
    int opacity = 255;

    bool operator==(const TranslucencyChange &) const = default;
};
std::optional<TranslucencyChange> translucencyOnSave(bool checked, const QString &storedExStyle, int sliderValue);

// The visual-style file beside the executable, active or parked.
inline constexpr char16_t kManifestName[] = u"ゆらぎね.exe.manifest";
inline constexpr char16_t kParkedManifestName[] = u"ゆらぎね.exe.wvs";

// Moves the manifest in folder to the name the choice needs; a taken name is never
// replaced. "" when the manifest is now as chosen (active for on, absent for off), else
// why it is not.
QString applyVisualStyle(const QString &folder, bool on);

// "MaxConnectionsPer1_0Server" for the accelerator's choice.
inline int connectionsPerServer(bool accelerator)
{
    return accelerator ? 20 : 4;
}

} // namespace firstrun
