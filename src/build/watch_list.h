#pragma once

#include <map>
#include <string>
#include <vector>

#include "vklib/file.h"

class TeX;

// The files a build of the current document reads, whose change calls for a new build: the
// parent file, the files it brings in, the .bib files its .aux names, and the .sty, .cls, .bst
// and .ist files beside it. Never what the build writes. Without a parent, the open file alone.
// The parent must have been resolved.
std::vector<std::string> WatchedFiles(const TeX& tex);

// When each of these files was last written, and how long it is (zero for a missing one).
using WatchStamps = std::map<std::string, vklib::FileStamp>;
WatchStamps StampsOf(const std::vector<std::string>& files);

// The directories that hold these files, each once; only those that exist, since a directory
// that is not there cannot be watched (and would make the watch poll).
std::vector<std::string> DirectoriesOf(const std::vector<std::string>& files);
