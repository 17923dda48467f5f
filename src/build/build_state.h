#pragma once

#include <string>
#include <string_view>

// What made a document's index and bibliography, kept between builds in a small file of the
// document's own beside its .aux (AuxAnalyzer keeps "main.pressel2"), so that a build can tell
// whether the .ind and .bbl are up to date. Each is a digest of the input that its tool last read
// and succeeded with; "" when unknown. A missing or damaged file reads as all unknown, which only
// costs a tool run.
struct BuildState {
  std::string index;  // the .idx that made the .ind
  // The \citation, \bibdata and \bibstyle lines, and the .bib files and the .bst beside the
  // document that they name, which made the .bbl.
  std::string bibliography;
};

// Reads the state from its file.
BuildState ReadBuildState(const std::string& file);
// Writes the file whole; a failure to write only costs a tool run next time.
void WriteBuildState(const std::string& file, const BuildState& state);

// A digest of bytes, as the state keeps them: 16 hexadecimal digits (64-bit FNV-1a).
std::string Digest(std::string_view bytes);
