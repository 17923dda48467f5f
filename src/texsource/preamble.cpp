#include "texsource/preamble.h"

#include <algorithm>
#include <string_view>

#include "texsource/tex_text.h"
#include "vklib/codepage.h"
#include "vklib/text_file.h"

namespace {

constexpr size_t kNone = std::string_view::npos;
// Preambles run to a few hundred lines, and an option list or a list of packages to a few lines:
// a file that never begins its document, or a group that never closes, is read no further.
constexpr size_t kMostBytes = 256 * 1024;
constexpr size_t kMostGroupBytes = 4096;

// Where a line's comment starts: its first "%" that no backslash escapes; kNone without one.
size_t CommentStart(std::string_view line) {
  for (size_t at = 0; at < line.size(); at += vklib::CharLength(line, at)) {
    if (line[at] == '%') return at;
    if (line[at] == '\\' && at + 1 < line.size()) ++at;  // an escaped "%" is no comment
  }
  return kNone;
}

// The preamble's text without its comments; a comment takes its line end with it, as in TeX.
std::string PreambleText(const std::string& path) {
  std::string text;
  vklib::TextFile file;
  if (!file.Open(path)) return text;
  char buffer[4096];
  while (text.size() < kMostBytes) {
    size_t length = file.ReadLine(buffer, sizeof buffer);
    if (length == 0) break;
    std::string_view line(buffer, length);
    line = line.substr(0, CommentStart(line));
    const size_t begin = vklib::FindText(line, "\\begin{document}");
    text.append(line.substr(0, begin));
    if (begin != kNone) break;
  }
  return text;
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// After blanks from `at`, the text between `open` and its closing `close`, braces nested inside
// it skipped; `at` moves past it. False, with `at` unmoved, when none opens there or it never
// closes.
bool Group(std::string_view text, size_t& at, char open, char close, std::string_view& group) {
  size_t start = at;
  while (start < text.size() && IsBlank(text[start]))
    ++start;
  if (start >= text.size() || text[start] != open) return false;
  int depth = 0;
  const size_t end = std::min(text.size(), start + kMostGroupBytes);
  for (size_t i = start + 1; i < end; i += vklib::CharLength(text, i)) {
    if (text[i] == close && depth == 0) {
      group = text.substr(start + 1, i - start - 1);
      at = i + 1;
      return true;
    }
    if (text[i] == '{') ++depth;
    if (text[i] == '}' && depth > 0) --depth;
  }
  return false;
}

void AddList(std::string_view list, std::vector<std::string>& to) {
  for (std::string_view item : SplitList(list)) {
    if (!item.empty()) to.emplace_back(item);
  }
}

// One walk over the text by characters: the first class line, \documentclass (or
// \documentstyle) [options] {class}, and every \usepackage or \RequirePackage [options] {names}.
void ReadCommands(std::string_view text, Preamble& preamble) {
  bool class_seen = false;
  for (size_t at = 0; at < text.size(); at += vklib::CharLength(text, at)) {
    if (text[at] != '\\') continue;
    size_t end = at + 1;
    while (end < text.size() && IsLetter(text[end]))
      ++end;
    const std::string_view word = text.substr(at + 1, end - at - 1);
    std::string_view group;
    if (word.empty()) {
      ++at;  // a control symbol such as "\\" or "\%": the character after it is taken with it
    } else if (!class_seen && (word == "documentclass" || word == "documentstyle")) {
      class_seen = true;
      if (Group(text, end, '[', ']', group)) AddList(group, preamble.class_options);
      if (Group(text, end, '{', '}', group)) preamble.class_name = Trimmed(group);
    } else if (word == "usepackage" || word == "RequirePackage") {
      Group(text, end, '[', ']', group);
      if (Group(text, end, '{', '}', group)) AddList(group, preamble.packages);
    }
    at = end - 1;
  }
}

}  // namespace

Preamble ReadPreamble(const std::string& path) {
  Preamble preamble;
  ReadCommands(PreambleText(path), preamble);
  return preamble;
}
