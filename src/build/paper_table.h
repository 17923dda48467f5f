#pragma once

#include <regex>
#include <string>

// A paper name and the document-class options that ask for it (a regular expression, ECMAScript
// grammar, searched anywhere in the options without regard to case).
struct PaperRow {
  const char* name;
  const char* pattern;
};

// The name of the first row whose pattern is found in the class options; "" when none is.
template <size_t N>
std::string FindPaper(const PaperRow (&table)[N], const std::string& class_options) {
  for (const PaperRow& row : table) {
    std::regex pattern(row.pattern, std::regex::ECMAScript | std::regex::icase);
    if (std::regex_search(class_options, pattern)) return row.name;
  }
  return std::string();
}
