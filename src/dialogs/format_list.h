#pragma once

#include <string>
#include <vector>

// The format files TeX can load, for the TeX-to-DVI settings: the .fmt files found by walking
// the directories of the format search path.

// Every .fmt file (its extension compared without regard to case) in the directories of a search
// path separated by ";", and in their subdirectories, depth first, in the order of the path and
// of each listing. Empty elements are passed over (a lone separator would name a drive's root),
// and so is kpathsea's "!!" mark; links to directories are not followed and no directory is
// walked twice, so the walk always ends.
std::vector<std::string> FindFormatFiles(const std::string& search_path);
