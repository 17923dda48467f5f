#include "texsource/document_class.h"

#include <algorithm>
#include <regex>
#include <string>

#include "vklib/codepage.h"

namespace {

constexpr size_t kNone = std::string_view::npos;

}  // namespace

bool IsDocumentClassLine(std::string_view line) {
  size_t cut = std::min(vklib::FindText(line, "%"), vklib::FindText(line, "\\verb"));
  size_t document_class = vklib::FindText(line, "\\documentclass");
  if (document_class != kNone && document_class < cut) return true;
  size_t document_style = vklib::FindText(line, "\\documentstyle");
  return document_style != kNone && document_style < cut;
}

ClassInfo ExtractClassInfo(std::string_view line) {
  static const std::regex options_pattern(R"(\\document(class|style)\[([^\]]*)\])",
                                          std::regex::ECMAScript);
  static const std::regex name_pattern(R"(\\document(class|style)[^\{]*\{([^\}]*)\})",
                                       std::regex::ECMAScript);
  ClassInfo info;
  std::match_results<std::string_view::const_iterator> match;
  if (std::regex_search(line.begin(), line.end(), match, options_pattern)) {
    info.options = match[2].str();
  }
  if (std::regex_search(line.begin(), line.end(), match, name_pattern)) info.name = match[2].str();
  return info;
}
