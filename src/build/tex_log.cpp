#include "build/tex_log.h"

#include <set>
#include <string_view>

#include "build/latex_files.h"
#include "vklib/codepage.h"
#include "vklib/text_file.h"

namespace {

// TeX Live's max_print_line.
constexpr size_t kLogWidth = 79;
// How many lines after its "!" line an error's "l.NN" line may come: LaTeX's help lines and
// TeX's context levels stand between them.
constexpr size_t kContextLines = 24;

// How an engine counts the width of a log line: pTeX a Japanese character as two columns, XeTeX
// every character as one, the others (upTeX, LuaTeX, pdfTeX) its UTF-8 bytes. A character of
// several bytes that does not fit starts the next line; LuaTeX never puts one in the last column.
enum class WidthUnit { kColumns, kCharacters, kUtf8Bytes };
struct LineWidth {
  WidthUnit unit;
  size_t last_wide_column;  // the last column a character of several bytes may end in
};

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// By the engine's name in the banner, "This is e-pTeX, Version ...".
LineWidth WidthOfEngine(std::string_view banner) {
  std::string_view engine = banner.substr(0, banner.find(','));
  auto ends_with = [&](std::string_view end) {
    return engine.size() >= end.size() && engine.substr(engine.size() - end.size()) == end;
  };
  if (ends_with("pTeX") && !ends_with("upTeX")) return {WidthUnit::kColumns, kLogWidth};
  if (ends_with("XeTeX")) return {WidthUnit::kCharacters, kLogWidth};
  if (vklib::FindText(engine, "Lua") != std::string_view::npos) {
    return {WidthUnit::kUtf8Bytes, kLogWidth - 1};
  }
  return {WidthUnit::kUtf8Bytes, kLogWidth};
}

size_t Width(std::string_view text, WidthUnit unit) {
  switch (unit) {
    case WidthUnit::kColumns:  // a Shift_JIS character takes as many columns as it has bytes
      return text.size();
    case WidthUnit::kCharacters: {
      size_t count = 0;
      for (size_t i = 0; i < text.size(); i += vklib::CharLength(text, i))
        ++count;
      return count;
    }
    case WidthUnit::kUtf8Bytes:
      break;
  }
  return IsAscii(text) ? text.size() : vklib::AnsiToUtf8(text).size();
}

bool ContinuesOnNext(std::string_view line, std::string_view next, LineWidth counting) {
  const size_t width = Width(line, counting.unit);
  if (width == kLogWidth) return true;
  if (width > kLogWidth || next.empty() || static_cast<unsigned char>(next[0]) < 0x80) return false;
  const size_t first = Width(next.substr(0, vklib::CharLength(next, 0)), counting.unit);
  return width + first > counting.last_wide_column;
}

// "l.12 \foo": the line TeX was reading when it stopped.
bool LineNumberOf(std::string_view line, int& number) {
  if (line.size() < 3 || !StartsWith(line, "l.") || line[2] < '0' || line[2] > '9') return false;
  number = 0;
  for (size_t i = 2; i < line.size() && i < 11 && line[i] >= '0' && line[i] <= '9'; ++i)
    number = number * 10 + (line[i] - '0');
  return true;
}

// Whether a name written behind "(" is a file's: its last component has an extension of letters
// and digits that starts with a letter ("./main.tex", but not "15.0pt" or "e.g.,").
bool LooksLikeFile(std::string_view name) {
  size_t component = 0;
  size_t dot = std::string_view::npos;
  for (size_t i = 0; i < name.size(); i += vklib::CharLength(name, i)) {
    if (name[i] == '/' || name[i] == '\\') {
      component = i + 1;
      dot = std::string_view::npos;
    } else if (name[i] == '.') {
      dot = i;
    }
  }
  if (dot == std::string_view::npos || dot < component || dot + 1 == name.size()) return false;
  std::string_view extension = name.substr(dot + 1);
  auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (!letter(extension[0])) return false;
  for (char c : extension) {
    if (!letter(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

// The name of the file TeX opened at the "(" before `from`, and where it ends; "" when the
// parenthesis opens no file. TeX writes a name with a blank as it stands ("(./my part.tex"), or
// between quotes, and what follows it on the line after a blank or a parenthesis.
std::string FileNameAfter(std::string_view line, size_t from, size_t& end) {
  end = from;
  if (from < line.size() && line[from] == '"') {
    size_t close = line.find('"', from + 1);
    if (close == std::string_view::npos) return std::string();
    end = close + 1;
    return std::string(line.substr(from + 1, close - from - 1));
  }
  // Blanks, quotes and parentheses are never the second byte of a Shift_JIS character.
  for (size_t at = from;; ++at) {
    at = std::min(line.find_first_of(" ()", at), line.size());
    std::string_view candidate = line.substr(from, at - from);
    if (LooksLikeFile(candidate)) {
      end = at;
      return std::string(candidate);
    }
    if (at == line.size() || line[at] != ' ') return std::string();
  }
}

// The files open in TeX, innermost last; "" for a parenthesis that opened no file.
class OpenFiles {
 public:
  void Follow(std::string_view line) {
    for (size_t i = 0; i < line.size(); i += vklib::CharLength(line, i)) {
      if (line[i] == ')') {
        if (!open_.empty()) open_.pop_back();
      } else if (line[i] == '(') {
        size_t end = i + 1;
        open_.push_back(FileNameAfter(line, i + 1, end));
        if (end > i + 1) {
          opened_.push_back(open_.back());
          i = end - 1;
        }
      }
    }
  }
  const std::vector<std::string>& Opened() const { return opened_; }
  std::string Innermost() const {
    for (auto file = open_.rbegin(); file != open_.rend(); ++file) {
      if (!file->empty()) return *file;
    }
    return std::string();
  }

 private:
  std::vector<std::string> open_;
  std::vector<std::string> opened_;
};

// The error whose "!" line is lines[at]; the index of its last line, the one under "l.NN"
// (the "!" line itself when TeX named no line).
size_t ReadError(const std::vector<std::string>& lines, size_t at, const OpenFiles& files,
                 TeXLog& log) {
  TeXError error;
  error.file = files.Innermost();
  std::string_view message(lines[at]);
  message.remove_prefix(std::min(message.find_first_not_of("! "), message.size()));
  error.message = std::string(message);
  size_t last = at;
  for (size_t i = at + 1; i < lines.size() && i <= at + kContextLines; ++i) {
    if (StartsWith(lines[i], "! ")) break;
    if (LineNumberOf(lines[i], error.line)) {
      last = std::min(i + 1, lines.size() - 1);
      break;
    }
  }
  const bool consequence =
      !log.errors.empty() && (message == "Emergency stop." || StartsWith(message, "==>"));
  if (!consequence) log.errors.push_back(error);
  return last;
}

// Counts the name quoted in a warning such as "LaTeX Warning: Reference `x' on page 1 undefined".
void CountUndefined(std::string_view line, std::string_view warning, std::set<std::string>& names) {
  size_t at = vklib::FindText(line, warning);
  if (at == std::string_view::npos) return;
  size_t open = at + warning.size();
  if (open >= line.size() || (line[open] != '`' && line[open] != '\'')) return;
  size_t close = vklib::FindText(line, "'", open + 1);
  if (close == std::string_view::npos || vklib::FindText(line, " undefined", close) == line.npos) {
    return;
  }
  names.insert(std::string(line.substr(open + 1, close - open - 1)));
}

void ReadOutput(std::string_view line, TeXLog& log) {
  const std::string_view written = "Output written on ";
  if (line == "No pages of output.") log.no_pages = true;
  if (!StartsWith(line, written)) return;
  std::string_view file = line.substr(written.size());
  file = file.substr(0, file.rfind(" ("));
  if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
    file = file.substr(1, file.size() - 2);
  }
  log.output = std::string(file);
}

}  // namespace

std::vector<std::string> JoinBrokenLines(const std::vector<std::string>& lines) {
  std::vector<std::string> joined;
  if (lines.empty()) return joined;
  const LineWidth counting = WidthOfEngine(lines.front());
  for (size_t i = 0; i < lines.size(); ++i) {
    joined.push_back(lines[i]);
    while (i + 1 < lines.size() && ContinuesOnNext(lines[i], lines[i + 1], counting))
      joined.back() += lines[++i];
  }
  return joined;
}

TeXLog ReadTeXLog(const std::vector<std::string>& log_lines) {
  TeXLog log;
  const std::vector<std::string> lines = JoinBrokenLines(log_lines);
  OpenFiles files;
  std::set<std::string> references, citations;
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    text += line + "\n";
    if (StartsWith(line, "! ")) {
      i = ReadError(lines, i, files, log);
      continue;
    }
    files.Follow(line);
    if (StartsWith(line, "Overfull \\") || StartsWith(line, "Underfull \\")) {
      // The box's text follows, up to an empty line.
      while (i + 1 < lines.size() && !lines[i + 1].empty() && !StartsWith(lines[i + 1], "! "))
        ++i;
      continue;
    }
    const std::string_view no_file = "No file ";
    if (StartsWith(line, no_file) && line.size() > no_file.size() + 1 && line.back() == '.')
      log.inputs.push_back(line.substr(no_file.size(), line.size() - no_file.size() - 1));
    CountUndefined(line, "Warning: Reference ", references);
    CountUndefined(line, "Warning: Citation ", citations);
    ReadOutput(line, log);
  }
  log.undefined_references = references.size();
  log.undefined_citations = citations.size();
  log.rerun = LogAsksForRerun(text);
  log.inputs.insert(log.inputs.end(), files.Opened().begin(), files.Opened().end());
  return log;
}

bool ReadTeXLogFile(const std::string& path, TeXLog& log) {
  vklib::TextFile file;
  if (!file.Open(path)) return false;
  std::vector<std::string> lines(1);
  char buffer[4096];
  while (size_t length = file.ReadLine(buffer, sizeof buffer)) {
    lines.back().append(buffer, length);
    if (lines.back().back() == '\n') {
      lines.back().pop_back();
      lines.emplace_back();
    }
  }
  if (lines.back().empty()) lines.pop_back();
  log = ReadTeXLog(lines);
  return true;
}
