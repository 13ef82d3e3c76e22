#pragma once

#include "app/settingkeys.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

// The preferences read once at start-up, one field per settings key. Texts are kept as
// stored; the main window converts them when it applies them.
struct SettingsRecord
{
    std::int16_t SideW = 7;
    QString Frame1;
    QString Frame2;
    QString Frame3;
    QString Menu;
    QString EndC;
    QString EndY;
    QString EndK;
    QString YPage;
    QString Yomikake;
    // Twips: a 4K screen's pixels are more than 16 bits of them.
    std::int32_t FWidth = 0;
    std::int32_t FHeight = 0;
    std::int32_t FLeft = 0;
    std::int32_t FTop = 0;
    QString AutoRe30;
    QString AutoRe60;
    std::int16_t NSTag = 0;
    QString EXSTYLE;
    QString EXSTYLEValue;
    QString FavoritesFolder;
    QString koukoku;
    QString Windowfoward;
};

// The process-wide record. Filled once by start-up before any window exists; later only
// the commands that change a preference touch it.
SettingsRecord &settingsRecord();

// The record as the settings file holds it now: each field from its key; a number that
// does not convert keeps the field's default. The `extra` keys are read in the same pass,
// their values left in `extraValues` in the same order.
SettingsRecord readSettingsRecord(std::span<const SettingKey> extra = {}, QStringList *extraValues = nullptr);

// Writes one key and keeps the process-wide record in step: the field of that key changes
// even when the file refuses the write, so the choice holds for this session. Non-zero
// when the file took it, as writeSetting.
int storeSetting(SettingKey key, const QString &value);
