#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The format files TeX can load, for the TeX-to-DVI settings: the .fmt files found by walking
// the directories of the format search path.

// kpsewhich's expansion of the format search path, from its standard output alone (a warning
// on its standard error names no directory). "" when kpsewhich cannot be started, or when it has
// not ended after `timeout_milliseconds`: it is ended then.
std::string FormatSearchPath(int timeout_milliseconds = 10000);

// The most directory entries a walk looks at: the dialog that shows the list must open at once,
// whatever lies below the search path.
inline constexpr size_t kFormatWalkEntries = 20000;

// Every .fmt file (its extension compared without regard to case) in the directories of a search
// path separated by ";", and in their subdirectories, depth first, in the order of the path and
// of each listing. Empty elements are passed over (a lone separator would name a drive's root),
// and so is kpathsea's "!!" mark. A relative element (TeX Live's path starts with ".", the
// program's current directory) is listed without descending into it. Links to directories are
// not followed, no directory is walked twice, and the walk stops after `max_entries` entries or
// half a second, so it always ends soon.
std::vector<std::string> FindFormatFiles(const std::string& search_path,
                                         size_t max_entries = kFormatWalkEntries);
