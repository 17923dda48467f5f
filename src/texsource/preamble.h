#pragma once

#include <string>
#include <vector>

// What a document's preamble says of the TeX it is written for: the options and the class of its
// class line, and the packages it loads. The preamble is read as TeX reads it, outside comments
// ("%" unless escaped) and across line ends, up to \begin{document}: a class line written over
// several lines, one option a line, is read whole. What lies beyond 256 KiB, and a group that does
// not close within 4 KiB, are not read.
struct Preamble {
  std::vector<std::string> class_options;  // each option of the class line, blanks trimmed
  std::string class_name;
  std::vector<std::string> packages;  // every name of \usepackage and \RequirePackage, in order
};

// The preamble of a source in any encoding TextFile reads; empty when it cannot be read.
Preamble ReadPreamble(const std::string& path);
