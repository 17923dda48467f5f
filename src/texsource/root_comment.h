#pragma once

#include <string>

// The root file a source names for itself in a comment among its first lines, as many TeX
// editors let a chapter say where its document starts:
//   % !TEX root = ../main.tex
// The path is relative to the source's directory unless it is absolute, may use "/" or "\", and
// gets ".tex" when it has no extension. Empty when no such comment names an existing file.
std::string RootNamedIn(const std::string& path);
