#include "texsource/root_comment.h"

#include <string_view>

#include "texsource/paths.h"
#include "texsource/tex_text.h"
#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/text_file.h"

namespace {

constexpr size_t kLinesRead = 20;
constexpr size_t kLineBytes = 4096;

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  return text;
}

// Takes `word` (lower-case ASCII, matched in any case) off the front of the text, with the
// blanks before it.
bool TakeWord(std::string_view& text, std::string_view word) {
  text = SkipBlanks(text);
  std::string head(text.substr(0, word.size()));
  vklib::LowerCaseAnsi(head);
  if (head != word) return false;
  text.remove_prefix(word.size());
  return true;
}

// The path with "/" and "\" alike as the platform's separator: the comment is written the same
// for every system the document may be built on.
std::string WithEitherSeparator(std::string_view written) {
  std::string path(written);
  for (size_t i = 0; i < path.size(); i += vklib::CharLength(path, i)) {
    if (path[i] == '/' || path[i] == '\\') path[i] = vklib::kPathSeparator;
  }
  return path;
}

}  // namespace

std::string_view TeXCommentValue(std::string_view line, std::string_view key) {
  if (!TakeWord(line, "%") || !TakeWord(line, "!tex") || !TakeWord(line, key) ||
      !TakeWord(line, "="))
    return std::string_view();
  return Trimmed(line);
}

std::vector<std::string> LeadingLines(const std::string& path) {
  std::vector<std::string> lines;
  vklib::TextFile file;
  if (!file.Open(path)) return lines;
  char buffer[kLineBytes];
  bool line_start = true;
  for (size_t read = 0; read < kLinesRead;) {
    size_t length = file.ReadLine(buffer, sizeof buffer);
    if (length == 0) break;
    std::string_view piece(buffer, length);
    // A piece that leaves the buffer unfilled is the rest of its line (the last line of a file
    // may have no line end).
    const bool ends_line = piece.back() == '\n' || length + 4 < sizeof buffer;
    if (line_start && ends_line) lines.emplace_back(piece);
    line_start = ends_line;
    if (ends_line) ++read;
  }
  return lines;
}

std::string RootNamedIn(const std::string& path) {
  for (const std::string& line : LeadingLines(path)) {
    std::string_view named = TeXCommentValue(line, "root");
    if (named.empty()) continue;

    std::string root = WithEitherSeparator(named);
    if (!IsAbsolutePath(root)) root = JoinPath(SplitPath(path).directory, root);
    PathParts parts = SplitPath(root);
    root = JoinPath(parts.directory, parts.name);
    if (parts.extension.empty()) root += ".tex";
    return vklib::UniqueFile(vklib::OpenFile(root, "rb")) ? root : std::string();
  }
  return std::string();
}
