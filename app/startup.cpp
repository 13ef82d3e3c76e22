#include "app/startup.h"

#include "app/conversions.h"
#include "app/settingsstore.h"

#include <QDir>

StartupState readStartupState()
{
    StartupState state;
    const SettingKey firstOpenKey[] = {settingkeys::FirstOpen};
    QStringList firstOpenValue;
    state.record = readSettingsRecord(firstOpenKey, &firstOpenValue);
    SettingsRecord &r = state.record;
    if (r.SideW < 5 || r.SideW > 7)
        r.SideW = 7;
    if (r.NSTag != 0 && r.NSTag != 1)
        r.NSTag = 0;

    const auto firstOpen = convert::toNumber(firstOpenValue.value(0));
    state.firstRunDue = !firstOpen || *firstOpen == 0.0;
    return state;
}

QString programFolderWithoutSeparator()
{
    QString folder = programFolder();
    const QString separator = QDir::separator();
    // The root folder keeps its only separator.
    if (folder.size() > separator.size() && folder.endsWith(separator))
        folder.chop(separator.size());
    return folder;
}

bool runStartup()
{
    StartupState state = readStartupState();
    if (state.firstRunDue)
        state.record.FavoritesFolder = programFolderWithoutSeparator();
    settingsRecord() = state.record;
    return state.firstRunDue;
}
