#pragma once

#include <windows.h>

#include <string>

// Wine's doors to the Unix side of the machine. Outside Wine each gives nothing (null, "").

// Starts a Unix program (argv as for execvp); with `wait`, gives its exit status once it ended.
using UnixSpawn = LONG(WINAPI*)(char* const argv[], int wait);
UnixSpawn UnixSpawnFunction();

// The Unix path (UTF-8) of a Windows path, or "".
std::string UnixPath(const std::wstring& windows_path);
// The same for a Windows path in a code page (vklib::kCodePageAnsi, vklib::kCodePageUtf8).
std::string UnixPath(unsigned code_page, const std::string& windows_path);

// The Windows path of a Unix path (UTF-8), without the "\\?\" prefix Wine may give it, or "".
std::wstring DosPath(const std::string& unix_path);
