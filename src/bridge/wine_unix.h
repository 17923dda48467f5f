#pragma once

#include <windows.h>

#include <string>

// Wine's doors to the Unix side of the machine. Outside Wine each gives nothing (null, "").

// Starts a Unix program (argv as for execvp); with `wait`, gives its exit status once it ended.
using UnixSpawn = LONG(WINAPI*)(char* const argv[], int wait);
UnixSpawn UnixSpawnFunction();

// The Unix path of a Windows path, or "".
std::string UnixPath(const std::wstring& windows_path);

// The Windows path of a Unix path, without the "\\?\" prefix Wine may give it, or "".
std::wstring DosPath(const std::string& unix_path);
