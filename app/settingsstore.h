#pragma once

#include "app/settingkeys.h"

#include <QString>

// The program folder: the executable's folder, or YURAGINE_HOME when that is set, always
// ending in a separator.
QString ProgramFolder();

// A document that ships with the program ("nav.htm"): in "doc" of the program folder, else
// beside the executable or where an installation keeps it.
QString ProgramDocument(const QString &name);

// The settings file "Yura3.ini" in the program folder.
QString SettingsFilePath();

// A value from the settings file; "" when the file, the section or the key is missing.
// At most 254 bytes of CP932 come back, cut before a double-byte character rather than
// through it.
QString ReadSetting(const QString &section, const QString &key);
QString ReadSetting(SettingKey key);

// Stores one value; non-zero when it was stored. The file is changed under a lock shared
// by every process of the program and replaced atomically, so concurrent writers of
// different keys lose nothing and a crash leaves the old file or the new one. A value
// holding a line break, or a name that could not be read back as written, is refused, and
// so is a write into a read-only folder or file; a refused write changes nothing.
int WriteSetting(const QString &section, const QString &key, const QString &value);
int WriteSetting(SettingKey key, const QString &value);
