#include "app/settingsrecord.h"

SettingsRecord &Settings()
{
    static SettingsRecord record;
    return record;
}
