#pragma once

#include "app/settingsrecord.h"

// What start-up found in the settings file.
struct StartupState
{
    SettingsRecord record;
    bool firstRunDue = false; // the first-run dialog has not been completed
};

// Reads the settings file into a record, checking "SideW" and "NSTag", and decides whether
// the first-run dialog is due. Never fails: a missing or unreadable file gives defaults.
StartupState readStartupState();

// The favorites folder shown until the first-run dialog stores one: the program folder
// without its trailing separator.
QString programFolderWithoutSeparator();

// Start-up proper: fills the process-wide record and, when the first-run dialog is due,
// points the favorites folder at the program folder. Returns whether the dialog is due;
// the caller opens the windows.
bool runStartup();
