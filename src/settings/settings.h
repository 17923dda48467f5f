#pragma once

#include <string>

#include "settings/setting_table.h"

// The settings file: an INI file beside the executable, read and written at the moment a value
// is needed (never cached, so that two running copies and the dialogs agree). A value that
// cannot be read reads as "" or 0; a write that fails says so, and the caller tells the user
// (UnwritableSettingsMessage).

// The settings file's path, fixed before the program's entry point runs: the executable's path
// with its extension replaced by ".ini".
extern std::string IniPath;

// The settings path that belongs to an executable path.
std::string IniPathFor(const std::string& module_path);

// A setting of the table, or any section and key.
std::string GetIniString(Setting setting);
std::string GetIniString(const std::string& section, const std::string& key);
int GetIniInt(Setting setting);
// The value, or `missing` where the file holds none.
int GetIniInt(Setting setting, int missing);
int GetIniInt(const std::string& section, const std::string& key);
// False when the value could not be stored.
bool WriteIniInt(Setting setting, int value);
bool WriteIniInt(const std::string& section, const std::string& key, int value);
// Stores a string so that GetIniString gives it back exactly, quotes included; false when it
// could not be stored.
bool WriteIniString(Setting setting, const std::string& value);
bool WriteIniString(const std::string& section, const std::string& key, const std::string& value);

// What the user is told when the settings file cannot be written: the file's name and that.
std::string UnwritableSettingsMessage();

// Whether there is no settings file yet (a directory of its name is none either).
bool IsFirstRun();
// Makes the settings file of a first run: the first-run values of the setting table, in its
// order. Where another program has made the file meanwhile, that one is kept. False when there is
// no settings file afterwards.
bool WriteFirstRunDefaults();

// The program the system opens files of an extension (".dvi") with, or "".
std::string DefaultViewerFor(const std::string& extension);
