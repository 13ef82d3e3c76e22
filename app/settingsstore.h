#pragma once

#include "app/settingkeys.h"

#include <QString>
#include <QStringList>

#include <span>

// Where the program keeps its files, always ending in a separator: YURAGINE_HOME when that
// is set; else the executable's folder, except for an installed copy (a "bin" folder whose
// prefix holds share/yuragine) that may not write there, which uses the user's data folder
// of the program.
QString programFolder();

// The choice programFolder makes, from the facts it gathers. An empty result means the
// caller gave no usable folder.
struct ProgramFolderFacts
{
    QString homeVariable; // YURAGINE_HOME, "" when unset
    QString executableFolder;
    bool installedLayout = false;
    bool executableFolderWritable = true;
    QString userDataFolder; // ~/.local/share/yuragine
};
QString chooseProgramFolder(const ProgramFolderFacts &facts);
// The facts about an executable folder (without YURAGINE_HOME).
ProgramFolderFacts programFolderFactsFor(const QString &executableFolder);

// A document that ships with the program ("nav.htm"): in "doc" of the program folder, else
// beside the executable or where an installation keeps it.
QString programDocument(const QString &name);

// The settings file "Yura3.ini" in the program folder.
QString settingsFilePath();

// A value from the settings file; "" when the file, the section or the key is missing.
// At most 254 bytes of CP932 come back, cut before a double-byte character rather than
// through it.
QString readSetting(const QString &section, const QString &key);
QString readSetting(SettingKey key);
// The values of keys, in their order, from one reading of the file.
QStringList readSettings(std::span<const SettingKey> keys);

// Stores one value; non-zero when it was stored. The file is changed under a lock shared
// by every process of the program and replaced atomically, so concurrent writers of
// different keys lose nothing and a crash leaves the old file or the new one. A value
// holding a line break, or a name that could not be read back as written, is refused, and
// so is a write into a read-only folder or file; a refused write changes nothing.
int writeSetting(const QString &section, const QString &key, const QString &value);
int writeSetting(SettingKey key, const QString &value);
