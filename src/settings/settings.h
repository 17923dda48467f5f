#pragma once

#include <string>

// The settings file: an INI file beside the executable, read and written at the moment a value
// is needed (never cached, so that two running copies and the dialogs agree). Failures are
// silent: a value that cannot be read reads as "" or 0, a write that fails is lost.

// The settings file's path, fixed before the program's entry point runs: the executable's path
// with its extension replaced by ".ini".
extern std::string IniPath;

// The settings path that belongs to an executable path.
std::string IniPathFor(const std::string& module_path);

std::string GetIniString(const std::string& section, const std::string& key);
int GetIniInt(const std::string& section, const std::string& key);
void WriteIniInt(const std::string& section, const std::string& key, int value);
// Stores a string so that GetIniString gives it back exactly, quotes included.
void WriteIniString(const std::string& section, const std::string& key, const std::string& value);

// The most actions a TeX-to-DVI build takes ("MaxCompile") as a first run sets it.
constexpr int kDefaultMaxCompile = 10;

// Writes the defaults of a first run, section by section.
void WriteFirstRunDefaults();

// The program the system opens files of an extension (".dvi") with, or "".
std::string DefaultViewerFor(const std::string& extension);
