#include "app/startup.h"

#include "app/conversions.h"
#include "app/settingsstore.h"

#include <QDir>

namespace {

const QString kWindow = QStringLiteral("Window");
const QString kData = QStringLiteral("Data");

// A conversion that fails leaves the field as it was (0 at start-up).
void readInteger(const QString &section, const QString &key, std::int16_t &field)
{
    if (const auto value = convert::toInteger16(ReadSetting(section, key)))
        field = *value;
}

} // namespace

StartupState ReadStartupState()
{
    StartupState state;
    SettingsRecord &r = state.record;

    r.SideW = 0;
    readInteger(kWindow, QStringLiteral("SideW"), r.SideW);
    if (r.SideW < 5 || r.SideW > 7)
        r.SideW = 7;

    r.Frame1 = ReadSetting(kWindow, QStringLiteral("Frame1"));
    r.Frame2 = ReadSetting(kWindow, QStringLiteral("Frame2"));
    r.Frame3 = ReadSetting(kWindow, QStringLiteral("Frame3"));
    r.Menu = ReadSetting(kWindow, QStringLiteral("Menu"));
    r.EndC = ReadSetting(kWindow, QStringLiteral("EndC"));
    r.EndY = ReadSetting(kWindow, QStringLiteral("EndY"));
    r.EndK = ReadSetting(kWindow, QStringLiteral("EndK"));

    r.YPage = ReadSetting(kData, QStringLiteral("YPage"));
    r.Yomikake = ReadSetting(kData, QStringLiteral("Yomikake"));

    readInteger(kWindow, QStringLiteral("FWidth"), r.FWidth);
    readInteger(kWindow, QStringLiteral("FHeight"), r.FHeight);
    readInteger(kWindow, QStringLiteral("FLeft"), r.FLeft);
    readInteger(kWindow, QStringLiteral("FTop"), r.FTop);

    r.AutoRe30 = ReadSetting(kWindow, QStringLiteral("AutoRe30"));
    r.AutoRe60 = ReadSetting(kWindow, QStringLiteral("AutoRe60"));

    readInteger(kData, QStringLiteral("NSTag"), r.NSTag);
    if (r.NSTag != 0 && r.NSTag != 1)
        r.NSTag = 0;

    r.EXSTYLE = ReadSetting(kData, QStringLiteral("EXSTYLE"));
    r.EXSTYLEValue = ReadSetting(kData, QStringLiteral("EXSTYLEValue"));
    r.FavoritesFolder = ReadSetting(kData, QStringLiteral("FavoritesFolder"));
    r.koukoku = ReadSetting(kData, QStringLiteral("koukoku"));
    r.Windowfoward = ReadSetting(kData, QStringLiteral("Windowfoward"));

    const auto firstOpen = convert::toNumber(ReadSetting(kData, QStringLiteral("FirstOpen")));
    state.firstRunDue = !firstOpen || *firstOpen == 0.0;
    return state;
}

QString ProgramFolderWithoutSeparator()
{
    QString folder = ProgramFolder();
    const QString separator = QDir::separator();
    // The root folder keeps its only separator.
    if (folder.size() > separator.size() && folder.endsWith(separator))
        folder.chop(separator.size());
    return folder;
}

bool RunStartup()
{
    StartupState state = ReadStartupState();
    if (state.firstRunDue)
        state.record.FavoritesFolder = ProgramFolderWithoutSeparator();
    Settings() = state.record;
    return state.firstRunDue;
}
