#pragma once

#include <string>

#include "texsource/scanner.h"

// The root ("parent") file of the document a file belongs to: the file itself when it has a
// document-class line, else the first file found that includes it and has one, searching its
// directory and then each directory above. `info` receives the parent's class options and name.
// Empty when there is none.
std::string FindParentFile(const std::string& path, ClassInfo& info);

// The directory search of FindParentFile. A file that includes the path but has no class line
// is an intermediate file, and the search goes on from it; an intermediate file met a second
// time (files that include each other) is passed over, so the search always ends.
std::string SearchParent(const std::string& path, ClassInfo& info);
